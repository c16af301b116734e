#pragma once

#include <QByteArray>
#include <QString>

#include <utility>
#include <vector>

namespace namenswerk::test {

// Small audio files built byte by byte, each the smallest its format's
// readers accept, holding the tags given. A tag is named as in the template
// ("artist", "title", "album", "year", "track", "genre", "comment"); the
// formats spell them their own way.
using TagFields = std::vector<std::pair<QString, QString>>;

// Two MPEG audio frames behind an ID3v2 tag of version 3 (texts in UTF-16)
// or 4 (texts in UTF-8).
QByteArray mp3WithId3v2(const TagFields &tags, int version);
// Two MPEG audio frames followed by an ID3v1.1 tag (Latin-1, fixed widths;
// the genre is given as its number).
QByteArray mp3WithId3v1(const TagFields &tags);
// FLAC stream header and a Vorbis comment block.
QByteArray flacWithVorbisComment(const TagFields &tags);
// Ogg pages with the Vorbis identification, comment and setup headers.
QByteArray oggVorbis(const TagFields &tags);
// An M4A box tree with the iTunes item list.
QByteArray m4a(const TagFields &tags);

} // namespace namenswerk::test
