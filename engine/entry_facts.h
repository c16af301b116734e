#pragma once

#include "model/file_facts.h"
#include "model/file_list.h"

#include <QString>

namespace namenswerk {

// Size, date and, for files, the picture size of a path: the facts reader the
// program hands to its file list.
FileFacts readEntryFacts(const QString &fullPath);

// Size and date only, the picture size marked as not read: the window's
// facts reader, so that a long list comes in without opening its files.
FileFacts readEntryFactsWithoutPicture(const QString &fullPath);

// Reads the picture size of every entry that has not had it read, once a
// template asks for picture sizes.
void readUnreadPictureSizes(FileList &list);

} // namespace namenswerk
