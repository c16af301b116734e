#pragma once

#include <QString>

namespace namenswerk {

class FileList;

// Where the program keeps its own list file: "Brindlewick.lst" in the program folder.
QString ownListFilePath(const QString &programFolder);

// Adds the paths of a list file to the list, at most until the list holds
// entryLimit entries. With a folder line, the file's first line becomes the
// current folder; without one the current folder is "./" and the first
// absolute path may set it. A file that cannot be opened, or a limit below 1,
// leaves the list as it is.
//
// Lines that cannot name a file are skipped and do not count towards the
// limit: empty lines, lines holding a NUL byte in 8-bit text and lines longer than any
// path the system accepts. True when the limit left out entries of the file.
bool readListFile(FileList &list, const QString &path, bool hasFolderLine, int entryLimit);

// How many entries the list file holds in all, counted as readListFile
// counts them; 0 when it cannot be opened.
qsizetype countListFileEntries(const QString &path, bool hasFolderLine);

// Replaces the file at path with the list: UTF-16 LE with byte-order mark,
// the current folder first, then one line per entry, every line ended by
// CR LF. Writes nothing when rememberList is off or the list is empty. The
// file is replaced in one step, so a failure leaves the previous file intact.
// A backslash that is part of a name is written as a NUL, which the reader
// takes back as that backslash. Entries whose name holds a line break cannot
// be kept on one line: they are left out, and with such a current folder
// nothing is written. Returns whether the file was written.
bool writeListFile(const FileList &list, const QString &path, bool rememberList);

} // namespace namenswerk
