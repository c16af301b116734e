#include "ui/help_windows.h"

#include "engine/name_engine.h"
#include "settings/requester.h"

namespace namenswerk {

void HelpWindows::showShortcutOverview() {}

void HelpWindows::showPatternReference() {}

void HelpWindows::showContextHelp(int /*controlId*/, const NameEngine & /*engine*/) {}

void HelpWindows::showAbout() {}

} // namespace namenswerk
