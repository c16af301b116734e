#pragma once

#include "engine/target_template.h"
#include "model/entry_status.h"

#include <QString>

namespace namenswerk {

class EntryMatcher;
struct FileEntry;

// Expands a parsed template for one entry after another during one full
// recomputation; it owns the running counter of that pass.
class TemplateExpander {
public:
    TemplateExpander(const TargetTemplate &targetTemplate, int counterStart);

    // name and extension come in as the old name's parts (after the initial
    // replacements) and go out as the new ones; the new name part may begin
    // with a folder ("Fotos/"). Returns Filter when the expressions do not
    // match (the parts stay as they were), SearchError for an empty template,
    // else Ok.
    EntryStatus expand(const FileEntry &entry, EntryMatcher &matcher, QString &name,
                       QString &extension, QString &trace);

private:
    void appendToken(const TemplateToken &token, const FileEntry &entry,
                     const EntryMatcher &matcher, const QString &name, const QString &extension,
                     QString &result, QString &trace);
    QString counterText(const TemplateToken &token, const FileEntry &entry);

    const TargetTemplate &template_;
    int counter_;
    bool counterGivenBack_ = false;
};

// Picture size token forms: 7 full value, 1 thousands, 2 kibi-units,
// 3..6 the last digits.
QString pictureTokenText(int value, int form);

} // namespace namenswerk
