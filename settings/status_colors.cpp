#include "settings/status_colors.h"

#include "settings/stored_values.h"

namespace namenswerk {

using namespace Qt::StringLiterals;

namespace {

struct ColorKey {
    QStringView key;
    int slot{};
    std::uint32_t soft{};
    std::uint32_t fixed{};
};

// In the order the group is written.
constexpr std::array<ColorKey, EntryStatusCount> ColorKeys{{
    {u"Unknown", 0, 0xF0F0F0, 0xE6E7EA},
    {u"Filtered", 1, 0xFFF8F0, 0xFFF0E4},
    {u"OkIgnore", 5, 0xD8D8D8, 0xC0C0C0},
    {u"OkEmpty", 6, 0xC0D0FF, 0x6DD5FB},
    {u"OkDuplicate", 7, 0xB0E0FF, 0x6CEFFC},
    {u"OkCritical", 10, 0xA0FFFF, 0x60FFFF},
    {u"OkNonexistent", 8, 0xEAEDA1, 0x6BFBC6},
    {u"Ok", 9, 0x88FFC0, 0x6BFBB1},
    {u"OkPath", 11, 0x8AFFD4, 0x4ADA8F},
    {u"OkRename", 12, 0x80FFD0, 0x78FFD8},
    {u"ErrorReg", 2, 0xC0C0FF, 0x6D95FB},
    {u"ErrorCreate", 3, 0xD0C0FF, 0xFD92DB},
    {u"ErrorOut", 4, 0xC0C0FF, 0x6D95FB},
    {u"ErrorRename", 13, 0xF0D0FF, 0xEAB9F3},
    {u"ErrorIdle", 14, 0x4040C0, 0x606060},
}};

const QString ColorsGroup = u"Colors"_s;

template <typename Pick> ColorTable tableOf(Pick pick)
{
    ColorTable table{};
    for (const ColorKey &entry : ColorKeys) {
        table[std::size_t(entry.slot)] = pick(entry);
    }
    return table;
}

} // namespace

ColorTable softColors()
{
    return tableOf([](const ColorKey &entry) { return entry.soft; });
}

ColorTable fixedColors()
{
    return tableOf([](const ColorKey &entry) { return entry.fixed; });
}

ColorTable readColors(const IniDocument &document, bool customScheme)
{
    if (!customScheme) {
        return fixedColors();
    }
    const GroupReader colors(document, ColorsGroup);
    return tableOf(
        [&](const ColorKey &entry) { return colors.color(entry.key.toString(), entry.soft); });
}

void writeColors(IniDocument &document, const ColorTable &colors)
{
    GroupWriter out(document, ColorsGroup);
    for (const ColorKey &entry : ColorKeys) {
        out.color(entry.key.toString(), colors[std::size_t(entry.slot)]);
    }
}

} // namespace namenswerk
