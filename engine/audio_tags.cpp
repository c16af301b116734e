// Audio tags through TagLib. The library knows the formats; this file only
// hands it the bytes through a bounded stream, asks for the tags and never
// for the audio properties (which would read much more of the file), and
// turns what it finds into plain texts with the tag each came from.

#include "engine/audio_tags.h"

#include "engine/taglib_device_stream.h"
#include "platform/regular_file.h"

#include <QFile>

#include <array>
#include <taglib/apefile.h>
#include <taglib/apetag.h>
#include <taglib/asftag.h>
#include <taglib/fileref.h>
#include <taglib/flacfile.h>
#include <taglib/id3v1tag.h>
#include <taglib/id3v2tag.h>
#include <taglib/infotag.h>
#include <taglib/mp4tag.h>
#include <taglib/mpcfile.h>
#include <taglib/mpegfile.h>
#include <taglib/trueaudiofile.h>
#include <taglib/wavfile.h>
#include <taglib/wavpackfile.h>
#include <taglib/xiphcomment.h>
#include <utility>
#include <vector>

namespace namenswerk {

namespace {

constexpr std::array<const char16_t *, AudioTagFieldCount> FieldNames{
    u"artist", u"title", u"album", u"year", u"track", u"genre", u"comment"};

// The tags of one file, the one that wins first: the order in which the tag
// library itself merges them.
using TagList = std::vector<std::pair<TagLib::Tag *, AudioTagSource>>;

AudioTagSource sourceOf(TagLib::Tag *tag)
{
    if (dynamic_cast<TagLib::Ogg::XiphComment *>(tag) != nullptr) {
        return AudioTagSource::XiphComment;
    }
    if (dynamic_cast<TagLib::MP4::Tag *>(tag) != nullptr) {
        return AudioTagSource::Mp4;
    }
    if (dynamic_cast<TagLib::ASF::Tag *>(tag) != nullptr) {
        return AudioTagSource::Asf;
    }
    if (dynamic_cast<TagLib::ID3v2::Tag *>(tag) != nullptr) {
        return AudioTagSource::Id3v2;
    }
    if (dynamic_cast<TagLib::APE::Tag *>(tag) != nullptr) {
        return AudioTagSource::Ape;
    }
    if (dynamic_cast<TagLib::ID3v1::Tag *>(tag) != nullptr) {
        return AudioTagSource::Id3v1;
    }
    return AudioTagSource::Other;
}

// Formats that may carry several kinds of tag at once; one kind or a merged
// view otherwise.
template <typename File> TagList apeAndId3v1(File *file)
{
    return {{file->APETag(), AudioTagSource::Ape}, {file->ID3v1Tag(), AudioTagSource::Id3v1}};
}

TagList tagsOf(TagLib::File &file)
{
    using namespace TagLib;
    if (auto *mpeg = dynamic_cast<MPEG::File *>(&file)) {
        return {{mpeg->ID3v2Tag(), AudioTagSource::Id3v2},
                {mpeg->APETag(), AudioTagSource::Ape},
                {mpeg->ID3v1Tag(), AudioTagSource::Id3v1}};
    }
    if (auto *flac = dynamic_cast<FLAC::File *>(&file)) {
        return {{flac->xiphComment(), AudioTagSource::XiphComment},
                {flac->ID3v2Tag(), AudioTagSource::Id3v2},
                {flac->ID3v1Tag(), AudioTagSource::Id3v1}};
    }
    if (auto *wav = dynamic_cast<RIFF::WAV::File *>(&file)) {
        return {{wav->ID3v2Tag(), AudioTagSource::Id3v2},
                {wav->InfoTag(), AudioTagSource::RiffInfo}};
    }
    if (auto *tta = dynamic_cast<TrueAudio::File *>(&file)) {
        return {{tta->ID3v2Tag(), AudioTagSource::Id3v2}, {tta->ID3v1Tag(), AudioTagSource::Id3v1}};
    }
    if (auto *ape = dynamic_cast<APE::File *>(&file)) {
        return apeAndId3v1(ape);
    }
    if (auto *wavPack = dynamic_cast<WavPack::File *>(&file)) {
        return apeAndId3v1(wavPack);
    }
    if (auto *mpc = dynamic_cast<MPC::File *>(&file)) {
        return apeAndId3v1(mpc);
    }
    return {{file.tag(), sourceOf(file.tag())}};
}

QString text(const TagLib::String &value)
{
    QString result = QString::fromStdString(value.to8Bit(true));
    if (result.size() > MaxTagValueLength) {
        qsizetype kept = MaxTagValueLength;
        if (result.at(kept - 1).isHighSurrogate()) {
            --kept; // never half of a pair
        }
        result.truncate(kept);
    }
    return result;
}

// Numbers the tag does not hold are 0 there.
QString number(unsigned int value)
{
    return value == 0 ? QString() : QString::number(value);
}

QString fieldValue(TagLib::Tag &tag, AudioTagField field)
{
    switch (field) {
    case AudioTagField::Artist:
        return text(tag.artist());
    case AudioTagField::Title:
        return text(tag.title());
    case AudioTagField::Album:
        return text(tag.album());
    case AudioTagField::Year:
        return number(tag.year());
    case AudioTagField::Track:
        return number(tag.track());
    case AudioTagField::Genre:
        return text(tag.genre());
    case AudioTagField::Comment:
        return text(tag.comment());
    }
    return {};
}

AudioTags tagsFromList(const TagList &tags)
{
    AudioTags result;
    for (int index = 0; index < AudioTagFieldCount; ++index) {
        const auto field = static_cast<AudioTagField>(index);
        for (const auto &[tag, source] : tags) {
            if (tag == nullptr) {
                continue;
            }
            QString value = fieldValue(*tag, field);
            if (!value.isEmpty()) {
                result.values[index] = std::move(value);
                result.sources[index] = source;
                break;
            }
        }
    }
    return result;
}

} // namespace

std::optional<AudioTagField> audioTagField(QStringView name)
{
    for (int index = 0; index < AudioTagFieldCount; ++index) {
        if (name.compare(QStringView(FieldNames[index]), Qt::CaseInsensitive) == 0) {
            return static_cast<AudioTagField>(index);
        }
    }
    return std::nullopt;
}

QStringView audioTagFieldName(AudioTagField field)
{
    return FieldNames[static_cast<std::size_t>(field)];
}

bool isNumericTagField(AudioTagField field)
{
    return field == AudioTagField::Year || field == AudioTagField::Track;
}

QString audioTagSourceText(AudioTagSource source)
{
    switch (source) {
    case AudioTagSource::Id3v1:
        return QStringLiteral("ID3v1");
    case AudioTagSource::Id3v2:
        return QStringLiteral("ID3v2");
    case AudioTagSource::Ape:
        return QStringLiteral("APE");
    case AudioTagSource::XiphComment:
        return QStringLiteral("Vorbis-Kommentar");
    case AudioTagSource::Mp4:
        return QStringLiteral("MP4");
    case AudioTagSource::Asf:
        return QStringLiteral("ASF");
    case AudioTagSource::RiffInfo:
        return QStringLiteral("RIFF INFO");
    case AudioTagSource::Other:
        return QStringLiteral("Tag");
    case AudioTagSource::None:
        break;
    }
    return QStringLiteral("kein Tag");
}

AudioTags audioTagsFromDevice(QIODevice &device, const QString &fileName)
{
    // The library is written to survive broken files; whatever it might still
    // throw (memory, most likely) costs this file its tags and nothing else.
    try {
        TagLibDeviceStream stream(device, QFile::encodeName(fileName), MaxTagBytesRead);
        const TagLib::FileRef file(&stream, false);
        if (file.isNull() || file.file() == nullptr || !file.file()->isValid()) {
            return {};
        }
        return tagsFromList(tagsOf(*file.file()));
    } catch (...) {
        return {};
    }
}

AudioTags readAudioTags(const QString &path)
{
    QFile file(path);
    if (!platform::openRegularFile(file)) {
        return {};
    }
    return audioTagsFromDevice(file, path);
}

} // namespace namenswerk
