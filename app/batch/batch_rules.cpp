#include "app/batch/batch_rules.h"

namespace namenswerk::batch {

using namespace Qt::StringLiterals;

namespace {

template <typename T> void setIfGiven(T &field, const std::optional<T> &value)
{
    if (value) {
        field = *value;
    }
}

void applyOverrides(BatchRules &rules, const RuleOverrides &o)
{
    RenameSettings &s = rules.settings;
    setIfGiven(s.regFindname, o.name);
    setIfGiven(s.regFindext, o.ext);
    setIfGiven(s.regReplace, o.templateText);
    setIfGiven(s.txtFind, o.find);
    setIfGiven(s.txtReplace, o.replace);
    setIfGiven(s.regCase, o.patternCase);
    setIfGiven(s.txtName, o.namesOnly);
    setIfGiven(s.txtCase, o.findCase);
    setIfGiven(s.txtAll, o.replaceAll);
    setIfGiven(s.filenameCase, o.nameCase);
    setIfGiven(s.fileextCase, o.extCase);
    setIfGiven(s.fileDate, o.touch);
    setIfGiven(s.resolveChains, o.resolveChains);
    setIfGiven(rules.upper, o.upper);
    setIfGiven(rules.counterStart, o.counterStart);
}

const RenameSettings *profileNamed(const SettingsRecords &records, const QString &name)
{
    for (int slot = 1; slot <= ProfileSlots; ++slot) {
        const RenameSettings &record = records.at(static_cast<std::size_t>(slot));
        if (record.active && record.name.compare(name, Qt::CaseInsensitive) == 0) {
            return &record;
        }
    }
    return nullptr;
}

} // namespace

std::optional<BatchRules> rulesFor(const StoredSettings &stored, const BatchOptions &options,
                                   QString &error)
{
    BatchRules rules{stored.records.front(), stored.upper, 1};
    if (!options.profile.isEmpty()) {
        const RenameSettings *profile = profileNamed(stored.records, options.profile);
        if (profile == nullptr) {
            error = u"no profile named '%1'"_s.arg(options.profile);
            return std::nullopt;
        }
        rules.settings = *profile;
    }
    applyOverrides(rules, options.overrides);
    return rules;
}

} // namespace namenswerk::batch
