#include "tests/app/batch/batch_run.h"
#include "tests/support/printers.h"
#include "tests/support/temp_folder.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace namenswerk::test {
namespace {

using namespace Qt::StringLiterals;

// Two photos and a note with different contents, and an empty settings folder.
class BatchApply : public testing::Test {
protected:
    void SetUp() override
    {
        for (const QString &name : photosAndNote) {
            files.write(name, contentOf(name));
        }
        files.write(u"cfg/.keep"_s);
    }

    static QByteArray contentOf(const QString &name)
    {
        return name.toUtf8() + QByteArray("\0\xff\r\n", 4);
    }

    BatchResult batch(QStringList extra)
    {
        return runBatch(files.path(), QStringList{u"--settings"_s, files.file(u"cfg"_s)} + extra);
    }

    BatchResult apply(QStringList extra)
    {
        return batch(QStringList{u"--apply"_s} + extra + photosAndNote);
    }

    QStringList filesOnDisk() const
    {
        return QDir(files.path()).entryList(QDir::Files, QDir::Name);
    }

    const QStringList photosAndNote{u"IMG_0001.JPG"_s, u"IMG_0002.JPG"_s, u"notes.txt"_s};
    const QStringList photoRules{u"--name"_s, u"IMG_<\\d+>"_s};
    TempFolder files;
};

TEST_F(BatchApply, RenamesTheReadyEntriesAndPrintsTheirNewStatus)
{
    const BatchResult result = apply(photoRules + QStringList{u"--template"_s, u"Foto_<n2>.<e>"_s});

    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(newNamesAndStatuses(result.out),
              (QStringList{u"Foto_0001.JPG 12"_s, u"Foto_0002.JPG 12"_s, u"notes.txt 1"_s}));
    EXPECT_EQ(filesOnDisk(), (QStringList{u"Foto_0001.JPG"_s, u"Foto_0002.JPG"_s, u"notes.txt"_s}));
    EXPECT_EQ(files.read(u"Foto_0002.JPG"_s), contentOf(u"IMG_0002.JPG"_s));
    EXPECT_TRUE(files.read(u"cfg/Brindlewick.ini"_s).contains("[Recovery]"));
}

TEST_F(BatchApply, CreatesMissingSubfoldersOnlyWhenAsked)
{
    const QStringList toSubfolder = photoRules + QStringList{u"--template"_s, u"neu\\<n>.<e>"_s};

    const BatchResult refused = apply(toSubfolder);
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(newNamesAndStatuses(refused.out),
              (QStringList{u"neu/IMG_0001.JPG 13"_s, u"neu/IMG_0002.JPG 13"_s, u"notes.txt 1"_s}));
    EXPECT_FALSE(files.exists(u"neu"_s));
    EXPECT_EQ(filesOnDisk(), photosAndNote);

    const BatchResult created = apply(toSubfolder + QStringList{u"--create-folders"_s});
    ASSERT_EQ(created.exitCode, 0) << created.err.toStdString();
    EXPECT_EQ(files.read(u"neu/IMG_0001.JPG"_s), contentOf(u"IMG_0001.JPG"_s));
    EXPECT_EQ(files.read(u"neu/IMG_0002.JPG"_s), contentOf(u"IMG_0002.JPG"_s));
    EXPECT_EQ(filesOnDisk(), QStringList{u"notes.txt"_s});
}

TEST_F(BatchApply, StopsBeforeLosingExtensionsUnlessAllowed)
{
    const QStringList withoutExtension = photoRules + QStringList{u"--template"_s, u"Foto_<n2>"_s};

    const BatchResult stopped = apply(withoutExtension);
    EXPECT_EQ(stopped.exitCode, 1);
    EXPECT_TRUE(stopped.err.contains(u"--allow-extension-loss"_s)) << stopped.err.toStdString();
    EXPECT_EQ(newNamesAndStatuses(stopped.out),
              (QStringList{u"Foto_0001 9"_s, u"Foto_0002 9"_s, u"notes.txt 1"_s}));
    EXPECT_EQ(filesOnDisk(), photosAndNote);
    EXPECT_FALSE(files.exists(u"cfg/Brindlewick.ini"_s));

    const BatchResult allowed = apply(withoutExtension + QStringList{u"--allow-extension-loss"_s});
    ASSERT_EQ(allowed.exitCode, 0) << allowed.err.toStdString();
    EXPECT_EQ(filesOnDisk(), (QStringList{u"Foto_0001"_s, u"Foto_0002"_s, u"notes.txt"_s}));
}

// Renumbering by one: with --resolve-chains every photo moves up; without it
// the one whose new name another photo still had fails, and the message
// names the option.
TEST_F(BatchApply, ResolveChainsRenumbersSeriesThatOverlap)
{
    const QStringList shift = photoRules + QStringList{u"--template"_s, u"IMG_<c4>.<e>"_s};

    const BatchResult resolved =
        batch(QStringList{u"--apply"_s, u"--resolve-chains"_s, u"--counter-start"_s, u"2"_s} +
              shift + photosAndNote);
    ASSERT_EQ(resolved.exitCode, 0) << resolved.err.toStdString();
    EXPECT_EQ(files.read(u"IMG_0002.JPG"_s), contentOf(u"IMG_0001.JPG"_s));
    EXPECT_EQ(files.read(u"IMG_0003.JPG"_s), contentOf(u"IMG_0002.JPG"_s));
    EXPECT_FALSE(files.exists(u"IMG_0001.JPG"_s));

    const BatchResult blocked = batch(QStringList{u"--apply"_s, u"--counter-start"_s, u"3"_s} +
                                      shift + QStringList{u"IMG_0002.JPG"_s, u"IMG_0003.JPG"_s});
    EXPECT_EQ(blocked.exitCode, 1);
    EXPECT_EQ(newNamesAndStatuses(blocked.out),
              (QStringList{u"IMG_0003.JPG 13"_s, u"IMG_0004.JPG 12"_s}));
    EXPECT_TRUE(blocked.err.contains(u"--resolve-chains"_s)) << blocked.err.toStdString();
}

TEST_F(BatchApply, WithNothingReadyNothingIsAsked)
{
    const BatchResult result = apply({u"--name"_s, u"DSC_<*>"_s, u"--template"_s, u"<n>"_s});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(filesOnDisk(), photosAndNote);
    EXPECT_FALSE(files.exists(u"cfg/Brindlewick.ini"_s));
}

TEST_F(BatchApply, UndoBringsEveryFileBackAfterListingItUntouched)
{
    ASSERT_EQ(apply({u"--template"_s, u"x_<n>.<e>"_s}).exitCode, 0);
    const QStringList renamed = filesOnDisk();
    const QStringList expectedPairs{
        files.file(u"IMG_0001.JPG"_s) + u'\t' + files.file(u"x_IMG_0001.JPG"_s),
        files.file(u"IMG_0002.JPG"_s) + u'\t' + files.file(u"x_IMG_0002.JPG"_s),
        files.file(u"notes.txt"_s) + u'\t' + files.file(u"x_notes.txt"_s),
    };

    const BatchResult listed = batch({u"--undo"_s, u"--dry-run"_s});
    EXPECT_EQ(listed.exitCode, 0);
    EXPECT_EQ(listed.out.split(u'\n', Qt::SkipEmptyParts), expectedPairs);
    EXPECT_EQ(filesOnDisk(), renamed);

    const BatchResult undone = batch({u"--undo"_s});
    ASSERT_EQ(undone.exitCode, 0) << undone.err.toStdString();
    QStringList expectedLines;
    for (const QString &pair : expectedPairs) {
        expectedLines.append(pair + u"\tok"_s);
    }
    EXPECT_EQ(undone.out.split(u'\n', Qt::SkipEmptyParts), expectedLines);
    EXPECT_EQ(filesOnDisk(), photosAndNote);
    for (const QString &name : photosAndNote) {
        EXPECT_EQ(files.read(name), contentOf(name)) << name.toStdString();
    }
}

TEST_F(BatchApply, UndoReportsEachPairThatCannotGoBack)
{
    ASSERT_EQ(apply({u"--template"_s, u"x_<n>.<e>"_s}).exitCode, 0);
    files.write(u"IMG_0002.JPG"_s, "taken again");

    const BatchResult undone = batch({u"--undo"_s});

    EXPECT_EQ(undone.exitCode, 1);
    const QStringList lines = undone.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines.at(0).endsWith(u"\tok"_s));
    EXPECT_TRUE(lines.at(1).endsWith(u"x_IMG_0002.JPG\tfailed"_s)) << lines.at(1).toStdString();
    EXPECT_TRUE(lines.at(2).endsWith(u"\tok"_s));
    EXPECT_EQ(files.read(u"IMG_0002.JPG"_s), "taken again");
    EXPECT_EQ(files.read(u"x_IMG_0002.JPG"_s), contentOf(u"IMG_0002.JPG"_s));
}

