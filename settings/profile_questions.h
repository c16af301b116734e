#pragma once

#include "settings/requester.h"

#include <QString>

namespace namenswerk {

// The answers that the profile questions' own captions give.
enum ProfileAnswer : int { AnswerOverwrite = 'B', AnswerDeactivate = 'D', AnswerDelete = 'L' };

// Saving under a name that a profile already has (letter case aside).
Request overwriteQuestion(const QString &name);
// Saving a new profile while all 20 slots are taken.
Request noFreeProfileMessage();
// Giving up the profile in use: deactivate it or delete it for good.
Request removalQuestion(const QString &name);

} // namespace namenswerk
