#pragma once

#include "engine/rename_settings.h"

#include <QString>

namespace namenswerk {

// What the main window's rule fields hold: the five texts, the option boxes,
// the two case modes and how a run treats chains. A profile stores exactly these; its name, whether
// its slot is in use and the never-shown TxtFirst stay outside.
struct RuleInputs {
    QString regFindname;
    QString regFindext;
    QString regReplace;
    bool regCase = false;
    QString txtFind;
    QString txtReplace;
    bool txtName = true;
    bool txtCase = false;
    bool txtAll = true;
    int filenameCase = 0;
    int fileextCase = 0;
    bool fileDate = false;
    bool resolveChains = false;

    bool operator==(const RuleInputs &) const = default;
};

RuleInputs inputsOf(const RenameSettings &record);
// Overwrites the input fields of the record; name, active and txtFirst stay.
void putInputs(const RuleInputs &inputs, RenameSettings &record);

} // namespace namenswerk
