#include "settings/profiles.h"
#include "settings/settings_file.h"
#include "tests/support/printers.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <functional>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;

const QString FileName = u"Brindlewick.ini"_s;

QByteArray iniFile(const QList<QByteArray> &lines)
{
    return "\xEF\xBB\xBF\r\n" + lines.join("\r\n") + "\r\n";
}

QList<QByteArray> inactiveProfiles(char from)
{
    QList<QByteArray> lines;
    for (char letter = from; letter <= 'T'; ++letter) {
        lines << ""
              << "[Profile " + QByteArray(1, letter) + "]"
              << "Active=0";
    }
    return lines;
}

StoredSettings readFrom(const QByteArray &bytes)
{
    test::TempFolder folder;
    folder.write(FileName, bytes);
    return readSettings(folder.path());
}

TEST(SettingsFile, MissingFileGivesTheFirstStartDefaults)
{
    test::TempFolder folder;
    const StoredSettings settings = readSettings(folder.path());
    EXPECT_EQ(settings, StoredSettings());
    EXPECT_TRUE(settings.records[0].txtName && settings.records[0].txtAll);
    EXPECT_TRUE(settings.theme);
    EXPECT_FALSE(settings.flickering);
    EXPECT_EQ(settings.colors, softColors());
    EXPECT_FALSE(settings.records[1].active);
    EXPECT_FALSE(folder.exists(FileName));
}

TEST(SettingsFile, FirstWriteCreatesTheWholeFile)
{
    test::TempFolder folder;
    ASSERT_TRUE(writeSettings(folder.path(), readSettings(folder.path())));
    // clang-format off
    const QByteArray expected = iniFile(
        QList<QByteArray>{"[Global]", "Window=0 0 0 0", "Order=0", "Filter=-1", "Upper=0",
                          "Logging=0", "Filebuffer=1",
                          "Name=", "Active=1",
                          "RegFindname=\"\"", "RegFindext=\"\"", "RegReplace=\"\"", "RegCase=0",
                          "TxtFind=\"\"", "TxtReplace=\"\"", "TxtFirst=0", "TxtName=1",
                          "TxtCase=0", "TxtAll=1", "FilenameCase=0", "FileextCase=0",
                          "FileDate=0"} +
        inactiveProfiles('A') +
        QList<QByteArray>{"", "[Colors]", "Unknown=F0F0F0", "Filtered=FFF8F0", "OkIgnore=D8D8D8",
                          "OkEmpty=C0D0FF", "OkDuplicate=B0E0FF", "OkCritical=A0FFFF",
                          "OkNonexistent=EAEDA1", "Ok=88FFC0", "OkPath=8AFFD4", "OkRename=80FFD0",
                          "ErrorReg=C0C0FF", "ErrorCreate=D0C0FF", "ErrorOut=C0C0FF",
                          "ErrorRename=F0D0FF", "ErrorIdle=4040C0"});
    // clang-format on
    EXPECT_EQ(folder.read(FileName), expected);
}

// A file as the program writes it, with hand-written lines, an unused profile
// that keeps its old keys, a colour group the fixed palette ignores and the
// rename run's record.
const QByteArray Written =
    iniFile(QList<QByteArray>{"[Global]",
                              "Window=100 50 900 600",
                              "Order=42",
                              "Filter=1",
                              "Upper=1",
                              "Logging=1",
                              "Filebuffer=7",
                              "Flickering=0",
                              "Theme=0",
                              "; kept as written",
                              "Handmade=yes",
                              "Name=Fotos",
                              "Active=1",
                              "RegFindname=\"IMG_<1:#>\"",
                              "RegFindname-1=\"DSC_<1:#>\"",
                              "RegFindext=\"jpg\"",
                              "RegReplace=\"<n>\"",
                              "RegReplace-1=\"x\"",
                              "RegReplace-2=\"y\"",
                              "RegCase=1",
                              "TxtFind=\"a>b\"",
                              "TxtReplace=\"\"",
                              "TxtFirst=1",
                              "TxtName=0",
                              "TxtCase=1",
                              "TxtAll=0",
                              "FilenameCase=3",
                              "FileextCase=1",
                              "FileDate=1",
                              "",
                              "[Profile A]",
                              "Name=Fotos",
                              "Active=1",
                              "RegFindname=\"a\"",
                              "RegFindext=\"\"",
                              "RegReplace=\"\"",
                              "RegCase=0",
                              "TxtFind=\"\"",
                              "TxtReplace=\"\"",
                              "TxtFirst=0",
                              "TxtName=1",
                              "TxtCase=0",
                              "TxtAll=1",
                              "FilenameCase=0",
                              "FileextCase=0",
                              "FileDate=0",
                              "",
                              "[Profile B]",
                              "Active=0",
                              "Name=Gone",
                              "RegFindname=\"old\""} +
            inactiveProfiles('C') +
            QList<QByteArray>{"", "[Colors]", "Ok=123456", "", "[Recovery]", "Magic=1700000000",
                              "00000=\"/home/u/\"", "00001=\"a.jpg\" > \"b.jpg\""});

