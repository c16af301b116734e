#pragma once

namespace namenswerk::platform {

// Whether a Shift key is down at this moment, asked of the window system
// rather than taken from the last input event (there is none yet at start).
bool shiftHeld();

} // namespace namenswerk::platform
