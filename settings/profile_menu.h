#pragma once

#include "engine/rename_settings.h"

#include <QString>

#include <vector>

namespace namenswerk {

// Commands of the profile menu, in the number space the main window shares
// between controls, menu items and shortcuts. Profile slot s is FirstProfileCommand - 1 + s.
enum ProfileCommand : int {
    SaveProfileCommand = 146,
    DeleteProfileCommand = 147,
    RenameProfileCommand = 148,
    RememberSettingsCommand = 149,
    FirstProfileCommand = 151,
};

// The picture shown beside a menu item, numbered like the program's small images.
enum class ProfileMenuIcon : int {
    None = 0,
    RememberSettings = 71,
    SaveProfile = 72,
    RenameProfile = 73,
    DeleteProfile = 74,
    ActiveProfile = 75,
    OtherProfile = 76,
};

// One item of the profile menu; a separator has no text and command 0.
struct ProfileMenuEntry {
    QString text; // "&" marks the mnemonic, "\t" leads the shortcut column
    int command = 0;
    ProfileMenuIcon icon = ProfileMenuIcon::None;
    bool enabled = true;
    int slot = 0;       // the profile an item selects, 0 for the fixed items
    bool inUse = false; // the item's profile is the one in use

    bool isSeparator() const { return command == 0; }
    bool operator==(const ProfileMenuEntry &) const = default;
};

// The profile menu in display order: the fixed items, then one item per profile
// in use. Renaming and deleting are offered only while slot 0 carries a name.
std::vector<ProfileMenuEntry> profileMenu(const SettingsRecords &records);

} // namespace namenswerk
