#include "tests/support/audio_fixtures.h"

#include <QtEndian>

#include <map>

namespace namenswerk::test {

namespace {

QByteArray be32(quint32 value)
{
    char bytes[4];
    qToBigEndian(value, bytes);
    return {bytes, 4};
}

QByteArray le32(quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    return {bytes, 4};
}

// 28 bits in four bytes of seven.
QByteArray syncSafe(quint32 value)
{
    QByteArray bytes(4, '\0');
    for (int i = 3; i >= 0; --i) {
        bytes[i] = static_cast<char>(value & 0x7F);
        value >>= 7;
    }
    return bytes;
}

QString valueOf(const TagFields &tags, const QString &name)
{
    for (const auto &[field, value] : tags) {
        if (field == name) {
            return value;
        }
    }
    return {};
}

// MPEG-1 layer III, 128 kbit/s, 44.1 kHz, joint stereo: 417 bytes a frame.
QByteArray mpegFrames()
{
    QByteArray frame("\xFF\xFB\x90\x64", 4);
    frame.append(417 - 4, '\0');
    return frame + frame;
}

QByteArray id3v2Text(const QString &value, int version)
{
    if (version == 4) {
        return '\3' + value.toUtf8();
    }
    QByteArray text("\1\xFF\xFE", 3); // UTF-16 with a little-endian byte order mark
    for (const QChar c : value) {
        text.append(static_cast<char>(c.unicode() & 0xFF));
        text.append(static_cast<char>(c.unicode() >> 8));
    }
    return text;
}

QByteArray id3v2Frame(const QByteArray &id, const QByteArray &body, int version)
{
    const auto size = static_cast<quint32>(body.size());
    return id + (version == 4 ? syncSafe(size) : be32(size)) + QByteArray(2, '\0') + body;
}

QByteArray vorbisCommentBody(const TagFields &tags)
{
    static const std::map<QString, QByteArray> keys{
        {QStringLiteral("artist"), "ARTIST"},     {QStringLiteral("title"), "TITLE"},
        {QStringLiteral("album"), "ALBUM"},       {QStringLiteral("year"), "DATE"},
        {QStringLiteral("track"), "TRACKNUMBER"}, {QStringLiteral("genre"), "GENRE"},
        {QStringLiteral("comment"), "COMMENT"},
    };
    const QByteArray vendor("namenswerk test");
    QByteArray body = le32(vendor.size()) + vendor + le32(static_cast<quint32>(tags.size()));
    for (const auto &[field, value] : tags) {
        const QByteArray comment = keys.at(field) + '=' + value.toUtf8();
        body += le32(comment.size()) + comment;
    }
    return body;
}

// The Ogg page checksum: CRC-32 with the polynomial 04C11DB7, unreflected.
quint32 oggChecksum(const QByteArray &page)
{
    quint32 crc = 0;
    for (const char byte : page) {
        crc ^= static_cast<quint32>(static_cast<uchar>(byte)) << 24;
        for (int bit = 0; bit < 8; ++bit) {
            crc = (crc & 0x80000000U) != 0 ? (crc << 1) ^ 0x04C11DB7U : crc << 1;
        }
    }
    return crc;
}

QByteArray oggPage(const std::vector<QByteArray> &packets, char headerType, quint32 sequence)
{
    QByteArray lacing;
    QByteArray data;
    for (const QByteArray &packet : packets) {
        qsizetype left = packet.size();
        for (; left >= 255; left -= 255) {
            lacing.append('\xFF');
        }
        lacing.append(static_cast<char>(left));
        data += packet;
    }
    QByteArray page = QByteArray("OggS\0", 5) + headerType + QByteArray(8, '\0') + le32(0x4E57) +
                      le32(sequence) + QByteArray(4, '\0') + static_cast<char>(lacing.size()) +
                      lacing + data;
    const QByteArray crc = le32(oggChecksum(page));
    page.replace(22, 4, crc);
    return page;
}

QByteArray box(const char *type, const QByteArray &content)
{
    return be32(static_cast<quint32>(content.size() + 8)) + QByteArray(type) + content;
}

QByteArray mp4Item(const QByteArray &type, const QString &field, const QString &value)
{
    if (field == u"track") {
        QByteArray pair = QByteArray(2, '\0') + be32(value.toUInt()).right(2) + QByteArray(4, '\0');
        return box(type.constData(), box("data", be32(0) + be32(0) + pair));
    }
    return box(type.constData(), box("data", be32(1) + be32(0) + value.toUtf8()));
}

} // namespace

QByteArray mp3WithId3v2(const TagFields &tags, int version)
{
    const std::map<QString, QByteArray> frames{
        {QStringLiteral("artist"), "TPE1"},
        {QStringLiteral("title"), "TIT2"},
        {QStringLiteral("album"), "TALB"},
        {QStringLiteral("year"), version == 4 ? "TDRC" : "TYER"},
        {QStringLiteral("track"), "TRCK"},
        {QStringLiteral("genre"), "TCON"},
    };
    QByteArray body;
    for (const auto &[field, value] : tags) {
        if (field == u"comment") {
            // Encoding, language, an empty description, the text.
            const QByteArray text = id3v2Text(value, version);
            const QByteArray empty =
                version == 4 ? QByteArray(1, '\0') : QByteArray("\xFF\xFE\0\0", 4);
            body += id3v2Frame("COMM", text.left(1) + "deu" + empty + text.mid(1), version);
        } else {
            body += id3v2Frame(frames.at(field), id3v2Text(value, version), version);
        }
    }
    const QByteArray header = QByteArray("ID3") + static_cast<char>(version) + '\0' + '\0' +
                              syncSafe(static_cast<quint32>(body.size()));
    return header + body + mpegFrames();
}

QByteArray mp3WithId3v1(const TagFields &tags)
{
    const auto fixed = [&tags](const char *field, int width) -> QByteArray {
        QByteArray text = valueOf(tags, QString::fromLatin1(field)).toLatin1().left(width);
        return text + QByteArray(width - text.size(), '\0');
    };
    const QString genre = valueOf(tags, QStringLiteral("genre"));
    return mpegFrames() + "TAG" + fixed("title", 30) + fixed("artist", 30) + fixed("album", 30) +
           fixed("year", 4) + fixed("comment", 28) + '\0' +
           static_cast<char>(valueOf(tags, QStringLiteral("track")).toInt()) +
           static_cast<char>(genre.isEmpty() ? 255 : genre.toInt());
}

QByteArray flacWithVorbisComment(const TagFields &tags)
{
    // 4096-sample blocks, 44.1 kHz, two channels of 16 bits, no samples counted.
    QByteArray streamInfo = QByteArray("\x10\x00\x10\x00", 4) + QByteArray(6, '\0') +
                            QByteArray("\x0A\xC4\x42\xF0", 4) + QByteArray(4, '\0') +
                            QByteArray(16, '\0');
    const QByteArray comment = vorbisCommentBody(tags);
    const auto blockHeader = [](char type, qsizetype size) -> QByteArray {
        return type + be32(static_cast<quint32>(size)).right(3);
    };
    return QByteArray("fLaC") + blockHeader('\0', streamInfo.size()) + streamInfo +
           blockHeader('\x84', comment.size()) + comment;
}

QByteArray oggVorbis(const TagFields &tags)
{
    const QByteArray identification = QByteArray("\1vorbis") + le32(0) + '\2' + le32(44100) +
                                      le32(0) + le32(128000) + le32(0) + '\xB8' + '\1';
    const QByteArray comment = QByteArray("\3vorbis") + vorbisCommentBody(tags) + '\1';
    const QByteArray setup = QByteArray("\5vorbis") + QByteArray(8, '\0');
    return oggPage({identification}, '\2', 0) + oggPage({comment, setup}, '\0', 1);
}

QByteArray m4a(const TagFields &tags)
{
    static const std::map<QString, QByteArray> atoms{
        {QStringLiteral("artist"), "\xA9"
                                   "ART"},
        {QStringLiteral("title"), "\xA9"
                                  "nam"},
        {QStringLiteral("album"), "\xA9"
                                  "alb"},
        {QStringLiteral("year"), "\xA9"
                                 "day"},
        {QStringLiteral("track"), "trkn"},
        {QStringLiteral("genre"), "\xA9"
                                  "gen"},
        {QStringLiteral("comment"), "\xA9"
                                    "cmt"},
    };
    QByteArray items;
    for (const auto &[field, value] : tags) {
        items += mp4Item(atoms.at(field), field, value);
    }
    const QByteArray handler =
        be32(0) + be32(0) + "mdir" + "appl" + QByteArray(8, '\0') + QByteArray(1, '\0');
    const QByteArray meta = be32(0) + box("hdlr", handler) + box("ilst", items);
    return box("ftyp", QByteArray("M4A ") + be32(0) + "M4A mp42isom") +
           box("moov", box("udta", box("meta", meta)));
}

} // namespace namenswerk::test
