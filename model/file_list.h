#pragma once

#include "model/file_entry.h"
#include "model/file_facts.h"
#include "model/list_filter.h"
#include "model/name_packer.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace namenswerk {

// How much the next refresh must do.
enum class RefreshLevel : int {
    None = 0,
    Statuses = 1, // status pass, view order and view again
    Names = 2,    // every new name first, then what Statuses does
};

// Columns of the list, also the sort keys.
enum class ListColumn : int { FolderMark = 0, OldName, NewName, Size, Date, Status };

enum class SortDirection : int { Unsorted = 0, Ascending = 1, Descending = 2 };

// What adding paths to the list did.
struct AddedPaths {
    int added = 0;
    int alreadyListed = 0; // paths the list held before, or named twice
    int notReached = 0;    // paths left when the progress said to stop
};

// Told how many of the paths have been looked at, now and then while a long
// add runs; false stops the add after the paths done so far.
using AddProgress = std::function<bool(int done)>;

// The ordered entries with their folder, the view order and the list-wide
// state. Entries are addressed by their index (0-based, stable until the
// list changes).
class FileList {
public:
    explicit FileList(FactsReader readFacts = basicFileFacts);

    const std::vector<FileEntry> &entries() const { return entries_; }
    std::vector<FileEntry> &entries() { return entries_; }
    int count() const { return static_cast<int>(entries_.size()); }
    const FileEntry &at(int index) const { return entries_.at(static_cast<std::size_t>(index)); }
    FileEntry &at(int index) { return entries_.at(static_cast<std::size_t>(index)); }

    // Folder for entries with an empty folder, ending in "/"; empty until set.
    QString currentFolder;
    // Dropped files came from more than one folder.
    bool mixedFolders = false;

    ListFilter activeFilter = ListFilter::Off;
    ListColumn sortColumn = ListColumn::FolderMark;
    SortDirection sortDirection = SortDirection::Unsorted;
    RefreshLevel refreshLevel = RefreshLevel::None;

    int readyCount = 0;
    int missingCount = 0;
    int renamedCount = 0;
    int failedCount = 0;

    // Raises the pending refresh; never lowers it.
    void requestRefresh(RefreshLevel level);

    // Path on disk of an entry: its folder, or the current folder, and its old name.
    QString fullPath(const FileEntry &entry) const;
    QString fullPath(int index) const { return fullPath(at(index)); }

    // Adds one line of a list file (see file_list_paths.cpp for the path forms).
    void addPathLine(const QString &line, bool hasFolderLine);
    // Replaces the whole list with dropped paths, in the order given. Only
    // "/" separates their folders; a backslash belongs to the name.
    void addDroppedFiles(const QStringList &paths);
    // Appends the paths, as a drop would take them, except those the list
    // already holds: an entry stands for one file once.
    AddedPaths addPaths(const QStringList &paths, const AddProgress &progress = {});
    void clear();

    void readFacts(int index, const QString &fullPath);
    // How facts are read from now on.
    void setFactsReader(FactsReader readFacts) { readFacts_ = std::move(readFacts); }
    void refreshAllFacts();

    // How the template composed an entry's new name, "-" when it composed
    // none: made when asked for (the tip over a new name with Shift held)
    // by whoever computed the names, never kept, because a text per entry
    // would cost more memory than the rest of it.
    using TraceSource = std::function<QString(const FileList &list, int index)>;
    QString nameTrace(int index) const;
    void setTraceSource(TraceSource source) { traceSource_ = std::move(source); }

    void toggleIgnored(int index);
    void setFilter(int command);

    // Entries that pass the filter, in display order; rebuilt by rebuildViewOrder().
    const std::vector<int> &viewOrder() const { return viewOrder_; }
    // The shown order itself, for commands that reorder the rows on screen
    // without a rebuild (a header click sorts by the texts the rows show).
    std::vector<int> &viewOrder() { return viewOrder_; }
    int viewCount() const { return static_cast<int>(viewOrder_.size()); }
    void rebuildViewOrder();

private:
    void appendPath(const QString &path);
    void sortViewOrder(int lo, int hi, int moveRight);
    int compareEntries(int a, int b) const;

    FactsReader readFacts_;
    TraceSource traceSource_;
    std::vector<FileEntry> entries_;
    std::vector<int> viewOrder_;
    // The old names of added entries share its blocks.
    NamePacker oldNames_;
};

// Folder part of a path, up to and including its last "/"; empty when none.
// A backslash is a character of a name, as the system sees it.
QString folderPart(const QString &path);
// Everything after the last "/"; the whole path when there is none.
QString filePart(const QString &path);
// The text with "/" appended unless it already ends in one.
QString withTrailingSlash(const QString &folder);
// A list-file line as a path: its backslashes are folder separators, as the
// user types them, and a NUL stands for a backslash that is a character of a
// name (no name can hold a NUL, so nothing else is meant by one).
QString pathFromLine(QString line);
// The line that pathFromLine reads back as the path.
QString lineFromPath(QString path);

} // namespace namenswerk
