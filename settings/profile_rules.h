#pragma once

#include "engine/rename_settings.h"

#include <QChar>
#include <QString>

namespace namenswerk {

// The two uses of the profile window.
enum class ProfileDialogMode { Save, Rename };

// The name a typed text is saved under: blanks, then stars, removed at both
// ends. A star would be mistaken for the title's modified mark.
QString trimmedProfileName(const QString &typed);

// Profile names compare without regard to letter case, one UTF-16 unit at a time.
bool sameProfileName(const QString &a, const QString &b);

// Whether the profile window's "&Ok" may be pressed for the text typed so far.
// Saving needs a name left after trimming. Renaming needs a text that no profile
// in use has yet (in any letter case, the current one included), and one that is
// not empty: a profile without a name could be neither renamed nor deleted.
bool canConfirm(ProfileDialogMode mode, const QString &text, const SettingsRecords &records);

// "Namenswerk" without a profile, else "Namenswerk - " + name, with a trailing
// "*" while the inputs differ from the profile.
QString windowTitle(const QString &profileName, bool modified);

// The menu letter of profile slot 1 to 20: "A" to "Y" without "S" to "W"
// ("S" and "T" are the mnemonics of the menu's own items). Null outside 1 to 20.
QChar profileLetter(int slot);

} // namespace namenswerk
