#include "ui/clipboard_export.h"

#include "model/file_list.h"

namespace namenswerk {

QString renameCommands(const FileList & /*list*/)
{
    return {};
}

void copyRenameCommands(const FileList & /*list*/) {}

} // namespace namenswerk
