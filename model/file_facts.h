#pragma once

#include <QString>

#include <cstdint>
#include <functional>

namespace namenswerk {

struct FileEntry;

// The facts of one file as an entry keeps them.
struct FileFacts {
    std::int64_t fileTime = 0;
    std::int32_t fileSize64 = -1;
    int pictureWidth = 0;
    int pictureHeight = 0;
};

// Reads the facts of the file at a full path. The list gets its reader from
// the layer above, which adds picture sizes; basicFileFacts() reads size and
// date only.
using FactsReader = std::function<FileFacts(const QString &fullPath)>;

FileFacts basicFileFacts(const QString &fullPath);

// Byte count to units of 64 bytes. Sizes beyond what 32 bits of such units
// hold are kept as the largest positive value, so they never read as
// "missing" or "folder".
std::int32_t sizeInUnits(std::int64_t bytes);

void applyFacts(FileEntry &entry, const FileFacts &facts);

} // namespace namenswerk
