#pragma once

#include "engine/rename_settings.h"

#include <QString>

#include <array>

namespace namenswerk {

// The five text inputs of the main window.
struct TextInputs {
    QString regFindname;
    QString regFindext;
    QString regReplace;
    QString txtFind;
    QString txtReplace;

    bool operator==(const TextInputs &) const = default;
};

TextInputs textInputsOf(const RenameSettings &settings);

// Two remembered states of the text inputs behind the restore command. Every
// change is stored into the slot due next and the other slot becomes due;
// restoring reads the slot due and switches in the same way, so repeated
// restores alternate between the two states.
class InputMemory {
public:
    void rememberInputs(const TextInputs &inputs);
    TextInputs restoreInputs();

    // The slot written or read next: 0 or 1.
    int slot() const { return slot_; }
    const TextInputs &remembered(int slot) const { return slots_.at(std::size_t(slot)); }

private:
    std::array<TextInputs, 2> slots_;
    int slot_ = 0;
};

} // namespace namenswerk
