#include "tests/docs/guide_example.h"

#include "engine/audio_tags.h"
#include "engine/name_engine.h"
#include "engine/value_separators.h"
#include "model/file_list.h"
#include "tests/support/audio_fixtures.h"
#include "tests/support/exif_photo.h"
#include "tests/support/temp_folder.h"

#include <QDateTime>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <tuple>

using namespace Qt::StringLiterals;

namespace namenswerk::test {

namespace {

using ColumnReader = std::function<QString(GuideExample &, const QStringList &values)>;

QString single(const QStringList &values, QString &into)
{
    if (values.size() != 1) {
        return u"one value expected"_s;
    }
    into = values.front();
    return {};
}

// The entries of the case-mode lists; the "Nur …" texts are shown while
// "Großbuchstaben umwandeln" is on.
QString readCaseMode(GuideExample &example, const QStringList &values, int &mode)
{
    static const std::map<QString, std::pair<int, bool>> modes{
        {u"Unverändert"_s, {0, false}},
        {u"Alles klein"_s, {1, false}},
        {u"Erstes Zeichen groß"_s, {2, false}},
        {u"Nur erstes Zeichen groß"_s, {2, true}},
        {u"Ersten Buchstaben groß"_s, {3, false}},
        {u"Nur ersten Buchstaben groß"_s, {3, true}},
        {u"Wortanfänge groß"_s, {4, false}},
        {u"Nur Wortanfänge groß"_s, {4, true}},
        {u"Alles groß"_s, {5, false}},
    };
    QString text;
    if (QString error = single(values, text); !error.isEmpty()) {
        return error;
    }
    const auto found = modes.find(text);
    if (found == modes.end()) {
        return u"unknown case mode '%1'"_s.arg(text);
    }
    mode = found->second.first;
    example.upper = example.upper || found->second.second;
    return {};
}

QString readOption(GuideExample &example, const QString &option)
{
    static const QRegularExpression counterStart(u"^counter starts at (\\d+)$"_s);
    static const QRegularExpression marked(u"^file (\\d+) (ignored|missing)$"_s);
    RenameSettings &s = example.settings;
    if (option == u"patterns case-sensitive") {
        s.regCase = true;
    } else if (option == u"search case-sensitive") {
        s.txtCase = true;
    } else if (option == u"first occurrence only") {
        s.txtAll = false;
    } else if (option == u"extension too") {
        s.txtName = false;
    } else if (option == u"Großbuchstaben umwandeln") {
        example.upper = true;
    } else if (const auto match = counterStart.match(option); match.hasMatch()) {
        example.counterStart = match.captured(1).toInt();
    } else if (const auto match = marked.match(option); match.hasMatch()) {
        auto &files = match.captured(2) == u"ignored" ? example.ignored : example.missing;
        files.push_back(match.captured(1).toInt() - 1);
    } else {
        return u"unknown option '%1'"_s.arg(option);
    }
    return {};
}

QString readOptions(GuideExample &example, const QStringList &values)
{
    for (const QString &value : values) {
        for (const QString &option : value.split(u',', Qt::SkipEmptyParts)) {
            if (QString error = readOption(example, option.trimmed()); !error.isEmpty()) {
                return error;
            }
        }
    }
    return {};
}

// "2016-03-07 14:05:09"
QString readFileTimes(GuideExample &example, const QStringList &values)
{
    for (const QString &value : values) {
        const QStringList parts = value.split(u' ');
        const QDateTime time(QDate::fromString(parts.value(0), Qt::ISODate),
                             QTime::fromString(parts.value(1), Qt::ISODate), Qt::UTC);
        if (parts.size() != 2 || !time.isValid()) {
            return u"bad file date '%1'"_s.arg(value);
        }
        example.fileTimes.push_back(time.toSecsSinceEpoch());
    }
    return {};
}

// "1920 × 1080"
QString readPictures(GuideExample &example, const QStringList &values)
{
    for (const QString &value : values) {
        const QStringList parts = value.split(u'×');
        bool width = false;
        bool height = false;
        example.pictures.emplace_back(parts.value(0).trimmed().toInt(&width),
                                      parts.value(1).trimmed().toInt(&height));
        if (parts.size() != 2 || !width || !height) {
            return u"bad picture size '%1'"_s.arg(value);
        }
    }
    return {};
}

// "2015-08-14 09:21:33", or "none" for a file that holds no capture date.
QString readCaptureDates(GuideExample &example, const QStringList &values)
{
    for (const QString &value : values) {
        if (value == u"none") {
            example.captureDates.emplace_back();
            continue;
        }
        const QDateTime time = QDateTime::fromString(value, u"yyyy-MM-dd HH:mm:ss"_s);
        if (!time.isValid()) {
            return u"bad capture date '%1'"_s.arg(value);
        }
        example.captureDates.push_back(time.toString(u"yyyy:MM:dd HH:mm:ss"_s).toLatin1());
    }
    return {};
}

// "artist=ABBA; title=Waterloo; track=3"; "(none)" for a file without tags.
QString readTags(GuideExample &example, const QStringList &values)
{
    for (const QString &value : values) {
        TagFields fields;
        for (const QString &pair : value.split(u"; "_s, Qt::SkipEmptyParts)) {
            const qsizetype equals = pair.indexOf(u'=');
            if (pair == u"(none)") {
                continue;
            }
            if (equals < 0 || !audioTagField(pair.left(equals))) {
                return u"bad tag '%1'"_s.arg(pair);
            }
            fields.emplace_back(pair.left(equals), pair.mid(equals + 1));
        }
        example.tags.push_back(fields);
    }
    return {};
}

// The file's own format, so that its name and its bytes agree.
QByteArray taggedFile(const QString &name, const TagFields &tags)
{
    if (name.endsWith(u".flac"_s)) {
        return flacWithVorbisComment(tags);
    }
    if (name.endsWith(u".ogg"_s)) {
        return oggVorbis(tags);
    }
    if (name.endsWith(u".m4a"_s)) {
        return m4a(tags);
    }
    return mp3WithId3v2(tags, 4);
}

const std::map<QString, ColumnReader> &columnReaders()
{
    static const auto text = [](QString RenameSettings::*field) -> ColumnReader {
        return
            [field](GuideExample &e, const QStringList &v) { return single(v, e.settings.*field); };
    };
    static const auto all = [](auto GuideExample::*field) -> ColumnReader {
        return [field](GuideExample &e, const QStringList &v) {
            e.*field = v;
            return QString();
        };
    };
    static const auto caseMode = [](int RenameSettings::*field) -> ColumnReader {
        return [field](GuideExample &e, const QStringList &v) {
            return readCaseMode(e, v, e.settings.*field);
        };
    };
    static const std::map<QString, ColumnReader> readers{
        {u"Old name"_s, all(&GuideExample::oldNames)},
        {u"Name pattern"_s, text(&RenameSettings::regFindname)},
        {u"Extension pattern"_s, text(&RenameSettings::regFindext)},
        {u"Template"_s, text(&RenameSettings::regReplace)},
        {u"Initial list"_s, text(&RenameSettings::txtFind)},
        {u"Final list"_s, text(&RenameSettings::txtReplace)},
        {u"Options"_s, readOptions},
        {u"Name case"_s, caseMode(&RenameSettings::filenameCase)},
        {u"Extension case"_s, caseMode(&RenameSettings::fileextCase)},
        {u"File date"_s, readFileTimes},
        {u"Picture"_s, readPictures},
        {u"Capture date"_s, readCaptureDates},
        {u"Tags"_s, readTags},
        {u"New name"_s, all(&GuideExample::newNames)},
        {u"Status"_s, all(&GuideExample::statuses)},
        {u"Trace"_s, all(&GuideExample::traces)},
        {u"Status line"_s,
         [](GuideExample &e, const QStringList &v) {
             e.statusLine.emplace();
             return single(v, *e.statusLine);
         }},
    };
    return readers;
}

// "Old names" reads as "Old name", and so on.
QString columnName(const QString &header)
{
    QString name = header;
    if (name.endsWith(u"names")) {
        name.chop(1);
    } else if (name == u"Statuses") {
        name = u"Status"_s;
    }
    return name;
}

// One value for every file, or a single value for all of them.
bool fitsFiles(std::size_t values, qsizetype files)
{
    return values <= 1 || static_cast<qsizetype>(values) == files;
}

QString checkShape(const GuideExample &example)
{
    const int files = static_cast<int>(example.oldNames.size());
    if (!fitsFiles(example.fileTimes.size(), files) || !fitsFiles(example.pictures.size(), files) ||
        !fitsFiles(example.captureDates.size(), files)) {
        return u"File date, Picture and Capture date need one value or one per file"_s;
    }
    if (!example.tags.empty() && static_cast<int>(example.tags.size()) != files) {
        return u"Tags needs one value per file"_s;
    }
    for (const auto &[values, column] :
         {std::pair{example.newNames, u"New name"_s}, std::pair{example.statuses, u"Status"_s},
          std::pair{example.traces, u"Trace"_s}}) {
        if (values && values->size() != files) {
            return u"%1 needs one value per file"_s.arg(column);
        }
    }
    for (const auto *positions : {&example.ignored, &example.missing}) {
        for (const int position : *positions) {
            if (position < 0 || position >= files) {
                return u"there is no file %1"_s.arg(position + 1);
            }
        }
    }
    return {};
}

template <typename T> const T &valueFor(const std::vector<T> &values, int file)
{
    return values.size() == 1 ? values.front() : values.at(static_cast<std::size_t>(file));
}

void applyFacts(FileEntry &entry, const GuideExample &example, int file)
{
    if (!example.fileTimes.empty()) {
        entry.fileTime = valueFor(example.fileTimes, file);
    }
    if (!example.pictures.empty()) {
        std::tie(entry.pictureWidth, entry.pictureHeight) = valueFor(example.pictures, file);
    }
}

// Capture dates are read from the files themselves: those examples run on
// real photos in a folder of their own.
void writePhotos(const GuideExample &example, const QString &folder)
{
    for (qsizetype file = 0; file < example.oldNames.size(); ++file) {
        const QByteArray &date = valueFor(example.captureDates, int(file));
        QFile photo(folder + example.oldNames[file]);
        if (!photo.open(QIODevice::WriteOnly) ||
            !photo.write(date.isEmpty() ? "no date inside" : jpegWithCaptureDate(date))) {
            ADD_FAILURE() << "cannot write " << photo.fileName().toStdString();
        }
    }
}

} // namespace

bool isExampleTable(const QStringList &header)
{
    return !header.isEmpty() && columnName(header.front()) == u"Old name";
}

std::optional<GuideExample> guideExample(const QStringList &header, const TableRow &row,
                                         QString &error)
{
    GuideExample example;
    example.where = u"%1 (line %2)"_s.arg(row.heading).arg(row.lineNumber);
    if (row.cells.size() != header.size()) {
        error = u"the row has %1 cells, the header %2"_s.arg(row.cells.size()).arg(header.size());
        return std::nullopt;
    }
    for (qsizetype column = 0; column < header.size(); ++column) {
        const auto reader = columnReaders().find(columnName(header[column]));
        if (reader == columnReaders().end()) {
            error = u"unknown column '%1'"_s.arg(header[column]);
            return std::nullopt;
        }
        error = reader->second(example, cellValues(row.cells[column]));
        if (!error.isEmpty()) {
            return std::nullopt;
        }
    }
    error = checkShape(example);
    return error.isEmpty() ? std::optional(example) : std::nullopt;
}

ExampleOutcome runExample(const GuideExample &example)
{
    // Every file exists, is 64 bytes long and was last changed on 7 March 2016 at 14:05:09.
    FileList list([](const QString &) { return FileFacts{1'457'359'509, 1, 0, 0}; });
    list.currentFolder = ExampleFolder;
    // Capture dates and tags are read from real files, which lie in a folder of their own.
    const TempFolder folder;
    if (!example.captureDates.empty() || !example.tags.empty()) {
        list.currentFolder = folder.path();
    }
    if (!example.captureDates.empty()) {
        writePhotos(example, folder.path());
    }
    if (!example.tags.empty()) {
        for (qsizetype file = 0; file < example.oldNames.size(); ++file) {
            folder.write(example.oldNames[file],
                         taggedFile(example.oldNames[file], example.tags[file]));
        }
    }
    // The guide's old names are names on disk, where a backslash is a character.
    for (const QString &name : example.oldNames) {
        list.addPathLine(lineFromPath(name), true);
    }
    for (int file = 0; file < list.count(); ++file) {
        applyFacts(list.at(file), example, file);
    }
    for (const int position : example.ignored) {
        list.at(position).ignored = true;
    }
    for (const int position : example.missing) {
        list.at(position).fileSize64 = FileEntry::MissingSize;
    }

    NameEngine engine;
    engine.upper = example.upper;
    engine.counterStart = example.counterStart;
    engine.setInputs(example.settings);
    list.requestRefresh(RefreshLevel::Names);
    engine.refresh(list, example.settings);

    ExampleOutcome outcome;
    for (int index = 0; index < list.count(); ++index) {
        const FileEntry &entry = list.at(index);
        // As the list shows them: a "/" from a tag as the character.
        outcome.newNames.append(withValueSeparatorsShown(entry.newName));
        outcome.statuses.append(statusText(entry.status));
        outcome.traces.append(withValueSeparatorsShown(list.nameTrace(index)));
    }
    outcome.statusLine = engine.summary();
    return outcome;
}

} // namespace namenswerk::test
