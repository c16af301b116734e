#pragma once

#include <QGroupBox>

namespace namenswerk {

// A group frame whose caption sits on its top line, so the controls placed
// just below the caption stay clear of the line.
class GroupFrame : public QGroupBox {
    Q_OBJECT

public:
    explicit GroupFrame(const QString &title, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace namenswerk
