#pragma once

#include <QString>

namespace namenswerk {

// A "/" or "\" inside a value read from a file (an audio tag such as
// "AC/DC") is a character of the name, never a folder separator, and no
// file system takes it in a name. The engine writes such characters as
// these two marks, which no name on disk holds (they are Unicode
// noncharacters, reserved for a program's own use): the checks refuse them,
// so the entry is "Ungültiger Name", and every display shows them as the
// characters they stand for.
inline constexpr char16_t ValueSlash = 0xFDD0;
inline constexpr char16_t ValueBackslash = 0xFDD1;

// The value with its separators turned into the marks.
QString withValueSeparatorsMarked(QString value);

// The text as the user reads it: the marks back as "/" and "\".
QString withValueSeparatorsShown(QString text);

} // namespace namenswerk
