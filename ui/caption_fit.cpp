#include "ui/caption_fit.h"

#include <QCheckBox>
#include <QStyle>
#include <QStyleOptionButton>

namespace namenswerk {

namespace {

// Where the style starts the caption, counted from the box's left edge.
int captionIndent(const QCheckBox &box)
{
    QStyleOptionButton option;
    option.initFrom(&box);
    option.rect.setWidth(1000);
    return box.style()->subElementRect(QStyle::SE_CheckBoxContents, &option, &box).left() -
           option.rect.left();
}

} // namespace

int wholeWordsWidth(const QCheckBox &box, int room)
{
    QString caption = box.text();
    caption.remove(u'&');
    const QFontMetrics metrics = box.fontMetrics();
    const int indent = captionIndent(box);
    int width = 0;
    // Word ends, shortest prefix first; a leading blank belongs to the first word.
    for (qsizetype end = 1; end <= caption.size(); ++end) {
        if (end < caption.size() && caption.at(end) != u' ') {
            continue;
        }
        if (caption.at(end - 1) == u' ') {
            continue;
        }
        // Anti-aliased edges of the last glyph may reach a pixel past its advance.
        const int needed = indent + metrics.horizontalAdvance(caption.left(end)) + 1;
        if (needed > room) {
            break;
        }
        width = needed;
    }
    return width;
}

} // namespace namenswerk
