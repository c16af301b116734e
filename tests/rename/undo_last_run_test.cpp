#include "engine/abbreviate_path.h"
#include "rename/age_phrase.h"
#include "rename/local_clock.h"
#include "rename/recovery_record.h"
#include "tests/rename/printers.h"
#include "tests/rename/run_fixture.h"

#include <QDateTime>
#include <QFile>

#include <gtest/gtest.h>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;

// Local seconds are the local date and time read as if they were UTC.
std::int64_t at(int month, int day, int hour, int minute = 0)
{
    return QDateTime(QDate(2021, month, day), QTime(hour, minute), Qt::UTC).toSecsSinceEpoch();
}

struct AgeCase {
    std::int64_t then;
    std::int64_t now;
    QString phrase;
};

void PrintTo(const AgeCase &c, std::ostream *os)
{
    *os << c.phrase.toStdString();
}

class Age : public testing::TestWithParam<AgeCase> {};

TEST_P(Age, Phrase)
{
    EXPECT_EQ(agePhrase(GetParam().then, GetParam().now), GetParam().phrase);
}

const std::int64_t Noon = at(6, 15, 12);

INSTANTIATE_TEST_SUITE_P(Table, Age,
                         testing::Values(AgeCase{Noon, Noon, u"soeben"_s},
                                         AgeCase{Noon - 30, Noon, u"soeben"_s},
                                         AgeCase{Noon - 59, Noon, u"soeben"_s},
                                         AgeCase{Noon - 60, Noon, u"vor 1 Minute"_s},
                                         AgeCase{Noon - 61, Noon, u"vor 1 Minute"_s},
                                         AgeCase{Noon - 125, Noon, u"vor 2 Minuten"_s},
                                         AgeCase{Noon - 899, Noon, u"vor 14 Minuten"_s},
                                         AgeCase{Noon - 1000, Noon, u"vor 15 Minuten"_s},
                                         AgeCase{Noon - 1500, Noon, u"vor 25 Minuten"_s},
                                         AgeCase{Noon - 3599, Noon, u"vor 55 Minuten"_s},
                                         AgeCase{Noon - 3600, Noon, u"vor 1 Stunde"_s},
                                         AgeCase{Noon - 7300, Noon, u"vor 2 Stunden"_s},
                                         AgeCase{at(6, 14, 8), at(6, 15, 10), u"gestern"_s},
                                         AgeCase{at(6, 14, 23), at(6, 15, 7), u"vor 8 Stunden"_s},
                                         AgeCase{at(6, 13, 9), at(6, 15, 10), u"vorgestern"_s},
                                         AgeCase{at(6, 13, 23), at(6, 15, 1), u"vorgestern"_s},
                                         AgeCase{at(3, 5, 9), at(6, 15, 10), u"am 5. 3."_s},
                                         AgeCase{at(6, 16, 9), at(6, 15, 10), u"am 16. 6."_s}));

// Files renamed by a real run just before undo is tried. `now` is taken
// right after the run, so an age counted from it cannot be shortened by a
// clock second that ticks over during the run.
struct UndoFixture : test::RunFixture {
    std::int64_t now = 0;

    void renameFiles(const QStringList &names)
    {
        addFiles(names);
        compute(u"x_<n>.<e>"_s);
        run();
        now = currentLocalSeconds();
    }
};

