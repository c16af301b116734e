#pragma once

#include <QCheckBox>
#include <QStringList>

namespace namenswerk {

// A check box whose caption goes on to further lines, broken between words,
// where the box is too narrow for it on one line; the caption stays whole.
class WrappingCheckBox : public QCheckBox {
    Q_OBJECT

public:
    using QCheckBox::QCheckBox;

    // The caption's lines at the box's present width, "&" marks kept.
    QStringList captionLines() const;
    // The narrowest width that shows the whole caption in `lines` lines or
    // fewer, broken between words.
    int widthForLines(int lines) const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QStringList linesWithin(int textWidth) const;
    int shownWidth(const QString &text) const;
};

} // namespace namenswerk
