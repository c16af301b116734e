#pragma once

#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>
#include <optional>

class QIODevice;

namespace namenswerk {

// The tags a template can ask for with "<m:field>".
enum class AudioTagField : std::uint8_t { Artist, Title, Album, Year, Track, Genre, Comment };
inline constexpr int AudioTagFieldCount = 7;

// The field of a name as typed in a template ("artist", "Title"...); none
// for a name the template does not know.
std::optional<AudioTagField> audioTagField(QStringView name);
// The field's name in lower case, as the guide writes it.
QStringView audioTagFieldName(AudioTagField field);
// Year and track are numbers and take a width ("<m2:track>").
bool isNumericTagField(AudioTagField field);

// Which kind of tag a value came from; the name trace shows it.
enum class AudioTagSource : std::uint8_t {
    None, // the file has no such value
    Id3v1,
    Id3v2,
    Ape,
    XiphComment, // Vorbis comments of FLAC, Ogg Vorbis, Opus, Speex
    Mp4,
    Asf,
    RiffInfo,
    Other, // any other tag the tag library reads
};

// Short text for the name trace: "ID3v2", "Vorbis-Kommentar", "kein Tag"...
QString audioTagSourceText(AudioTagSource source);

struct AudioTags {
    std::array<QString, AudioTagFieldCount> values;
    std::array<AudioTagSource, AudioTagFieldCount> sources{};

    const QString &value(AudioTagField field) const
    {
        return values[static_cast<std::size_t>(field)];
    }
    AudioTagSource source(AudioTagField field) const
    {
        return sources[static_cast<std::size_t>(field)];
    }
    bool operator==(const AudioTags &) const = default;
};

// A tag value never holds more UTF-16 units than this. A longer one could
// never be part of a file name anyway; the kept part is still longer than
// any name may be, so the rename of such a name fails instead of quietly
// using a shortened value.
inline constexpr qsizetype MaxTagValueLength = 1024;

// At most this many bytes are read from one file, however the tag library
// walks it: a large file that only pretends to be audio cannot make it read
// on and on. Tags with cover pictures fit easily.
inline constexpr std::int64_t MaxTagBytesRead = std::int64_t{64} * 1024 * 1024;

// Reads the tags of an audio file of any format the tag library knows, from
// the device's bytes; fileName (only its extension counts) helps to tell the
// format. A file that holds no tags, or that cannot be read, yields none.
AudioTags audioTagsFromDevice(QIODevice &device, const QString &fileName);

// The same for the file at path; only regular files are opened.
AudioTags readAudioTags(const QString &path);

} // namespace namenswerk
