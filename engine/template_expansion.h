#pragma once

#include "engine/audio_tags.h"
#include "engine/capture_date.h"
#include "engine/target_template.h"
#include "model/entry_status.h"

#include <QString>

#include <functional>

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
    // else Ok. The texts are overwritten in place, so buffers the caller
    // reuses for every entry keep their capacity. The trace, how the name
    // was composed, is written only when asked for.
    // Where capture dates and audio tags come from; only asked when the
    // template has such a token, and the tags at most once per entry.
    std::function<CaptureDate(const FileEntry &)> captureDate;
    std::function<const AudioTags &(const FileEntry &)> audioTags;

    EntryStatus expand(const FileEntry &entry, EntryMatcher &matcher, QString &name,
                       QString &extension, QString *trace = nullptr);
    // The counter value of the entry expanded last.
    int counter() const { return counter_; }

private:
    void appendToken(const TemplateToken &token, const FileEntry &entry,
                     const EntryMatcher &matcher, QStringView name, QStringView extension,
                     QString *trace);
    void appendCounter(const TemplateToken &token, const FileEntry &entry);
    void appendAudioTag(const TemplateToken &token, const FileEntry &entry, QString *trace);
    void takeParts(QString &name, QString &extension) const;

    const TargetTemplate &template_;
    int counter_;
    bool counterGivenBack_ = false;
    const AudioTags *entryTags_ = nullptr; // the current entry's, once asked for
    QString result_;                       // the expanded text of the current entry
};

// Picture size token forms: 7 full value, 1 thousands, 2 kibi-units,
// 3..6 the last digits.
QString pictureTokenText(int value, int form);

} // namespace namenswerk
