// Audio tags: TagLib over a file's bytes, through the bounded stream.
//
// Input: one byte that picks the file name (its extension decides which
// format is tried first), then the file's bytes.

#include "engine/audio_tags.h"
#include "fuzz/fuzz_check.h"

#include <QBuffer>
#include <QByteArray>

#include <array>
#include <cstdint>

using namespace namenswerk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const std::array<QString, 16> names{
        QStringLiteral("a.mp3"),  QStringLiteral("a.flac"), QStringLiteral("a.ogg"),
        QStringLiteral("a.m4a"),  QStringLiteral("a.opus"), QStringLiteral("a.wav"),
        QStringLiteral("a.aiff"), QStringLiteral("a.ape"),  QStringLiteral("a.wv"),
        QStringLiteral("a.mpc"),  QStringLiteral("a.wma"),  QStringLiteral("a.tta"),
        QStringLiteral("a.spx"),  QStringLiteral("a.oga"),  QStringLiteral("a.mp4"),
        QStringLiteral("a"), // no extension: the format by its bytes alone
    };
    if (size == 0) {
        return 0;
    }
    const QString &name = names[data[0] % names.size()];
    // Not copied: a read past the end lands right behind the fuzzer's buffer.
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data + 1),
                                                     static_cast<qsizetype>(size - 1));
    QBuffer device;
    device.setData(bytes);
    device.open(QIODevice::ReadOnly);
    const AudioTags tags = audioTagsFromDevice(device, name);
    for (int index = 0; index < AudioTagFieldCount; ++index) {
        const auto field = static_cast<AudioTagField>(index);
        FUZZ_CHECK(tags.value(field).size() <= MaxTagValueLength);
        FUZZ_CHECK(tags.value(field).isEmpty() == (tags.source(field) == AudioTagSource::None));
    }
    return 0;
}
