#include "platform/open_folders.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace namenswerk::platform {

namespace {

// Far below the usual limit of 1,024 descriptors, which the rest of the
// program shares.
constexpr qsizetype MostOpen = 64;

} // namespace

OpenFolders::~OpenFolders()
{
    for (const int descriptor : std::as_const(descriptors_)) {
        if (descriptor >= 0) {
            ::close(descriptor);
        }
    }
}

int OpenFolders::descriptorOf(QByteArrayView folder)
{
    if (lastDescriptor_ >= 0 && folder == lastFolder_) {
        return lastDescriptor_;
    }
    const QByteArray path = folder.toByteArray();
    auto found = descriptors_.constFind(path);
    if (found == descriptors_.cend()) {
        if (descriptors_.size() >= MostOpen) {
            return -1;
        }
        // NOLINTNEXTLINE(cppcoreguidelines-pro-type-vararg): open() takes its flags so
        const int descriptor = ::open(path.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
        found = descriptors_.insert(path, descriptor);
    }
    lastFolder_ = path;
    lastDescriptor_ = *found;
    return lastDescriptor_;
}

int renameNoReplaceAt(int fromFolder, const char *from, int toFolder, const char *to)
{
    return ::renameat2(fromFolder, from, toFolder, to, RENAME_NOREPLACE) == 0 ? 0 : errno;
}

} // namespace namenswerk::platform
