#pragma once

#include "settings/settings_file.h"

#include <QString>
#include <QStringList>

namespace namenswerk {

// How many earlier texts an input field's drop-down list keeps.
inline constexpr int RecentTextLimit = 9;

// Puts a text at the top of a drop-down list, without a second copy of it; the
// oldest entry drops out beyond the limit. An empty text changes nothing.
void addRecentText(QStringList &list, const QString &text);

// "Eins&tellungen merken": each of the five current texts of slot 0 goes to the
// top of its drop-down list, then the settings file of the folder is written.
// False when the file could not be written (the lists are updated all the same).
bool rememberSettings(const QString &folder, StoredSettings &settings);

} // namespace namenswerk
