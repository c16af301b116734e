#pragma once

#include "model/entry_status.h"

namespace namenswerk {

// The six filter classes of the list, numbered as their menu commands.
enum class ListFilter : int {
    Found = 130,        // status 6 and above
    Renameable = 131,   // status 9
    Blocked = 132,      // status 6 or 7
    RenameResult = 133, // status 12 or 13
    NotFound = 134,     // below 6
    Off = 135,          // every entry
};

// Whether an entry with this status passes the filter.
bool filterShows(ListFilter filter, EntryStatus status);

// The filter for a menu command number; 0 and unknown numbers mean Off.
ListFilter filterFromCommand(int command);

// The value the settings file keeps (0 to 5) and back; values outside 0 to 5 mean Off.
int storedFilterValue(ListFilter filter);
ListFilter filterFromStoredValue(int value);

} // namespace namenswerk
