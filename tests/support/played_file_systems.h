#pragma once

#include "platform/no_replace_rename.h"

namespace namenswerk::test {

// File systems this machine does not have, played on real folders through
// the system calls a move is made of.

// Neither a replace-refusing rename nor hard links, as FAT through FUSE:
// every move claims its target with an empty file first.
platform::RenameSteps claimOnlySteps();
// The same for another played file system.
platform::RenameSteps withoutLinks(platform::RenameSteps steps);

// Letter case ignored in names, as on FAT, exFAT and case-folding folders: a
// name is taken when its folder holds it in any spelling, and every spelling
// of a name leads to the one file.
platform::RenameSteps caseBlindSteps();

} // namespace namenswerk::test
