#include "tests/app/batch/batch_run.h"
#include "tests/support/audio_fixtures.h"
#include "tests/support/printers.h"
#include "tests/support/temp_folder.h"

#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace namenswerk::test {
namespace {

using namespace Qt::StringLiterals;

// A folder with three photos, a note and an empty settings folder.
class BatchPlan : public testing::Test {
protected:
    void SetUp() override
    {
        for (const QString &name : {u"IMG_0001.JPG"_s, u"IMG_0002.JPG"_s, u"notes.txt"_s}) {
            files.write(name, "x");
        }
        files.write(u"cfg/.keep"_s);
    }

    BatchResult plan(QStringList extra)
    {
        QStringList arguments{u"--settings"_s, files.file(u"cfg"_s)};
        arguments += extra;
        return runBatch(files.path(), arguments);
    }

    TempFolder files;
};

TEST_F(BatchPlan, PrintsEveryEntryWithStatus)
{
    const BatchResult result =
        plan({u"--name"_s, u"IMG_<\\d+>"_s, u"--template"_s, u"Foto_<n2>.<e>"_s, u"IMG_0001.JPG"_s,
              u"IMG_0002.JPG"_s, u"notes.txt"_s, u"IMG_0009.JPG"_s});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(result.out.startsWith(u"entry\tpath\tnew\tstatus\ttext\n1\t"_s + files.path() +
                                      u"IMG_0001.JPG\tFoto_0001.JPG\t9\tOk\n"_s));
    EXPECT_EQ(newNamesAndStatuses(result.out),
              (QStringList{u"Foto_0001.JPG 9"_s, u"Foto_0002.JPG 9"_s, u"notes.txt 1"_s,
                           u"Foto_0009.JPG 8"_s}));
    EXPECT_TRUE(result.err.contains(u"4 Dateien im Verzeichnis"_s)) << result.err.toStdString();
}

TEST_F(BatchPlan, EachOptionChangesOneRule)
{
    struct Case {
        QStringList options;
        QString expected; // new name and status of "IMG_0001.JPG"
    };
    const std::vector<Case> cases{
        {{u"--template"_s, u"<n>-<c>.<e>"_s}, u"IMG_0001-001.JPG 9"_s},
        {{u"--template"_s, u"<c>"_s, u"--counter-start"_s, u"7"_s}, u"007 9"_s},
        {{u"--ext"_s, u"txt"_s}, u"IMG_0001.JPG 1"_s},
        {{u"--name"_s, u"img_<*>"_s, u"--pattern-case"_s}, u"IMG_0001.JPG 1"_s},
        {{u"--name"_s, u"img_<*>"_s, u"--no-pattern-case"_s}, u"IMG_0001.JPG 9"_s},
        {{u"--find"_s, u"0>o"_s}, u"IMG_ooo1.JPG 9"_s},
        {{u"--find"_s, u"0>o"_s, u"--first"_s}, u"IMG_o001.JPG 9"_s},
        {{u"--find"_s, u"G>g"_s, u"--no-names-only"_s, u"--find-case"_s}, u"IMg_0001.JPg 9"_s},
        {{u"--replace"_s, u"IMG>Bild"_s}, u"Bild_0001.JPG 9"_s},
        {{u"--name-case"_s, u"3"_s, u"--upper"_s}, u"Img_0001.JPG 9"_s},
        {{u"--name-case"_s, u"3"_s, u"--no-upper"_s}, u"IMG_0001.JPG 9"_s},
        {{u"--ext-case"_s, u"1"_s}, u"IMG_0001.jpg 9"_s},
        {{u"--template"_s, u"<n>?"_s}, u"- 4"_s},
    };
    for (const Case &c : cases) {
        const BatchResult result = plan(c.options + QStringList{u"IMG_0001.JPG"_s});
        ASSERT_EQ(result.exitCode, 0) << c.options.join(u' ').toStdString();
        EXPECT_EQ(newNamesAndStatuses(result.out), QStringList{c.expected})
            << c.options.join(u' ').toStdString();
    }
}

TEST_F(BatchPlan, ReadsPictureSizesForTemplatesThatShowThem)
{
    files.write(u"bild.gif"_s, QByteArray("GIF89a\x40\x01\xf0\x00", 10) + QByteArray(32, '\0'));
    const BatchResult result = plan({u"--template"_s, u"<px>x<py>.<e>"_s, u"bild.gif"_s});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(newNamesAndStatuses(result.out), QStringList{u"320x240.gif 9"_s});
}

TEST_F(BatchPlan, ReadsAudioTagsLikeTheWindow)
{
    files.write(
        u"01.mp3"_s,
        mp3WithId3v2({{u"artist"_s, u"ABBA"_s}, {u"title"_s, u"Waterloo"_s}, {u"track"_s, u"3"_s}},
                     4));
    files.write(u"02.flac"_s,
                flacWithVorbisComment(
                    {{u"artist"_s, u"AC/DC"_s}, {u"title"_s, u"T.N.T."_s}, {u"track"_s, u"1"_s}}));
    const QStringList rules{u"--template"_s, u"<m:artist=:Unbekannt><m:artist> - <m2:track> - "
                                             u"<m:title>.<e>"_s};
    const BatchResult result = plan(rules + QStringList{u"01.mp3"_s, u"02.flac"_s, u"notes.txt"_s});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(newNamesAndStatuses(result.out),
              (QStringList{u"ABBA - 03 - Waterloo.mp3 9"_s, u"AC/DC - 01 - T.N.T.flac 10"_s,
                           u"Unbekannt -  -.txt 9"_s}));
    // Applied, the tag's "/" moves nothing into a folder "AC".
    const BatchResult applied =
        plan(QStringList{u"--apply"_s} + rules + QStringList{u"01.mp3"_s, u"02.flac"_s});
    ASSERT_EQ(applied.exitCode, 0) << applied.err.toStdString();
    EXPECT_TRUE(files.exists(u"ABBA - 03 - Waterloo.mp3"_s));
    EXPECT_TRUE(files.exists(u"02.flac"_s));
    EXPECT_FALSE(files.exists(u"AC"_s));
}

TEST_F(BatchPlan, CaptureDatesFallBackToTheModificationDate)
{
    // notes.txt holds no capture date: its modification date stands in, as
    // in the window, rather than a date the plan never read.
    const BatchResult result = plan({u"--template"_s, u"<a%yyyy>.<e>"_s, u"notes.txt"_s});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QString year = QString::number(QDate::currentDate().year());
    EXPECT_EQ(newNamesAndStatuses(result.out), QStringList{year + u".txt 9"_s});
}

TEST_F(BatchPlan, TakesAStoredProfileByName)
{
    files.write(u"cfg/Brindlewick.ini"_s,
                "\xEF\xBB\xBF\r\n[Global]\r\nRegReplace=\"<n>.<e>\"\r\n\r\n"
                "[Profile A]\r\nActive=1\r\nName=Fotos\r\nRegReplace=\"Foto-<c>.<e>\"\r\n");
    const BatchResult result = plan({u"--profile"_s, u"fOTOS"_s, u"IMG_0001.JPG"_s});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(newNamesAndStatuses(result.out), QStringList{u"Foto-001.JPG 9"_s});

    const BatchResult unknown = plan({u"--profile"_s, u"Musik"_s, u"IMG_0001.JPG"_s});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(unknown.err.contains(u"Musik"_s));
}

TEST_F(BatchPlan, PrintsJson)
{
    const BatchResult result =
        plan({u"--json"_s, u"--template"_s, u"x.<e>"_s, u"IMG_0001.JPG"_s, u"IMG_0002.JPG"_s});
    ASSERT_EQ(result.exitCode, 0);
    const QJsonArray rows = QJsonDocument::fromJson(result.out.toUtf8()).array();
    ASSERT_EQ(rows.size(), 2);
    const QJsonObject first = rows.at(0).toObject();
    EXPECT_EQ(first.value(u"entry"_s).toInt(), 1);
    EXPECT_EQ(first.value(u"path"_s).toString(), files.file(u"IMG_0001.JPG"_s));
    EXPECT_EQ(first.value(u"new"_s).toString(), u"x.JPG"_s);
    EXPECT_EQ(first.value(u"status"_s).toInt(), 7);
    EXPECT_EQ(first.value(u"text"_s).toString(), u"Doppelter Name"_s);
}

TEST_F(BatchPlan, ReadsListFilesWithTheirLimit)
{
    files.write(u"auswahl.lst"_s, "IMG_0001.JPG\nIMG_0002.JPG\nnotes.txt\n");
    const BatchResult all = plan({u"--list"_s, files.file(u"auswahl.lst"_s)});
    EXPECT_EQ(newNamesAndStatuses(all.out).size(), 3);
    EXPECT_FALSE(all.err.contains(u"--limit"_s)) << all.err.toStdString();
    const BatchResult limited =
        plan({u"--list"_s, files.file(u"auswahl.lst"_s), u"--limit"_s, u"2"_s});
    EXPECT_EQ(newNamesAndStatuses(limited.out).size(), 2);
    EXPECT_TRUE(limited.err.contains(u"read 2 of the 3 entries"_s)) << limited.err.toStdString();
    const BatchResult exact =
        plan({u"--list"_s, files.file(u"auswahl.lst"_s), u"--limit"_s, u"3"_s});
    EXPECT_FALSE(exact.err.contains(u"--limit"_s)) << "nothing was cut";
}

TEST_F(BatchPlan, ReadsEveryEntryOfALongListWithoutALimit)
{
    QByteArray lines;
    for (int line = 0; line < 10'001; ++line) {
        lines += "IMG_0001.JPG\n";
    }
    files.write(u"lang.lst"_s, lines);
    const BatchResult all = plan({u"--list"_s, files.file(u"lang.lst"_s)});
    EXPECT_EQ(newNamesAndStatuses(all.out).size(), 10'001);
}

TEST_F(BatchPlan, NamesWithControlCharactersStayOnOneLine)
{
    const QString name = u"a\tb\nc\x1b[2J\u2028.txt"_s;
    files.write(name, "x");
    const BatchResult result = plan({name});
    ASSERT_EQ(result.exitCode, 0);
    const QStringList lines = result.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    const QString shown = u"a\\tb\\nc\\x1b[2J\\u2028.txt"_s;
    EXPECT_TRUE(lines.at(1).endsWith(shown % u'\t' % shown % u"\t10\tUngültiger Name"_s))
        << lines.at(1).toStdString();
}

// The summary on stderr names the folder; a folder name with escape
// sequences reaches the terminal escaped as in the plan, never raw.
TEST_F(BatchPlan, TheSummaryLineIsEscapedLikeThePlan)
{
    const QString folder = u"e\x1b[2J\x1b]0;title\x07vil"_s;
    files.write(folder + u"/IMG_0001.JPG"_s, "x");
    const BatchResult result =
        runBatch(files.file(folder), {u"--settings"_s, files.file(u"cfg"_s), u"IMG_0001.JPG"_s});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_FALSE(result.err.contains(u'\x1b')) << result.err.toStdString();
    EXPECT_FALSE(result.err.contains(u'\x07'));
    EXPECT_TRUE(result.err.contains(u"e\\x1b[2J\\x1b]0;title\\x07vil"_s))
        << result.err.toStdString();
    EXPECT_EQ(result.err.count(u'\n'), 1);
}

TEST_F(BatchPlan, BadUsageAndUnreadableInputExitWithTwo)
{
    const std::vector<QStringList> cases{
        {},
        {u"--no-such-option"_s, u"IMG_0001.JPG"_s},
        {u"--name-case"_s, u"6"_s, u"IMG_0001.JPG"_s},
        {u"--upper"_s, u"--no-upper"_s, u"IMG_0001.JPG"_s},
        {u"--list"_s, u"nowhere.lst"_s},
        {u"--list"_s, u"cfg"_s},
        {u"--settings"_s, u"/no/such/folder"_s, u"IMG_0001.JPG"_s},
        {u"--apply"_s, u"--undo"_s},
    };
    for (const QStringList &arguments : cases) {
        const BatchResult result = plan(arguments);
        EXPECT_EQ(result.exitCode, 2) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(result.err.startsWith(u"namenswerk-batch: "_s)) << result.err.toStdString();
        EXPECT_TRUE(result.out.isEmpty());
    }
    EXPECT_EQ(plan({u"--help"_s}).exitCode, 0);
    EXPECT_TRUE(plan({u"--version"_s}).out.startsWith(u"namenswerk-batch "_s));
}

} // namespace
} // namespace namenswerk::test
