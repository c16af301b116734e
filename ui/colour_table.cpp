#include "ui/colour_table.h"

namespace namenswerk {

QColor storedColour(std::uint32_t value)
{
    return QColor(static_cast<int>(value & 0xff), static_cast<int>((value >> 8) & 0xff),
                  static_cast<int>((value >> 16) & 0xff));
}

StatusColours statusColours(const ColorTable &table)
{
    StatusColours colours;
    for (std::size_t slot = 0; slot < table.size(); ++slot) {
        colours[slot] = storedColour(table[slot]);
    }
    return colours;
}

} // namespace namenswerk
