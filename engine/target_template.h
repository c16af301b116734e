#pragma once

#include "engine/audio_tags.h"
#include "engine/field_indicator.h"
#include "engine/rename_settings.h"

#include <QString>

#include <vector>

namespace namenswerk {

// One element of a parsed target template.
struct TemplateToken {
    enum Kind : int {
        Literal = -1,
        Name = 0,      // arg 0: whole name part, 1..99: group of the name expression
        Extension = 1, // arg 0: whole extension, 1..99: group of the extension expression
        Date = 63,     // text: the date mask
        Counter = 64,  // arg: width, 0 for the default of 3
        Picture = 65,  // arg > 0: width, arg < 0: height; |arg| 1, 2, 3..6 or 7 selects the form
        NameCondition = 66,
        ExtensionCondition = 67,
        CaptureDate = 68, // text: the date mask, applied to the capture date
        AudioTag = 69,    // arg: field and width (audioTagArg)
        AudioTagCondition = 70,
    };

    int arg = -1;
    Kind kind = Literal;
    QString text; // literal text, date mask, or the output of a condition
    QString cond; // the value a condition compares with ("*": anything not empty)

    bool operator==(const TemplateToken &) const = default;
};

// Audio tag tokens keep their field and the width of "<m2:track>" (0 for
// none) in arg.
constexpr int audioTagArg(AudioTagField field, int width)
{
    return width * AudioTagFieldCount + static_cast<int>(field);
}
inline AudioTagField audioTagFieldOf(const TemplateToken &token)
{
    return static_cast<AudioTagField>(token.arg % AudioTagFieldCount);
}
inline int audioTagWidthOf(const TemplateToken &token)
{
    return token.arg / AudioTagFieldCount;
}

// The target template of the field "Ändern in:", parsed into tokens.
class TargetTemplate {
public:
    static constexpr int MaxTokens = 99;

    static TargetTemplate parse(const QString &fieldText);

    bool hasError() const { return error_; }
    const std::vector<TemplateToken> &tokens() const { return tokens_; }
    // Only TemplateHasDot and TemplateUsesExtension are ever set here.
    ExtensionFlags flags() const { return flags_; }
    // Whether expanding needs to look into the files themselves.
    bool readsCaptureDates() const { return uses(TemplateToken::CaptureDate); }
    bool readsAudioTags() const
    {
        return uses(TemplateToken::AudioTag) || uses(TemplateToken::AudioTagCondition);
    }
    bool readsPictureSizes() const { return uses(TemplateToken::Picture); }
    FieldIndicator indicator() const;

private:
    class Parser;

    bool uses(TemplateToken::Kind kind) const;

    std::vector<TemplateToken> tokens_;
    ExtensionFlags flags_;
    bool error_ = false;
    QString faultLine_; // where the error is, for the indicator
};

// The text the scanner works on: shorthands such as "*" and "<*>" spelled out
// and doubled backslashes collapsed.
QString normalizeTemplate(const QString &fieldText);

} // namespace namenswerk
