#include "rename/interrupted_run.h"
#include "rename/recovery_record.h"
#include "rename/rename_journal.h"
#include "rename/run_questions.h"
#include "settings/ini_document.h"
#include "settings/list_file.h"
#include "settings/settings_file.h"
#include "tests/faults/disk_manifest.h"
#include "tests/faults/file_size_limit.h"
#include "tests/rename/run_fixture.h"

#include <QDir>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <functional>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;

QStringList shortNames(int count)
{
    QStringList names;
    for (int i = 0; i < count; ++i) {
        names << u"a%1.txt"_s.arg(i);
    }
    return names;
}

StoredSettings settingsWithTemplate(const QString &templateText)
{
    StoredSettings stored;
    stored.records[0].regReplace = templateText;
    return stored;
}

QStringList folderEntries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

// A settings file as a user has it: settings, a recorded run, and a group of
// someone else's that is larger than anything the limit below lets through.
QByteArray writeUsedSettingsFile(const QString &folder)
{
    EXPECT_TRUE(writeSettings(folder, settingsWithTemplate(u"alt_<n>.<e>"_s)));
    EXPECT_TRUE(writeRecoveryRecord(folder, {1'700'000'000, u"/fotos/"_s, {{u"a"_s, u"b"_s}}}));
    QFile file(settingsFilePath(folder));
    EXPECT_TRUE(file.open(QIODevice::Append));
    file.write("\r\n[Fremd]\r\n; " + QByteArray(4000, 'x') + "\r\n");
    file.close();
    return test::readRawFile(QFile::encodeName(file.fileName()));
}

// The disk is full while the settings are saved and a run is made: nothing
// claims to be saved, the old files stay byte for byte, the run still
// renames, and once there is room again its journal makes undo possible.
TEST(UnwritableSettings, AFullDiskKeepsTheOldFilesAndClaimsNothing)
{
    test::RunFixture run;
    const QString folder = run.settingsFolder.path();
    const QByteArray oldSettings = writeUsedSettingsFile(folder);
    FileList manyEntries;
    manyEntries.currentFolder = u"/fotos/"_s;
    for (const QString &name : shortNames(300)) {
        manyEntries.addPathLine(name, true);
    }
    const QString listPath = ownListFilePath(folder);
    FileList oneEntry;
    oneEntry.addPathLine(u"/fotos/alt.jpg"_s, false);
    ASSERT_TRUE(writeListFile(oneEntry, listPath, true));
    const QByteArray oldList = test::readRawFile(QFile::encodeName(listPath));
    run.addFiles(shortNames(10));
    const test::DiskManifest before = test::diskManifest(run.files.path());
    run.compute(u"x_<n>.<e>"_s);

    bool settingsSaved = true;
    bool listSaved = true;
    RunResult result;
    {
        // Room for the journal of ten short names, not for a settings file.
        const test::FileSizeLimit full(2048);
        ASSERT_TRUE(full.active());
        settingsSaved = writeSettings(folder, settingsWithTemplate(u"neu_<n>.<e>"_s));
        listSaved = writeListFile(manyEntries, listPath, true);
        result = run.run();
    }

    EXPECT_FALSE(settingsSaved);
    EXPECT_FALSE(listSaved);
    EXPECT_EQ(result.renamed, 10);
    EXPECT_FALSE(result.recorded);
    EXPECT_EQ(test::readRawFile(QFile::encodeName(settingsFilePath(folder))), oldSettings);
    EXPECT_EQ(test::readRawFile(QFile::encodeName(listPath)), oldList);
    EXPECT_EQ(folderEntries(folder),
              (QStringList{u"Brindlewick.ini"_s, u"Brindlewick.journal"_s, u"Brindlewick.lst"_s}));
    EXPECT_EQ(readSettings(folder).records[0].regReplace, u"alt_<n>.<e>"_s);

    EXPECT_TRUE(recoverInterruptedRun(folder));
    run.requester.add(AnswerYes);
    EXPECT_EQ(undoLastRun(folder, run.requester, run.list).restored, 10);
    EXPECT_EQ(test::diskManifest(run.files.path()), before);
}

// Where the settings cannot be kept at all, the program still starts with
// its defaults and renames; it only reports that nothing was recorded. (The
// tests run as the super-user, whom a read-only folder does not stop; a
// folder whose path leads through a plain file stops everyone.)
TEST(UnwritableSettings, AnUnusableSettingsPlaceSavesNothingAndTheRunStillWorks)
{
    struct Case {
        const char *label;
        // Makes the obstacle and returns the settings folder.
        std::function<QString(const test::TempFolder &)> settingsFolder;
        bool journalPossible;
    };
    const std::vector<Case> cases{
        {"folder below a plain file",
         [](const test::TempFolder &temp) -> QString {
             return temp.write(u"plain"_s, "plain") + u"/cfg/"_s;
         },
         false},
        {"settings file is a folder",
         [](const test::TempFolder &temp) {
             temp.write(u"Brindlewick.ini/inside"_s, "inside");
             return temp.path();
         },
         true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.label);
        test::RunFixture run;
        const QString folder = c.settingsFolder(run.settingsFolder);
        const test::DiskManifest obstacle = test::diskManifest(run.settingsFolder.path());

        EXPECT_FALSE(writeSettings(folder, settingsWithTemplate(u"neu_<n>.<e>"_s)));
        EXPECT_EQ(readSettings(folder), StoredSettings());
        run.addFiles(shortNames(5));
        run.compute(u"x_<n>.<e>"_s);
        if (!c.journalPossible) {
            run.requester.add(AnswerRename); // rename without a journal
        }
        const RunResult result =
            renameRun({run.list, run.engine, run.settings, run.requester, folder});
        EXPECT_EQ(result.renamed, 5);
        EXPECT_FALSE(result.recorded);
        EXPECT_EQ(result.journalKept, c.journalPossible);
        EXPECT_TRUE(run.requester.allAnswersUsed());

        // Only the run's journal may have been added, for the next start.
        test::DiskManifest after = test::diskManifest(run.settingsFolder.path());
        after.erase("Brindlewick.journal");
        EXPECT_EQ(after, obstacle);
        if (obstacle.count("Brindlewick.ini")) {
            EXPECT_EQ(run.settingsFolder.read(u"Brindlewick.ini/inside"_s), "inside");
        }
    }
}

// A settings file too large to be read is not replaced by a save of the few
// values the program knows: the recorded run and every other group in it
// would be gone.
TEST(UnwritableSettings, AFileTooLargeToReadIsNotOverwritten)
{
    test::TempFolder folder;
    ASSERT_TRUE(writeRecoveryRecord(folder.path(), {1'700'000'000, u"/f/"_s, {{u"a"_s, u"b"_s}}}));
    QFile file(settingsFilePath(folder.path()));
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("\r\n[Fremd]\r\n; ");
    // Sparse: the size is past the limit without the disk holding its bytes.
    ASSERT_TRUE(file.resize(IniDocument::MaxFileSize + 1));
    file.close();
    const QFileInfo before(file.fileName());

    EXPECT_FALSE(writeSettings(folder.path(), settingsWithTemplate(u"neu_<n>.<e>"_s)));
    const QFileInfo after(file.fileName());
    EXPECT_EQ(after.size(), before.size());
    EXPECT_EQ(after.lastModified(), before.lastModified());
    EXPECT_EQ(after.birthTime(), before.birthTime());
}

} // namespace
} // namespace namenswerk
