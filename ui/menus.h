#pragma once

#include "engine/rename_settings.h"
#include "settings/status_colors.h"
#include "ui/commands.h"

#include <optional>

class QAction;
class QMenu;

namespace namenswerk {

// The three popup menus of the main window. Every item carries its command
// number as its data, so choosing it runs the same command as its shortcut.

// The item of a command; null when the menu has none.
QAction *menuItem(const QMenu &menu, Command command);
// The command an item stands for; none for separators and foreign actions.
std::optional<Command> itemCommand(const QAction *action);

// The filter classes, each with a swatch of its colours in the table given.
void fillFilterMenu(QMenu &menu, const ColorTable &colours);
// Puts the only check mark on the active filter's item; 0 is the "off" item.
void checkFilterItem(const QMenu &menu, int activeFilter);

struct SpecialMenuState {
    bool customColours = true;
    bool upper = false;
    bool rememberList = false;
    bool resolveChains = false;
    ColorTable colours{};
};

// Replaces the menu's items; the upper-case item's text and icon follow the switch.
void fillSpecialMenu(QMenu &menu, const SpecialMenuState &state);

// The fixed profile commands and one item per stored profile. Renaming and
// deleting need a profile in use (slot 0 has a name).
void fillProfileMenu(QMenu &menu, const SettingsRecords &records);

} // namespace namenswerk
