#include "settings/profile_menu.h"

#include "settings/profile_rules.h"

namespace namenswerk {

using namespace Qt::StringLiterals;

std::vector<ProfileMenuEntry> profileMenu(const SettingsRecords &records)
{
    const QString &nameInUse = records[0].name;
    const bool profileInUse = !nameInUse.isEmpty();
    std::vector<ProfileMenuEntry> menu{
        {u"Einstellungen als Profil &speichern...\tStrg+S"_s, SaveProfileCommand,
         ProfileMenuIcon::SaveProfile},
        {u"Aktuelles Profil l&öschen...\tStrg+L"_s, DeleteProfileCommand,
         ProfileMenuIcon::DeleteProfile, profileInUse},
        {u"Aktuelles Profile umbenennen...\tStrg+B"_s, RenameProfileCommand,
         ProfileMenuIcon::RenameProfile, profileInUse},
        {},
        {u"Eins&tellungen merken\tEnter"_s, RememberSettingsCommand,
         ProfileMenuIcon::RememberSettings},
    };
    for (int slot = 1; slot <= ProfileSlots && records[std::size_t(slot)].active; ++slot) {
        if (slot == 1) {
            menu.emplace_back();
        }
        const QString &name = records[std::size_t(slot)].name;
        const bool inUse = profileInUse && name == nameInUse;
        menu.push_back({name + u"\t&"_s + profileLetter(slot) + u"  "_s,
                        FirstProfileCommand - 1 + slot,
                        inUse ? ProfileMenuIcon::ActiveProfile : ProfileMenuIcon::OtherProfile,
                        true, slot, inUse});
    }
    return menu;
}

} // namespace namenswerk
