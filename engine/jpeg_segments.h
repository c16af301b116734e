#pragma once

#include "engine/header_bytes.h"

#include <cstdint>
#include <optional>

namespace namenswerk {

struct JpegSegment {
    std::uint32_t marker = 0;
    std::int64_t pos = 0;     // of the 0xFF that starts the marker
    std::uint32_t length = 0; // of the content, its two length bytes included
};

// The segments of a JPEG file from the one behind start-of-image to the
// start of the image data. A segment whose length field is below 2 would not
// move the walk on, and a file made of tiny segments would be read to its
// end: both end the walk, as does any read outside the delivered bytes.
class JpegSegments {
public:
    explicit JpegSegments(HeaderBytes &header) : header_(header) {}

    std::optional<JpegSegment> next();

private:
    HeaderBytes &header_;
    std::int64_t pos_ = 2;
    int steps_ = 0;
};

} // namespace namenswerk
