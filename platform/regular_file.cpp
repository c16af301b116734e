#include "platform/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace namenswerk::platform {

bool openRegularFile(QFile &file, QIODevice::OpenMode extraMode)
{
    // Without O_NONBLOCK, opening a FIFO waits for a writer that may never come.
    const int descriptor =
        ::open(QFile::encodeName(file.fileName()).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0) {
        return false;
    }
    struct stat info {};
    const bool regular = ::fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode) &&
                         ::fcntl(descriptor, F_SETFL, 0) == 0;
    if (!regular ||
        !file.open(descriptor, QIODevice::ReadOnly | extraMode, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        return false;
    }
    return true;
}

} // namespace namenswerk::platform
