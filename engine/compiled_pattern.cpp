#include "engine/compiled_pattern.h"

// PCRE2 picks its 16-bit API by this macro, before its header is read.
#define PCRE2_CODE_UNIT_WIDTH 16 // NOLINT(cppcoreguidelines-macro-usage)
#include <pcre2.h>

#include <cstdint>

namespace namenswerk {

namespace {

// Steps every match may take. A match that needs more counts as no match,
// whatever was matched before it, so an entry's status never depends on the
// other entries. The figure keeps a pattern that backtracks without end cheap
// enough for a keystroke over a large list (some 30 to 80 microseconds a
// name), while ordinary patterns stay far below it: a greedy group before a
// literal takes a few hundred steps on the longest names; four wildcard
// groups with literals between them, on a name where nearly every place
// could fit, about 20,000 at 200 characters.
constexpr std::uint32_t MatchLimit = 20'000;
// Backtracking depth for when PCRE2 runs without its JIT.
constexpr std::uint32_t DepthLimit = 10'000;
constexpr PCRE2_SIZE JitStackStart = PCRE2_SIZE{32} * 1024;
constexpr PCRE2_SIZE JitStackMax = PCRE2_SIZE{1024} * 1024;

template <auto Free> struct Freer {
    template <typename T> void operator()(T *object) const { Free(object); }
};

using Code = std::unique_ptr<pcre2_code_16, Freer<&pcre2_code_free_16>>;
using MatchData = std::unique_ptr<pcre2_match_data_16, Freer<&pcre2_match_data_free_16>>;
using MatchContext = std::unique_ptr<pcre2_match_context_16, Freer<&pcre2_match_context_free_16>>;
using JitStack = std::unique_ptr<pcre2_jit_stack_16, Freer<&pcre2_jit_stack_free_16>>;

PCRE2_SPTR16 codeUnits(QStringView text)
{
    return reinterpret_cast<PCRE2_SPTR16>(text.utf16());
}

} // namespace

struct CompiledPattern::State {
    Code code;
    JitStack jitStack; // freed after the context that points to it
    MatchContext context;
    MatchData matchData;
    int captureCount = 0;
    // The last subject, owned so that groups stay readable after the caller's text is gone.
    QString subject;
    // Offset pairs set by the last match; 0 when it failed.
    int setPairs = 0;
};

CompiledPattern::CompiledPattern(std::unique_ptr<State> state) : state_(std::move(state)) {}
CompiledPattern::CompiledPattern(CompiledPattern &&) noexcept = default;
CompiledPattern &CompiledPattern::operator=(CompiledPattern &&) noexcept = default;
CompiledPattern::~CompiledPattern() = default;

std::optional<CompiledPattern> CompiledPattern::compile(const QString &translated,
                                                        bool caseSensitive)
{
    auto state = std::make_unique<State>();
    // A file name is one subject: "." also matches the line breaks that some
    // file systems allow in names, so "<*>" still takes the whole name.
    const std::uint32_t options = PCRE2_UTF | PCRE2_DOTALL | (caseSensitive ? 0U : PCRE2_CASELESS);
    int errorCode = 0;
    PCRE2_SIZE errorOffset = 0;
    state->code.reset(pcre2_compile_16(codeUnits(translated),
                                       static_cast<PCRE2_SIZE>(translated.size()), options,
                                       &errorCode, &errorOffset, nullptr));
    if (!state->code) {
        return std::nullopt;
    }
    std::uint32_t captures = 0;
    pcre2_pattern_info_16(state->code.get(), PCRE2_INFO_CAPTURECOUNT, &captures);
    state->captureCount = static_cast<int>(captures);

    state->matchData.reset(pcre2_match_data_create_from_pattern_16(state->code.get(), nullptr));
    state->context.reset(pcre2_match_context_create_16(nullptr));
    if (!state->matchData || !state->context) {
        return std::nullopt;
    }
    pcre2_set_match_limit_16(state->context.get(), MatchLimit);
    pcre2_set_depth_limit_16(state->context.get(), DepthLimit);

    // Without the JIT PCRE2 interprets the pattern: slower, same results.
    if (pcre2_jit_compile_16(state->code.get(), PCRE2_JIT_COMPLETE) == 0) {
        state->jitStack.reset(pcre2_jit_stack_create_16(JitStackStart, JitStackMax, nullptr));
        if (state->jitStack) {
            pcre2_jit_stack_assign_16(state->context.get(), nullptr, state->jitStack.get());
        }
    }
    return CompiledPattern(std::move(state));
}

bool CompiledPattern::match(QStringView subject)
{
    if (!state_) {
        return false;
    }
    State &s = *state_;
    s.subject.resize(0); // keeps the capacity
    s.subject.append(subject);
    // The UTF check stays on: a name with a lone surrogate must not reach the
    // matcher unchecked, and it simply does not match.
    const int result = pcre2_match_16(s.code.get(), codeUnits(s.subject),
                                      static_cast<PCRE2_SIZE>(s.subject.size()), 0, 0,
                                      s.matchData.get(), s.context.get());
    // 0 would mean too few offset pairs, which match data sized by the pattern rules out.
    s.setPairs = result > 0 ? result : 0;
    return result > 0;
}

void CompiledPattern::forgetMatch()
{
    if (state_) {
        state_->setPairs = 0;
    }
}

int CompiledPattern::captureCount() const
{
    return state_ ? state_->captureCount : 0;
}

QString CompiledPattern::group(int n) const
{
    return groupView(n).toString();
}

QStringView CompiledPattern::groupView(int n) const
{
    if (!state_ || n < 0 || n >= state_->setPairs) {
        return {};
    }
    const PCRE2_SIZE *offsets = pcre2_get_ovector_pointer_16(state_->matchData.get());
    const PCRE2_SIZE start = offsets[2 * std::ptrdiff_t{n}];
    const PCRE2_SIZE end = offsets[2 * std::ptrdiff_t{n} + 1];
    // \K inside a look-around can report an end before the start.
    if (start == PCRE2_UNSET || end < start ||
        end > static_cast<PCRE2_SIZE>(state_->subject.size())) {
        return {};
    }
    return QStringView(state_->subject)
        .sliced(static_cast<qsizetype>(start), static_cast<qsizetype>(end - start));
}

} // namespace namenswerk
