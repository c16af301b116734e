#include "platform/desktop/keyboard_state.h"

#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

namespace namenswerk::platform {
namespace {

TEST(ShiftHeld, FollowsTheShiftKey)
{
    QWindow window;
    EXPECT_FALSE(shiftHeld());
    QTest::keyPress(&window, Qt::Key_Shift, Qt::ShiftModifier);
    EXPECT_TRUE(shiftHeld());
    QTest::keyRelease(&window, Qt::Key_Shift, Qt::NoModifier);
    EXPECT_FALSE(shiftHeld());
}

} // namespace
} // namespace namenswerk::platform
