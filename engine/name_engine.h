#pragma once

#include "engine/audio_tags.h"
#include "engine/capture_date.h"
#include "engine/field_indicator.h"
#include "engine/file_contents_cache.h"
#include "engine/pattern_translation.h"
#include "engine/rename_settings.h"
#include "engine/target_template.h"
#include "model/file_list.h"

#include <QString>

#include <memory>

namespace namenswerk {

// The rule engine between keystrokes: it keeps the translated patterns and
// the parsed template, and turns a file list and the current settings record
// into new names, statuses and the summary line whenever the list asks for a
// refresh.
class NameEngine {
public:
    NameEngine();

    // The three inputs that are parsed as they are typed; each asks the list
    // for new names at the next refresh.
    void setNamePattern(const QString &pattern);
    void setExtensionPattern(const QString &pattern);
    void setTemplate(const QString &templateText);
    // Parses all three from a settings record (start-up, profile loaded).
    void setInputs(const RenameSettings &settings);

    const PatternRecord &patternRecord(int index) const { return patterns_[index]; }
    const TargetTemplate &targetTemplate() const { return template_; }

    FieldIndicator namePatternIndicator() const;
    FieldIndicator extensionPatternIndicator() const;
    FieldIndicator templateIndicator() const { return template_.indicator(); }
    // Set by the last full recomputation.
    FieldIndicator initialListIndicator() const { return listIndicators_[0]; }
    FieldIndicator finalListIndicator() const { return listIndicators_[1]; }

    // The number the first matching entry gets (menu "Startwert für Zähler").
    int counterStart = 1;
    // Capitalising case modes also lower-case the other letters.
    bool upper = false;

    // Template bits from the last parse, name bits from the last recomputation.
    ExtensionFlags extensionFlags() const;

    // Does what the list's refresh level asks: new names (level 2), statuses
    // and the view order (levels 1 and 2), then the summary (every level).
    // Resets the level to none.
    void refresh(FileList &list, const RenameSettings &settings);

    const QString &summary() const { return summary_; }

    using CaptureDateCache = FileContentsCache<CaptureDate, readCaptureDate>;
    using AudioTagCache = FileContentsCache<AudioTags, readAudioTags>;

    // Ctrl+R: what was read from inside the files is read again when next needed.
    void forgetFileContents()
    {
        captureDates_->clear();
        audioTags_->clear();
    }
    const CaptureDateCache &captureDates() const { return *captureDates_; }
    const AudioTagCache &audioTags() const { return *audioTags_; }

    // Every entry's new name and first status from its old name; the list's
    // traces are made from the same inputs when asked for.
    void recomputeNames(FileList &list, const RenameSettings &settings);

private:
    PatternRecord patterns_[2];
    TargetTemplate template_;
    FieldIndicator listIndicators_[2];
    ExtensionFlags nameFlags_;
    QString summary_;
    // Shared with the list's trace source, which may outlive this engine.
    std::shared_ptr<CaptureDateCache> captureDates_ = std::make_shared<CaptureDateCache>();
    std::shared_ptr<AudioTagCache> audioTags_ = std::make_shared<AudioTagCache>();
};

} // namespace namenswerk
