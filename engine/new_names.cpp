// The per-entry pipeline of a full recomputation: initial replacements,
// pattern match and template, final replacements, case, join.

#include "engine/case_conversion.h"
#include "engine/entry_matcher.h"
#include "engine/file_name_split.h"
#include "engine/name_engine.h"
#include "engine/replace_rules.h"
#include "engine/template_expansion.h"

namespace namenswerk {

void NameEngine::recomputeNames(FileList &list, const RenameSettings &settings)
{
    nameFlags_.clearAll();
    EntryMatcher matcher = EntryMatcher::compile(patterns_[0], patterns_[1], settings.regCase);
    const ReplaceRules initialRules = ReplaceRules::parse(settings.txtFind, settings.txtCase);
    const ReplaceRules finalRules = ReplaceRules::parse(settings.txtReplace, settings.txtCase);
    listIndicators_[0] = initialRules.indicator();
    listIndicators_[1] = finalRules.indicator();
    TemplateExpander expander(template_, counterStart);

    const QString none = QStringLiteral("-");
    for (FileEntry &entry : list.entries()) {
        auto [name, extension] = splitFileName(entry.oldName);
        entry.newName = none;
        entry.nameTrace = none;
        entry.status = EntryStatus::None;
        initialRules.apply(name, extension, settings.txtAll, settings.txtName);
        if (!matcher.ok()) {
            entry.status = EntryStatus::SearchError;
            continue;
        }
        QString trace;
        entry.status = expander.expand(entry, matcher, name, extension, trace);
        if (template_.hasError()) {
            if (entry.status != EntryStatus::Filter) {
                entry.status = EntryStatus::TokenError;
            }
            continue;
        }
        finalRules.apply(name, extension, settings.txtAll, settings.txtName);
        applyCaseModes(name, extension, settings.filenameCase, settings.fileextCase, upper);
        if (extension.isEmpty()) {
            entry.newName = std::move(name);
            nameFlags_.set(SomeWithoutExtension);
        } else {
            entry.newName = name % u'.' % extension;
            nameFlags_.set(SomeWithExtension);
        }
        if (entry.status != EntryStatus::Filter) {
            entry.nameTrace = std::move(trace);
        }
    }
}

} // namespace namenswerk
