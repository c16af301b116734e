#include "engine/audio_tags.h"
#include "engine/name_engine.h"
#include "engine/taglib_device_stream.h"
#include "engine/value_separators.h"
#include "tests/engine/folder_engine.h"
#include "tests/support/audio_fixtures.h"
#include "tests/support/printers.h"
#include "tests/support/temp_folder.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <functional>

namespace namenswerk {

void PrintTo(const AudioTags &tags, std::ostream *out)
{
    for (int index = 0; index < AudioTagFieldCount; ++index) {
        const auto field = static_cast<AudioTagField>(index);
        *out << audioTagFieldName(field).toString().toStdString() << "="
             << tags.value(field).toStdString() << " ("
             << audioTagSourceText(tags.source(field)).toStdString() << ") ";
    }
}

namespace {

using namespace Qt::StringLiterals;
using test::TagFields;
using F = AudioTagField;
using S = AudioTagSource;

AudioTags readBytes(const QByteArray &bytes, const QString &fileName)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return audioTagsFromDevice(buffer, fileName);
}

const TagFields fullSet{
    {u"artist"_s, u"Motörhead"_s},
    {u"title"_s, u"Ace of Spades"_s},
    {u"album"_s, u"Ace of Spades"_s},
    {u"year"_s, u"1980"_s},
    {u"track"_s, u"1"_s},
    {u"genre"_s, u"Rock"_s},
    {u"comment"_s, u"Laut: sehr"_s},
};

// --- Reading every format --------------------------------------------------

struct FormatCase {
    const char *label;
    QString fileName;
    std::function<QByteArray(const TagFields &)> build;
    AudioTagSource source;
};

void PrintTo(const FormatCase &c, std::ostream *out)
{
    *out << c.label;
}

class AudioTagFormats : public testing::TestWithParam<FormatCase> {};

TEST_P(AudioTagFormats, ReadsEveryFieldFromTheFile)
{
    const FormatCase &c = GetParam();
    test::TempFolder folder;
    const QString path = folder.write(c.fileName, c.build(fullSet));
    const AudioTags tags = readAudioTags(path);
    for (const auto &[name, value] : fullSet) {
        const AudioTagField field = *audioTagField(name);
        EXPECT_EQ(tags.value(field), value) << name.toStdString();
        EXPECT_EQ(tags.source(field), c.source) << name.toStdString();
    }
    // The same bytes from memory, as the fuzzer reads them.
    EXPECT_EQ(readBytes(c.build(fullSet), c.fileName), tags);
}

TEST_P(AudioTagFormats, MissingTagsAreEmpty)
{
    const FormatCase &c = GetParam();
    const AudioTags tags = readBytes(c.build({{u"title"_s, u"Nur Titel"_s}}), c.fileName);
    EXPECT_EQ(tags.value(F::Title), u"Nur Titel"_s);
    for (const F field : {F::Artist, F::Album, F::Year, F::Track, F::Genre, F::Comment}) {
        EXPECT_EQ(tags.value(field), QString());
        EXPECT_EQ(tags.source(field), S::None);
    }
}

// Every cut of a file and every byte turned into its complement: nothing may
// crash, hang or read beyond the budget, whatever the library makes of it.
TEST_P(AudioTagFormats, SurvivesTruncatedAndDamagedFiles)
{
    const FormatCase &c = GetParam();
    const QByteArray whole = c.build(fullSet);
    for (qsizetype length = 0; length < whole.size(); length += 3) {
        readBytes(whole.left(length), c.fileName);
    }
    for (qsizetype at = 0; at < whole.size(); ++at) {
        QByteArray damaged = whole;
        damaged[at] = static_cast<char>(~damaged[at]);
        readBytes(damaged, c.fileName);
    }
}

INSTANTIATE_TEST_SUITE_P(
    , AudioTagFormats,
    testing::Values(FormatCase{"Id3v23", u"a.mp3"_s,
                               [](const TagFields &t) { return test::mp3WithId3v2(t, 3); },
                               S::Id3v2},
                    FormatCase{"Id3v24", u"a.mp3"_s,
                               [](const TagFields &t) { return test::mp3WithId3v2(t, 4); },
                               S::Id3v2},
                    FormatCase{"Flac", u"a.flac"_s, test::flacWithVorbisComment, S::XiphComment},
                    FormatCase{"OggVorbis", u"a.ogg"_s, test::oggVorbis, S::XiphComment},
                    FormatCase{"M4a", u"a.m4a"_s, test::m4a, S::Mp4}),
    [](const testing::TestParamInfo<FormatCase> &info) { return std::string(info.param.label); });

TEST(AudioTags, ReadsId3v1WithItsGenreNumber)
{
    const AudioTags tags = readBytes(test::mp3WithId3v1({{u"artist"_s, u"ABBA"_s},
                                                         {u"title"_s, u"Waterloo"_s},
                                                         {u"album"_s, u"Waterloo"_s},
                                                         {u"year"_s, u"1974"_s},
                                                         {u"track"_s, u"3"_s},
                                                         {u"genre"_s, u"13"_s},
                                                         {u"comment"_s, u"Brighton"_s}}),
                                     u"a.mp3"_s);
    EXPECT_EQ(tags.value(F::Artist), u"ABBA"_s);
    EXPECT_EQ(tags.value(F::Title), u"Waterloo"_s);
    EXPECT_EQ(tags.value(F::Year), u"1974"_s);
    EXPECT_EQ(tags.value(F::Track), u"3"_s);
    EXPECT_EQ(tags.value(F::Genre), u"Pop"_s);
    EXPECT_EQ(tags.value(F::Comment), u"Brighton"_s);
    EXPECT_EQ(tags.source(F::Artist), S::Id3v1);
}

TEST(AudioTags, Id3v2WinsOverId3v1FieldByField)
{
    QByteArray both = test::mp3WithId3v2({{u"title"_s, u"Neu"_s}}, 4);
    const QByteArray v1 = test::mp3WithId3v1({{u"title"_s, u"Alt"_s}, {u"artist"_s, u"Alt"_s}});
    both += v1.right(128);
    const AudioTags tags = readBytes(both, u"a.mp3"_s);
    EXPECT_EQ(tags.value(F::Title), u"Neu"_s);
    EXPECT_EQ(tags.source(F::Title), S::Id3v2);
    EXPECT_EQ(tags.value(F::Artist), u"Alt"_s);
    EXPECT_EQ(tags.source(F::Artist), S::Id3v1);
}

TEST(AudioTags, FilesThatHoldNoTagsGiveNone)
{
    test::TempFolder folder;
    for (const auto &[name, bytes] : std::initializer_list<std::pair<QString, QByteArray>>{
             {u"notes.txt"_s, "just text"},
             {u"empty.mp3"_s, {}},
             {u"noise.ogg"_s, QByteArray(5000, '\xFF')},
             {u"zeros.flac"_s, QByteArray(5000, '\0')},
             {u"box.m4a"_s, QByteArray("\0\0\0\x08moov", 8)}}) {
        EXPECT_EQ(readAudioTags(folder.write(name, bytes)), AudioTags{}) << name.toStdString();
    }
    EXPECT_EQ(readAudioTags(folder.file(u"missing.mp3"_s)), AudioTags{});
    EXPECT_EQ(readAudioTags(folder.path()), AudioTags{});
}

TEST(AudioTags, KnowsTheFormatByItsBytesWhateverTheName)
{
    const QByteArray mp3 = test::mp3WithId3v2({{u"artist"_s, u"Ohne Endung"_s}}, 4);
    EXPECT_EQ(readBytes(mp3, u"track"_s).value(F::Artist), u"Ohne Endung"_s);
    EXPECT_EQ(readBytes(mp3, u"track.dat"_s).value(F::Artist), u"Ohne Endung"_s);
}

TEST(AudioTags, HostileSizesAreNotBelieved)
{
    // Sizes far beyond the file: the reader gets only the bytes that exist.
    QByteArray id3 = test::mp3WithId3v2(fullSet, 4);
    id3.replace(6, 4, QByteArray("\x7F\x7F\x7F\x7F", 4)); // a tag of 256 MB
    readBytes(id3, u"a.mp3"_s);
    QByteArray flac = test::flacWithVorbisComment(fullSet);
    flac.replace(47, 3, QByteArray("\xFF\xFF\xFF", 3)); // a comment block of 16 MB
    readBytes(flac, u"a.flac"_s);
    QByteArray mp4 = test::m4a(fullSet);
    mp4.replace(mp4.indexOf("moov") - 4, 4, QByteArray("\0\0\0\1", 4)); // 64-bit size follows
    readBytes(mp4, u"a.m4a"_s);
    QByteArray ogg = test::oggVorbis(fullSet);
    ogg[26] = '\xFF'; // 255 segments announced
    readBytes(ogg, u"a.ogg"_s);
}

TEST(AudioTags, LongValuesAreCutFarBeyondAnyName)
{
    const QString longTitle(5000, u'x');
    const AudioTags tags = readBytes(test::mp3WithId3v2({{u"title"_s, longTitle}}, 4), u"a.mp3"_s);
    EXPECT_EQ(tags.value(F::Title), longTitle.left(MaxTagValueLength));
}

TEST(AudioTags, FieldNamesInAnyCase)
{
    EXPECT_EQ(audioTagField(u"Artist"), F::Artist);
    EXPECT_EQ(audioTagField(u"TRACK"), F::Track);
    EXPECT_EQ(audioTagField(u"comment"), F::Comment);
    EXPECT_EQ(audioTagField(u"artists"), std::nullopt);
    EXPECT_EQ(audioTagField(u""), std::nullopt);
}

TEST(TagLibDeviceStream, StopsAtItsBudget)
{
    QBuffer buffer;
    buffer.setData(QByteArray(1000, 'a'));
    buffer.open(QIODevice::ReadOnly);
    TagLibDeviceStream stream(buffer, "a.mp3", 100);
    EXPECT_EQ(stream.length(), 1000);
    EXPECT_EQ(stream.readBlock(60).size(), 60U);
    EXPECT_EQ(stream.readBlock(60).size(), 40U);
    EXPECT_EQ(stream.readBlock(60).size(), 0U);
    EXPECT_EQ(stream.bytesRead(), 100);
}

TEST(TagLibDeviceStream, ReadsOnlyWhatTheDeviceHolds)
{
    QBuffer buffer;
    buffer.setData(QByteArray("abcdef"));
    buffer.open(QIODevice::ReadOnly);
    TagLibDeviceStream stream(buffer, "a.mp3", MaxTagBytesRead);
    stream.seek(-2, TagLib::IOStream::End);
    EXPECT_EQ(stream.tell(), 4);
    EXPECT_EQ(stream.readBlock(4'000'000'000UL), TagLib::ByteVector("ef"));
    stream.seek(100, TagLib::IOStream::Current);
    EXPECT_EQ(stream.readBlock(10).size(), 0U);
    stream.seek(-50, TagLib::IOStream::Beginning);
    EXPECT_EQ(stream.tell(), 0);
    stream.seek(LONG_MAX, TagLib::IOStream::End); // no overflow
    EXPECT_EQ(stream.readBlock(10).size(), 0U);
}

// --- The tokens in the engine ------------------------------------------------

using Music = test::FolderEngine;

struct TokenCase {
    QString templateText;
    QString expected;
};

void PrintTo(const TokenCase &c, std::ostream *out)
{
    *out << c.templateText.toStdString();
}

class AudioTagTemplates : public testing::TestWithParam<TokenCase> {};

TEST_P(AudioTagTemplates, NameTheFile)
{
    Music music(GetParam().templateText);
    music.add(u"01.mp3"_s, test::mp3WithId3v2({{u"artist"_s, u"ABBA"_s},
                                               {u"title"_s, u"Waterloo"_s},
                                               {u"track"_s, u"3"_s},
                                               {u"year"_s, u"1974"_s},
                                               {u"genre"_s, u"Pop"_s}},
                                              4));
    EXPECT_EQ(music.names(), QStringList{GetParam().expected});
    EXPECT_EQ(music.list.at(0).status, EntryStatus::Ok);
}

INSTANTIATE_TEST_SUITE_P(
    , AudioTagTemplates,
    testing::Values(
        TokenCase{u"<m:artist> - <m2:track> - <m:title>.<e>"_s, u"ABBA - 03 - Waterloo.mp3"_s},
        TokenCase{u"<M:ARTIST>_<m:track>.<e>"_s, u"ABBA_3.mp3"_s},
        TokenCase{u"<m5:track> <m3:year>.<e>"_s, u"00003 1974.mp3"_s}, // never cut
        TokenCase{u"<m:title> [<m:album>]<m:comment>.<e>"_s, u"Waterloo [].mp3"_s},
        TokenCase{u"<m:album=:Ohne Album><m:album> - <m:title>.<e>"_s,
                  u"Ohne Album - Waterloo.mp3"_s},
        TokenCase{u"<m:artist=*:mit Interpret>.<e>"_s, u"mit Interpret.mp3"_s},
        TokenCase{u"<m:genre=Pop:Pop/><m:genre=Rock:Rock/><m:title>.<e>"_s, u"Pop/Waterloo.mp3"_s},
        TokenCase{u"<m2:track=03:drei><m:track=03:nie>.<e>"_s, u"drei.mp3"_s},
        TokenCase{u"<m:artist=abba:x><n>.<e>"_s, u"01.mp3"_s}));

TEST(AudioTagTokens, TraceShowsValueAndSource)
{
    Music music(u"<m:artist><m:album><m:album=:-><m:title=x:y>.<e>"_s);
    music.add(u"a.flac"_s, test::flacWithVorbisComment({{u"artist"_s, u"Nena"_s}}));
    music.names();
    EXPECT_EQ(
        music.list.nameTrace(0),
        u"<M:artist>=Nena (Vorbis-Kommentar) <M:album>= (kein Tag) <M:album?>=- '.' <E>=flac"_s);
}

TEST(AudioTagTokens, SeparatorsInTagsStayCharactersOfTheName)
{
    Music music(u"<m:artist> - <m:title>.<e>"_s);
    music.add(u"a.mp3"_s,
              test::mp3WithId3v2({{u"artist"_s, u"AC/DC"_s}, {u"title"_s, u"T.N.T."_s}}, 4));
    music.add(u"b.mp3"_s,
              test::mp3WithId3v2({{u"artist"_s, u"Back\\Slash"_s}, {u"title"_s, u"x"_s}}, 3));
    music.add(u"c.mp3"_s, test::mp3WithId3v2({{u"artist"_s, u"Wer?"_s}, {u"title"_s, u"x"_s}}, 3));
    const QStringList names = music.names();
    // No folder "AC": the name stays in the file's own folder, shown as typed
    // in the tag, and cannot be used until a rule mends it.
    EXPECT_EQ(folderPart(names[0]), QString());
    EXPECT_EQ(withValueSeparatorsShown(names[0]), u"AC/DC - T.N.T.mp3"_s);
    EXPECT_EQ(withValueSeparatorsShown(names[1]), u"Back\\Slash - x.mp3"_s);
    EXPECT_EQ(folderPart(names[1]), QString());
    for (int entry = 0; entry < 3; ++entry) {
        EXPECT_EQ(music.list.at(entry).status, EntryStatus::InvalidName) << entry;
    }
}

TEST(AudioTagTokens, TheFinalListMendsSeparatorsFromTags)
{
    Music music(u"<m:artist>/<m:title>.<e>"_s);
    music.settings.txtReplace = u"//>-|\\\\>+|?>"_s; // "/" becomes "-", "\" becomes "+", "?" goes
    music.add(u"a.mp3"_s,
              test::mp3WithId3v2({{u"artist"_s, u"AC/DC"_s}, {u"title"_s, u"Wer\\Was?"_s}}, 4));
    // The folder separator of the template is mended too: the rule is the
    // user's, and it says every "/".
    EXPECT_EQ(music.names(), QStringList{u"AC-DC-Wer+Was.mp3"_s});
    EXPECT_EQ(music.list.at(0).status, EntryStatus::Ok);
}

TEST(AudioTagTokens, ReadEachFileOnceUntilItChangesOrRefresh)
{
    Music music(u"<m:title><m:artist>"_s);
    music.add(u"a.mp3"_s, test::mp3WithId3v2({{u"title"_s, u"Eins"_s}}, 4));
    EXPECT_EQ(music.names(), QStringList{u"Eins"_s});
    // Same size and time on disk, other content: the cached tags stay, so
    // the file was not read again.
    music.rewriteUnnoticed(u"a.mp3"_s, test::mp3WithId3v2({{u"title"_s, u"Zwei"_s}}, 4));
    EXPECT_EQ(music.names(), QStringList{u"Eins"_s});
    EXPECT_EQ(music.engine.audioTags().size(), 1);
    music.engine.forgetFileContents(); // Ctrl+R
    EXPECT_EQ(music.names(), QStringList{u"Zwei"_s});
}

TEST(AudioTagTokens, TemplatesWithoutThemReadNothing)
{
    Music music(u"<n>-<a%yyyy>.<e>"_s);
    music.add(u"a.mp3"_s, test::mp3WithId3v2({{u"title"_s, u"Eins"_s}}, 4));
    music.names();
    EXPECT_EQ(music.engine.audioTags().size(), 0);
}

} // namespace
} // namespace namenswerk
