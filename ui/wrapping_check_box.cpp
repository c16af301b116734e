#include "ui/wrapping_check_box.h"

#include "ui/caption_fit.h"

#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>

namespace namenswerk {

namespace {

// The caption's words; a leading blank belongs to the first word.
QStringList captionWords(const QString &caption)
{
    QStringList words;
    qsizetype start = 0;
    for (qsizetype i = 1; i <= caption.size(); ++i) {
        if (i == caption.size() || (caption.at(i) == u' ' && caption.at(i - 1) != u' ')) {
            words.append(caption.mid(start, i - start).trimmed());
            start = i + 1;
        }
    }
    if (!words.isEmpty() && caption.startsWith(u' ')) {
        words.first().prepend(u' ');
    }
    return words;
}

} // namespace

int WrappingCheckBox::shownWidth(const QString &text) const
{
    QString shown = text;
    shown.remove(u'&');
    // Anti-aliased edges of the last glyph may reach a pixel past its advance.
    return fontMetrics().horizontalAdvance(shown) + 1;
}

QStringList WrappingCheckBox::linesWithin(int textWidth) const
{
    QStringList lines;
    for (const QString &word : captionWords(text())) {
        if (!lines.isEmpty() && shownWidth(lines.last() + u' ' + word) <= textWidth) {
            lines.last() += u' ' + word;
        } else {
            lines.append(word);
        }
    }
    return lines;
}

QStringList WrappingCheckBox::captionLines() const
{
    return linesWithin(width() - captionIndent(*this));
}

int WrappingCheckBox::widthForLines(int lines) const
{
    // The widest word is the least any number of lines needs; the whole
    // caption on one line the most.
    const QStringList words = captionWords(text());
    int width = 0;
    for (const QString &word : words) {
        width = std::max(width, shownWidth(word));
    }
    const int widest = shownWidth(words.join(u' '));
    while (width < widest && linesWithin(width).size() > lines) {
        ++width;
    }
    return captionIndent(*this) + width;
}

void WrappingCheckBox::paintEvent(QPaintEvent *event)
{
    const QStringList lines = captionLines();
    if (lines.size() <= 1) {
        QCheckBox::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text = lines.join(u'\n');
    painter.drawControl(QStyle::CE_CheckBox, option);
}

} // namespace namenswerk
