#include "engine/name_engine.h"
#include "tests/support/printers.h"
#include "tests/support/temp_folder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;

// A list whose files all exist (size 1 unit) unless named "missing…".
FileList listOf(const QStringList &names)
{
    FileList list([](const QString &path) {
        FileFacts facts{1'500'000'000, 1, 1920, 1080};
        if (path.contains(u"missing"_s)) {
            facts = FileFacts{};
        }
        return facts;
    });
    list.currentFolder = u"/fotos/"_s;
    for (const QString &name : names) {
        list.addPathLine(name, true);
    }
    return list;
}

RenameSettings rules(const QString &name, const QString &templateText)
{
    RenameSettings settings;
    settings.regFindname = name;
    settings.regReplace = templateText;
    return settings;
}

struct Outcome {
    QString newName;
    EntryStatus status;
    bool operator==(const Outcome &) const = default;
};

void PrintTo(const Outcome &o, std::ostream *os)
{
    *os << o.newName.toStdString() << " (" << static_cast<int>(o.status) << ")";
}

std::vector<Outcome> outcomes(NameEngine &engine, FileList &list, const RenameSettings &settings)
{
    engine.setInputs(settings);
    list.requestRefresh(RefreshLevel::Names);
    engine.refresh(list, settings);
    std::vector<Outcome> result;
    for (const FileEntry &entry : list.entries()) {
        result.push_back({entry.newName, entry.status});
    }
    return result;
}

struct PipelineCase {
    const char *label;
    QStringList oldNames;
    RenameSettings settings;
    std::vector<Outcome> expected;
};

void PrintTo(const PipelineCase &c, std::ostream *os)
{
    *os << c.label;
}

class Pipeline : public testing::TestWithParam<PipelineCase> {};

TEST_P(Pipeline, ComputesNamesAndStatuses)
{
    const PipelineCase &c = GetParam();
    NameEngine engine;
    FileList list = listOf(c.oldNames);
    EXPECT_EQ(outcomes(engine, list, c.settings), c.expected);
}

RenameSettings withLists(RenameSettings settings, const QString &initial, const QString &final)
{
    settings.txtFind = initial;
    settings.txtReplace = final;
    return settings;
}

RenameSettings withCase(RenameSettings settings, int nameCase, int extensionCase)
{
    settings.filenameCase = nameCase;
    settings.fileextCase = extensionCase;
    return settings;
}

using S = EntryStatus;

INSTANTIATE_TEST_SUITE_P(
    Cases, Pipeline,
    testing::Values(PipelineCase{"groups and counter",
                                 {u"IMG_0001.JPG"_s, u"notes.txt"_s, u"IMG_0002.JPG"_s},
                                 rules(u"IMG_<\\d+>"_s, u"Foto_<n2>_<c4>.<e>"_s),
                                 {{u"Foto_0001_0001.JPG"_s, S::Ok},
                                  {u"notes.txt"_s, S::Filter},
                                  {u"Foto_0002_0002.JPG"_s, S::Ok}}},
                    PipelineCase{"duplicates across a group of three",
                                 {u"a1.txt"_s, u"a2.txt"_s, u"a3.txt"_s, u"b.doc"_s},
                                 rules({}, u"x.<e>"_s),
                                 {{u"x.txt"_s, S::DuplicateName},
                                  {u"x.txt"_s, S::DuplicateName},
                                  {u"x.txt"_s, S::DuplicateName},
                                  {u"x.doc"_s, S::Ok}}},
                    PipelineCase{"letter case makes names different",
                                 {u"A.txt"_s, u"a.txt"_s},
                                 rules({}, u"*"_s),
                                 {{u"A.txt"_s, S::Ok}, {u"a.txt"_s, S::Ok}}},
                    PipelineCase{"invalid names are judged by their file part",
                                 {u"x.txt"_s, u"y.txt"_s},
                                 withLists(rules({}, u"<n>.<e>"_s), u"x>a:b|y>sub\\b"_s, {}),
                                 {{u"a:b.txt"_s, S::InvalidName}, {u"sub/b.txt"_s, S::Ok}}},
                    PipelineCase{"an empty group gives an empty name",
                                 {u"abc"_s},
                                 rules(u"<x*>abc"_s, u"<n1>"_s),
                                 {{u""_s, S::EmptyName}}},
                    PipelineCase{"missing files are unavailable",
                                 {u"missing.txt"_s},
                                 rules({}, u"new.<e>"_s),
                                 {{u"new.txt"_s, S::Unavailable}}},
                    PipelineCase{"unbalanced pattern is a search error for every entry",
                                 {u"a.txt"_s},
                                 rules(u"<a<b>"_s, u"*"_s),
                                 {{u"-"_s, S::SearchError}}},
                    PipelineCase{"uncompilable pattern is a search error",
                                 {u"a.txt"_s},
                                 rules(u"[a"_s, u"*"_s),
                                 {{u"-"_s, S::SearchError}}},
                    PipelineCase{"template error spares filtered entries",
                                 {u"a.txt"_s, u"b.txt"_s},
                                 rules(u"a"_s, u"<n>?"_s),
                                 {{u"-"_s, S::TokenError}, {u"-"_s, S::Filter}}},
                    PipelineCase{"replacement lists before and after the template",
                                 {u"one two.txt"_s},
                                 withLists(rules(u"<*> <*>"_s, u"<n2>-<n1>.<e>"_s),
                                           u"one>eins|two>zwei"_s, u"-> + "_s),
                                 {{u"zwei + eins.txt"_s, S::Ok}}},
                    PipelineCase{"case modes for name and extension",
                                 {u"hello world.TXT"_s, u"skip.me"_s},
                                 withCase(rules({}, u"<n>.<e>"_s), 4, 1),
                                 {{u"Hello World.txt"_s, S::Ok}, {u"Skip.me"_s, S::Ok}}},
                    PipelineCase{"dots and blanks at the end of a name are dropped",
                                 {u"x.txt"_s},
                                 rules({}, u"name. "_s),
                                 {{u"name"_s, S::Ok}}},
                    PipelineCase{"a subfolder in front of the name",
                                 {u"a.jpg"_s},
                                 rules({}, u"Fotos\\<n>.<e>"_s),
                                 {{u"Fotos/a.jpg"_s, S::Ok}}},
                    PipelineCase{"a lone leading backslash is dropped",
                                 {u"a.jpg"_s},
                                 rules({}, u"\\<n>.<e>"_s),
                                 {{u"a.jpg"_s, S::Ok}}},
                    PipelineCase{"picture tokens",
                                 {u"p.png"_s},
                                 rules({}, u"<px>x<py>_<px1>.<px3>_<py2>.<e>"_s),
                                 {{u"1920x1080_1.920_1.png"_s, S::Ok}}}),
    [](const testing::TestParamInfo<PipelineCase> &param) { return std::to_string(param.index); });

TEST(NameEngine, IgnoredEntriesGiveTheirCounterBack)
{
    NameEngine engine;
    FileList list = listOf({u"a.txt"_s, u"b.txt"_s, u"c.txt"_s});
    list.at(1).ignored = true;
    const auto result = outcomes(engine, list, rules({}, u"<c>-<c>.<e>"_s));
    EXPECT_EQ(result[0], (Outcome{u"001-001.txt"_s, S::Ok}));
    EXPECT_EQ(result[1], (Outcome{u"000-000.txt"_s, S::Ignored}));
    EXPECT_EQ(result[2], (Outcome{u"002-002.txt"_s, S::Ok}));
    EXPECT_EQ(list.nameTrace(0), u"<C>=001 '-' <C>=001 '.' <E>=txt"_s);
}

// Traces are made when asked for, from the inputs of the last recomputation:
// later input changes do not reach them, and the list may ask after the
// engine is gone.
TEST(NameEngine, TracesComeFromTheLastRecomputation)
{
    FileList list = listOf({u"a.txt"_s, u"b.txt"_s, u"c.txt"_s});
    list.at(1).ignored = true;
    {
        NameEngine engine;
        engine.counterStart = 7;
        outcomes(engine, list, rules({}, u"<c>-<n>.<e>"_s));
        engine.setTemplate(u"x"_s);
    }
    EXPECT_EQ(list.nameTrace(0), u"<C>=007 '-' <N>=a '.' <E>=txt"_s);
    EXPECT_EQ(list.nameTrace(1), u"<C>=000 '-' <N>=b '.' <E>=txt"_s);
    EXPECT_EQ(list.nameTrace(2), u"<C>=008 '-' <N>=c '.' <E>=txt"_s);
    EXPECT_EQ(list.nameTrace(3), u"-"_s);
}

TEST(NameEngine, CounterStartAndWidth)
{
    NameEngine engine;
    engine.counterStart = 12345;
    FileList list = listOf({u"a.txt"_s});
    EXPECT_EQ(outcomes(engine, list, rules({}, u"<c3>"_s))[0].newName, u"345"_s);
    EXPECT_EQ(outcomes(engine, list, rules({}, u"<c7>"_s))[0].newName, u"0012345"_s);
}

TEST(NameEngine, TracesShowEveryElement)
{
    NameEngine engine;
    FileList list = listOf({u"IMG_12.jpg"_s, u"other.jpg"_s});
    outcomes(engine, list, rules(u"IMG_<\\d+>"_s, u"<n2=12:twelve>_<n2>.<e>"_s));
    EXPECT_EQ(list.nameTrace(0), u"<N2?>=twelve '_' <N2>=12 '.' <E>=jpg"_s);
    EXPECT_EQ(list.nameTrace(1), u"-"_s);
    EXPECT_EQ(list.at(1).newName, u"other.jpg"_s);
}

TEST(NameEngine, ExtensionFlagsFollowTheNewNames)
{
    NameEngine engine;
    FileList list = listOf({u"a.txt"_s, u"b.txt"_s});
    outcomes(engine, list, rules({}, u"<n>.<e>"_s));
    EXPECT_TRUE(engine.extensionFlags().has(SomeWithExtension));
    EXPECT_FALSE(engine.extensionFlags().has(SomeWithoutExtension));
    outcomes(engine, list, rules({}, u"<n>"_s));
    EXPECT_FALSE(engine.extensionFlags().has(SomeWithExtension));
    EXPECT_TRUE(engine.extensionFlags().has(SomeWithoutExtension));
}

TEST(NameEngine, StatusPassKeepsRenameResultsUntilNamesAreRecomputed)
{
    NameEngine engine;
    FileList list = listOf({u"a.txt"_s, u"b.txt"_s, u"c.txt"_s});
    const RenameSettings settings = rules({}, u"x<n>.<e>"_s);
    outcomes(engine, list, settings);
    list.at(0).status = S::Renamed;
    list.at(1).status = S::RenameFailed;
    list.at(2).ignored = true;
    list.requestRefresh(RefreshLevel::Statuses);
    engine.refresh(list, settings);
    EXPECT_EQ(list.at(0).status, S::Renamed);
    EXPECT_EQ(list.at(1).status, S::RenameFailed);
    EXPECT_EQ(list.at(2).status, S::Ignored);
    EXPECT_EQ(list.renamedCount, 1);
    EXPECT_EQ(list.failedCount, 1);
    list.requestRefresh(RefreshLevel::Names);
    engine.refresh(list, settings);
    EXPECT_EQ(list.at(0).status, S::Ok);
}

// One folder named in two spellings is one folder: entries whose files
// would get the same path are duplicates, however the list names them.
TEST(NameEngine, DuplicatesAreFoundAcrossSpellingsOfOneFolder)
{
    test::TempFolder disk;
    const QString folder = disk.path();
    disk.write(u"sub/b.txt"_s);
    ASSERT_TRUE(QFile::link(folder, disk.file(u"link"_s)));
    const QString savedWorkingFolder = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder));

    // A remembered list whose folder line is the working folder, with one
    // bare name and others by their whole paths.
    FileList list = listOf({});
    list.currentFolder = u"./"_s;
    for (const QString &line :
         QStringList{u"x.txt"_s, folder + u"y.txt"_s, folder + u"./w.txt"_s,
                     disk.file(u"link/v.txt"_s), folder + u"sub/b.txt"_s,
                     folder + u"sub/../u.txt"_s, disk.file(u"elsewhere/t.txt"_s)}) {
        list.addPathLine(line, true);
    }
    NameEngine engine;
    // "sub/z.txt" for u.txt goes where the file of sub/ becomes "z.txt".
    const auto result = outcomes(engine, list, rules({}, u"<n=u:sub/>z.txt"_s));
    ASSERT_TRUE(QDir::setCurrent(savedWorkingFolder));

    EXPECT_EQ(result, (std::vector<Outcome>{{u"z.txt"_s, S::DuplicateName},
                                            {u"z.txt"_s, S::DuplicateName},
                                            {u"z.txt"_s, S::DuplicateName},
                                            {u"z.txt"_s, S::DuplicateName},
                                            {u"z.txt"_s, S::DuplicateName},
                                            {u"sub/z.txt"_s, S::DuplicateName},
                                            {u"z.txt"_s, S::Ok}}));
    EXPECT_EQ(list.readyCount, 1);
}

