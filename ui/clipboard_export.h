#pragma once

#include <QString>

namespace namenswerk {

class FileList;

// "Rename" command lines for every entry that is ready to be renamed, in list
// order whatever the filter.
QString renameCommands(const FileList &list);

// Replaces the clipboard's text with renameCommands(list), even when empty.
void copyRenameCommands(const FileList &list);

} // namespace namenswerk
