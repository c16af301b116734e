#pragma once

#include <QCursor>
#include <QGuiApplication>

namespace namenswerk {

// Shows the wait cursor for as long as it lives: long work runs on the
// window's thread, and the cursor is all the user sees of it.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
    WaitCursor(WaitCursor &&) = delete;
    WaitCursor &operator=(WaitCursor &&) = delete;
};

} // namespace namenswerk
