#include "rename/record_paths.h"

#include "model/file_list.h"

#include <QFile>

#include <algorithm>

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
    // Plain ASCII comes back from any file name encoding unchanged; only
    // other names are worth the round trip.
    if (std::all_of(path.cbegin(), path.cend(), [](QChar c) { return c.unicode() < 0x80; })) {
        return true;
    }
    return !path.contains(QChar::ReplacementCharacter) &&
           QFile::decodeName(QFile::encodeName(path)) == path;
}

} // namespace namenswerk
