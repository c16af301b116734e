#pragma once

#include "engine/rename_settings.h"
#include "settings/profile_menu.h"
#include "settings/profile_rules.h"
#include "settings/requester.h"
#include "settings/rule_inputs.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace namenswerk {

// How the profile window opens.
struct ProfileDialogSetup {
    ProfileDialogMode mode = ProfileDialogMode::Save;
    QString title;
    QString text;      // the name field's initial text
    QStringList names; // the drop-down entries (saving only)
    bool okEnabled = false;
};

// What the question about the profile in use led to.
enum class ProfileRemoval { None, Deactivated, Deleted };

// The named profiles kept in settings records 1 to 20, the profile in use and
// the window title's modified mark. Works on records owned by the caller (the
// settings read at start), which must outlive it.
//
// None of the operations writes the settings file: saving, selecting, renaming
// and deleting change memory only, until the settings are remembered or the
// program ends. Questions go through the requester the caller passes.
class Profiles {
public:
    // Takes the profile in use from slot 0's name and sets the modified mark
    // from record 0, as at the end of reading the settings.
    explicit Profiles(SettingsRecords &records);
    Profiles(const Profiles &) = delete;
    Profiles &operator=(const Profiles &) = delete;
    Profiles(Profiles &&) = delete;
    Profiles &operator=(Profiles &&) = delete;
    ~Profiles() = default;

    const SettingsRecords &records() const { return records_; }
    // The slot of the profile in use; 0 when slot 0 carries a name that no
    // profile has, -1 when it carries none.
    int activeProfile() const { return activeProfile_; }
    // The name shown in the title; empty when no profile is in use.
    const QString &nameInUse() const { return records_[0].name; }
    // Renaming and deleting are offered only while a name is in use.
    bool hasNameInUse() const { return !nameInUse().isEmpty(); }
    // Names of the profiles in use, slot 1 first.
    QStringList profileNames() const;
    int profileCount() const;

    bool isModified() const { return modified_; }
    QString windowTitle() const;
    std::vector<ProfileMenuEntry> menu() const { return profileMenu(records_); }

    // Copies the inputs into a slot and marks it in use. Slot 0 is the current
    // record; a profile slot must be in use or the first free one, so that no
    // gap opens. False for any other slot.
    bool storeInputs(int slot, const RuleInputs &inputs);
    // The inputs a slot holds, for the main window's fields; the caller then
    // remembers them for the restore command.
    RuleInputs applyInputs(int slot) const;

    // Puts a name into slot 0 as the profile in use and clears the modified
    // mark; an empty name means that no profile is in use.
    void setProfileInUse(const QString &name);
    // Compares the current inputs with the profile in use, if there is one.
    void markModified(const RuleInputs &current);

    ProfileDialogSetup dialogSetup(ProfileDialogMode mode) const;
    bool canConfirm(ProfileDialogMode mode, const QString &text) const
    {
        return namenswerk::canConfirm(mode, text, records_);
    }

    // "&Ok" of the profile window when saving: stores the inputs under the
    // trimmed name, asking before an existing profile (letter case aside) is
    // overwritten; an overwritten profile keeps its name as it was written.
    // Returns the slot saved into, 0 when nothing was saved.
    int saveProfile(const QString &typed, const RuleInputs &inputs, Requester &requester);
    // Makes a profile the one in use and copies its inputs into slot 0. Returns
    // those inputs for the main window's fields; none for a slot not in use.
    std::optional<RuleInputs> selectProfile(int slot);
    // "&Ok" of the profile window when renaming: the text, as typed, names the
    // profile in use. False, with nothing changed, when canConfirm() refuses it
    // or no name is in use.
    bool renameProfile(const QString &text);
    // Asks whether to deactivate or delete the profile in use and does it.
    ProfileRemoval removeProfileInUse(Requester &requester);
    // No profile is in use any more; the profiles and the inputs stay.
    void deactivate();
    // Deletes the profile in use: the later profiles move down one slot, slot
    // 20 is cleared and no profile is in use. False when no profile has the
    // name in use.
    bool deleteProfile();

private:
    RenameSettings &record(int slot) { return records_[std::size_t(slot)]; }
    const RenameSettings &record(int slot) const { return records_[std::size_t(slot)]; }
    int findSaveSlot(const QString &name, Requester &requester) const;
    int slotOfNameInUse() const;

    SettingsRecords &records_;
    int activeProfile_ = -1;
    bool modified_ = false;
};

} // namespace namenswerk
