#include "model/list_reorder.h"

#include "model/file_list.h"

#include <numeric>

namespace namenswerk {

void adoptOrder(FileList &list, const std::vector<int> &shownEntries)
{
    std::vector<FileEntry> &entries = list.entries();
    std::vector<bool> placed(entries.size(), false);
    std::vector<FileEntry> reordered;
    reordered.reserve(entries.size());
    for (const int index : shownEntries) {
        if (index < 0 || index >= list.count() || placed[std::size_t(index)]) {
            continue;
        }
        placed[std::size_t(index)] = true;
        reordered.push_back(std::move(entries[std::size_t(index)]));
    }
    const auto shown = reordered.size();
    for (std::size_t index = 0; index < entries.size(); ++index) {
        if (!placed[index]) {
            reordered.push_back(std::move(entries[index]));
        }
    }
    entries = std::move(reordered);

    // Row k shows entry k now; the rows keep pointing at the entries they show.
    std::vector<int> &order = list.viewOrder();
    order.resize(shown);
    std::iota(order.begin(), order.end(), 0);

    list.sortColumn = ListColumn::FolderMark;
    list.sortDirection = SortDirection::Unsorted;
    list.requestRefresh(RefreshLevel::Names);
}

} // namespace namenswerk
