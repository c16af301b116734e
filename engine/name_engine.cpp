#include "engine/name_engine.h"

#include "engine/name_checks.h"
#include "engine/summary_text.h"

namespace namenswerk {

NameEngine::NameEngine() : template_(TargetTemplate::parse({}))
{
    patterns_[0] = translatePattern({}, u'n');
    patterns_[1] = translatePattern({}, u'e');
}

void NameEngine::setNamePattern(const QString &pattern)
{
    patterns_[0] = updatePatternRecord(pattern, 0);
}

void NameEngine::setExtensionPattern(const QString &pattern)
{
    patterns_[1] = updatePatternRecord(pattern, 1);
}

void NameEngine::setTemplate(const QString &templateText)
{
    template_ = TargetTemplate::parse(templateText);
}

void NameEngine::setInputs(const RenameSettings &settings)
{
    setNamePattern(settings.regFindname);
    setExtensionPattern(settings.regFindext);
    setTemplate(settings.regReplace);
}

FieldIndicator NameEngine::namePatternIndicator() const
{
    return patternIndicator(patterns_[0]);
}

FieldIndicator NameEngine::extensionPatternIndicator() const
{
    return patternIndicator(patterns_[1]);
}

ExtensionFlags NameEngine::extensionFlags() const
{
    ExtensionFlags flags = template_.flags();
    for (const ExtensionFlag bit : {SomeWithExtension, SomeWithoutExtension}) {
        if (nameFlags_.has(bit)) {
            flags.set(bit);
        }
    }
    return flags;
}

void NameEngine::refresh(FileList &list, const RenameSettings &settings)
{
    const RefreshLevel level = list.refreshLevel;
    if (level == RefreshLevel::Names) {
        recomputeNames(list, settings);
    }
    if (level != RefreshLevel::None) {
        runStatusPass(list);
        list.rebuildViewOrder();
    }
    summary_ = summaryText(list);
    list.refreshLevel = RefreshLevel::None;
}

} // namespace namenswerk
