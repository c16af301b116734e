#include "platform/file_facts.h"

#include <QFile>

#include <ctime>
#include <sys/stat.h>

namespace namenswerk::platform {

PathFacts pathFacts(const QString &path)
{
    struct stat info {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &info) != 0) {
        return {};
    }
    const std::int64_t size = S_ISDIR(info.st_mode) ? PathFacts::Directory : info.st_size;
    return {size, toLocalSeconds(info.st_mtim.tv_sec)};
}

std::int64_t toLocalSeconds(std::int64_t utcSeconds)
{
    const auto seconds = static_cast<std::time_t>(utcSeconds);
    std::tm local{};
    if (::localtime_r(&seconds, &local) == nullptr) {
        return utcSeconds;
    }
    return utcSeconds + local.tm_gmtoff;
}

std::int64_t fromLocalSeconds(std::int64_t localSeconds)
{
    // Read the wall-clock fields as UTC, then let mktime find the instant in
    // the local zone (it resolves daylight saving by itself).
    const auto asUtc = static_cast<std::time_t>(localSeconds);
    std::tm fields{};
    if (::gmtime_r(&asUtc, &fields) == nullptr) {
        return localSeconds;
    }
    fields.tm_isdst = -1;
    return ::mktime(&fields);
}

} // namespace namenswerk::platform
