#include "settings/ini_document.h"
#include "tests/support/printers.h"
#include "tests/support/temp_folder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;

const QByteArray Bom("\xEF\xBB\xBF");

// A file as the program writes it, with what hands and other writers add.
const QByteArray Golden = Bom + "\r\n"
                                "[Global]\r\n"
                                "Upper=1\r\n"
                                "; written by hand\r\n"
                                "mykey=keep me\r\n"
                                "TxtFind=\"a=b\"\r\n"
                                "\r\n"
                                "[Profile C]\r\n"
                                "Active=0\r\n"
                                "Name=Old\r\n"
                                "RegFindname=\"x\"\r\n"
                                "\r\n"
                                "[Recovery]\r\n"
                                "Magic=1700000000\r\n"
                                "00000=\"/home/u/\"\r\n"
                                "00001=\"a.jpg\" > \"b.jpg\"\r\n";

QByteArray replaced(QByteArray bytes, const QByteArray &before, const QByteArray &after)
{
    return bytes.replace(before, after);
}

TEST(IniDocument, UnchangedDocumentIsWrittenBackByteForByte)
{
    test::TempFolder folder;
    const QString path = folder.write(u"a.ini"_s, Golden);
    ASSERT_TRUE(IniDocument::load(path).save(path));
    EXPECT_EQ(folder.read(u"a.ini"_s), Golden);
}

