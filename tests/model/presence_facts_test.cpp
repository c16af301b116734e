#include "model/file_entry.h"
#include "model/presence_facts.h"
#include "tests/support/temp_folder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace namenswerk {
namespace {

using namespace Qt::StringLiterals;
using test::TempFolder;

// A folder with every kind of name a listing can report, and names it lacks.
class PresenceFacts : public testing::Test {
protected:
    PresenceFacts()
    {
        temp.write(u"bild.jpg"_s, "0123456789");
        temp.write(u"unter/datei.txt"_s);
        QDir().mkpath(temp.file(u"ordner"_s));
        QFile::link(temp.file(u"bild.jpg"_s), temp.file(u"verweis.jpg"_s));
        QFile::link(temp.file(u"weg.jpg"_s), temp.file(u"haltlos.jpg"_s));
        QFile::link(temp.file(u"ordner"_s), temp.file(u"ordnerverweis"_s));
    }

    TempFolder temp;
};

// Also with a folder listed ahead: the one asked about first, or another.
TEST_F(PresenceFacts, TellsWhatALookAtEachPathTells)
{
    const FactsReader readers[] = {presenceFactsReader(),
                                   presenceFactsReader(temp.file(u"bild.jpg"_s)),
                                   presenceFactsReader(temp.file(u"unter/datei.txt"_s))};
    const struct {
        QString name;
        std::int32_t size;
    } cases[] = {
        {u"bild.jpg"_s, 0},
        {u"unter/datei.txt"_s, 0},
        {u"ordner"_s, FileEntry::FolderSize},
        {u"verweis.jpg"_s, 0}, // a link counts as what it points to
        {u"haltlos.jpg"_s, FileEntry::MissingSize},
        {u"ordnerverweis"_s, FileEntry::FolderSize},
        {u"weg.jpg"_s, FileEntry::MissingSize},
        {u"BILD.JPG"_s, FileEntry::MissingSize}, // names are exact
        {u"fehlt/datei.txt"_s, FileEntry::MissingSize},
        {u"bild.jpg/datei.txt"_s, FileEntry::MissingSize},
        {u"unter/."_s, FileEntry::FolderSize},
        {u"unter/.."_s, FileEntry::FolderSize},
    };
    for (const auto &c : cases) {
        for (const FactsReader &presence : readers) {
            const QString path = temp.file(c.name);
            const FileFacts facts = presence(path);
            EXPECT_EQ(facts.fileSize64, c.size) << qPrintable(c.name);
            // Present or missing, file or folder: the same answer as a look at the path.
            const std::int32_t looked = basicFileFacts(path).fileSize64;
            EXPECT_EQ(facts.fileSize64 < 0, looked < 0) << qPrintable(c.name);
            EXPECT_EQ(facts.fileSize64 == FileEntry::FolderSize, looked == FileEntry::FolderSize)
                << qPrintable(c.name);
        }
    }
}

TEST_F(PresenceFacts, NamesWithoutAFolderAreInTheWorkingFolder)
{
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(temp.path()));
    for (const FactsReader &presence : {presenceFactsReader(), presenceFactsReader(u"weg.jpg"_s)}) {
        EXPECT_EQ(presence(u"bild.jpg"_s).fileSize64, 0);
        EXPECT_EQ(presence(u"weg.jpg"_s).fileSize64, FileEntry::MissingSize);
    }
    QDir::setCurrent(before);
}

} // namespace
} // namespace namenswerk
