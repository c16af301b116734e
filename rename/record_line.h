#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace namenswerk {

// A file's name before and after a rename, as the recovery record keeps it:
// relative to the record's folder, or an absolute path.
struct RenamedPair {
    QString oldName;
    QString newName;

    bool operator==(const RenamedPair &) const = default;
};

// The key of line number n of the record: at least five decimal digits.
QString recordKey(int number);

// "old" > "new", each name in double quotes.
QString recordLine(const RenamedPair &pair);

// The names of a record line; none when it has no ">". The fields are split
// at the first '" > "' if there is one, else at the first ">", so that a ">"
// inside an old name does not cut it; each field is trimmed and unquoted.
std::optional<RenamedPair> parseRecordLine(QStringView line);

// Whether a text stays one line in the record; the record's folder and every
// name must.
bool staysOneLine(QStringView text);

// Whether the pair comes back unchanged from its record line. Names with line
// breaks, or with '" > "' inside the old name, do not.
bool fitsRecordLine(const RenamedPair &pair);

} // namespace namenswerk
