#include "rename/recovery_record.h"
#include "tests/rename/printers.h"
#include "tests/rename/run_fixture.h"

#include <gtest/gtest.h>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;

using S = EntryStatus;

struct SubfolderCase {
    const char *label;
    QString templateText;
    std::vector<Answer> answers;
    QStringList questionHeadings;
    std::vector<EntryStatus> statuses;
    QStringList onDisk;
};

void PrintTo(const SubfolderCase &c, std::ostream *os)
{
    *os << c.label;
}

class Subfolder : public testing::TestWithParam<SubfolderCase> {};

const QStringList FiveFiles{u"a.txt"_s, u"b.txt"_s, u"c.txt"_s, u"d.txt"_s, u"e.txt"_s};

TEST_P(Subfolder, AsksAsOftenAsItMust)
{
    const SubfolderCase &c = GetParam();
    test::RunFixture fixture;
    fixture.addFiles(FiveFiles.first(c.statuses.size()));
    fixture.compute(c.templateText);
    for (const Answer &answer : c.answers) {
        fixture.requester.add(answer.code, answer.checked);
    }

    fixture.run();

    QStringList headings;
    for (const Request &asked : fixture.requester.asked) {
        EXPECT_EQ(asked.title, u"Verzeichnis nicht gefunden"_s);
        EXPECT_EQ(asked.text, u"Soll das Verzeichnis nun erstellt werden?"_s);
        EXPECT_EQ(asked.icon, RequestIcon::Error);
        EXPECT_EQ(asked.buttons, 1122);
        headings << asked.heading;
    }
    EXPECT_EQ(headings, c.questionHeadings);
    EXPECT_TRUE(fixture.requester.allAnswersUsed());
    EXPECT_EQ(fixture.statuses(), c.statuses);
    EXPECT_EQ(fixture.filesOnDisk(), c.onDisk);
}

QString missing(const QString &folder)
{
    return u"Das Zielverzeichnis '"_s + folder + u"' existiert nicht."_s;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Subfolder,
    testing::Values(
        SubfolderCase{"yes creates the folder",
                      u"\\2016\\<n>.<e>"_s,
                      {{AnswerYes, false, 0}},
                      {missing(u"2016"_s)},
                      {S::Renamed},
                      {u"2016/a.txt"_s}},
        SubfolderCase{"only one level is created",
                      u"x\\y\\<n>.<e>"_s,
                      {{AnswerYes, false, 0}},
                      {missing(u"x/y"_s)},
                      {S::RenameFailed},
                      {u"a.txt"_s}},
        SubfolderCase{"one question for one folder",
                      u"sub\\<n>.<e>"_s,
                      {{AnswerYes, false, 0}},
                      {missing(u"sub"_s)},
                      {S::Renamed, S::Renamed, S::Renamed},
                      {u"sub/a.txt"_s, u"sub/b.txt"_s, u"sub/c.txt"_s}},
        SubfolderCase{"the check box answers for every folder",
                      u"<n>\\<n>.<e>"_s,
                      {{AnswerYes, true, 0}},
                      {missing(u"a"_s)},
                      {S::Renamed, S::Renamed, S::Renamed, S::Renamed, S::Renamed},
                      {u"a/a.txt"_s, u"b/b.txt"_s, u"c/c.txt"_s, u"d/d.txt"_s, u"e/e.txt"_s}},
        SubfolderCase{"no without the check box asks again",
                      u"<n>\\<n>.<e>"_s,
                      {{AnswerNo, false, 0}, {AnswerNo, false, 0}, {AnswerNo, false, 0}},
                      {missing(u"a"_s), missing(u"b"_s), missing(u"c"_s)},
                      {S::RenameFailed, S::RenameFailed, S::RenameFailed},
                      {u"a.txt"_s, u"b.txt"_s, u"c.txt"_s}}),
    [](const testing::TestParamInfo<SubfolderCase> &param) { return std::to_string(param.index); });

TEST(Subfolder, CancelStopsTheRunAndKeepsWhatWasDone)
{
    test::RunFixture fixture;
    fixture.addFiles(FiveFiles);
    fixture.settings.txtFind = u"c>new\\c"_s;
    fixture.compute(u"x_<n>.<e>"_s);
    ASSERT_EQ(fixture.list.at(2).newName, u"x_new/c.txt"_s);
    fixture.requester.add(AnswerCancel);

    const RunResult result = fixture.run();

    EXPECT_TRUE(result.stopped);
    EXPECT_EQ(fixture.requester.asked.size(), 1u);
    EXPECT_EQ(fixture.statuses(), (std::vector{S::Renamed, S::Renamed, S::Ok, S::Ok, S::Ok}));
    EXPECT_EQ(readRecoveryRecord(fixture.settingsFolder.path()).pairs,
              (std::vector{RenamedPair{u"a.txt"_s, u"x_a.txt"_s},
                           RenamedPair{u"b.txt"_s, u"x_b.txt"_s}}));
}

TEST(Subfolder, RecordsTheNewNameWithoutItsLeadingSeparator)
{
    test::RunFixture fixture;
    fixture.addFiles({u"IMG_0001.JPG"_s});
    fixture.compute(u"\\2016\\bild.jpg"_s);
    fixture.requester.add(AnswerYes);

    fixture.run();

    EXPECT_EQ(readRecoveryRecord(fixture.settingsFolder.path()).pairs,
              (std::vector{RenamedPair{u"IMG_0001.JPG"_s, u"2016/bild.jpg"_s}}));
}

} // namespace
} // namespace namenswerk
