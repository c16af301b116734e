#pragma once

#include "engine/compiled_pattern.h"
#include "engine/pattern_translation.h"

#include <QString>
#include <QStringView>

#include <array>
#include <optional>

namespace namenswerk {

// The two expressions of one recomputation: index 0 for the name part, 1 for
// the extension. An entry is selected when both match their whole part.
class EntryMatcher {
public:
    // A default matcher, like one whose patterns failed, matches nothing.
    EntryMatcher() = default;

    // Not ok when a record is malformed or a translated pattern does not compile;
    // `regCase` makes the matching case-sensitive.
    static EntryMatcher compile(const PatternRecord &name, const PatternRecord &extension,
                                bool regCase);

    bool ok() const { return expressions_[0].has_value() && expressions_[1].has_value(); }

    bool matchEntry(QStringView name, QStringView extension);

    // Group n (1-based) of expression `index` from the last matched entry;
    // empty when there is no such group or it took no part.
    QString group(int index, int n) const;
    // The same text as a view, valid until the next match.
    QStringView groupView(int index, int n) const;
    // Capture groups of expression `index`; 0 when not ok.
    int groupCount(int index) const;

private:
    bool matchPart(int index, QStringView part);
    const CompiledPattern *expression(int index) const;

    std::array<std::optional<CompiledPattern>, 2> expressions_;
    QString subject_; // reused for every part, so matching allocates once
};

} // namespace namenswerk
