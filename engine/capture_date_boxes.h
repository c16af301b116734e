#pragma once

// The box structure of ISO base media files (MP4, MOV, 3GP, HEIF, AVIF), as
// far as capture dates need it. Every read goes through HeaderBytes; a box
// that claims more than its parent holds ends the walk.

#include "engine/header_bytes.h"

#include <cstdint>
#include <optional>

namespace namenswerk {

struct Box {
    std::int64_t pos = 0;
    std::int64_t size = 0;
    std::uint32_t type = 0;
    std::int64_t header = 8; // 16 with a 64-bit size

    std::int64_t body() const { return pos + header; }
    std::int64_t end() const { return pos + size; }
};

constexpr std::uint32_t fourCc(const char (&text)[5])
{
    return static_cast<std::uint32_t>(static_cast<unsigned char>(text[0])) << 24 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(text[1])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(text[2])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(text[3]));
}

// The box header at pos, inside a parent that ends at end; size 1 means a
// 64-bit size follows, 0 "to the end of the parent".
std::optional<Box> readBox(HeaderBytes &header, std::int64_t pos, std::int64_t end);

// The first box of the type among the boxes from begin to end.
std::optional<Box> findBox(HeaderBytes &header, std::int64_t begin, std::int64_t end,
                           std::uint32_t type);

// Where the TIFF header of the Exif item of a HEIF "meta" box starts: the
// item's type comes from "iinf", its place in the file from "iloc".
std::optional<std::int64_t> heifExifTiff(HeaderBytes &header, const Box &meta,
                                         std::int64_t fileSize);

} // namespace namenswerk
