#pragma once

#include "engine/capture_date.h"

#include <QHash>
#include <QString>

#include <cstdint>

namespace namenswerk {

struct FileEntry;

// Capture dates already read, by full path. It stays beside the file list
// rather than in its entries: most templates never ask for one, and an
// entry's size matters at a million of them. A date is read again only when
// the entry's size or modification time differ from when it was read.
class CaptureDateCache {
public:
    CaptureDate lookup(const QString &fullPath, const FileEntry &entry);
    void clear() { dates_ = {}; }
    qsizetype size() const { return dates_.size(); }

private:
    struct Cached {
        std::int64_t fileTime = 0;
        std::int32_t fileSize64 = 0;
        CaptureDate date;
    };
    QHash<QString, Cached> dates_;
};

} // namespace namenswerk
