#pragma once

#include "engine/field_indicator.h"

#include <QString>

#include <vector>

namespace namenswerk {

// One replacement of a search-and-replace list.
struct ReplaceRule {
    QString find; // never empty
    QString replace;
    bool ignoreCase = false;

    bool operator==(const ReplaceRule &) const = default;
};

// The rules of one list text ("von>nach|..."), in the order they act.
class ReplaceRules {
public:
    // Reading a list stops as soon as the table holds this many rules; a
    // field that adds several rules at once can carry it up to two beyond.
    static constexpr int Limit = 100;
    static constexpr int WarningCount = 90;

    // Fields without a prefix compare case-sensitively when txtCase is on.
    static ReplaceRules parse(const QString &listText, bool txtCase);

    int count() const { return static_cast<int>(rules_.size()); }
    const std::vector<ReplaceRule> &rules() const { return rules_; }
    FieldIndicator indicator() const;

    // Rewrites the name part and extension (both without the dot) rule by
    // rule. replaceAll: every occurrence, else the first one per rule.
    // nameOnly: the extension is left alone.
    void apply(QString &name, QString &extension, bool replaceAll, bool nameOnly) const;

private:
    std::vector<ReplaceRule> rules_;
    // The rules as they act: a rule whose search text holds "/" or "\" is
    // followed by its twin for those characters as they come out of audio
    // tags, so that a rule mends "AC/DC" the way the user reads it.
    std::vector<ReplaceRule> acting_;
};

} // namespace namenswerk
