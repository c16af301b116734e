#include "rename/recovery_record.h"
#include "rename/undo_last_run.h"
#include "settings/settings_file.h"
#include "tests/support/scripted_requester.h"
#include "tests/support/temp_folder.h"

#include <QElapsedTimer>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <cstdio>
#include <sys/resource.h>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;

constexpr int Pairs = 1'000'000;
constexpr int NameLength = 100;
// The last pairs of the record name real files; undo brings them back.
constexpr int RealPairs = 3;

QString longName(const char *prefix, int number)
{
    const QString start = QString::fromLatin1(prefix) + QString::number(number) + u'_';
    return start + QString(NameLength - start.size() - 4, u'n') + u".jpg"_s;
}

long peakResidentKilobytes()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Prints and records how long a step took and the process's peak memory after it.
void report(const char *step, const QElapsedTimer &timer)
{
    const qint64 milliseconds = timer.elapsed();
    std::printf("  %-28s %6lld ms, peak resident %ld MiB\n", step,
                static_cast<long long>(milliseconds), peakResidentKilobytes() / 1024);
    ::testing::Test::RecordProperty(step, std::to_string(milliseconds) + " ms");
}

// A run of a million files with long names leaves a settings file of some
// 200 MB. Everything that reads the file still reads it: the settings and
// the profiles come back, the window's save keeps the record, and undo
// offers and undoes the run.
TEST(LargeRecord, AMillionPairsOfLongNamesLoad)
{
    test::TempFolder settings;
    test::TempFolder files;
    RecoveryRecord record{1'700'000'000, files.path(), {}};
    record.pairs.reserve(Pairs);
    for (int i = 0; i < Pairs; ++i) {
        record.pairs.push_back({longName("old_", i), longName("new_", i)});
    }
    for (int i = Pairs - RealPairs; i < Pairs; ++i) {
        files.write(record.pairs[std::size_t(i)].newName, "content");
    }
    StoredSettings stored;
    stored.records[0].regReplace = u"<n>_neu.<e>"_s;
    stored.records[1] = stored.records[0];
    stored.records[1].name = u"Fotos"_s;

    QElapsedTimer timer;
    timer.start();
    ASSERT_TRUE(writeRecoveryRecord(settings.path(), record));
    report("write record", timer);
    const RenamedPair first = record.pairs.front();
    const std::vector<RenamedPair> real(record.pairs.end() - RealPairs, record.pairs.end());
    record.pairs = {};
    RecordProperty("SettingsFileBytes",
                   std::to_string(QFileInfo(settingsFilePath(settings.path())).size()));

    timer.restart();
    ASSERT_TRUE(writeSettings(settings.path(), stored));
    report("save settings over it", timer);

    timer.restart();
    const StoredSettings read = readSettings(settings.path());
    report("read settings", timer);
    EXPECT_EQ(read.records[0].regReplace, u"<n>_neu.<e>"_s);
    EXPECT_EQ(read.records[1].name, u"Fotos"_s);

    timer.restart();
    RecoveryRecord reread = readRecoveryRecord(settings.path());
    report("read record", timer);
    ASSERT_EQ(reread.pairs.size(), std::size_t(Pairs));
    EXPECT_EQ(reread.pairs.front(), first);
    EXPECT_EQ(reread.pairs.back(), real.back());
    EXPECT_EQ(reread.folder, record.folder);
    reread = {};

    test::ScriptedRequester yes({{AnswerYes, false, 0}});
    FileList list;
    timer.restart();
    const UndoResult undone = undoLastRun(settings.path(), yes, list);
    report("undo", timer);
    EXPECT_TRUE(yes.asked.front().heading.startsWith(u"1000000 Dateien"_s));
    EXPECT_EQ(undone.restored, RealPairs);
    for (const RenamedPair &pair : real) {
        EXPECT_TRUE(files.exists(pair.oldName));
    }
}

} // namespace
} // namespace namenswerk
