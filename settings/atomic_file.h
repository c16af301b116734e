#pragma once

#include <QByteArray>
#include <QString>

namespace namenswerk {

// Replaces the file at path with the bytes in one step: a temporary file in
// the same folder is written, synced and renamed over the old one, which is
// created when missing. False on any failure, and the old file then stays as
// it was; a disk that fills up half-way counts as a failure too.
bool replaceFileAtomically(const QString &path, const QByteArray &bytes);

} // namespace namenswerk
