#pragma once

#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

namespace namenswerk {

// Where a malformed pattern or template goes wrong, for the tooltip of its
// state icon: the position in the field and the element at fault.
struct InputFault {
    enum class Kind {
        Unclosed,      // a "<" whose ">" never comes
        StrayClose,    // a ">" with no "<" open before it
        UnknownToken,  // "<…>" that names no token
        NotAllowed,    // a character that may not stand where it stands
        TooManyTokens, // the element after the 99th
    };

    Kind kind = Kind::Unclosed;
    qsizetype at = 0; // index into the text the user typed
    QString element;  // what stands there: the bracket, the token, the character

    bool operator==(const InputFault &) const = default;
};

// The first bracket without a partner when "<" and ">" pair as nested
// groups: a ">" before any open "<", or the earliest "<" left open. None
// when every bracket has its partner.
std::optional<InputFault> firstUnpairedBracket(QStringView text);

// The element from a "<" up to the next "<" or the end, cut when long, as an
// unclosed token is shown.
QString openElement(QStringView text, qsizetype open);

// The line the tooltip adds, such as "An Stelle 7: '>' ohne öffnendes '<'.".
// Positions count characters of `text` (the field's text) from 1.
QString faultLine(QStringView text, const InputFault &fault);

} // namespace namenswerk