TEST(SettingsFile, ReadAndWriteKeepEverythingElseByteForByte)
{
    test::TempFolder folder;
    folder.write(FileName, Written);
    const StoredSettings settings = readSettings(folder.path());

    EXPECT_EQ(settings.window, (WindowPlacement{100, 50, 900, 600}));
    EXPECT_EQ(settings.activeFilter, 131);
    EXPECT_EQ(settings.startCount, 7);
    EXPECT_FALSE(settings.flickering);
    EXPECT_FALSE(settings.theme);
    EXPECT_EQ(settings.colors, fixedColors());
    EXPECT_EQ(settings.records[0].regFindname, u"IMG_<1:#>"_s);
    EXPECT_EQ(settings.inputLists.regReplace, QStringList({u"<n>"_s, u"x"_s, u"y"_s}));
    EXPECT_EQ(settings.records[1].regFindname, u"a"_s);
    EXPECT_FALSE(settings.records[2].active);
    EXPECT_EQ(activeProfileSlot(settings.records), 1);

    // Writing twice in one run still counts the run once.
    ASSERT_TRUE(writeSettings(folder.path(), settings));
    ASSERT_TRUE(writeSettings(folder.path(), settings));
    EXPECT_EQ(folder.read(FileName), QByteArray(Written).replace("Filebuffer=7", "Filebuffer=8"));
}

