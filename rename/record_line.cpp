#include "rename/record_line.h"

#include "settings/stored_values.h"

namespace namenswerk {

using namespace Qt::StringLiterals;

QString recordKey(int number)
{
    return QString::number(number).rightJustified(5, u'0');
}

QString recordLine(const RenamedPair &pair)
{
    return quoted(pair.oldName) % u" > "_s % quoted(pair.newName);
}

std::optional<RenamedPair> parseRecordLine(QStringView line)
{
    QStringView before;
    QStringView after;
    if (const qsizetype split = line.indexOf(u"\" > \""); split >= 0) {
        before = line.first(split + 1);
        after = line.sliced(split + 4);
    } else if (const qsizetype arrow = line.indexOf(u'>'); arrow >= 0) {
        before = line.first(arrow);
        after = line.sliced(arrow + 1);
    } else {
        return std::nullopt;
    }
    return RenamedPair{unquote(before.trimmed().toString()), unquote(after.trimmed().toString())};
}

bool staysOneLine(QStringView text)
{
    return !text.contains(u'\n') && !text.contains(u'\r');
}

bool fitsRecordLine(const RenamedPair &pair)
{
    if (!staysOneLine(pair.oldName) || !staysOneLine(pair.newName)) {
        return false;
    }
    // Without quotes in the old name, its closing quote is the first '" > "'
    // of the line, which is all the reader needs.
    if (!pair.oldName.contains(u'"')) {
        return true;
    }
    return parseRecordLine(recordLine(pair)) == pair;
}

} // namespace namenswerk
