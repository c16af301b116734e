#pragma once

#include "settings/status_colors.h"
#include "ui/file_list_model.h"

#include <QColor>

namespace namenswerk {

// A colour as the settings file keeps it (0x00BBGGRR, red in the lowest byte).
QColor storedColour(std::uint32_t value);

// The colour table in the form the list model paints with.
StatusColours statusColours(const ColorTable &table);

} // namespace namenswerk
