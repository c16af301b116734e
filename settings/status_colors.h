#pragma once

#include "model/entry_status.h"
#include "settings/ini_document.h"

#include <array>
#include <cstdint>

namespace namenswerk {

// Background colour of each status row (slot 14: text colour of a new name
// that equals the old one), as 0x00BBGGRR: red in the lowest byte.
using ColorTable = std::array<std::uint32_t, EntryStatusCount>;

// The soft colours that stand in for missing keys of the "Colors" group.
ColorTable softColors();
// The strong colours used while the custom colour scheme is switched off.
ColorTable fixedColors();

// With the custom scheme on, the colours of the "Colors" group with the soft
// ones for missing or empty keys; with it off, the fixed colours.
ColorTable readColors(const IniDocument &document, bool customScheme);
void writeColors(IniDocument &document, const ColorTable &colors);

} // namespace namenswerk