TEST_F(BatchApply, UndoListsItsPairsAsJsonWhenAsked)
{
    ASSERT_EQ(apply({u"--template"_s, u"x_<n>.<e>"_s}).exitCode, 0);
    files.write(u"notes.txt"_s, "taken again");
    const auto rows = [](const BatchResult &result) {
        return QJsonDocument::fromJson(result.out.toUtf8()).array();
    };

    const QJsonArray listed = rows(batch({u"--undo"_s, u"--dry-run"_s, u"--json"_s}));
    ASSERT_EQ(listed.size(), 3);
    EXPECT_EQ(listed.at(0).toObject(), (QJsonObject{{u"old"_s, files.file(u"IMG_0001.JPG"_s)},
                                                    {u"new"_s, files.file(u"x_IMG_0001.JPG"_s)}}));

    const BatchResult undone = batch({u"--undo"_s, u"--json"_s});
    EXPECT_EQ(undone.exitCode, 1);
    QStringList results;
    for (const QJsonValue &row : rows(undone)) {
        results << row[u"result"_s].toString();
    }
    EXPECT_EQ(results, (QStringList{u"ok"_s, u"ok"_s, u"failed"_s}));
}

TEST_F(BatchApply, UndoWithoutRecordDoesNothing)
{
    const BatchResult result = batch({u"--undo"_s});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_TRUE(result.out.isEmpty());
    EXPECT_EQ(filesOnDisk(), photosAndNote);
}

} // namespace
} // namespace namenswerk::test
