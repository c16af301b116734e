#include "app/batch/plan_output.h"
#include "rename/local_clock.h"
#include "rename/recovery_record.h"
#include "rename/run_questions.h"
#include "settings/list_file.h"
#include "tests/faults/disk_manifest.h"
#include "tests/rename/run_fixture.h"
#include "tests/support/printers.h"

#include <QProcess>
#include <QStringDecoder>

#include <gtest/gtest.h>

#include <algorithm>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;
using test::DiskManifest;

// A plan field read back: the escapes of the printer undone.
QString unescapedField(QStringView field)
{
    QString text;
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field.at(i) != u'\\' || i + 1 == field.size()) {
            text += field.at(i);
            continue;
        }
        const QChar escaped = field.at(++i);
        if (escaped == u'x' || escaped == u'u') {
            const qsizetype digits = escaped == u'x' ? 2 : 4;
            text += QChar(field.mid(i + 1, digits).toUShort(nullptr, 16));
            i += digits;
            continue;
        }
        text += escaped == u't'   ? u'\t'
                : escaped == u'n' ? u'\n'
                : escaped == u'r' ? u'\r'
                                  : escaped;
    }
    return text;
}

// What a terminal or a line-based reader would act on instead of showing it.
bool isControl(QChar c)
{
    const char16_t code = c.unicode();
    return code < 0x20 || (code >= 0x7F && code <= 0x9F) || code == 0x2028 || code == 0x2029;
}

// Every entry must come back from the plan as one line of five fields with
// its own path and new name.
void expectOneLinePerEntry(const FileList &list)
{
    const QStringList lines = QString::fromUtf8(batch::planAsTabSeparated(list)).split(u'\n');
    ASSERT_EQ(lines.size(), list.count() + 2); // the header, and nothing after the last line end
    EXPECT_TRUE(lines.back().isEmpty());
    for (int index = 0; index < list.count(); ++index) {
        const QString &line = lines.at(index + 1);
        EXPECT_TRUE(std::none_of(line.begin(), line.end(), [](QChar c) {
            return c != u'\t' && isControl(c);
        })) << line.toStdString();
        const QStringList fields = line.split(u'\t');
        ASSERT_EQ(fields.size(), 5) << line.toStdString();
        EXPECT_EQ(fields.at(0), QString::number(index + 1));
        EXPECT_EQ(unescapedField(fields.at(1)), list.fullPath(index));
        EXPECT_EQ(unescapedField(fields.at(2)), list.at(index).newName);
        EXPECT_EQ(fields.at(3), QString::number(int(list.at(index).status)));
    }
}

// Names whose bytes are no UTF-8 reach the program as every Qt program gets
// them, with the undecodable bytes turned into U+FFFD. Such a name cannot be
// told from another file's: the program shows it readably and leaves it
// alone, even where a file with a real U+FFFD in its name would answer.
TEST(HostileNames, NamesThatAreNoUtf8AreShownAndLeftAlone)
{
    test::RunFixture run;
    const QString folder = run.files.path();
    const test::RawNamesRemover remover(folder);
    const std::vector<QByteArray> dropped{"caf\xE9.txt", "b\xFF\xFE.txt", "plain.txt"};
    for (const QByteArray &name : dropped) {
        ASSERT_TRUE(test::writeRawFile(folder, name, "content of " + name));
    }
    // What the lossy reading of "b\xFF\xFE.txt" gives, as a real name.
    ASSERT_TRUE(test::writeRawFile(folder, "b\xEF\xBF\xBD\xEF\xBF\xBD.txt", "someone else's"));
    QStringList paths;
    for (const QByteArray &name : dropped) {
        paths << QFile::decodeName(QFile::encodeName(folder) + name);
    }
    run.list.addDroppedFiles(paths);
    const DiskManifest before = test::diskManifest(folder);
    run.compute(u"neu_<n>.<e>"_s);

    EXPECT_EQ(run.list.at(0).oldName, u"caf\uFFFD.txt"_s);
    expectOneLinePerEntry(run.list);
    const QByteArray plan = batch::planAsTabSeparated(run.list);
    QStringDecoder strictUtf8(QStringConverter::Utf8);
    strictUtf8.decode(plan);
    EXPECT_FALSE(strictUtf8.hasError());

    const RunResult result = run.run();
    EXPECT_EQ(result.renamed, 1);
    EXPECT_EQ(run.list.at(0).status, EntryStatus::Unavailable); // no file has the shown name
    EXPECT_EQ(run.list.at(1).status, EntryStatus::RenameFailed);
    EXPECT_EQ(run.list.at(2).status, EntryStatus::Renamed);
    DiskManifest expected = before;
    expected["neu_plain.txt"] = expected.at("plain.txt");
    expected.erase("plain.txt");
    EXPECT_EQ(test::diskManifest(folder), expected);
}

