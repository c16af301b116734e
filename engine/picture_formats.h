#pragma once

#include "engine/header_bytes.h"
#include "engine/picture_size.h"

namespace namenswerk {

// Size readers for each known format, given a header whose signature has
// already been recognised. Each one yields 0 x 0 when a value it needs lies
// outside the delivered bytes or cannot be a real dimension.
PictureSize jpegSize(HeaderBytes &header);
PictureSize jpeg2000Size(HeaderBytes &header);
PictureSize pngSize(HeaderBytes &header);
PictureSize gifSize(HeaderBytes &header);
PictureSize bitmapSize(HeaderBytes &header);
PictureSize tiffSize(HeaderBytes &header, ByteOrder order);
PictureSize pcxSize(HeaderBytes &header);
PictureSize targaSize(HeaderBytes &header);

} // namespace namenswerk
