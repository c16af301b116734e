// The examples of docs/user-guide.md, run through the engine, so that the
// guide says what the program does.

#include "tests/docs/guide_example.h"
#include "tests/docs/markdown_tables.h"
#include "tests/support/printers.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace namenswerk::test {
namespace {

// Month and weekday names in the guide are those of a German system. Set
// before anything asks for the system locale.
const bool germanNames = [] {
    qputenv("LC_ALL", "de_DE.UTF-8");
    qputenv("LANG", "de_DE.UTF-8");
    return true;
}();

QString userGuide()
{
    QFile file(QStringLiteral(NAMENSWERK_USER_GUIDE));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

std::vector<GuideExample> guideExamples()
{
    std::vector<GuideExample> examples;
    for (const Table &table : markdownTables(userGuide())) {
        if (!isExampleTable(table.header)) {
            continue;
        }
        for (const TableRow &row : table.rows) {
            QString error;
            if (const auto example = guideExample(table.header, row, error)) {
                examples.push_back(*example);
            } else {
                ADD_FAILURE() << row.heading.toStdString() << " (line " << row.lineNumber
                              << "): " << error.toStdString();
            }
        }
    }
    return examples;
}

TEST(UserGuide, EveryExampleShowsWhatTheProgramDoes)
{
    ASSERT_TRUE(germanNames);
    const std::vector<GuideExample> examples = guideExamples();
    ASSERT_FALSE(examples.empty()) << "no example tables found in " << NAMENSWERK_USER_GUIDE;
    for (const GuideExample &example : examples) {
        SCOPED_TRACE(example.where.toStdString());
        const ExampleOutcome outcome = runExample(example);
        if (example.newNames) {
            EXPECT_EQ(outcome.newNames, *example.newNames);
        }
        if (example.statuses) {
            EXPECT_EQ(outcome.statuses, *example.statuses);
        }
        if (example.traces) {
            EXPECT_EQ(outcome.traces, *example.traces);
        }
        if (example.statusLine) {
            EXPECT_EQ(outcome.statusLine, *example.statusLine);
        }
    }
}

} // namespace
} // namespace namenswerk::test
