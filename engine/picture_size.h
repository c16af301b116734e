#pragma once

#include <QString>

class QIODevice;

namespace namenswerk {

// Width and height in pixels; both 0 when the file is no picture of a kind
// the program knows, or its header cannot be trusted.
struct PictureSize {
    int width = 0;
    int height = 0;

    bool operator==(const PictureSize &) const = default;
};

// What a file name's extension lets the reader try. The header decides the
// format; the extension only gates it: None means the file is not opened,
// and only Bmp and the kinds after it admit the formats without a magic
// number of four bytes (bitmap, TIFF, PCX, TGA).
enum class PictureExtension : int { None = 0, Jpeg, Jpeg2000, Png, Bmp, Tiff, Pcx, Gif, Tga };

PictureExtension pictureExtension(const QString &path);

// Reads the size from the header of the file at path. Only regular files are
// opened, so a named pipe with a picture's name cannot block the program.
PictureSize readPictureSize(const QString &path);

// The same for the bytes of an open device; the extension is what the file's
// name would have given.
PictureSize pictureSizeFromHeader(QIODevice &device, PictureExtension extension);

} // namespace namenswerk
