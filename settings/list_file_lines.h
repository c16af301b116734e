#pragma once

#include <QString>
#include <QStringList>

namespace namenswerk {

// The decoded lines of a list file that can name a file.
struct ListFileLines {
    bool opened = false;
    // The first line when a folder line was asked for; empty when the file
    // has none or it cannot name a folder.
    QString folderLine;
    // The following lines, up to the number asked for.
    QStringList paths;
    // The file holds more path lines than were asked for.
    bool more = false;
};

// Reads no more of the file than it takes to find the folder line and
// maxPaths usable path lines.
//
// The text is UTF-8 after the mark EF BB BF, UTF-16 LE after FF FE, and
// otherwise UTF-8 when all lines taken are valid UTF-8, else Windows-1252.
// Lines end at CR, LF or CR LF. Only regular files are read: a pipe or a
// device might never end.
ListFileLines readListFileLines(const QString &path, bool withFolderLine, qsizetype maxPaths);

// How many path lines readListFileLines would take from the whole file,
// without decoding them; 0 when the file cannot be opened.
qsizetype countListFileLines(const QString &path, bool withFolderLine);

} // namespace namenswerk
