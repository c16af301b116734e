#pragma once

#include <QByteArray>
#include <QString>

namespace namenswerk {
class FileList;
}

namespace namenswerk::batch {

// The plan as tab-separated lines: a header, then entry number, old full
// path, new name, status number and status text for every entry in list
// order. Inside fields, backslashes, tabs and line breaks are escaped as \\,
// \t, \n and \r, other control characters as \xHH (\u2028 and \u2029 as
// \uHHHH), so that every entry stays on one line and nothing reaches a
// terminal as a command. In UTF-8, as it goes out.
QByteArray planAsTabSeparated(const FileList &list);

// The same as a JSON array of objects with the keys of the header line.
QString planAsJson(const FileList &list);

// A field as it appears in the tab-separated plan.
QString escapedField(const QString &text);

} // namespace namenswerk::batch
