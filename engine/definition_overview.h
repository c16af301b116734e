#pragma once

#include <QString>

#include <cstdint>
#include <functional>

namespace namenswerk {

// Width in pixels of one character in the font the overview is shown in.
using CharWidth = std::function<int(QChar)>;

// What the overview explains: the rule fields as the user typed them, the
// group lists the engine made of the two expressions, and the values the
// example texts are taken from.
struct OverviewInputs {
    QString templateText;
    QString namePattern;
    QString extensionPattern;
    QString nameGroups;      // group list of the name expression, lines split by "\n"
    QString extensionGroups; // the same for the extension expression
    int counterStart = 1;
    std::int64_t now = 0; // local seconds since 1970, for the date examples
};

// Explains the target template element by element, one line per element,
// each ending in "\r\n": the element in a left column 120 pixels wide (as
// measured by `width`), then what it inserts. A template that explains
// nothing gives a single sentence instead.
QString definitionOverview(const OverviewInputs &inputs, const CharWidth &width);

} // namespace namenswerk
