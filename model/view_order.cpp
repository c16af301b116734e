// The visible rows: entries that pass the active filter, sorted by the
// chosen column with the list's own quicksort (not stable by design, so rows
// with equal keys may trade places exactly as users know it).

#include "model/file_list.h"

#include <utility>

namespace namenswerk {

namespace {

template <typename T> int threeWay(const T &a, const T &b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

int compareTexts(const QString &a, const QString &b)
{
    return threeWay(QString::compare(a, b, Qt::CaseInsensitive), 0);
}

} // namespace

void FileList::rebuildViewOrder()
{
    viewOrder_.clear();
    for (int index = 0; index < count(); ++index) {
        if (filterShows(activeFilter, at(index).status)) {
            viewOrder_.push_back(index);
        }
    }
    if (sortDirection != SortDirection::Unsorted && viewCount() > 1) {
        sortViewOrder(0, viewCount() - 1, sortDirection == SortDirection::Ascending ? -1 : 1);
    }
}

int FileList::compareEntries(int a, int b) const
{
    const FileEntry &x = at(a);
    const FileEntry &y = at(b);
    switch (sortColumn) {
    case ListColumn::FolderMark:
        return compareTexts(x.folder, y.folder);
    case ListColumn::OldName:
        return compareTexts(x.oldName, y.oldName);
    case ListColumn::NewName:
        return compareTexts(x.newName, y.newName);
    case ListColumn::Size:
        return threeWay(x.fileSize64, y.fileSize64);
    case ListColumn::Date:
        return threeWay(x.fileTime, y.fileTime);
    case ListColumn::Status:
        return threeWay(x.status, y.status);
    }
    return 0;
}

// moveRight is the compare result that keeps an element left of the pivot:
// -1 for ascending, 1 for descending.
void FileList::sortViewOrder(int lo, int hi, int moveRight)
{
    auto &order = viewOrder_;
    const int pivot = order[static_cast<std::size_t>((lo + hi) / 2)];
    const int moveLeft = -moveRight;
    int i = lo;
    int j = hi;
    while (i <= j) {
        while (i < hi && compareEntries(order[static_cast<std::size_t>(i)], pivot) == moveRight) {
            ++i;
        }
        while (j > lo && compareEntries(order[static_cast<std::size_t>(j)], pivot) == moveLeft) {
            --j;
        }
        if (i <= j) {
            std::swap(order[static_cast<std::size_t>(i)], order[static_cast<std::size_t>(j)]);
            ++i;
            --j;
        }
    }
    if (lo < j) {
        sortViewOrder(lo, j, moveRight);
    }
    if (i < hi) {
        sortViewOrder(i, hi, moveRight);
    }
}

} // namespace namenswerk
