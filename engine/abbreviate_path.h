#pragma once

#include <QString>

namespace namenswerk {

// Shortens a folder path (ending in "/") for display by leaving out folders
// before its last one: "/home/someone/.../Holiday 2016". The folder just
// above the last one is never shown in a shortened path.
QString abbreviatePath(const QString &path, int maxLength);

} // namespace namenswerk
