#include "platform/append_file.h"
#include "tests/faults/file_size_limit.h"
#include "tests/support/temp_folder.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;
using namenswerk::test::TempFolder;

namespace namenswerk::platform {
namespace {

// Lines of growing length, so that appends end anywhere within a page and
// one of them is longer than a whole step of reserved room.
std::vector<QByteArray> someLines()
{
    std::vector<QByteArray> lines;
    for (int i = 0; i < 3000; ++i) {
        lines.push_back("line " + QByteArray::number(i) + ' ' + QByteArray(i % 97, 'x') + '\n');
    }
    lines.insert(lines.begin() + 1500, QByteArray(200'000, 'y') + '\n');
    return lines;
}

TEST(AppendFile, HoldsExactlyWhatWasAppendedWhileOpenAndAfterClosing)
{
    const TempFolder temp;
    const QString path = temp.file(u"journal"_s);
    QByteArray expected;
    AppendFile file;
    ASSERT_TRUE(file.create(path));
    int index = 0;
    for (const QByteArray &line : someLines()) {
        // Every other line goes in as pieces, an empty one among them.
        const qsizetype half = line.size() / 2;
        ASSERT_TRUE(++index % 2 == 0
                        ? file.append(line)
                        : file.append({line.first(half), QByteArrayView(), line.sliced(half)}));
        expected += line;
    }
    // While open, the file has room reserved after the bytes, as zeros.
    const QByteArray live = temp.read(u"journal"_s);
    ASSERT_GE(live.size(), expected.size());
    EXPECT_EQ(live.first(expected.size()), expected);
    EXPECT_EQ(live.sliced(expected.size()).count('\0'), live.size() - expected.size());

    file.close();
    EXPECT_FALSE(file.isOpen());
    EXPECT_FALSE(file.append("after closing\n"));
    EXPECT_EQ(temp.read(u"journal"_s), expected);
}

TEST(AppendFile, NeverTakesOverAPathThatIsThere)
{
    const TempFolder temp;
    temp.write(u"older"_s, "older");
    QFile::link(temp.file(u"gone"_s), temp.file(u"dangling"_s));
    QFile::link(temp.file(u"older"_s), temp.file(u"link"_s));
    for (const QString &name : {u"older"_s, u"dangling"_s, u"link"_s, u"missing/below"_s}) {
        SCOPED_TRACE(name.toStdString());
        AppendFile file;
        EXPECT_FALSE(file.create(temp.file(name)));
        EXPECT_FALSE(file.append("x\n"));
    }
    EXPECT_EQ(temp.read(u"older"_s), "older");
    EXPECT_FALSE(QFileInfo::exists(temp.file(u"gone"_s)));
}

// A disk that fills up: appends go on until the bytes no longer fit, and the
// file then keeps exactly what fitted, without room reserved after it.
TEST(AppendFile, AFullDiskEndsAppendingWithEveryEarlierByteKept)
{
    const TempFolder temp;
    const QString path = temp.file(u"journal"_s);
    QByteArray kept;
    {
        const test::FileSizeLimit full(10'000);
        ASSERT_TRUE(full.active());
        AppendFile file;
        ASSERT_TRUE(file.create(path));
        const QByteArray line(70, 'z');
        while (file.append(line)) {
            kept += line;
        }
        EXPECT_FALSE(file.isOpen());
    }
    EXPECT_EQ(kept.size(), 10'000 / 70 * 70);
    EXPECT_EQ(temp.read(u"journal"_s), kept);
}

} // namespace
} // namespace namenswerk::platform
