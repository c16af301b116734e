#pragma once

#include "model/entry_status.h"

#include <QString>

#include <cstdint>

namespace namenswerk {

// One file the user brought into the program: its names, its status and the
// facts the rules may use. A list may hold millions of them, so the fields
// go largest first and leave no padding between them.
struct FileEntry {
    QString folder;              // folder ending in "/", empty when the list's current folder
    QString oldName;             // name on disk now, without folder
    QString newName;             // computed new name; "-" when none could be built
    std::int64_t fileTime = 0;   // local modification time in seconds since 1970; 0 when missing
    std::int32_t fileSize64 = 0; // size in units of 64 bytes; MissingSize or FolderSize
    int newNameLength = 0;       // length of newName, refreshed for the duplicate test
    int counter = 0;             // the template's counter for this entry, for its trace
    int pictureWidth = 0;        // 0 when not a picture of a known kind; PictureUnread
    int pictureHeight = 0;
    EntryStatus status = EntryStatus::None;
    bool ignored = false;

    static constexpr std::int32_t MissingSize = -1;
    static constexpr std::int32_t FolderSize = -2;
    // Picture sizes not read yet: reading them opens every file, which only
    // a template with a picture size token is worth.
    static constexpr int PictureUnread = -1;
};

} // namespace namenswerk
