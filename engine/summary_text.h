#pragma once

#include "model/file_list.h"

#include <QString>

namespace namenswerk {

// The one-line summary below the list, built from the counters of the last
// status pass and the visible rows. May set the ready count to 0 when every
// ready file is missing, as the line then reports them as unavailable only.
QString summaryText(FileList &list);

// Whether entries of the list lie in more than one folder.
bool holdsSeveralFolders(const FileList &list);

} // namespace namenswerk
