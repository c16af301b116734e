#include "settings/profiles.h"

#include "settings/profile_questions.h"
#include "settings/settings_file.h"

#include <algorithm>

namespace namenswerk {

using namespace Qt::StringLiterals;

Profiles::Profiles(SettingsRecords &records)
    : records_(records), activeProfile_(activeProfileSlot(records))
{
    markModified(inputsOf(records_[0]));
}

QStringList Profiles::profileNames() const
{
    QStringList names;
    for (int slot = 1; slot <= profileCount(); ++slot) {
        names.append(record(slot).name);
    }
    return names;
}

int Profiles::profileCount() const
{
    auto *const firstFree = std::find_if(records_.begin() + 1, records_.end(),
                                         [](const RenameSettings &r) { return !r.active; });
    return int(firstFree - records_.begin()) - 1;
}

QString Profiles::windowTitle() const
{
    return namenswerk::windowTitle(nameInUse(), modified_);
}

bool Profiles::storeInputs(int slot, const RuleInputs &inputs)
{
    if (slot < 0 || slot > std::min(profileCount() + 1, ProfileSlots)) {
        return false;
    }
    putInputs(inputs, record(slot));
    record(slot).active = true;
    return true;
}

RuleInputs Profiles::applyInputs(int slot) const
{
    return inputsOf(record(std::clamp(slot, 0, ProfileSlots)));
}

void Profiles::setProfileInUse(const QString &name)
{
    records_[0].name = name;
    modified_ = false;
    if (name.isEmpty()) {
        activeProfile_ = -1;
    }
}

void Profiles::markModified(const RuleInputs &current)
{
    if (activeProfile_ > 0) {
        modified_ = current != inputsOf(record(activeProfile_));
    }
}

ProfileDialogSetup Profiles::dialogSetup(ProfileDialogMode mode) const
{
    if (mode == ProfileDialogMode::Save) {
        return {mode, u"Profil speichern"_s, nameInUse(), profileNames(),
                canConfirm(mode, nameInUse())};
    }
    return {mode, u"Profil umbenennen"_s, nameInUse(), {}, false};
}

int Profiles::saveProfile(const QString &typed, const RuleInputs &inputs, Requester &requester)
{
    const QString name = trimmedProfileName(typed);
    if (name.isEmpty()) {
        return 0;
    }
    const int slot = findSaveSlot(name, requester);
    if (slot == 0) {
        return 0;
    }
    if (!record(slot).active) {
        record(slot).name = name;
    }
    storeInputs(slot, inputs);
    activeProfile_ = slot;
    setProfileInUse(record(slot).name);
    return slot;
}

// The last profile of that name counts; a new name takes the first free slot.
int Profiles::findSaveSlot(const QString &name, Requester &requester) const
{
    const int count = profileCount();
    for (int slot = count; slot >= 1; --slot) {
        if (sameProfileName(record(slot).name, name)) {
            const Answer answer = requester.ask(overwriteQuestion(name));
            return answer.code == AnswerOverwrite ? slot : 0;
        }
    }
    if (count == ProfileSlots) {
        requester.ask(noFreeProfileMessage());
        return 0;
    }
    return count + 1;
}

std::optional<RuleInputs> Profiles::selectProfile(int slot)
{
    if (slot < 1 || slot > ProfileSlots || !record(slot).active) {
        return std::nullopt;
    }
    activeProfile_ = slot;
    const RuleInputs inputs = applyInputs(slot);
    putInputs(inputs, records_[0]);
    setProfileInUse(record(slot).name);
    return inputs;
}

bool Profiles::renameProfile(const QString &text)
{
    if (activeProfile_ < 0 || !canConfirm(ProfileDialogMode::Rename, text)) {
        return false;
    }
    // A new name leaves the inputs and the profile as they were, and so the mark.
    const bool modified = modified_;
    record(activeProfile_).name = text;
    setProfileInUse(text);
    modified_ = modified;
    return true;
}

ProfileRemoval Profiles::removeProfileInUse(Requester &requester)
{
    if (!hasNameInUse()) {
        return ProfileRemoval::None;
    }
    switch (requester.ask(removalQuestion(nameInUse())).code) {
    case AnswerDeactivate:
        deactivate();
        return ProfileRemoval::Deactivated;
    case AnswerDelete:
        return deleteProfile() ? ProfileRemoval::Deleted : ProfileRemoval::None;
    default:
        return ProfileRemoval::None;
    }
}

void Profiles::deactivate()
{
    setProfileInUse(QString());
}

bool Profiles::deleteProfile()
{
    const int slot = slotOfNameInUse();
    if (slot == 0) {
        return false;
    }
    std::move(records_.begin() + slot + 1, records_.end(), records_.begin() + slot);
    records_.back() = RenameSettings::cleared();
    setProfileInUse(QString());
    return true;
}

// The profile in use when it still bears the name; otherwise the first profile
// of that exact name. Names that differ only in letter case are other profiles.
int Profiles::slotOfNameInUse() const
{
    if (!hasNameInUse()) {
        return 0;
    }
    const auto bearsName = [&](int slot) {
        return record(slot).active && record(slot).name == nameInUse();
    };
    if (activeProfile_ > 0 && bearsName(activeProfile_)) {
        return activeProfile_;
    }
    for (int slot = 1; slot <= ProfileSlots; ++slot) {
        if (bearsName(slot)) {
            return slot;
        }
    }
    return 0;
}

} // namespace namenswerk