struct LongNameCase {
    const char *label;
    QByteArray oldName;
    QString templateText;
    QByteArray newName; // empty: the rename must fail and leave the file
};

// 255 bytes is the longest name the file systems take: a new name of that
// length is given, a longer one fails with status 13 and touches nothing.
TEST(HostileNames, NamesOfTheLongestLengthAreRenamedOrLeftWhole)
{
    const QByteArray longAscii = QByteArray(251, 'x') + ".txt";
    const QByteArray longUmlauts = QString(125, u'ü').toUtf8() + ".txt"; // 254 bytes
    const std::vector<LongNameCase> cases{
        {"to 255 bytes", "s.txt", u"<n>"_s + QString(250, u'z') + u".<e>"_s,
         "s" + QByteArray(250, 'z') + ".txt"},
        {"from 255 bytes", longAscii, u"kurz.<e>"_s, "kurz.txt"},
        {"255 bytes grown to 257", longAscii, u"y_<n>.<e>"_s, {}},
        {"254 bytes of umlauts grown to 256", longUmlauts, u"<n>\u00e9.<e>"_s, {}},
    };
    for (const LongNameCase &c : cases) {
        SCOPED_TRACE(c.label);
        test::RunFixture run;
        ASSERT_TRUE(test::writeRawFile(run.files.path(), c.oldName, "long " + c.oldName));
        run.list.addPathLine(QString::fromUtf8(c.oldName), true);
        const DiskManifest before = test::diskManifest(run.files.path());
        run.compute(c.templateText);
        ASSERT_EQ(run.list.at(0).status, EntryStatus::Ok);
        expectOneLinePerEntry(run.list);

        run.run();
        DiskManifest expected = before;
        if (!c.newName.isEmpty()) {
            EXPECT_EQ(run.list.at(0).status, EntryStatus::Renamed);
            expected.emplace(c.newName, before.at(c.oldName));
            expected.erase(c.oldName);
        } else {
            EXPECT_EQ(run.list.at(0).status, EntryStatus::RenameFailed);
        }
        EXPECT_EQ(test::diskManifest(run.files.path()), expected);
    }
}

// Line breaks, tabs, leading dashes and blanks are ordinary bytes of a name:
// the engine gives each its new name, those with control characters are
// refused as new names, the others are renamed exactly; the plan stays one
// line per entry and the list file keeps every name it can keep on one line.
TEST(HostileNames, ControlCharactersDashesAndBlanksBreakNoOutput)
{
    const QStringList names{u"a\nb.txt"_s,     u"c\td.txt"_s,     u"e\rf.txt"_s, u"g\x1b[2Jh.txt"_s,
                            u"i\u2028j.txt"_s, u"k\u0085l.txt"_s, u"-rf.txt"_s,  u"--template"_s,
                            u" lead.txt"_s,    u"trail .txt "_s,  u" "_s};
    test::RunFixture run;
    run.addFiles(names);
    const DiskManifest before = test::diskManifest(run.files.path());
    run.compute(u"neu_<n>.<e>"_s);
    run.requester.add(AnswerRename); // some of the names have no extension to keep
    expectOneLinePerEntry(run.list);
    for (const FileEntry &entry : run.list.entries()) {
        const bool control = std::any_of(entry.oldName.begin(), entry.oldName.end(),
                                         [](QChar c) { return c.unicode() < 0x20; });
        EXPECT_EQ(entry.status, control ? EntryStatus::InvalidName : EntryStatus::Ok)
            << entry.oldName.toStdString();
    }

    const QString listPath = run.settingsFolder.file(u"liste.lst"_s);
    ASSERT_TRUE(writeListFile(run.list, listPath, true));
    FileList reread;
    readListFile(reread, listPath, true, 100);
    QStringList rereadNames;
    for (const FileEntry &entry : reread.entries()) {
        rereadNames << entry.oldName;
    }
    QStringList oneLineNames = names;
    oneLineNames.removeIf(
        [](const QString &name) { return name.contains(u'\n') || name.contains(u'\r'); });
    EXPECT_EQ(rereadNames, oneLineNames);
    EXPECT_EQ(reread.currentFolder, run.list.currentFolder);

    const RunResult result = run.run();
    EXPECT_EQ(result.renamed, run.list.count() - 4);
    expectOneLinePerEntry(run.list);
    DiskManifest expected = before;
    for (const FileEntry &entry : run.list.entries()) {
        if (entry.status == EntryStatus::Renamed) {
            const QByteArray oldName = entry.oldName.toUtf8();
            expected.emplace(entry.newName.toUtf8(), before.at(oldName));
            expected.erase(oldName);
        }
    }
    EXPECT_EQ(test::diskManifest(run.files.path()), expected);
}

} // namespace
} // namespace namenswerk

