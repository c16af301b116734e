#include "engine/size_text.h"

#include "model/file_entry.h"

using namespace Qt::StringLiterals;

namespace namenswerk {

QString sizeText(std::int32_t size64)
{
    // Any other negative size is no size at all, so it shows as missing too.
    if (size64 == FileEntry::FolderSize) {
        return u"ᴰᴵᴿ   "_s;
    }
    if (size64 < 0) {
        return u"✕   "_s;
    }

    constexpr std::int32_t OneMebibyte = 16384; // in units of 64 bytes
    constexpr std::int64_t UnitStep = 1048576;
    std::int64_t value = 0;
    int unit = 0;
    if (size64 < OneMebibyte) {
        value = std::int64_t(size64) << 6; // bytes
    } else {
        value = std::int64_t(size64) >> 4; // KiB
        unit = 1;
        while (value >= UnitStep) {
            ++unit;
            value >>= 10;
        }
    }
    // value / 1024 is exact in binary and never lies halfway between two
    // tenths (that would need a multiple of 51.2), so rounding is unambiguous.
    return QString::number(double(value) / 1024.0, 'f', 1) + u' ' + u"KMGT"_s.at(unit);
}

} // namespace namenswerk
