#pragma once

#include <QLabel>

namespace namenswerk {

// A label that underlines the letter after "&" but binds no key: the event
// loop owns every Alt shortcut of the window.
class MnemonicLabel : public QLabel {
    Q_OBJECT

public:
    explicit MnemonicLabel(const QString &text, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace namenswerk
