#include "ui/list_cell_text.h"

#include "engine/date_format.h"
#include "engine/size_text.h"
#include "engine/value_separators.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace namenswerk {

namespace {

// Characters that change how the text around them reads, or break the line,
// without showing themselves: "invoice\u202Egnp.exe" would show as
// "invoiceexe.png".
bool isBidiControl(char16_t c)
{
    return (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069) || c == 0x200E ||
           c == 0x200F || c == 0x061C;
}

bool isControl(char16_t c)
{
    return c < 0x20 || c == 0x7F;
}

// The engine's own marks (value_separators.h) are among them; a name on disk
// that holds one is shown by its code, so that it cannot pose as a path.
bool isNoncharacter(char16_t c)
{
    return (c >= 0xFDD0 && c <= 0xFDEF) || c >= 0xFFFE;
}

} // namespace

QString visibleText(const QString &text)
{
    const auto hidden = [](QChar c) {
        return isControl(c.unicode()) || isBidiControl(c.unicode()) || isNoncharacter(c.unicode());
    };
    if (std::none_of(text.begin(), text.end(), hidden)) {
        return text;
    }
    QString shown;
    shown.reserve(text.size() + 8);
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        if (isControl(unit)) {
            // The control pictures: "␊" for a line feed, "␡" for DEL.
            shown += QChar(unit == 0x7F ? char16_t(0x2421) : char16_t(0x2400 + unit));
        } else if (isBidiControl(unit) || isNoncharacter(unit)) {
            shown += u"[U+"_s + QString::number(unit, 16).toUpper().rightJustified(4, u'0') + u']';
        } else {
            shown += c;
        }
    }
    return shown;
}

QString visibleNewText(const QString &text)
{
    return visibleText(withValueSeparatorsShown(text));
}

QString listCellText(const ListCellValues &values, ListColumn column)
{
    switch (column) {
    case ListColumn::FolderMark:
        return values.otherFolder ? u" "_s : QString();
    case ListColumn::OldName:
        return visibleText(values.oldName);
    case ListColumn::NewName:
        return visibleNewText(values.newName);
    case ListColumn::Size:
        return sizeText(values.fileSize64);
    case ListColumn::Date:
        return listDateText(values.fileTime);
    case ListColumn::Status:
        return statusText(values.status);
    }
    return {};
}

QString listCellText(const FileEntry &entry, ListColumn column)
{
    return listCellText({entry.oldName, entry.newName, entry.fileTime, entry.fileSize64,
                         entry.status, !entry.folder.isEmpty()},
                        column);
}

QString listCellTip(const FileList &list, int index, ListColumn column, bool shiftHeld)
{
    const FileEntry &entry = list.at(index);
    switch (column) {
    case ListColumn::FolderMark:
        return visibleText(entry.folder.isEmpty() ? list.currentFolder : entry.folder);
    case ListColumn::NewName:
        return visibleNewText(shiftHeld ? list.nameTrace(index) : entry.newName);
    default:
        return listCellText(entry, column);
    }
}

} // namespace namenswerk
