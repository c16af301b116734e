#include "engine/abbreviate_path.h"
#include "engine/name_checks.h"
#include "engine/summary_text.h"
#include "tests/support/printers.h"

#include <gtest/gtest.h>

#include <random>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;

FileList listWith(int entries, int hidden = 0)
{
    FileList list([](const QString &) { return FileFacts{}; });
    list.currentFolder = u"/fotos/"_s;
    for (int i = 0; i < entries; ++i) {
        list.addPathLine(QString::number(i), true);
        list.entries().back().status = i < hidden ? EntryStatus::Filter : EntryStatus::Ok;
    }
    list.activeFilter = ListFilter::Found;
    if (hidden == 0) {
        list.activeFilter = ListFilter::Off;
    }
    list.rebuildViewOrder();
    return list;
}

struct Counts {
    int ready, missing, renamed, failed;
};

QString summaryFor(FileList list, Counts counts)
{
    list.readyCount = counts.ready;
    list.missingCount = counts.missing;
    list.renamedCount = counts.renamed;
    list.failedCount = counts.failed;
    return summaryText(list);
}

TEST(SummaryText, SingularAndPluralForms)
{
    const QString folder = u" im Verzeichnis '/fotos/'"_s;
    const std::vector<std::tuple<int, int, Counts, QString>> cases{
        {1, 0, {1, 0, 0, 0}, u"   1 Datei"_s + folder + u", 1 Datei ist bereit zum Umbenennen."_s},
        {2,
         0,
         {2, 0, 0, 0},
         u"   2 Dateien"_s + folder + u", 2 Dateien sind bereit zum Umbenennen."_s},
        {12,
         2,
         {8, 1, 0, 0},
         u"   12 Dateien (2 ausgeblendet)"_s + folder +
             u", 8 Dateien sind bereit zum Umbenennen (1 davon nicht verfügbar)."_s},
        {1,
         0,
         {1, 1, 0, 0},
         u"   1 Datei"_s + folder + u", 1 umzubenennende Datei nicht verfügbar."_s},
        {3,
         0,
         {2, 2, 0, 0},
         u"   3 Dateien"_s + folder + u", 2 umzubenennende Dateien nicht verfügbar."_s},
        {4,
         0,
         {0, 0, 1, 3},
         u"   4 Dateien"_s + folder +
             u", 1 Datei umbenannt, 3 Dateien konnten nicht umbenannt werden."_s},
        {2,
         0,
         {0, 0, 2, 1},
         u"   2 Dateien"_s + folder +
             u", 2 Dateien umbenannt, 1 Datei konnte nicht umbenannt werden."_s},
    };
    for (const auto &[entries, hidden, counts, expected] : cases) {
        EXPECT_EQ(summaryFor(listWith(entries, hidden), counts), expected);
    }
    EXPECT_EQ(summaryFor(listWith(0), {0, 0, 0, 0}), u"   Keine Dateien vorhanden."_s);
}

TEST(SummaryText, NamesSeveralFolders)
{
    FileList list = listWith(2);
    list.at(1).folder = u"/anderswo/"_s;
    EXPECT_EQ(summaryFor(list, {0, 0, 0, 0}),
              u"   2 Dateien in '/fotos/' und anderen Verzeichnissen."_s);
}

TEST(AbbreviatePath, LeavesOutFoldersBeforeTheLast)
{
    const QString windowsLike = u"C:/Users/Someone/Documents/Pictures/Holiday 2016/"_s;
    EXPECT_EQ(abbreviatePath(windowsLike, 35), u"C:/Users/Someone/.../Holiday 2016"_s);
    EXPECT_EQ(abbreviatePath(windowsLike, 50), windowsLike);
    EXPECT_EQ(abbreviatePath(u"/home/someone/Documents/Pictures/Holiday 2016/"_s, 35),
              u"/home/someone/.../Holiday 2016"_s);
    EXPECT_EQ(abbreviatePath(u"/averyveryveryveryverylongfoldername/x/"_s, 10),
              u"/averyveryveryveryverylongfoldername/.../x"_s);
    EXPECT_EQ(abbreviatePath(u"/short/"_s, 3), u"/short/"_s);
}

// The duplicate test as the list has always defined it: every pair of ready
// entries, compared by length first. The hashed version must agree.
void markDuplicatesPairwise(FileList &list)
{
    for (FileEntry &entry : list.entries()) {
        entry.newNameLength = static_cast<int>(entry.newName.size());
    }
    for (int i = 0; i + 1 < list.count(); ++i) {
        if (list.at(i).status != EntryStatus::Ok) {
            continue;
        }
        for (int j = i + 1; j < list.count(); ++j) {
            FileEntry &a = list.at(i);
            FileEntry &b = list.at(j);
            if (b.status != EntryStatus::Ok || a.newNameLength != b.newNameLength ||
                a.newName != b.newName || a.folder != b.folder) {
                continue;
            }
            if (a.status == EntryStatus::Ok) {
                a.status = EntryStatus::DuplicateName;
                --list.readyCount;
            }
            b.status = EntryStatus::DuplicateName;
            --list.readyCount;
        }
    }
}

TEST(MarkDuplicates, AgreesWithThePairwiseTest)
{
    std::mt19937 random(11);
    for (int round = 0; round < 20; ++round) {
        FileList list([](const QString &) { return FileFacts{}; });
        for (int i = 0; i < 300; ++i) {
            list.addPathLine(QString::number(i), true);
            FileEntry &entry = list.entries().back();
            entry.newName = u"n"_s + QString::number(random() % 200);
            entry.folder = random() % 4 == 0 ? u"/b/"_s : QString();
            entry.status = random() % 5 == 0 ? EntryStatus::Unavailable : EntryStatus::Ok;
        }
        list.readyCount = 1000;
        FileList reference = list;
        markDuplicates(list);
        markDuplicatesPairwise(reference);
        EXPECT_EQ(list.readyCount, reference.readyCount);
        for (int i = 0; i < list.count(); ++i) {
            ASSERT_EQ(list.at(i).status, reference.at(i).status) << "entry " << i;
        }
    }
}

} // namespace
} // namespace namenswerk