// Names as the system has them, where a backslash is a character (files
// unpacked from archives made on Windows), and the rules that act on them.
struct LiteralCase {
    const char *label;
    QString oldName;
    RenameSettings settings;
    Outcome expected;
};

void PrintTo(const LiteralCase &c, std::ostream *os)
{
    *os << c.label;
}

class BackslashInOldName : public testing::TestWithParam<LiteralCase> {};

TEST_P(BackslashInOldName, IsACharacterOfTheName)
{
    const LiteralCase &c = GetParam();
    NameEngine engine;
    FileList list = listOf({});
    list.addDroppedFiles({u"/fotos/"_s + c.oldName});
    ASSERT_EQ(list.at(0).oldName, c.oldName);
    EXPECT_EQ(outcomes(engine, list, c.settings).at(0), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BackslashInOldName,
    testing::Values(LiteralCase{"the default template keeps the name",
                                u"Fotos\\2019\\IMG_1.jpg"_s,
                                rules({}, u"*"_s),
                                {u"Fotos\\2019\\IMG_1.jpg"_s, S::Ok}},
                    LiteralCase{"name and extension tokens keep it",
                                u"notes\\todo.txt"_s,
                                rules({}, u"<n>.<e>"_s),
                                {u"notes\\todo.txt"_s, S::Ok}},
                    LiteralCase{"a backslash typed in the template is a folder",
                                u"notes\\todo.txt"_s,
                                rules({}, u"Archiv\\<n>.<e>"_s),
                                {u"Archiv/notes\\todo.txt"_s, S::Ok}},
                    LiteralCase{"so is a slash typed in the template",
                                u"notes\\todo.txt"_s,
                                rules({}, u"Archiv/<n>.<e>"_s),
                                {u"Archiv/notes\\todo.txt"_s, S::Ok}},
                    LiteralCase{"a date mask with a backslash makes folders",
                                u"a.txt"_s,
                                rules({}, u"<d%yyyy\\%mm>\\<n>.<e>"_s),
                                {u"2017/07/a.txt"_s, S::Ok}},
                    LiteralCase{"a search text finds the character",
                                u"Fotos\\2019\\IMG_1.jpg"_s,
                                withLists(rules({}, u"*"_s), u"/\\>_"_s, {}),
                                {u"Fotos_2019_IMG_1.jpg"_s, S::Ok}},
                    LiteralCase{"a backslash put in by a replacement is a folder",
                                u"a_b.txt"_s,
                                withLists(rules({}, u"*"_s), {}, u"_>\\"_s),
                                {u"a/b.txt"_s, S::Ok}},
                    LiteralCase{"a pattern matches the character",
                                u"notes\\todo.txt"_s,
                                rules(u"<<*>\\\\<*>>"_s, u"<n3>-<n2>.<e>"_s),
                                {u"todo-notes.txt"_s, S::Ok}},
                    LiteralCase{"a condition compares with the character",
                                u"notes\\todo.txt"_s,
                                rules({}, u"<n=notes\\todo:yes>.<e>"_s),
                                {u"yes.txt"_s, S::Ok}},
                    LiteralCase{"the extension is taken after the last dot, backslash or not",
                                u"a.b\\c"_s,
                                rules({}, u"<e>"_s),
                                {u"b\\c"_s, S::Ok}}),
    [](const testing::TestParamInfo<LiteralCase> &param) { return std::to_string(param.index); });

} // namespace
} // namespace namenswerk
