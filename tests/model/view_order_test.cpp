#include "model/file_list.h"
#include "tests/support/printers.h"

#include <gtest/gtest.h>

#include <random>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;

FileList listOf(std::initializer_list<EntryStatus> statuses)
{
    FileList list([](const QString &) { return FileFacts{}; });
    int n = 0;
    for (EntryStatus status : statuses) {
        list.addPathLine(QString::number(n++), true);
        list.entries().back().status = status;
    }
    return list;
}

std::vector<EntryStatus> visibleStatuses(const FileList &list)
{
    std::vector<EntryStatus> result;
    for (int index : list.viewOrder()) {
        result.push_back(list.at(index).status);
    }
    return result;
}

TEST(ListFilter, ShowsItsStatusClasses)
{
    using S = EntryStatus;
    const auto all = {S::None,    S::Filter,      S::SearchError,   S::TokenError,
                      S::Ignored, S::EmptyName,   S::DuplicateName, S::Unavailable,
                      S::Ok,      S::InvalidName, S::Renamed,       S::RenameFailed};
    const std::vector<std::pair<int, std::vector<S>>> cases{
        {130,
         {S::EmptyName, S::DuplicateName, S::Unavailable, S::Ok, S::InvalidName, S::Renamed,
          S::RenameFailed}},
        {131, {S::Ok}},
        {132, {S::EmptyName, S::DuplicateName}},
        {133, {S::Renamed, S::RenameFailed}},
        {134, {S::None, S::Filter, S::SearchError, S::TokenError, S::Ignored}},
        {135, all},
        {0, all},
    };
    for (const auto &[command, expected] : cases) {
        FileList list = listOf(all);
        list.setFilter(command);
        list.rebuildViewOrder();
        EXPECT_EQ(visibleStatuses(list), expected) << "filter " << command;
        EXPECT_EQ(list.refreshLevel, RefreshLevel::Statuses);
    }
}

TEST(ListFilter, StoredValuesOutsideTheRangeMeanNoFilter)
{
    EXPECT_EQ(filterFromStoredValue(1), ListFilter::Renameable);
    EXPECT_EQ(filterFromStoredValue(6), ListFilter::Off);
    EXPECT_EQ(filterFromStoredValue(-1), ListFilter::Off);
    EXPECT_EQ(storedFilterValue(ListFilter::NotFound), 4);
}

TEST(ViewOrder, SortsStatusesByNumberNotText)
{
    FileList list = listOf({EntryStatus::Renamed, EntryStatus::Ok, EntryStatus::Filter});
    list.sortColumn = ListColumn::Status;
    list.sortDirection = SortDirection::Ascending;
    list.rebuildViewOrder();
    EXPECT_EQ(visibleStatuses(list),
              (std::vector{EntryStatus::Filter, EntryStatus::Ok, EntryStatus::Renamed}));
    list.sortDirection = SortDirection::Descending;
    list.rebuildViewOrder();
    EXPECT_EQ(visibleStatuses(list),
              (std::vector{EntryStatus::Renamed, EntryStatus::Ok, EntryStatus::Filter}));
    list.sortDirection = SortDirection::Unsorted;
    list.rebuildViewOrder();
    EXPECT_EQ(list.viewOrder(), (std::vector{0, 1, 2}));
}

TEST(ViewOrder, SortsEveryColumnInBothDirections)
{
    FileList list([](const QString &) { return FileFacts{}; });
    std::mt19937 random(7);
    for (int i = 0; i < 500; ++i) {
        list.addPathLine(u"Name"_s + QString::number(random() % 97), true);
        FileEntry &entry = list.entries().back();
        entry.newName = (i % 2 ? u"b"_s : u"B"_s) + QString::number(random() % 13);
        entry.fileSize64 = static_cast<std::int32_t>(random() % 50);
        entry.fileTime = random() % 1000;
        entry.status = static_cast<EntryStatus>(random() % 14);
        entry.folder = (random() % 2) ? u"/x/"_s : QString();
    }
    for (int column = 0; column <= 5; ++column) {
        for (auto direction : {SortDirection::Ascending, SortDirection::Descending}) {
            list.sortColumn = static_cast<ListColumn>(column);
            list.sortDirection = direction;
            list.rebuildViewOrder();
            ASSERT_EQ(list.viewCount(), 500);
            auto key = [&](int index) {
                const FileEntry &e = list.at(index);
                switch (column) {
                case 0:
                    return e.folder.toLower();
                case 1:
                    return e.oldName.toLower();
                case 2:
                    return e.newName.toLower();
                case 3:
                    return QString::number(e.fileSize64).rightJustified(5, u'0');
                case 4:
                    return QString::number(e.fileTime).rightJustified(5, u'0');
                default:
                    return QString::number(int(e.status)).rightJustified(2, u'0');
                }
            };
            for (int i = 1; i < list.viewCount(); ++i) {
                const QString a = key(list.viewOrder()[i - 1]);
                const QString b = key(list.viewOrder()[i]);
                if (direction == SortDirection::Ascending) {
                    EXPECT_LE(a, b) << "column " << column;
                } else {
                    EXPECT_GE(a, b) << "column " << column;
                }
            }
        }
    }
}

TEST(FileList, IgnoreMarkAsksForNewNames)
{
    FileList list = listOf({EntryStatus::Ok});
    list.toggleIgnored(0);
    EXPECT_TRUE(list.at(0).ignored);
    EXPECT_EQ(list.refreshLevel, RefreshLevel::Names);
    list.toggleIgnored(0);
    EXPECT_FALSE(list.at(0).ignored);
}

} // namespace
} // namespace namenswerk
