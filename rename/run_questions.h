#pragma once

#include "engine/rename_settings.h"
#include "settings/requester.h"

#include <QString>

#include <optional>

namespace namenswerk {

// Answers to the extension warning, from the letters after "&" of its captions.
enum RunAnswer : int { AnswerRename = 'U', AnswerChangeSetting = 'E' };

// The warning before a run whose new names would lose their extensions; none
// when every new name keeps one.
std::optional<Request> extensionWarning(ExtensionFlags flags, int readyCount);

// The template after "Einstellung ändern": it ends in "." and then takes the
// extension ("<n>" and "<n>." become "<n>.<e>", "*" becomes "*.*").
QString templateWithExtension(QString templateText);

// The question for a missing subfolder (given without its trailing "/").
Request subfolderQuestion(const QString &subfolder);

} // namespace namenswerk
