#pragma once

#include <QByteArrayView>
#include <QString>

#include <cstddef>
#include <initializer_list>

namespace namenswerk::platform {

// A new file that only grows at its end, with no system call for most
// appends: the file is reserved ahead in large steps and mapped shared, so
// appended bytes are stored straight into the page cache. They are part of
// the file the moment they are stored and outlive a killed process, just as
// the bytes of a finished write() do; like those, they reach the disk
// itself later.
//
// A process that dies leaves the reserved room after its last append as
// zero bytes; close() cuts it off. Where the file system cannot reserve room
// ahead (so that a full disk would meet the process in the middle of a
// store), every append is one write() instead.
class AppendFile {
public:
    AppendFile() = default;
    ~AppendFile() { close(); }
    AppendFile(const AppendFile &) = delete;
    AppendFile &operator=(const AppendFile &) = delete;
    AppendFile(AppendFile &&) = delete;
    AppendFile &operator=(AppendFile &&) = delete;

    // Makes the file; false when anything is at the path already (never
    // followed, never overwritten) or the file cannot be made.
    bool create(const QString &path);
    bool isOpen() const { return descriptor_ >= 0; }
    // False, and the file closed with what it held before, when the bytes
    // do not fit on the disk.
    bool append(QByteArrayView bytes) { return append({bytes}); }
    // The pieces one after the other, in one store: all of them or none.
    bool append(std::initializer_list<QByteArrayView> pieces);
    // Cuts the file to the appended bytes and closes it.
    void close();

private:
    bool reserve(std::size_t needed);
    bool writeThrough(std::initializer_list<QByteArrayView> pieces);

    int descriptor_ = -1;
    bool mapped_ = false;
    char *map_ = nullptr;
    std::size_t mapLength_ = 0;
    std::size_t reserved_ = 0; // the file's size while mapped
    std::size_t written_ = 0;
};

} // namespace namenswerk::platform
