#include "model/list_filter.h"

namespace namenswerk {

bool filterShows(ListFilter filter, EntryStatus status)
{
    switch (filter) {
    case ListFilter::Found:
        return status >= EntryStatus::EmptyName;
    case ListFilter::Renameable:
        return status == EntryStatus::Ok;
    case ListFilter::Blocked:
        return status == EntryStatus::EmptyName || status == EntryStatus::DuplicateName;
    case ListFilter::RenameResult:
        return status == EntryStatus::Renamed || status == EntryStatus::RenameFailed;
    case ListFilter::NotFound:
        return status < EntryStatus::EmptyName;
    case ListFilter::Off:
        break;
    }
    return true;
}

ListFilter filterFromCommand(int command)
{
    const int first = static_cast<int>(ListFilter::Found);
    const int last = static_cast<int>(ListFilter::Off);
    return command >= first && command <= last ? static_cast<ListFilter>(command) : ListFilter::Off;
}

int storedFilterValue(ListFilter filter)
{
    return static_cast<int>(filter) - static_cast<int>(ListFilter::Found);
}

ListFilter filterFromStoredValue(int value)
{
    return value >= 0 && value <= 5 ? filterFromCommand(value + static_cast<int>(ListFilter::Found))
                                    : ListFilter::Off;
}

} // namespace namenswerk
