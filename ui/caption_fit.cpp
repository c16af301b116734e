#include "ui/caption_fit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>

#include <algorithm>

namespace namenswerk {

int captionIndent(const QCheckBox &box)
{
    QStyleOptionButton option;
    option.initFrom(&box);
    option.rect.setWidth(1000);
    return box.style()->subElementRect(QStyle::SE_CheckBoxContents, &option, &box).left() -
           option.rect.left();
}

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

namespace namenswerk {

int widthShowingEntries(const QComboBox &list)
{
    int widest = 0;
    for (int i = 0; i < list.count(); ++i) {
        widest = std::max(widest, list.fontMetrics().horizontalAdvance(list.itemText(i)));
    }
    QStyleOptionComboBox option;
    option.initFrom(&list);
    option.editable = list.isEditable();
    return list.style()
        ->sizeFromContents(QStyle::CT_ComboBox, &option, {widest, list.height()}, &list)
        .width();
}

} // namespace namenswerk
