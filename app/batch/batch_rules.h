#pragma once

#include "app/batch/batch_options.h"
#include "engine/rename_settings.h"
#include "settings/settings_file.h"

namespace namenswerk::batch {

// The rules one batch run works with: the stored current settings or a
// profile, with the command line's changes on top.
struct BatchRules {
    RenameSettings settings;
    bool upper = false;
    int counterStart = 1;
};

// Fails (with a one-line reason) only when a named profile does not exist.
std::optional<BatchRules> rulesFor(const StoredSettings &stored, const BatchOptions &options,
                                   QString &error);

} // namespace namenswerk::batch
