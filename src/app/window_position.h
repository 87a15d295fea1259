#pragma once

#include "config/game_settings.h"

// Out-of-range positions centre the window on the screen; a missing key
// (0) puts it at the screen's edge.
void correctWindowPosition(GameSettings& settings, int screenWidth, int screenHeight);
