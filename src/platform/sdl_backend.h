#pragma once
// The SDL2 backend: a real window whose events become window messages, the
// 16-bit frame shown through a streaming texture scaled to fit the window
// with its aspect kept, real counters and colour cursors.

#include <memory>
#include <vector>

#include "platform/backend.h"
#include "platform/script.h"

namespace platform {

// Initialises SDL's video; null (with a message on stderr) when there is no
// display to open a window on. A script's pad lines, if any, are played on
// a virtual pad (sdl_virtual_pad.h).
std::unique_ptr<Backend> createSdlBackend(std::vector<ScriptCommand> padScript = {});

}  // namespace platform
