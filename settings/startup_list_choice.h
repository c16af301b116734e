#pragma once

#include <QString>

namespace namenswerk {

// How many entries a list file gives unless the command line says otherwise.
inline constexpr int DefaultEntryLimit = 9999;

// Which list file the start reads, and how.
struct ListFileChoice {
    QString path;
    bool hasFolderLine = false;
    int entryLimit = DefaultEntryLimit;
};

// Decides from the first command-line argument (empty when there is none).
// An argument ending in ".lst" (exactly so) is a list file of bare paths.
// Anything else is read as a number limiting the entries taken from the own
// list file; with no number, the remember option decides, and holding Shift
// at start inverts it.
ListFileChoice chooseListFile(const QString &firstArgument, bool rememberList, bool shiftAtStart,
                              const QString &programFolder);

// The number a text begins with: leading blanks, a sign, then decimal
// digits, or "$" and hexadecimal or "%" and binary digits. Reading stops at
// the first character that is no digit; no number at all gives 0. Values
// beyond the range of int are clamped to it.
int parseLeadingNumber(const QString &text);

} // namespace namenswerk
