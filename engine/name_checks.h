#pragma once

#include "model/file_list.h"

#include <QString>
#include <QStringView>

namespace namenswerk {

// Whether the file part of a new name (after its last "/") can be a file name
// on every common file system; a backslash, which only an old name can have
// brought in, is allowed.
bool isValidFileName(QStringView newName);

// Sets the final statuses and the counters of every entry: ignored entries,
// entries ready to rename (empty, invalid, missing) and duplicates. Statuses
// other than Ok are kept, so renamed and failed entries stay visible.
void runStatusPass(FileList &list);

// Every group of ready entries whose files would get the same path gets
// DuplicateName; each member leaves the ready count once. Folders are
// compared as the disk resolves them, once per distinct folder; file names
// exactly (letter case counts).
void markDuplicates(FileList &list);

} // namespace namenswerk
