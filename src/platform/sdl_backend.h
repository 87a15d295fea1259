#pragma once
// The SDL2 backend: a real window whose events become window messages, the
// 16-bit frame shown through a streaming texture scaled to fit the window
// with its aspect kept, real counters and colour cursors.

#include <memory>

#include "platform/backend.h"

namespace platform {

// Initialises SDL's video; null (with a message on stderr) when there is no
// display to open a window on.
std::unique_ptr<Backend> createSdlBackend();

}  // namespace platform
