// The per-entry pipeline of a full recomputation: initial replacements,
// pattern match and template, final replacements, case, join.

#include "engine/case_conversion.h"
#include "engine/entry_facts.h"
#include "engine/entry_matcher.h"
#include "engine/file_name_split.h"
#include "engine/name_engine.h"
#include "engine/replace_rules.h"
#include "engine/template_expansion.h"

#include <algorithm>

namespace namenswerk {

namespace {

// Replaces a stored text. A recomputation after a keystroke mostly yields
// texts of the same length as before, so the entry's own buffer is reused
// where it can be; otherwise the new copy takes no more room than it needs.
// An unchanged text is left alone: the list on screen shares it.
void overwrite(QString &stored, QStringView text)
{
    if (stored == text) {
        return;
    }
    if (stored.isDetached() && stored.capacity() >= text.size()) {
        stored.resize(text.size());
        std::copy(text.begin(), text.end(), stored.begin());
    } else {
        stored = text.toString();
    }
}

// Sets a working text to a part of the old name; working texts keep their
// capacity from entry to entry.
void assign(QString &working, QStringView part)
{
    working.resize(0);
    working += part;
}

} // namespace

void NameEngine::recomputeNames(FileList &list, const RenameSettings &settings)
{
    nameFlags_.clearAll();
    EntryMatcher matcher = EntryMatcher::compile(patterns_[0], patterns_[1], settings.regCase);
    const ReplaceRules initialRules = ReplaceRules::parse(settings.txtFind, settings.txtCase);
    const ReplaceRules finalRules = ReplaceRules::parse(settings.txtReplace, settings.txtCase);
    listIndicators_[0] = initialRules.indicator();
    listIndicators_[1] = finalRules.indicator();
    if (template_.readsPictureSizes()) {
        readUnreadPictureSizes(list);
    }
    TemplateExpander expander(template_, counterStart);
    if (template_.readsCaptureDates()) {
        expander.captureDate = [this, &list](const FileEntry &entry) {
            return captureDates_.lookup(list.fullPath(entry), entry);
        };
    }

    const QString none = QStringLiteral("-");
    QString name;
    QString extension;
    QString trace;
    QString joined;
    for (FileEntry &entry : list.entries()) {
        const SplitNameView oldParts = splitFileNameView(entry.oldName);
        assign(name, oldParts.name);
        assign(extension, oldParts.extension);
        initialRules.apply(name, extension, settings.txtAll, settings.txtName);
        if (!matcher.ok()) {
            entry.newName = none;
            entry.nameTrace = none;
            entry.status = EntryStatus::SearchError;
            continue;
        }
        entry.status = expander.expand(entry, matcher, name, extension, trace);
        if (template_.hasError()) {
            entry.newName = none;
            entry.nameTrace = none;
            if (entry.status != EntryStatus::Filter) {
                entry.status = EntryStatus::TokenError;
            }
            continue;
        }
        finalRules.apply(name, extension, settings.txtAll, settings.txtName);
        applyCaseModes(name, extension, settings.filenameCase, settings.fileextCase, upper);
        if (extension.isEmpty()) {
            overwrite(entry.newName, name);
            nameFlags_.set(SomeWithoutExtension);
        } else {
            assign(joined, name);
            joined += u'.';
            joined += extension;
            overwrite(entry.newName, joined);
            nameFlags_.set(SomeWithExtension);
        }
        if (entry.status == EntryStatus::Filter) {
            entry.nameTrace = none;
        } else {
            overwrite(entry.nameTrace, trace);
        }
    }
}

} // namespace namenswerk
