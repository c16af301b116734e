#include "platform/append_file.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <unistd.h>

namespace namenswerk::platform {

namespace {

// Reserved room grows with the file, from a thousand journal lines or so to
// a few MB: a long run reserves a handful of times, a short one leaves
// little to cut off at the end. Each reservation costs a fallocate() and a
// remap, as much as a few hundred renames.
constexpr std::size_t FirstStep = std::size_t{64} * 1024;
constexpr std::size_t LongestStep = std::size_t{4} * 1024 * 1024;

std::size_t pageRounded(std::size_t bytes)
{
    const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    return (bytes + page - 1) / page * page;
}

// The largest size this process may give a file: growing past it would end
// the process with SIGXFSZ, where an exact write would only have failed.
std::size_t sizeLimit()
{
    rlimit limit{};
    if (::getrlimit(RLIMIT_FSIZE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) {
        return SIZE_MAX;
    }
    return static_cast<std::size_t>(limit.rlim_cur);
}

bool growFile(int descriptor, std::size_t from, std::size_t to)
{
    int result = 0;
    do {
        result =
            ::fallocate(descriptor, 0, static_cast<off_t>(from), static_cast<off_t>(to - from));
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

} // namespace

bool AppendFile::create(const QString &path)
{
    close();
    descriptor_ = ::open(QFile::encodeName(path).constData(),
                         O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (descriptor_ < 0) {
        return false;
    }
    mapped_ = true;
    written_ = 0;
    reserved_ = 0;
    return true;
}

// Room for at least the needed size, taken a step ahead where the disk and
// the size limit allow, and mapped. Blocks the file system has reserved
// cannot run out when a store first touches them.
bool AppendFile::reserve(std::size_t needed)
{
    const std::size_t limit = sizeLimit();
    if (needed > limit) {
        return false;
    }
    const std::size_t step = std::clamp(reserved_, FirstStep, LongestStep);
    std::size_t size = std::max(needed, std::min(reserved_ + step, limit));
    if (!growFile(descriptor_, reserved_, size)) {
        const bool unsupported = errno == EOPNOTSUPP;
        if (unsupported && written_ == 0) {
            mapped_ = false; // nothing stored yet: write() from here on
            return true;
        }
        if (unsupported || size == needed || !growFile(descriptor_, reserved_, needed)) {
            return false;
        }
        size = needed;
    }
    reserved_ = size;
    const std::size_t length = pageRounded(size);
    if (length == mapLength_) {
        return true;
    }
    void *map = map_ == nullptr
                    ? ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_SHARED, descriptor_, 0)
                    : ::mremap(map_, mapLength_, length, MREMAP_MAYMOVE);
    if (map == MAP_FAILED) {
        return false; // the old mapping, if any, stays valid for close()
    }
    map_ = static_cast<char *>(map);
    mapLength_ = length;
    return true;
}

bool AppendFile::writeThrough(std::initializer_list<QByteArrayView> pieces)
{
    QByteArray joined;
    for (const QByteArrayView piece : pieces) {
        joined += piece;
    }
    const char *from = joined.constData();
    auto left = static_cast<std::size_t>(joined.size());
    while (left > 0) {
        const ssize_t done = ::write(descriptor_, from, left);
        if (done < 0 && errno == EINTR) {
            continue;
        }
        if (done <= 0) {
            return false;
        }
        from += done;
        left -= static_cast<std::size_t>(done);
    }
    written_ += static_cast<std::size_t>(joined.size());
    return true;
}

bool AppendFile::append(std::initializer_list<QByteArrayView> pieces)
{
    if (!isOpen()) {
        return false;
    }
    std::size_t size = 0;
    for (const QByteArrayView piece : pieces) {
        size += static_cast<std::size_t>(piece.size());
    }
    if (size == 0) {
        return true;
    }
    if (mapped_ && written_ + size > reserved_ && !reserve(written_ + size)) {
        close();
        return false;
    }
    if (!mapped_) {
        const bool stored = writeThrough(pieces);
        if (!stored) {
            close();
        }
        return stored;
    }
    for (const QByteArrayView piece : pieces) {
        if (!piece.isEmpty()) {
            std::memcpy(map_ + written_, piece.data(), static_cast<std::size_t>(piece.size()));
            written_ += static_cast<std::size_t>(piece.size());
        }
    }
    return true;
}

void AppendFile::close()
{
    if (descriptor_ < 0) {
        return;
    }
    if (map_ != nullptr) {
        ::munmap(map_, mapLength_);
        map_ = nullptr;
        mapLength_ = 0;
    }
    if (mapped_ && reserved_ > written_) {
        (void)::ftruncate(descriptor_, static_cast<off_t>(written_));
    }
    ::close(descriptor_);
    descriptor_ = -1;
}

} // namespace namenswerk::platform
