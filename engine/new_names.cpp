// The per-entry pipeline of a full recomputation: initial replacements,
// pattern match and template, final replacements, case, join.

#include "engine/case_conversion.h"
#include "engine/entry_facts.h"
#include "engine/entry_matcher.h"
#include "engine/file_name_split.h"
#include "engine/name_engine.h"
#include "engine/replace_rules.h"
#include "engine/template_expansion.h"
#include "model/name_packer.h"

#include <memory>

namespace namenswerk {

namespace {

// Sets a working text to a part of the old name; working texts keep their
// capacity from entry to entry.
void assign(QString &working, QStringView part)
{
    working.resize(0);
    working += part;
}

// What was read from inside the files, shared by the recomputation and the
// traces made after it.
struct FileContents {
    std::shared_ptr<NameEngine::CaptureDateCache> captureDates;
    std::shared_ptr<NameEngine::AudioTagCache> audioTags;
};

// The inputs of one recomputation, kept for the traces the list asks for
// later: copies, so that a trace never reads inputs changed since.
struct TraceInputs {
    PatternRecord patterns[2];
    TargetTemplate targetTemplate;
    RenameSettings settings;
    FileContents contents;
};

// The rules of one recomputation, compiled once for all its entries.
class EntryRules {
public:
    EntryRules(const PatternRecord (&patterns)[2], const RenameSettings &settings)
        : matcher(EntryMatcher::compile(patterns[0], patterns[1], settings.regCase)),
          initial(ReplaceRules::parse(settings.txtFind, settings.txtCase)),
          final(ReplaceRules::parse(settings.txtReplace, settings.txtCase)), settings_(settings)
    {
    }

    // The old name's parts after the initial replacements.
    void split(const FileEntry &entry, QString &name, QString &extension) const
    {
        const SplitNameView oldParts = splitFileNameView(entry.oldName);
        assign(name, oldParts.name);
        assign(extension, oldParts.extension);
        initial.apply(name, extension, settings_.txtAll, settings_.txtName);
    }

    void finish(QString &name, QString &extension, bool upper) const
    {
        final.apply(name, extension, settings_.txtAll, settings_.txtName);
        applyCaseModes(name, extension, settings_.filenameCase, settings_.fileextCase, upper);
    }

    EntryMatcher matcher;
    const ReplaceRules initial;
    const ReplaceRules final;

private:
    const RenameSettings &settings_;
};

void useFileContents(TemplateExpander &expander, const TargetTemplate &targetTemplate,
                     const FileContents &contents, const FileList &list)
{
    if (targetTemplate.readsCaptureDates()) {
        expander.captureDate = [cache = contents.captureDates.get(),
                                &list](const FileEntry &entry) {
            return cache->lookup(list.fullPath(entry), entry);
        };
    }
    if (targetTemplate.readsAudioTags()) {
        expander.audioTags = [cache = contents.audioTags.get(),
                              &list](const FileEntry &entry) -> const AudioTags & {
            return cache->lookup(list.fullPath(entry), entry);
        };
    }
}

// Expands the template once more for one entry, with the counter it got.
QString traceOf(const TraceInputs &inputs, const FileList &list, int index)
{
    const QString none = QStringLiteral("-");
    EntryRules rules(inputs.patterns, inputs.settings);
    if (!rules.matcher.ok()) {
        return none;
    }
    const FileEntry &entry = list.at(index);
    QString name;
    QString extension;
    rules.split(entry, name, extension);
    TemplateExpander expander(inputs.targetTemplate, entry.counter);
    useFileContents(expander, inputs.targetTemplate, inputs.contents, list);
    QString trace;
    const EntryStatus status = expander.expand(entry, rules.matcher, name, extension, &trace);
    return inputs.targetTemplate.hasError() || status == EntryStatus::Filter ? none : trace;
}

} // namespace

void NameEngine::recomputeNames(FileList &list, const RenameSettings &settings)
{
    nameFlags_.clearAll();
    EntryRules rules(patterns_, settings);
    listIndicators_[0] = rules.initial.indicator();
    listIndicators_[1] = rules.final.indicator();
    if (template_.readsPictureSizes()) {
        readUnreadPictureSizes(list);
    }
    TemplateExpander expander(template_, counterStart);
    useFileContents(expander, template_, FileContents{captureDates_, audioTags_}, list);
    auto inputs =
        std::make_shared<const TraceInputs>(TraceInputs{{patterns_[0], patterns_[1]},
                                                        template_,
                                                        settings,
                                                        FileContents{captureDates_, audioTags_}});
    list.setTraceSource(
        [inputs](const FileList &traced, int index) { return traceOf(*inputs, traced, index); });

    const QString none = QStringLiteral("-");
    QString name;
    QString extension;
    QString joined;
    // Every new name goes into fresh blocks, unchanged ones too: the names of
    // the last recomputation then free their blocks whole, where keeping some
    // would keep every block they share alive.
    NamePacker newNames;
    for (FileEntry &entry : list.entries()) {
        rules.split(entry, name, extension);
        if (!rules.matcher.ok()) {
            entry.newName = none;
            entry.status = EntryStatus::SearchError;
            continue;
        }
        entry.status = expander.expand(entry, rules.matcher, name, extension);
        entry.counter = expander.counter();
        if (template_.hasError()) {
            entry.newName = none;
            if (entry.status != EntryStatus::Filter) {
                entry.status = EntryStatus::TokenError;
            }
            continue;
        }
        rules.finish(name, extension, upper);
        if (extension.isEmpty()) {
            entry.newName = newNames.pack(name);
            nameFlags_.set(SomeWithoutExtension);
        } else {
            assign(joined, name);
            joined += u'.';
            joined += extension;
            entry.newName = newNames.pack(joined);
            nameFlags_.set(SomeWithExtension);
        }
    }
}

} // namespace namenswerk
