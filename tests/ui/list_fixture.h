#pragma once

// Small file lists for the list view tests, built row by row without disk.

#include "model/file_list.h"

#include <QDateTime>

#include <cstdint>
#include <vector>

namespace namenswerk::test {

struct Row {
    QString oldName{};
    QString newName{};
    EntryStatus status = EntryStatus::Ok;
    std::int32_t size64 = 1;
    std::int64_t time = 0;
    QString folder{}; // empty: the list's current folder
    QString trace{};
};

// A file date as the list keeps it: local seconds read as if they were UTC.
inline std::int64_t fileDate(int year, int month, int day, int hour = 0, int minute = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute), Qt::UTC).toSecsSinceEpoch();
}

// The list in /cur/ with the rows as its entries, in order; the view order
// is built for the unfiltered, unsorted list. Facts read later come from
// `readFacts`.
inline FileList listOf(
    const std::vector<Row> &rows,
    FactsReader readFacts = [](const QString &) { return FileFacts{}; })
{
    FileList list(std::move(readFacts));
    list.currentFolder = QStringLiteral("/cur/");
    for (const Row &row : rows) {
        FileEntry entry;
        entry.folder = row.folder;
        entry.oldName = row.oldName;
        entry.newName = row.newName;
        entry.status = row.status;
        entry.fileSize64 = row.size64;
        entry.fileTime = row.time;
        list.entries().push_back(entry);
    }
    std::vector<QString> traces;
    for (const Row &row : rows) {
        traces.push_back(row.trace);
    }
    list.setTraceSource(
        [traces](const FileList &, int index) { return traces.at(std::size_t(index)); });
    list.rebuildViewOrder();
    return list;
}

// Old names of the entries in the shown order.
inline QStringList shownNames(const FileList &list)
{
    QStringList names;
    for (const int entry : list.viewOrder()) {
        names.append(list.at(entry).oldName);
    }
    return names;
}

// Old names of the entries in list order.
inline QStringList listNames(const FileList &list)
{
    QStringList names;
    for (const FileEntry &entry : list.entries()) {
        names.append(entry.oldName);
    }
    return names;
}

} // namespace namenswerk::test
