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

// Every group of ready entries with the same folder and new name (exact
// comparison) gets DuplicateName; each member leaves the ready count once.
void markDuplicates(FileList &list);

} // namespace namenswerk
