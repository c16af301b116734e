#include "platform/desktop/keyboard_state.h"

#include <QGuiApplication>

namespace namenswerk::platform {

bool shiftHeld()
{
    return QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ShiftModifier);
}

} // namespace namenswerk::platform
