// Renames on a real FAT file system mounted through FUSE, where the program
// has neither a replace-refusing rename nor hard links, and where letter case
// does not count.

#include "platform/no_replace_rename.h"
#include "rename/recovery_record.h"
#include "tests/faults/fat_mount.h"
#include "tests/rename/printers.h"
#include "tests/rename/run_fixture.h"

#include <QDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;

using S = EntryStatus;

// A run on the mounted file system: the files, each holding its first name,
// lie on the mount; settings and journal lie elsewhere.
struct FatRun : test::RunFixture {
    explicit FatRun(const test::FatMount &fat) : fat(fat) { list.currentFolder = fat.path(); }

    QByteArray read(const QString &name) const
    {
        QFile file(fat.path() + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // Every name on the mount, spelled as the file system keeps it.
    QStringList names() const
    {
        return QDir(fat.path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

    const test::FatMount &fat;
};

#define SKIP_WITHOUT(fat)                                                                          \
    if (*(fat).unavailable) {                                                                      \
        GTEST_SKIP() << "No FAT file system to test on: " << (fat).unavailable;                    \
    }

// The ways the program knows of are refused here as unsupported, so every
// rename goes through a claim of its target.
TEST(FatMount, OffersNeitherNoReplaceRenamesNorHardLinks)
{
    const test::FatMount fat;
    SKIP_WITHOUT(fat);
    FatRun run(fat);
    run.writeInListFolder(u"a"_s);
    const QByteArray a = QFile::encodeName(fat.path() + u"a"_s);
    const QByteArray b = QFile::encodeName(fat.path() + u"b"_s);

    EXPECT_EQ(::renameat2(AT_FDCWD, a.constData(), AT_FDCWD, b.constData(), RENAME_NOREPLACE), -1);
    EXPECT_EQ(errno, EINVAL);
    EXPECT_EQ(::link(a.constData(), b.constData()), -1);
    EXPECT_EQ(errno, EPERM);
}

// Files move, a taken name is never replaced, a swap passes a temporary
// name, no claim stays behind, and undo brings every name and byte back.
TEST(FatMount, RunsAndUndoesWithoutReplacingAnything)
{
    const test::FatMount fat;
    SKIP_WITHOUT(fat);
    FatRun run(fat);
    run.settings.resolveChains = true;
    run.plan({{u"a.txt"_s, u"x.txt"_s},
              {u"b.txt"_s, u"taken.txt"_s},
              {u"c.txt"_s, u"d.txt"_s},
              {u"d.txt"_s, u"c.txt"_s},
              {u"e.txt"_s, u"Taken.TXT"_s}},
             {u"taken.txt"_s});
    const QStringList before = run.names();

    const RunResult result = run.run();

    EXPECT_EQ(run.statuses(),
              (std::vector{S::Renamed, S::RenameFailed, S::Renamed, S::Renamed, S::RenameFailed}));
    EXPECT_TRUE(result.recorded);
    EXPECT_EQ(run.names(), (QStringList{u"b.txt"_s, u"c.txt"_s, u"d.txt"_s, u"e.txt"_s,
                                        u"taken.txt"_s, u"x.txt"_s}));
    EXPECT_EQ(run.read(u"x.txt"_s), "a.txt");
    EXPECT_EQ(run.read(u"c.txt"_s), "d.txt");
    EXPECT_EQ(run.read(u"taken.txt"_s), "taken.txt");

    run.undoAll();
    EXPECT_EQ(run.names(), before);
    for (const QString &name : before) {
        EXPECT_EQ(run.read(name), name.toUtf8()) << name.toStdString();
    }
}

// FAT ignores letter case: a new name that differs only in case is the
// file's own, and the run reaches it through a temporary name.
TEST(FatMount, ChangesTheCaseOfNamesAndUndoesIt)
{
    const test::FatMount fat;
    SKIP_WITHOUT(fat);
    FatRun run(fat);
    run.plan({{u"IMG_0001.JPG"_s, u"img_0001.jpg"_s},
              {u"Notes.TXT"_s, u"notes.txt"_s},
              {u"a.txt"_s, u"B.TXT"_s}},
             {u"b.txt"_s});
    const QStringList before = run.names();

    run.run();

    EXPECT_EQ(run.statuses(), (std::vector{S::Renamed, S::Renamed, S::RenameFailed}));
    EXPECT_EQ(run.names(),
              (QStringList{u"a.txt"_s, u"b.txt"_s, u"img_0001.jpg"_s, u"notes.txt"_s}));
    EXPECT_EQ(run.read(u"img_0001.jpg"_s), "IMG_0001.JPG");
    EXPECT_EQ(readRecoveryRecord(run.settingsFolder.path()).pairs.size(), 4U);

    run.undoAll();
    EXPECT_EQ(run.names(), before);
    EXPECT_EQ(run.read(u"Notes.TXT"_s), "Notes.TXT");
}

} // namespace
} // namespace namenswerk
