#pragma once

#include "model/file_facts.h"

#include <QString>

namespace namenswerk {

// Size, date and, for files, the picture size of a path: the facts reader the
// program hands to its file list.
FileFacts readEntryFacts(const QString &fullPath);

} // namespace namenswerk