TEST(IniDocument, ChangesTouchOnlyTheirOwnLines)
{
    struct Case {
        const char *name;
        std::function<void(IniDocument &)> change;
        QByteArray expected;
    };
    const std::vector<Case> cases{
        {"value changed in place",
         [](IniDocument &d) { d.setValue(u"Global"_s, u"Upper"_s, u"0"_s); },
         replaced(Golden, "Upper=1", "Upper=0")},
        {"same value keeps the hand-written spelling",
         [](IniDocument &d) { d.setValue(u"GLOBAL"_s, u"MyKey"_s, u"keep me"_s); }, Golden},
        {"new key after the group's last key",
         [](IniDocument &d) { d.setValue(u"profile c"_s, u"RegFindext"_s, u"\"y\""_s); },
         replaced(Golden, "RegFindname=\"x\"\r\n", "RegFindname=\"x\"\r\nRegFindext=\"y\"\r\n")},
        {"new group at the end, after an empty line",
         [](IniDocument &d) { d.setValue(u"Colors"_s, u"Ok"_s, u"88FFC0"_s); },
         Golden + "\r\n[Colors]\r\nOk=88FFC0\r\n"},
        {"key removed", [](IniDocument &d) { d.removeKey(u"Profile C"_s, u"NAME"_s); },
         replaced(Golden, "Name=Old\r\n", "")},
        {"group removed", [](IniDocument &d) { d.removeGroup(u"recovery"_s); },
         Golden.first(Golden.indexOf("[Recovery]"))},
        {"line breaks in a value cannot start a group",
         [](IniDocument &d) { d.setValue(u"Global"_s, u"Upper"_s, u"1\r\n[Recovery]"_s); },
         replaced(Golden, "Upper=1\r\n", "Upper=1  [Recovery]\r\n")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        IniDocument document = IniDocument::fromBytes(Golden);
        c.change(document);
        EXPECT_EQ(document.toBytes(), c.expected);
    }
}

TEST(IniDocument, NewFileHasMarkEmptyLineAndEmptyLinesBetweenGroups)
{
    IniDocument document;
    document.setValue(u"Global"_s, u"Upper"_s, u"1"_s);
    document.setValue(u"Profile A"_s, u"Active"_s, u"0"_s);
    document.setValue(u"Global"_s, u"Logging"_s, u"0"_s);
    EXPECT_EQ(document.toBytes(), Bom + "\r\n[Global]\r\nUpper=1\r\nLogging=0\r\n\r\n"
                                        "[Profile A]\r\nActive=0\r\n");
}

TEST(IniDocument, ReadsLeniently)
{
    struct Case {
        const char *name;
        QByteArray bytes;
        QString group;
        QString key;
        std::optional<QString> expected;
    };
    const std::vector<Case> cases{
        {"LF only, no mark", "[Global]\nUpper=1\n", u"Global"_s, u"Upper"_s, u"1"_s},
        {"no line end at the end", "[Global]\r\nUpper=1", u"Global"_s, u"Upper"_s, u"1"_s},
        {"case of group and key", "[gLoBaL]\r\nUPPER=2", u"Global"_s, u"upper"_s, u"2"_s},
        {"blanks around a group name", " [ Profile A ] \r\nActive=1", u"Profile A"_s, u"Active"_s,
         u"1"_s},
        {"duplicate key: the first counts", "[G]\r\nK=1\r\nK=2\r\n", u"G"_s, u"K"_s, u"1"_s},
        {"duplicate group: the first counts", "[G]\r\nK=1\r\n[g]\r\nK=2\r\nL=3", u"G"_s, u"L"_s,
         std::nullopt},
        {"line without '=' holds no key", "[G]\r\nno sign here\r\nK=1", u"G"_s, u"no sign here"_s,
         std::nullopt},
        {"comment holds no key", "[G]\r\n;K=1\r\n", u"G"_s, u"K"_s, std::nullopt},
        {"'=' inside the value", "[G]\r\nK=a=b", u"G"_s, u"K"_s, u"a=b"_s},
        {"empty value is present", "[G]\r\nK=\r\n", u"G"_s, u"K"_s, QString()},
        {"key before any group", "K=1\r\n[G]\r\n", u"G"_s, u"K"_s, std::nullopt},
        {"UTF-8 value", Bom + "[G]\r\nK=\"Größe\"", u"G"_s, u"K"_s, u"\"Größe\""_s},
        // Only LF ends a line; a CR elsewhere is part of the value.
        {"CR inside a line", "[G]\r\nK=a\rb\r\r\n", u"G"_s, u"K"_s, u"a\rb\r"_s},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const IniDocument document = IniDocument::fromBytes(c.bytes);
        EXPECT_EQ(document.contains(c.group, c.key), c.expected.has_value());
        EXPECT_EQ(document.value(c.group, c.key, u"fallback"_s),
                  c.expected.value_or(u"fallback"_s));
    }
}

TEST(IniDocument, ListsGroupsAndKeysOnceInFileOrder)
{
    const IniDocument document =
        IniDocument::fromBytes("[A]\r\nx=1\r\nY=2\r\nX=3\r\n[b]\r\n[a]\r\nz=4\r\n");
    EXPECT_EQ(document.groups(), QStringList({u"A"_s, u"b"_s}));
    EXPECT_EQ(document.keys(u"a"_s), QStringList({u"x"_s, u"Y"_s}));
}

TEST(IniDocument, HostileContentIsReadAndKeptWhole)
{
    const QByteArray longValue(1024 * 1024, 'x');
    QByteArray manyGroups;
    for (int i = 0; i < 5000; ++i) {
        manyGroups += "[G" + QByteArray::number(i) + "]\r\nK=" + QByteArray::number(i) + "\r\n";
    }
    const QByteArray binary("[B]\r\nK=\xFF\xFE\x00\x01\r\n\xC3(=\r\n[unclosed\r\n", 29);
    const QByteArray bytes =
        Bom + "\r\n[Long]\r\nK=" + longValue + "\r\nL=1\r\n" + manyGroups + binary + longValue;

    IniDocument document = IniDocument::fromBytes(bytes);
    EXPECT_EQ(document.value(u"Long"_s, u"K"_s).size(), longValue.size());
    EXPECT_EQ(document.value(u"long"_s, u"l"_s), u"1"_s);
    EXPECT_EQ(document.groups().size(), 5000 + 2);
    EXPECT_EQ(document.value(u"G4999"_s, u"K"_s), u"4999"_s);
    EXPECT_EQ(document.toBytes(), bytes + "\r\n");

    document.setValue(u"G2500"_s, u"K"_s, u"new"_s);
    EXPECT_EQ(document.toBytes(), replaced(bytes, "K=2500\r\n", "K=new\r\n") + "\r\n");
}

// The file past the limit is sparse: its size counts, not its bytes.
TEST(IniDocument, OversizedFileIsNotRead)
{
    test::TempFolder folder;
    const QString path = folder.write(u"big.ini"_s, "[G]\r\nK=1\r\n");
    ASSERT_TRUE(QFile::resize(path, IniDocument::MaxFileSize + 1));
    const IniDocument document = IniDocument::load(path);
    EXPECT_FALSE(document.wasRead());
    EXPECT_TRUE(document.groups().isEmpty());
}

// A record of a large run made files of tens of megabytes, which an earlier
// limit of 32 MiB refused: every setting was lost with them.
TEST(IniDocument, FileOfTensOfMegabytesIsReadAndWrittenBack)
{
    test::TempFolder folder;
    QByteArray bytes = Bom + "\r\n[G]\r\nK=1\r\n\r\n[Big]\r\n";
    const QByteArray line = "Key=" + QByteArray(200, 'v') + "\r\n";
    while (bytes.size() <= qsizetype{40} * 1024 * 1024) {
        bytes += line;
    }
    const QString path = folder.write(u"large.ini"_s, bytes);
    IniDocument document = IniDocument::load(path);
    ASSERT_TRUE(document.wasRead());
    EXPECT_EQ(document.value(u"g"_s, u"k"_s), u"1"_s);
    document.setValue(u"G"_s, u"K"_s, u"2"_s);
    ASSERT_TRUE(document.save(path));
    EXPECT_EQ(folder.read(u"large.ini"_s), replaced(bytes, "K=1\r\n", "K=2\r\n"));
}

TEST(IniDocument, MissingFileIsEmptyAndSaveCreatesIt)
{
    test::TempFolder folder;
    IniDocument document = IniDocument::load(folder.file(u"new.ini"_s));
    EXPECT_FALSE(document.wasRead());
    EXPECT_TRUE(document.groups().isEmpty());

    document.setValue(u"Global"_s, u"Upper"_s, u"1"_s);
    ASSERT_TRUE(document.save(folder.file(u"new.ini"_s)));
    EXPECT_EQ(folder.read(u"new.ini"_s), Bom + "\r\n[Global]\r\nUpper=1\r\n");
    EXPECT_TRUE(IniDocument::load(folder.file(u"new.ini"_s)).wasRead());
}

TEST(IniDocument, FailedSaveKeepsTheOldFile)
{
    test::TempFolder folder;
    const QString path = folder.write(u"ro/a.ini"_s, Golden);
    const QString readOnly = folder.file(u"ro"_s);
    QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::ExeOwner);
    // The super-user writes into read-only folders anyway; nothing to test then.
    QFile probe(readOnly + u"/probe"_s);
    if (probe.open(QIODevice::WriteOnly)) {
        probe.remove();
        QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        GTEST_SKIP() << "read-only folders are writable for this user";
    }

    IniDocument document = IniDocument::load(path);
    document.setValue(u"Global"_s, u"Upper"_s, u"0"_s);
    EXPECT_FALSE(document.save(path));
    QFile::setPermissions(readOnly, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(folder.read(u"ro/a.ini"_s), Golden);
    EXPECT_EQ(QDir(readOnly).entryList(QDir::Files), QStringList(u"a.ini"_s));
}

TEST(IniDocument, SaveOntoAFolderOrIntoAMissingFolderFails)
{
    test::TempFolder folder;
    QDir(folder.path()).mkdir(u"taken.ini"_s);
    const IniDocument document = IniDocument::fromBytes(Golden);
    EXPECT_FALSE(document.save(folder.file(u"taken.ini"_s)));
    EXPECT_FALSE(document.save(folder.file(u"missing/a.ini"_s)));
    // No temporary file is left behind.
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList(u"taken.ini"_s));
}

} // namespace
} // namespace namenswerk
