#include "engine/entry_facts.h"

#include "engine/picture_size.h"
#include "model/file_entry.h"

namespace namenswerk {

namespace {

bool isFile(std::int32_t fileSize64)
{
    return fileSize64 != FileEntry::MissingSize && fileSize64 != FileEntry::FolderSize;
}

} // namespace

FileFacts readEntryFacts(const QString &fullPath)
{
    FileFacts facts = basicFileFacts(fullPath);
    if (isFile(facts.fileSize64)) {
        const PictureSize size = readPictureSize(fullPath);
        facts.pictureWidth = size.width;
        facts.pictureHeight = size.height;
    }
    return facts;
}

FileFacts readEntryFactsWithoutPicture(const QString &fullPath)
{
    FileFacts facts = basicFileFacts(fullPath);
    facts.pictureWidth = FileEntry::PictureUnread;
    facts.pictureHeight = FileEntry::PictureUnread;
    return facts;
}

void readUnreadPictureSizes(FileList &list)
{
    for (FileEntry &entry : list.entries()) {
        if (entry.pictureWidth != FileEntry::PictureUnread) {
            continue;
        }
        const PictureSize size =
            isFile(entry.fileSize64) ? readPictureSize(list.fullPath(entry)) : PictureSize{};
        entry.pictureWidth = size.width;
        entry.pictureHeight = size.height;
    }
}

} // namespace namenswerk
