#pragma once

#include <QString>
#include <QStringView>

#include <memory>
#include <optional>

namespace namenswerk {

// A translated expression compiled by PCRE2, with everything one match needs
// kept between matches so that matching a long list allocates nothing per
// entry. A match is a single attempt from the start of the subject.
//
// Runaway backtracking cannot freeze the program: a match that exceeds the
// step limit counts as no match. Every match gets the same limit, so whether
// a name matches never depends on the names matched before it.
class CompiledPattern {
public:
    // Empty when the pattern does not compile (PCRE2's reason is not kept).
    static std::optional<CompiledPattern> compile(const QString &translated, bool caseSensitive);

    CompiledPattern(const CompiledPattern &) = delete;
    CompiledPattern &operator=(const CompiledPattern &) = delete;
    CompiledPattern(CompiledPattern &&other) noexcept;
    CompiledPattern &operator=(CompiledPattern &&other) noexcept;
    ~CompiledPattern();

    // False also when the subject is not valid UTF-16 or a limit was reached.
    bool match(QStringView subject);
    // Drops the groups of the last match.
    void forgetMatch();

    // Number of capture groups the pattern has.
    int captureCount() const;
    // Text of group n of the last successful match (0 is the whole match);
    // empty when n is out of range or the group took no part.
    QString group(int n) const;
    // The same text as a view, valid until the next match.
    QStringView groupView(int n) const;

private:
    struct State;
    explicit CompiledPattern(std::unique_ptr<State> state);

    std::unique_ptr<State> state_;
};

} // namespace namenswerk
