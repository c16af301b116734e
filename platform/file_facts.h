#pragma once

#include <QString>

#include <cstdint>

namespace namenswerk::platform {

// What the file system says about one path, without following anything but
// the path itself.
struct PathFacts {
    // Size in bytes; NoFile when nothing exists at the path, Directory for a folder.
    std::int64_t size = NoFile;
    // Last modification as local wall-clock time in seconds since 1970-01-01
    // 00:00:00 (the local date and time read as if it were UTC); 0 when missing.
    std::int64_t localTime = 0;

    static constexpr std::int64_t NoFile = -1;
    static constexpr std::int64_t Directory = -2;
};

PathFacts pathFacts(const QString &path);

// Converts between seconds since the epoch (UTC) and the local wall-clock
// seconds the program keeps for file dates.
std::int64_t toLocalSeconds(std::int64_t utcSeconds);
std::int64_t fromLocalSeconds(std::int64_t localSeconds);

} // namespace namenswerk::platform
