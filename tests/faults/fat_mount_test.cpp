// Renames on a real FAT file system mounted through FUSE, where the program
// has neither a replace-refusing rename nor hard links, and where letter case
// does not count.

#include "platform/no_replace_rename.h"
#include "rename/interrupted_run.h"
#include "rename/recovery_record.h"
#include "rename/rename_journal.h"
#include "tests/faults/fat_mount.h"
#include "tests/rename/printers.h"
#include "tests/rename/run_fixture.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

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

    // Names of the record that are on the mount though no listed file has
    // them: claims or temporary names left behind. Each is looked up by
    // itself, since fusefat leaves empty files out of its listings.
    QStringList leftovers() const
    {
        const QStringList listed = names();
        QStringList found;
        for (const RenamedPair &pair : readRecoveryRecord(settingsFolder.path()).pairs) {
            for (const QString &name : {pair.oldName, pair.newName}) {
                if (!listed.contains(name, Qt::CaseInsensitive) &&
                    QFileInfo::exists(fat.path() + name)) {
                    found << name;
                }
            }
        }
        return found;
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
    EXPECT_EQ(run.leftovers(), QStringList());

    run.undoAll();
    EXPECT_EQ(run.names(), before);
    EXPECT_EQ(run.leftovers(), QStringList());
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
    EXPECT_EQ(run.leftovers(), QStringList());

    run.undoAll();
    EXPECT_EQ(run.names(), before);
    EXPECT_EQ(run.leftovers(), QStringList());
    EXPECT_EQ(run.read(u"Notes.TXT"_s), "Notes.TXT");
}

// A run died right after announcing a claim of "img_0001.jpg" for the empty
// file "IMG_0001.JPG": the claim was never made (the name was the file's
// own). Recovery finds an empty file under the claimed name, yet it is the
// file to be renamed, in another spelling, and it stays.
TEST(FatMount, RecoveryTakesNoEmptyFileInAnotherSpellingForAClaim)
{
    const test::FatMount fat;
    SKIP_WITHOUT(fat);
    FatRun run(fat);
    QFile(fat.path() + u"IMG_0001.JPG"_s).open(QIODevice::WriteOnly);
    {
        RenameJournal journal(run.settingsFolder.path(), fat.path());
        journal.pending({u"IMG_0001.JPG"_s, u"img_0001.jpg"_s});
        journal.claiming();
    }

    recoverInterruptedRun(run.settingsFolder.path());

    // fusefat lists no empty file: the name is looked up.
    EXPECT_TRUE(QFileInfo::exists(fat.path() + u"IMG_0001.JPG"_s));
    EXPECT_FALSE(QFile::exists(journalFilePath(run.settingsFolder.path())));
}

// The run is killed between the claim of its third target and the move onto
// it; recovery removes the claim, and undo brings every file back.
TEST(FatMount, AKillBetweenClaimAndMoveLeavesNoClaimAfterRecovery)
{
    const test::FatMount fat;
    SKIP_WITHOUT(fat);
    FatRun run(fat);
    constexpr int Files = 10;
    for (int i = 0; i < Files; ++i) {
        run.writeInListFolder(u"file_%1.dat"_s.arg(i, 4, 10, QChar(u'0')));
    }
    const QStringList before = run.names();
    QProcess child;
    child.start(
        QStringLiteral(INTERRUPTED_RUN_CHILD),
        {fat.path(), run.settingsFolder.path(), QString::number(Files), u"claims"_s, u"3"_s});
    ASSERT_TRUE(child.waitForFinished(60'000));
    ASSERT_EQ(child.exitStatus(), QProcess::CrashExit);
    const QString claim = fat.path() + u"renamed_file_0002.dat"_s;
    ASSERT_TRUE(QFileInfo::exists(claim));

    recoverInterruptedRun(run.settingsFolder.path());
    EXPECT_FALSE(QFileInfo::exists(claim));
    run.undoAll();

    EXPECT_EQ(run.names(), before);
    for (const QString &name : before) {
        EXPECT_EQ(run.read(name), name.toUtf8()) << name.toStdString();
    }
}

} // namespace
} // namespace namenswerk
