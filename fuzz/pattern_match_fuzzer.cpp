// Name and extension expressions as the user types them: translation into
// PCRE syntax, compiling, and matching several names in a row with the same
// matcher, as one recomputation does.
//
// Input: one option byte (bit 0 case-sensitive, bit 1 subjects as raw
// UTF-16), then the lines name pattern, extension pattern, and pairs of name
// part and extension.

#include "engine/entry_matcher.h"
#include "engine/pattern_translation.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_input.h"

using namespace namenswerk;

namespace {

constexpr int MaxSubjects = 4;

void checkRecord(const PatternRecord &record)
{
    FUZZ_CHECK(record.error == 0 || record.error == PatternErrorUnbalanced);
    FUZZ_CHECK(record.groupCount >= 0);
    FUZZ_CHECK(record.translated.endsWith(PatternEndMark));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzz::FuzzInput input(data, size);
    const std::uint8_t options = input.byte();
    const bool caseSensitive = (options & 1) != 0;
    const bool rawSubjects = (options & 2) != 0;

    const PatternRecord name = updatePatternRecord(input.field(), 0);
    const PatternRecord extension = updatePatternRecord(input.field(), 1);
    checkRecord(name);
    checkRecord(extension);
    patternIndicator(name);

    EntryMatcher matcher = EntryMatcher::compile(name, extension, caseSensitive);
    FUZZ_CHECK(!matcher.ok() || (name.error == 0 && extension.error == 0));
    for (int subject = 0; subject < MaxSubjects && !input.atEnd(); ++subject) {
        const QString namePart = rawSubjects ? input.utf16Field() : input.field();
        const QString extensionPart = rawSubjects ? input.utf16Field() : input.field();
        const bool matched = matcher.matchEntry(namePart, extensionPart);
        for (int index = 0; index < 2; ++index) {
            const int groups = matcher.groupCount(index);
            FUZZ_CHECK(groups >= 0);
            // One past the last group, and group 0, must read as empty too.
            for (int n = 0; n <= groups + 1; ++n) {
                const QString group = matcher.group(index, n);
                FUZZ_CHECK(matched || group.isEmpty());
                FUZZ_CHECK(group.size() <= (index == 0 ? namePart : extensionPart).size() + 1);
            }
        }
    }
    return 0;
}
