#pragma once

#include <QFile>

namespace namenswerk::platform {

// Opens the file's path for reading only when it names a regular file, in one
// step with no gap between the check and the use: a FIFO, a device or a folder
// at the path is never opened in a way that could block or read without end.
bool openRegularFile(QFile &file, QIODevice::OpenMode extraMode = {});

} // namespace namenswerk::platform
