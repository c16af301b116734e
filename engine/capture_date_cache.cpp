#include "engine/capture_date_cache.h"

#include "model/file_entry.h"

namespace namenswerk {

CaptureDate CaptureDateCache::lookup(const QString &fullPath, const FileEntry &entry)
{
    const auto found = dates_.constFind(fullPath);
    if (found != dates_.constEnd() && found->fileTime == entry.fileTime &&
        found->fileSize64 == entry.fileSize64) {
        return found->date;
    }
    CaptureDate date;
    if (entry.fileSize64 >= 0) { // folders and missing files hold no capture date
        date = readCaptureDate(fullPath);
    }
    dates_.insert(fullPath, {entry.fileTime, entry.fileSize64, date});
    return date;
}

} // namespace namenswerk