TEST(SettingsFile, ReadsGlobalOptionsAndRecordKeys)
{
    struct Case {
        QByteArray line;
        std::function<void(const StoredSettings &)> check;
    };
    const QSize screen(1920, 1080);
    const std::vector<Case> cases{
        {"Window=10 20 700 500",
         [&](const StoredSettings &s) {
             EXPECT_EQ(s.window, (WindowPlacement{10, 20, 700, 500}));
             EXPECT_FALSE(s.window.fits(screen));
         }},
        {"Window=10 20 720 400",
         [](const StoredSettings &s) {
             EXPECT_TRUE(s.window.fits(QSize(720, 400)));
             EXPECT_FALSE(s.window.fits(QSize(719, 400)));
             EXPECT_FALSE(s.window.fits(QSize(720, 399)));
         }},
        {"Window=1 2 800",
         [&](const StoredSettings &s) {
             EXPECT_EQ(s.window, (WindowPlacement{1, 2, 800, 0}));
             EXPECT_FALSE(s.window.fits(screen));
         }},
        {"Order=42",
         [](const StoredSettings &s) {
             EXPECT_EQ(s.sortColumn, ListColumn::Date);
             EXPECT_EQ(s.sortDirection, SortDirection::Descending);
         }},
        {"Order=51", [](const StoredSettings &s) { EXPECT_EQ(s.sortColumn, ListColumn::Status); }},
        {"Order=43",
         [](const StoredSettings &s) { EXPECT_EQ(s.sortDirection, SortDirection::Unsorted); }},
        {"Order=61",
         [](const StoredSettings &s) { EXPECT_EQ(s.sortDirection, SortDirection::Unsorted); }},
        {"Order=-9",
         [](const StoredSettings &s) { EXPECT_EQ(s.sortDirection, SortDirection::Unsorted); }},
        {"Filter=5", [](const StoredSettings &s) { EXPECT_EQ(s.activeFilter, 135); }},
        {"Filter=0", [](const StoredSettings &s) { EXPECT_EQ(s.activeFilter, 130); }},
        {"Filter=6", [](const StoredSettings &s) { EXPECT_EQ(s.activeFilter, 0); }},
        {"Upper=3", [](const StoredSettings &s) { EXPECT_TRUE(s.upper); }},
        {"Upper=2", [](const StoredSettings &s) { EXPECT_FALSE(s.upper); }},
        {"Logging=2", [](const StoredSettings &s) { EXPECT_TRUE(s.rememberList); }},
        {"Filebuffer=17x", [](const StoredSettings &s) { EXPECT_EQ(s.startCount, 17); }},
        {"Filebuffer=", [](const StoredSettings &s) { EXPECT_EQ(s.startCount, 0); }},
        {"FilenameCase=7",
         [](const StoredSettings &s) { EXPECT_EQ(s.records[0].filenameCase, 1); }},
        {"TxtName=", [](const StoredSettings &s) { EXPECT_FALSE(s.records[0].txtName); }},
        {"RegFindext=jpg",
         [](const StoredSettings &s) { EXPECT_EQ(s.records[0].regFindext, u"jpg"_s); }},
        {"; nothing set",
         [](const StoredSettings &s) {
             EXPECT_TRUE(s.flickering);
             EXPECT_TRUE(s.theme);
             EXPECT_EQ(s.activeFilter, 0);
             EXPECT_TRUE(s.records[0].active && s.records[0].txtName && s.records[0].txtAll);
             EXPECT_EQ(activeProfileSlot(s.records), -1);
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.line.toStdString());
        c.check(readFrom(iniFile({"[global]", c.line})));
    }
}

TEST(SettingsFile, ColorsComeFromTheFileOnlyWithTheCustomScheme)
{
    const QByteArray bytes =
        iniFile({"[Colors]", "Ok=ZZ", "Unknown=", "ErrorIdle=123456", "OkPath=abc"});
    ColorTable expected = softColors();
    expected[9] = 0;
    expected[14] = 0x123456;
    expected[11] = 0xABC;
    EXPECT_EQ(readFrom(bytes).colors, expected);
    EXPECT_EQ(readFrom(bytes + "\r\n[Global]\r\nTheme=0\r\n").colors, fixedColors());

    test::TempFolder folder;
    folder.write(FileName, bytes);
    EXPECT_EQ(readColors(folder.path(), true), expected);
    EXPECT_EQ(readColors(folder.path(), false), fixedColors());
}

TEST(SettingsFile, UnusedProfileGroupsCloseUpAndKeepTheirKeys)
{
    test::TempFolder folder;
    folder.write(FileName, iniFile({"[Global]", "Name=Beta", "", "[Profile A]", "Active=1",
                                    "Name=Alpha", "", "[Profile B]", "Active=0", "Name=Gone", "",
                                    "[Profile C]", "Active=1", "Name=Beta", "TxtAll=0"}));
    const StoredSettings settings = readSettings(folder.path());
    EXPECT_EQ(settings.records[1].name, u"Alpha"_s);
    EXPECT_EQ(settings.records[2].name, u"Beta"_s);
    EXPECT_FALSE(settings.records[2].txtAll);
    EXPECT_FALSE(settings.records[3].active);
    EXPECT_EQ(activeProfileSlot(settings.records), 2);

    ASSERT_TRUE(writeSettings(folder.path(), settings));
    const IniDocument written = IniDocument::load(folder.file(FileName));
    EXPECT_EQ(written.value(u"Profile A"_s, u"Name"_s), u"Alpha"_s);
    EXPECT_EQ(written.value(u"Profile B"_s, u"Active"_s), u"1"_s);
    EXPECT_EQ(written.value(u"Profile B"_s, u"Name"_s), u"Beta"_s);
    EXPECT_EQ(written.value(u"Profile B"_s, u"TxtAll"_s), u"0"_s);
    EXPECT_EQ(written.value(u"Profile C"_s, u"Active"_s), u"0"_s);
    EXPECT_EQ(written.value(u"Profile C"_s, u"Name"_s), u"Beta"_s);
    EXPECT_EQ(written.value(u"Profile C"_s, u"TxtAll"_s), u"0"_s);
}

TEST(SettingsFile, InputListsAreStoredWithoutGapsAndReadBack)
{
    test::TempFolder folder;
    folder.write(FileName, iniFile({"[Global]", "RegFindname-3=\"old\"", "RegFindname-9=\"old\"",
                                    "RegFindext=\"e\"", "RegFindext-1=\"\"", "RegFindext-2=\"e\"",
                                    "RegFindext-3=\"f\""}));
    StoredSettings settings = readSettings(folder.path());
    EXPECT_EQ(settings.inputLists.regFindext, QStringList({u"e"_s, u"f"_s}));

    settings.records[0].regFindname = u"x"_s;
    settings.inputLists.regFindname = {u"x"_s, u""_s, u"y"_s, u"x"_s, u"z"_s};
    for (int i = 0; i < 12; ++i) {
        settings.inputLists.txtFind.append(QString::number(i));
    }
    ASSERT_TRUE(writeSettings(folder.path(), settings));

    const IniDocument written = IniDocument::load(folder.file(FileName));
    const auto stored = [&](const QString &key) { return written.value(u"Global"_s, key, u"-"_s); };
    EXPECT_EQ(stored(u"RegFindname"_s), u"\"x\""_s);
    EXPECT_EQ(stored(u"RegFindname-1"_s), u"\"y\""_s);
    EXPECT_EQ(stored(u"RegFindname-2"_s), u"\"z\""_s);
    for (int i = 3; i <= 9; ++i) {
        EXPECT_FALSE(written.contains(u"Global"_s, u"RegFindname-%1"_s.arg(i))) << i;
    }
    EXPECT_EQ(stored(u"TxtFind-9"_s), u"\"8\""_s);
    EXPECT_EQ(stored(u"TxtFind-10"_s), u"-"_s);

    const StoredSettings reread = readSettings(folder.path());
    EXPECT_EQ(reread.inputLists.regFindname, QStringList({u"x"_s, u"y"_s, u"z"_s}));
    EXPECT_EQ(reread.inputLists.txtFind.size(), 9);
}

TEST(SettingsFile, UnwritableFolderReportsFailure)
{
    test::TempFolder folder;
    EXPECT_FALSE(writeSettings(folder.file(u"missing"_s), StoredSettings()));
    EXPECT_FALSE(folder.exists(u"missing"_s));
}

} // namespace
} // namespace namenswerk

