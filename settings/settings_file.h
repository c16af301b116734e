#pragma once

#include "engine/rename_settings.h"
#include "model/file_list.h"
#include "settings/status_colors.h"
#include "settings/stored_values.h"

#include <QSize>
#include <QString>
#include <QStringList>

namespace namenswerk {

// Main window placement: outer position on the screen, inner size.
struct WindowPlacement {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    // Only a plausible size is restored: width 720 up to the screen's width,
    // height 400 up to the screen's height (both limits included).
    bool fits(QSize screen) const;
    bool operator==(const WindowPlacement &) const = default;
};

// The drop-down lists of the five text inputs, newest first, as the user sees
// them. Read: the current text (when not empty) first, then the remembered
// earlier texts. Written: empty entries and entries equal to the current text
// are left out, at most nine are kept.
struct InputLists {
    QStringList regFindname;
    QStringList regFindext;
    QStringList regReplace;
    QStringList txtFind;
    QStringList txtReplace;

    bool operator==(const InputLists &) const = default;
};

// Everything the settings file keeps besides the rename run's record.
// A default-constructed value is what a first start without a file uses.
struct StoredSettings {
    int startCount = 0;        // runs that saved the settings, as read; written plus 1
    bool rememberList = false; // keep the file list from one start to the next
    bool upper = false;        // case modes lower-case the letters they do not capitalise
    bool flickering = false;   // redraw option of the resize handling; never written
    bool theme = true;         // custom colour scheme; never written, decides about "Colors"
    WindowPlacement window;    // as stored; check fits() before using it
    ListColumn sortColumn = ListColumn::FolderMark;
    SortDirection sortDirection = SortDirection::Unsorted;
    int activeFilter = 0; // filter menu command 130 to 135, 0 when no filter is chosen
    ColorTable colors = softColors();
    // Slot 0: the current settings; 1 to k: the profiles in use, in the order
    // of their groups; the slots after them are cleared.
    SettingsRecords records = defaultRecords();
    InputLists inputLists;

    static SettingsRecords defaultRecords();
    bool operator==(const StoredSettings &) const = default;
};

// Where the settings file lives inside the settings folder.
QString settingsFilePath(const QString &folder);
// The group of a profile slot 1 to 20: "Profile A" to "Profile T".
QString profileGroup(int slot);

// Reads the settings file of the folder; a missing or unreadable file gives
// the defaults. Nothing is written.
StoredSettings readSettings(const QString &folder);
// Updates the settings file of the folder in place (creating it when needed):
// keys this program does not write survive. False when it could not be
// written, or exists but could not be read; the previous file then stays as
// it was.
bool writeSettings(const QString &folder, const StoredSettings &settings);

// The colour table for the scheme: from the folder's settings file (soft
// colours where it has none) or the fixed colours.
ColorTable readColors(const QString &folder, bool customScheme);

// The profile in use after reading: the last slot in use whose name equals
// slot 0's name (0 when no profile has it), -1 when slot 0 has no name.
int activeProfileSlot(const SettingsRecords &records);

} // namespace namenswerk