TEST(Undo, AsksWithCountFolderAndAgeThenRenamesBack)
{
    UndoFixture fixture;
    fixture.renameFiles({u"a.txt"_s, u"b.txt"_s});
    const QByteArray settingsBefore = fixture.settingsFolder.read(u"Brindlewick.ini"_s);
    fixture.requester.add(AnswerYes);

    const UndoResult result = fixture.undo(fixture.now + 30);

    ASSERT_EQ(fixture.requester.asked.size(), 1u);
    const Request &asked = fixture.requester.asked.front();
    EXPECT_EQ(asked.title, u"Umbennen"_s);
    EXPECT_EQ(asked.heading, u"2 Dateien aus dem Verzeichnis '"_s +
                                 abbreviatePath(fixture.files.path(), 35) +
                                 u"' wurden soeben umbenannt."_s);
    EXPECT_EQ(asked.text, u"Soll versucht werden, dies rückgängig zu machen?"_s);
    EXPECT_EQ(asked.icon, RequestIcon::Question);
    EXPECT_EQ(asked.buttons, YesCancel);
    EXPECT_EQ(result.restored, 2);
    EXPECT_EQ(fixture.filesOnDisk(), (QStringList{u"a.txt"_s, u"b.txt"_s}));
    EXPECT_EQ(fixture.settingsFolder.read(u"Brindlewick.ini"_s), settingsBefore);
    EXPECT_EQ(fixture.list.refreshLevel, RefreshLevel::Names);
    EXPECT_NE(fixture.list.at(0).fileSize64, FileEntry::MissingSize);
}

TEST(Undo, HeadingForOneFileOfAShortFolder)
{
    test::TempFolder settings;
    test::TempFolder files;
    // A folder path of 34 characters, which is shown whole.
    const qsizetype padding = 34 - files.path().size() - 1;
    if (padding < 1) {
        GTEST_SKIP() << "the temporary folder's path is too long for this case";
    }
    const QString folder = files.path() + QString(padding, u'f') + u'/';
    ASSERT_EQ(folder.size(), 34);
    files.write(folder.mid(files.path().size()) + u"b"_s, "renamed");
    ASSERT_TRUE(writeRecoveryRecord(settings.path(), {Noon - 1500, folder, {{u"a"_s, u"b"_s}}}));
    test::ScriptedRequester requester;
    requester.add(AnswerCancel);
    FileList list;

    const UndoResult result = undoLastRun(settings.path(), requester, list, Noon);

    EXPECT_EQ(requester.asked.at(0).heading,
              u"1 Datei aus dem Verzeichnis '"_s + folder + u"' wurde vor 25 Minuten umbenannt."_s);
    EXPECT_FALSE(result.confirmed);
}

TEST(Undo, CancelTouchesNothing)
{
    UndoFixture fixture;
    fixture.renameFiles({u"a.txt"_s});
    fixture.requester.add(AnswerCancel);
    fixture.undo(fixture.now);
    EXPECT_EQ(fixture.filesOnDisk(), QStringList{u"x_a.txt"_s});
}

TEST(Undo, WithoutRecordNothingIsAsked)
{
    test::RunFixture fixture; // the scripted requester would throw if asked
    EXPECT_FALSE(fixture.undo(0).asked);
    fixture.settingsFolder.write(u"Brindlewick.ini"_s, "[Recovery]\nMagic=1\n00000=\"/x/\"\n");
    EXPECT_FALSE(fixture.undo(0).asked);
}