namespace namenswerk {
namespace {

// The chain option is kept by the current record in [Global] and by each
// profile; off is written as no key at all, as a file from before it reads.
TEST(SettingsFile, ResolveChainsSurvivesASaveAndAProfileRoundTrip)
{
    test::TempFolder folder;
    StoredSettings settings = readSettings(folder.path());
    EXPECT_FALSE(settings.records[0].resolveChains);
    settings.records[0].resolveChains = true;
    settings.records[1] = settings.records[0];
    settings.records[1].name = u"Serie"_s;
    settings.records[2] = settings.records[1];
    settings.records[2].name = u"Ohne"_s;
    settings.records[2].resolveChains = false;
    ASSERT_TRUE(writeSettings(folder.path(), settings));
    EXPECT_EQ(folder.read(FileName).count("ResolveChains=1"), 2);

    StoredSettings read = readSettings(folder.path());
    EXPECT_TRUE(read.records[0].resolveChains);
    EXPECT_TRUE(read.records[1].resolveChains);
    EXPECT_FALSE(read.records[2].resolveChains);

    Profiles profiles(read.records);
    ASSERT_TRUE(profiles.selectProfile(2));
    EXPECT_FALSE(read.records[0].resolveChains);
    ASSERT_TRUE(profiles.selectProfile(1));
    EXPECT_TRUE(read.records[0].resolveChains);

    read.records[0].resolveChains = false;
    ASSERT_TRUE(writeSettings(folder.path(), read));
    EXPECT_EQ(folder.read(FileName).count("ResolveChains=1"), 1); // the profile's
    EXPECT_FALSE(readSettings(folder.path()).records[0].resolveChains);
}

} // namespace
} // namespace namenswerk
