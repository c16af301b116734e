#pragma once

#include "engine/field_indicator.h"
#include "engine/input_fault.h"

#include <QChar>
#include <QString>

namespace namenswerk {

// One expression of the user (index 0 the name part, 1 the extension) in the
// form the matcher compiles, with the group overview for the help window.
struct PatternRecord {
    int error = 0;      // 0 well-formed, 2 the numbers of "<" and ">" differ
    QString translated; // the PCRE pattern, kept even when error is set
    QString groupList;  // one line per numbered group, or the error text
    int groupCount = 0; // number of "<" after wrapping
    QString faultLine;  // where a malformed pattern goes wrong; empty when well-formed

    bool operator==(const PatternRecord &) const = default;
};

inline constexpr int PatternErrorUnbalanced = 2;

// The character that closes every translated pattern and every subject, so
// that an expression has to match a whole name part or extension.
inline constexpr QChar PatternEndMark = QChar(0x0008);

// Turns a pattern of the angle-bracket dialect into a PCRE pattern. `letter`
// ("n" or "e") names the groups in the group list.
PatternRecord translatePattern(const QString &pattern, QChar letter);

// The record of input field `index` (0 name, 1 extension) as it is stored:
// translated, and with the error text instead of a group list when the
// pattern is malformed. The caller requests the recomputation.
PatternRecord updatePatternRecord(const QString &fieldText, int index);

// The state icon beside an expression field.
FieldIndicator patternIndicator(const PatternRecord &record);

} // namespace namenswerk
