#include "engine/entry_facts.h"

#include "engine/picture_size.h"
#include "model/file_entry.h"

namespace namenswerk {

FileFacts readEntryFacts(const QString &fullPath)
{
    FileFacts facts = basicFileFacts(fullPath);
    if (facts.fileSize64 != FileEntry::MissingSize && facts.fileSize64 != FileEntry::FolderSize) {
        const PictureSize size = readPictureSize(fullPath);
        facts.pictureWidth = size.width;
        facts.pictureHeight = size.height;
    }
    return facts;
}

} // namespace namenswerk