// With no recorded new name left on disk there is nothing to offer: the
// user is told why instead of being asked, and the record stays for later.
TEST(Undo, SaysSoWhenNoNewNameIsLeft)
{
    struct Case {
        const char *label;
        bool removeOldNames; // the files are gone, not back under their old names
        QString text;
    };
    const std::vector<Case> cases{
        {"undone before", false,
         u"Das wurde bereits rückgängig gemacht: Die Dateien tragen wieder ihre alten Namen."_s},
        {"files gone", true,
         u"Keine dieser Dateien trägt noch ihren neuen Namen, es gibt nichts rückgängig zu "
         u"machen."_s},
    };
    for (const Case &c : cases) {
        UndoFixture fixture;
        fixture.renameFiles({u"a.txt"_s, u"b.txt"_s});
        fixture.requester.add(AnswerYes);
        ASSERT_EQ(fixture.undo(fixture.now).restored, 2) << c.label;
        if (c.removeOldNames) {
            QFile::remove(fixture.files.file(u"a.txt"_s));
            QFile::remove(fixture.files.file(u"b.txt"_s));
        }
        const QByteArray settingsBefore = fixture.settingsFolder.read(u"Brindlewick.ini"_s);
        fixture.requester.asked.clear();
        fixture.requester.add(AnswerOk);

        const UndoResult again = fixture.undo(fixture.now + 120);

        ASSERT_EQ(fixture.requester.asked.size(), 1u) << c.label;
        const Request &told = fixture.requester.asked[0];
        EXPECT_EQ(told.title, u"Umbenennen rückgängig machen"_s) << c.label;
        EXPECT_EQ(told.heading, u"2 Dateien aus dem Verzeichnis '"_s +
                                    abbreviatePath(fixture.files.path(), 35) +
                                    u"' wurden vor 2 Minuten umbenannt."_s)
            << c.label;
        EXPECT_EQ(told.text, c.text) << c.label;
        EXPECT_EQ(told.icon, RequestIcon::Information) << c.label;
        EXPECT_EQ(told.buttons, OkOnly) << c.label;
        EXPECT_TRUE(again.newNamesGone) << c.label;
        EXPECT_FALSE(again.asked) << c.label;
        EXPECT_EQ(again.restored, 0) << c.label;
        EXPECT_EQ(again.skipped, 2) << c.label;
        EXPECT_EQ(fixture.settingsFolder.read(u"Brindlewick.ini"_s), settingsBefore)
            << c.label << ": the record stays";
    }
}

TEST(Undo, SkipsAPairWhoseOldNameWasTakenAgain)
{
    UndoFixture fixture;
    fixture.renameFiles({u"a.txt"_s, u"b.txt"_s});
    fixture.files.write(u"a.txt"_s, "a new file");
    fixture.requester.add(AnswerYes);

    const UndoResult result = fixture.undo(fixture.now);

    EXPECT_EQ(result.restored, 1);
    EXPECT_EQ(result.skipped, 1);
    EXPECT_EQ(result.pairRestored, (std::vector<bool>{false, true}));
    EXPECT_EQ(fixture.files.read(u"a.txt"_s), "a new file");
    EXPECT_EQ(fixture.files.read(u"x_a.txt"_s), "a.txt");
    EXPECT_EQ(fixture.files.read(u"b.txt"_s), "b.txt");
}

TEST(Undo, GoesBackwardsThroughAChain)
{
    test::RunFixture fixture;
    fixture.addFiles({u"b.txt"_s, u"a.txt"_s});
    fixture.settings.txtFind = u"b>c|a>b"_s;
    fixture.compute(u"<n>.<e>"_s);
    ASSERT_EQ(fixture.run().renamed, 2);
    fixture.requester.add(AnswerYes);

    EXPECT_EQ(fixture.undo(currentLocalSeconds()).restored, 2);

    EXPECT_EQ(fixture.files.read(u"a.txt"_s), "a.txt");
    EXPECT_EQ(fixture.files.read(u"b.txt"_s), "b.txt");
    EXPECT_EQ(fixture.filesOnDisk(), (QStringList{u"a.txt"_s, u"b.txt"_s}));
}

TEST(Undo, BringsBackFilesOfOtherFoldersByTheirWholePaths)
{
    test::RunFixture fixture;
    test::TempFolder other;
    fixture.list.addDroppedFiles(
        {fixture.files.write(u"a.txt"_s, "a"), other.write(u"b.txt"_s, "b")});
    fixture.compute(u"x_<n>.<e>"_s);
    fixture.run();
    // A file of the record's folder with the other folder's new name is not the run's.
    fixture.files.write(u"x_b.txt"_s, "not renamed");
    fixture.requester.add(AnswerYes);

    EXPECT_EQ(fixture.undo(currentLocalSeconds()).restored, 2);

    EXPECT_EQ(fixture.filesOnDisk(), (QStringList{u"a.txt"_s, u"x_b.txt"_s}));
    EXPECT_EQ(test::RunFixture::filesBelow(other.path()), QStringList{u"b.txt"_s});
}

} // namespace
} // namespace namenswerk
