#include "settings/startup_list_choice.h"

#include "settings/list_file.h"
#include "settings/stored_values.h"

#include <algorithm>
#include <cstdint>
#include <limits>

using namespace Qt::StringLiterals;

namespace namenswerk {

int parseLeadingNumber(const QString &text)
{
    qsizetype at = 0;
    const auto nextIs = [&](char16_t c) { return at < text.size() && text.at(at) == c; };
    while (nextIs(u' ') || nextIs(u'\t')) {
        ++at;
    }
    const bool negative = nextIs(u'-');
    if (negative || nextIs(u'+')) {
        ++at;
    }
    int base = 10;
    if (nextIs(u'$')) {
        base = 16;
        ++at;
    } else if (nextIs(u'%')) {
        base = 2;
        ++at;
    }
    // Saturates just beyond the int range, so any run of digits stays exact enough to clamp.
    constexpr std::int64_t ceiling = std::int64_t{std::numeric_limits<int>::max()} + 1;
    std::int64_t magnitude = 0;
    for (int digit = 0; at < text.size() && (digit = asciiDigitValue(text.at(at), base)) >= 0;
         ++at) {
        magnitude = std::min(magnitude * base + digit, ceiling);
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

ListFileChoice chooseListFile(const QString &firstArgument, bool rememberList, bool shiftAtStart,
                              const QString &programFolder)
{
    if (firstArgument.endsWith(u".lst"_s, Qt::CaseSensitive)) {
        return {firstArgument, false, DefaultEntryLimit};
    }
    int entryLimit = parseLeadingNumber(firstArgument);
    if (entryLimit == 0 && rememberList != shiftAtStart) {
        entryLimit = DefaultEntryLimit;
    }
    return {ownListFilePath(programFolder), true, entryLimit};
}

} // namespace namenswerk
