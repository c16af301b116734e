#pragma once

#include "model/file_entry.h"

#include <QHash>
#include <QString>

#include <cstdint>

namespace namenswerk {

// What was read from inside files (capture dates, audio tags), by full path.
// It stays beside the file list rather than in its entries: most templates
// never ask for it, and an entry's size matters at a million of them. A file
// is read again only when the entry's size or modification time differ from
// when it was read; folders and missing files are never opened.
template <typename Value, Value (*Read)(const QString &)> class FileContentsCache {
public:
    // The reference stays valid until the next look-up.
    const Value &lookup(const QString &fullPath, const FileEntry &entry)
    {
        const auto found = values_.constFind(fullPath);
        if (found != values_.constEnd() && found->fileTime == entry.fileTime &&
            found->fileSize64 == entry.fileSize64) {
            return found->value;
        }
        Value value{};
        if (entry.fileSize64 >= 0) {
            value = Read(fullPath);
        }
        return values_.insert(fullPath, {entry.fileTime, entry.fileSize64, std::move(value)})
            ->value;
    }
    void clear() { values_ = {}; }
    qsizetype size() const { return values_.size(); }

private:
    struct Cached {
        std::int64_t fileTime = 0;
        std::int32_t fileSize64 = 0;
        Value value;
    };
    QHash<QString, Cached> values_;
};

} // namespace namenswerk
