#pragma once

#include <QString>
#include <QStringView>

namespace namenswerk {

// A recorded name that stands for itself rather than for a name inside the
// record's folder: it begins with "/", or has ":" as its second character.
bool isAbsoluteRecordName(QStringView name);

// The path a recorded name stands for.
QString resolveRecordName(const QString &recordFolder, const QString &name);

// The path with the working folder put in front when it is relative.
QString absolutePath(const QString &path, const QString &workingFolder);

// Whether a path reaches the disk exactly as written: it survives the
// conversion to the file system's bytes and back, and holds no replacement
// character, which may stand for bytes that no longer can be told apart.
bool hasExactDiskName(const QString &path);

} // namespace namenswerk
