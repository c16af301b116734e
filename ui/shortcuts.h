#pragma once

#include "ui/commands.h"

#include <QKeyCombination>

#include <functional>
#include <span>

class QWidget;

namespace namenswerk {

struct ShortcutBinding {
    QKeyCombination keys;
    Command command{};
};

// The main window's keys. Enter and Ctrl+Enter appear twice: the main keyboard's
// Return and the keypad's Enter.
std::span<const ShortcutBinding> windowShortcuts();

// Binds every key of the table on the window, for the whole window: the keys
// win over what the focused control would do with them (Enter in a field is
// command 149, Ctrl+Z restores inputs rather than undoing typing). Each key
// calls run with its command.
void installShortcuts(QWidget &window, const std::function<void(Command)> &run);

} // namespace namenswerk
