#pragma once

#include <QString>

#include <cstdint>

namespace namenswerk::platform {

// Creates one folder level; the folder above must exist. True when it was created.
bool createFolder(const QString &path);

// Anything at the path counts, a file, a folder or a symbolic link whose
// target is gone.
bool pathExists(const QString &path);

// A folder, or a symbolic link to one.
bool isFolder(const QString &path);

// The path as the system resolves it: absolute, without "." and "..", every
// symbolic link followed. Empty when it cannot be resolved (a folder on the
// way is missing or cannot be searched).
QString resolvedPath(const QString &path);

// The process's working folder, against which relative paths are resolved.
QString workingFolder();

// Sets the last modification time, given as local wall-clock seconds (see
// file_facts.h), and leaves the access time alone.
bool setModificationTime(const QString &path, std::int64_t localSeconds);

} // namespace namenswerk::platform
