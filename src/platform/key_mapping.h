#pragma once
// SDL key codes to the virtual-key codes the game's input code expects.

#include <SDL.h>

#include "platform/win_messages.h"

namespace platform {

// 0 for keys the game has no code for.
WParam virtualKeyFromSdl(SDL_Keycode key);

}  // namespace platform
