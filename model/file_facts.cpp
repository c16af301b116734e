#include "model/file_facts.h"

#include "model/file_entry.h"
#include "platform/file_facts.h"

#include <algorithm>
#include <limits>

namespace namenswerk {

std::int32_t sizeInUnits(std::int64_t bytes)
{
    if (bytes < 0) {
        return static_cast<std::int32_t>(bytes);
    }
    constexpr std::int64_t largest = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(std::min(bytes >> 6, largest));
}

FileFacts basicFileFacts(const QString &fullPath)
{
    const platform::PathFacts facts = platform::pathFacts(fullPath);
    return {facts.localTime, sizeInUnits(facts.size), 0, 0};
}

void applyFacts(FileEntry &entry, const FileFacts &facts)
{
    entry.fileTime = facts.fileTime;
    entry.fileSize64 = facts.fileSize64;
    entry.pictureWidth = facts.pictureWidth;
    entry.pictureHeight = facts.pictureHeight;
}

} // namespace namenswerk
