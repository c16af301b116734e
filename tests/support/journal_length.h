#pragma once

#include <QString>
#include <QtGlobal>

namespace namenswerk::test {

// How many bytes of lines a live run's journal holds: the file is reserved
// ahead in steps, so its size runs before what was written; the room not yet
// written reads as zero bytes. 0 when there is no file to read.
qint64 journalLength(const QString &path);

} // namespace namenswerk::test
