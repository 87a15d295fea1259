#pragma once
// What the game does when the connection to its display is lost under it
// (the desktop session ends, the X server dies): it says so on standard
// error and ends at once, with status 1. Left to the X library, the process
// would run its exit handlers from inside the library's call, where the
// game's objects are torn down in no order and the window's own teardown
// waits for the lost display for ever.

namespace platform {

// Installs the handler; `videoDriver` is SDL's current video driver, and
// only the X11 driver needs one.
void endWhenDisplayIsLost(const char* videoDriver);

}  // namespace platform
