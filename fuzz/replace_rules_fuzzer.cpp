// Search-and-replace lists: parsing the list text and applying it to a name
// part and an extension.
//
// Input: one option byte (bit 0 txtCase, bit 1 replace every occurrence,
// bit 2 name part only), then the lines list text, name part, extension.

#include "engine/replace_rules.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/fuzz_input.h"

using namespace namenswerk;

namespace {

// What a rule may leave behind at most; longer texts are cut to less.
constexpr qsizetype LongestResult = 256;

// The plain way to apply one rule, kept here as the reference: replace in
// the whole text, then cut what grew too long, never inside a surrogate pair.
void applyPlainly(QString &text, const ReplaceRule &rule, bool replaceAll)
{
    const Qt::CaseSensitivity cs = rule.ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive;
    const qsizetype at = text.indexOf(rule.find, 0, cs);
    if (at >= 0 && replaceAll) {
        text.replace(rule.find, rule.replace, cs);
    } else if (at >= 0) {
        text.replace(at, rule.find.size(), rule.replace);
    }
    if (text.size() > LongestResult) {
        const qsizetype kept = text.at(239).isHighSurrogate() ? 239 : 240;
        text.truncate(kept);
        text.append(u"[...]");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzz::FuzzInput input(data, size);
    const std::uint8_t options = input.byte();
    const bool txtCase = (options & 1) != 0;
    const bool replaceAll = (options & 2) != 0;
    const bool nameOnly = (options & 4) != 0;

    const ReplaceRules rules = ReplaceRules::parse(input.field(), txtCase);
    FUZZ_CHECK(rules.count() >= 0 && rules.count() <= ReplaceRules::Limit + 2);
    for (const ReplaceRule &rule : rules.rules()) {
        FUZZ_CHECK(!rule.find.isEmpty());
    }
    rules.indicator();

    QString name = input.field();
    QString extension = input.field();
    const QString oldExtension = extension;
    QString expectedName = name;
    QString expectedExtension = extension;
    rules.apply(name, extension, replaceAll, nameOnly);
    for (const ReplaceRule &rule : rules.rules()) {
        applyPlainly(expectedName, rule, replaceAll);
        if (!nameOnly) {
            applyPlainly(expectedExtension, rule, replaceAll);
        }
    }
    FUZZ_CHECK(name == expectedName);
    FUZZ_CHECK(extension == expectedExtension);
    if (rules.count() > 0) {
        FUZZ_CHECK(name.size() <= LongestResult);
        FUZZ_CHECK(nameOnly || extension.size() <= LongestResult);
    }
    FUZZ_CHECK(!nameOnly || extension == oldExtension);
    return 0;
}