namespace namenswerk {
namespace {

// The record keeps one line per name and its folder on the line of "00000":
// a folder with a line break in its name cannot be recorded, and with a blank
// in its place undo would rename the files of another folder. Its files are
// not renamed; files of other folders, recorded by their whole paths, are.
TEST(HostileNames, AFolderWithALineBreakIsNotRenamedIn)
{
    test::RunFixture run;
    const QString broken = run.files.file(u"a\nb"_s) + u'/';
    const QString blank = run.files.file(u"a b"_s) + u'/';
    const QString plain = run.files.file(u"c"_s) + u'/';
    for (const QString &folder : {broken, blank, plain}) {
        run.files.write(folder.sliced(run.files.path().size()) + u"x.txt"_s, folder.toUtf8());
    }
    const DiskManifest before = test::diskManifest(blank);
    run.list.addDroppedFiles({broken + u"x.txt"_s, plain + u"x.txt"_s});
    run.compute(u"y.<e>"_s);
    ASSERT_EQ(run.statuses(), (std::vector{EntryStatus::Ok, EntryStatus::Ok}));

    const RunResult result = run.run();

    EXPECT_EQ(run.statuses(), (std::vector{EntryStatus::RenameFailed, EntryStatus::Renamed}));
    EXPECT_EQ(result.failed, 1);
    EXPECT_EQ(test::RunFixture::filesBelow(broken), QStringList{u"x.txt"_s});
    EXPECT_EQ(test::RunFixture::filesBelow(plain), QStringList{u"y.txt"_s});
    EXPECT_EQ(readRecoveryRecord(run.settingsFolder.path()).pairs,
              (std::vector{RenamedPair{plain + u"x.txt"_s, plain + u"y.txt"_s}}));

    run.files.write(u"a b/y.txt"_s, "decoy");
    run.requester.add(AnswerYes);
    EXPECT_EQ(run.undo(currentLocalSeconds()).restored, 1);
    EXPECT_EQ(test::RunFixture::filesBelow(plain), QStringList{u"x.txt"_s});
    EXPECT_EQ(test::RunFixture::filesBelow(broken), QStringList{u"x.txt"_s});
    DiskManifest blankAfter = before;
    blankAfter.emplace("y.txt", test::contentHash("decoy"));
    EXPECT_EQ(test::diskManifest(blank), blankAfter);
}

// Here a backslash is an ordinary character of a file name (files unpacked
// from archives made on Windows have them). Such a name is kept through the
// new name, the run, its record, undo and the list file, and never stands for
// a file in a subfolder; only the rules' separators make folders.
TEST(HostileNames, BackslashesInNamesAreKeptThroughRunRecordUndoAndListFile)
{
    test::RunFixture run;
    const QStringList names{u"Fotos\\2019\\IMG_1.jpg"_s, u"notes\\todo.txt"_s};
    for (const QString &name : names) {
        run.files.write(name, name.toUtf8());
    }
    run.files.write(u"notes/todo.txt"_s, "in the subfolder");
    const DiskManifest before = test::diskManifest(run.files.path());
    run.list.addDroppedFiles({run.files.file(names[0]), run.files.file(names[1])});

    run.compute(u"*"_s);
    EXPECT_EQ(run.list.at(0).newName, names[0]);
    EXPECT_EQ(run.list.at(1).newName, names[1]);
    run.compute(u"Archiv\\<n>_neu.<e>"_s);
    ASSERT_EQ(run.statuses(), (std::vector{EntryStatus::Ok, EntryStatus::Ok}));
    EXPECT_EQ(run.list.at(0).newName, u"Archiv/Fotos\\2019\\IMG_1_neu.jpg"_s);

    const QString listPath = run.settingsFolder.file(u"liste.lst"_s);
    ASSERT_TRUE(writeListFile(run.list, listPath, true));
    FileList reread;
    readListFile(reread, listPath, true, 10);
    ASSERT_EQ(reread.count(), 2);
    EXPECT_EQ(reread.currentFolder, run.list.currentFolder);
    EXPECT_EQ(reread.at(0).oldName, names[0]);
    EXPECT_EQ(reread.at(1).oldName, names[1]);
    EXPECT_EQ(reread.at(1).fileSize64, 0); // found: the file itself, not the one in notes/

    run.requester.add(AnswerYes); // create "Archiv"
    const RunResult result = run.run();
    EXPECT_EQ(result.renamed, 2);
    EXPECT_EQ(test::RunFixture::filesBelow(run.files.path()),
              (QStringList{u"Archiv/Fotos\\2019\\IMG_1_neu.jpg"_s, u"Archiv/notes\\todo_neu.txt"_s,
                           u"notes/todo.txt"_s}));
    EXPECT_EQ(run.files.read(u"notes/todo.txt"_s), "in the subfolder");
    EXPECT_EQ(readRecoveryRecord(run.settingsFolder.path()).pairs,
              (std::vector{RenamedPair{names[0], u"Archiv/Fotos\\2019\\IMG_1_neu.jpg"_s},
                           RenamedPair{names[1], u"Archiv/notes\\todo_neu.txt"_s}}));

    run.requester.add(AnswerYes);
    EXPECT_EQ(run.undo(currentLocalSeconds()).restored, 2);
    DiskManifest expected = before;
    expected.emplace("Archiv", QByteArray()); // the folder the run made stays
    EXPECT_EQ(test::diskManifest(run.files.path()), expected);
}

} // namespace
} // namespace namenswerk

