#include "rename/record_paths.h"

#include "model/file_list.h"

#include <QFile>

namespace namenswerk {

bool isAbsoluteRecordName(QStringView name)
{
    return name.startsWith(u'/') || (name.size() > 1 && name.at(1) == u':');
}

QString resolveRecordName(const QString &recordFolder, const QString &name)
{
    return isAbsoluteRecordName(name) ? name : recordFolder + name;
}

QString absolutePath(const QString &path, const QString &workingFolder)
{
    return path.startsWith(u'/') ? path : withTrailingSlash(workingFolder) + path;
}

bool hasExactDiskName(const QString &path)
{
    return !path.contains(QChar::ReplacementCharacter) &&
           QFile::decodeName(QFile::encodeName(path)) == path;
}

} // namespace namenswerk
