#include "settings/atomic_file.h"

#include <QSaveFile>

namespace namenswerk {

bool replaceFileAtomically(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    // Unbuffered, so that a write the disk cuts short is seen here: a buffered
    // save loses the shortfall in its final flush and still commits the
    // truncated file over the whole one.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace namenswerk
