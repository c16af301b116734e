#pragma once

#include <QString>

#include <cstdint>

namespace namenswerk {

// The text of the size column for a size in units of 64 bytes: one decimal
// and a unit letter ("0.1 K", "1.0 M", "5.0 G"); fixed marks for a missing
// file and for a folder.
QString sizeText(std::int32_t size64);

} // namespace namenswerk
