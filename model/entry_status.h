#pragma once

#include <QString>

#include <cstdint>

namespace namenswerk {

// The fixed status numbers of an entry. Filters compare ranges of them and the
// colour table is indexed by them, so the numbers never change.
enum class EntryStatus : std::uint8_t {
    None = 0,          // "-": no result
    Filter = 1,        // name or extension does not match its pattern
    SearchError = 2,   // patterns unusable, or no template element
    RegexError = 3,    // reserved
    TokenError = 4,    // the target template has an error
    Ignored = 5,       // marked by the user
    EmptyName = 6,     // the new name is empty
    DuplicateName = 7, // another ready entry gets the same new name
    Unavailable = 8,   // renameable, but the file is gone
    Ok = 9,            // the only status the rename run takes
    InvalidName = 10,  // the new name is no valid file name
    OkElsewhere = 11,  // reserved; its colour marks ready rows of another folder
    Renamed = 12,      // renamed by the last run
    RenameFailed = 13, // the last run could not rename it
    Unused = 14,
};

inline constexpr int EntryStatusCount = 15;

// The text the user sees for a status.
QString statusText(EntryStatus status);

// Statuses from EmptyName on mean the entry matched and a new name was attempted.
inline bool isFound(EntryStatus status)
{
    return status >= EntryStatus::EmptyName;
}

} // namespace namenswerk
