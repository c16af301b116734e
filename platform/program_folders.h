#pragma once

#include <QString>

namespace namenswerk::platform {

// Folder of the running program file, ending in "/".
QString programFolder();

// Where the settings file and the remembered list live, ending in "/": the
// first of the folder set by setSettingsFolderOverride(), the folder named by
// the environment variable NAMENSWERK_SETTINGS_DIR, and the rule of
// settingsFolderBeside(programFolder()). A named folder is created when
// missing.
QString settingsFolder();

// The program folder when it holds a file named "portable" (a build puts one
// beside the programs it builds) and this user may write there; else the
// user's configuration folder for this program (created when missing). An
// installed program keeps its settings there even when run as root.
QString settingsFolderBeside(const QString &programFolder);

// An empty folder clears the override.
void setSettingsFolderOverride(const QString &folder);

} // namespace namenswerk::platform