namespace namenswerk {
namespace {

// The batch command gets its names as bytes from the shell: a name that is no
// UTF-8 and names that look like options (after "--") each get one line of
// valid text, and only the names that reach the disk exactly are ready.
TEST(HostileNames, TheBatchCommandPrintsEachHostileArgumentOnOneLine)
{
    test::TempFolder files;
    const test::RawNamesRemover remover(files.path());
    files.write(u"cfg/.keep"_s);
    for (const char *name : {"caf\xE9.txt", "-rf.txt", "--template", " lead.txt"}) {
        ASSERT_TRUE(test::writeRawFile(files.path(), name, name));
    }
    QProcess shell;
    shell.setWorkingDirectory(files.path());
    shell.start(u"/bin/sh"_s, {u"-c"_s,
                               u"exec \"$0\" --settings cfg --template 'neu_<n>.<e>' -- "
                               "\"$(printf 'caf\\351.txt')\" -rf.txt --template ' lead.txt'"_s,
                               QStringLiteral(NAMENSWERK_BATCH_EXECUTABLE)});
    ASSERT_TRUE(shell.waitForFinished(60'000));
    ASSERT_EQ(shell.exitCode(), 0) << shell.readAllStandardError().toStdString();
    QStringDecoder strictUtf8(QStringConverter::Utf8);
    const QString out = strictUtf8.decode(shell.readAllStandardOutput());
    EXPECT_FALSE(strictUtf8.hasError());

    QStringList lines = out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5) << out.toStdString();
    lines.removeFirst();
    QStringList namesAndStatuses;
    for (const QString &line : lines) {
        const QStringList fields = line.split(u'\t');
        ASSERT_EQ(fields.size(), 5) << line.toStdString();
        namesAndStatuses << fields.at(1).mid(files.path().size()) + u'|' + fields.at(2) + u'|' +
                                fields.at(3);
    }
    EXPECT_EQ(namesAndStatuses,
              (QStringList{u"caf\uFFFD.txt|neu_caf\uFFFD.txt|8"_s, u"-rf.txt|neu_-rf.txt|9"_s,
                           u"--template|neu_--template|9"_s, u" lead.txt|neu_ lead.txt|9"_s}));
}

} // namespace
} // namespace namenswerk
