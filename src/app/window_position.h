#pragma once
// Where the window opens, and what it remembers for the next run.
//
// The window comes back at the size and place it had when the game last
// closed, kept in "window.ini" in the player's folder:
//
//     [window]
//     x=...        the client area's left edge on the desktop
//     y=...        its top edge
//     width=...    its size (the window the game would leave full screen for,
//     height=...   when it closed in full screen)
//
// game.ini's "x", "y", "xs" and "ys" are read at start and never written:
// a position given there (both from 0 up) or a size other than the picture's
// own 800 x 600 is the player's own choice and wins over the remembered one.
// Without either, the window takes the largest half-step scale that fits
// the desktop's usable area, centred in it. A remembered window that no
// longer fits the usable area (a smaller desktop, another monitor) is not
// used: a window half off the screen is worse than a fresh one.

#include <optional>

#include "config/game_settings.h"
#include "platform/backend.h"

constexpr const char* kWindowIni = "window.ini";

// Out-of-range positions centre the window on the screen; a missing key
// (0) puts it at the screen's edge.
void correctWindowPosition(GameSettings& settings, int screenWidth, int screenHeight);

// What game.ini says of the window, as read before correctWindowPosition.
struct WindowRequest {
    bool positionGiven = false;  // "x" and "y" both 0 or more
    bool sizeGiven = false;      // "xs" and "ys" other than 800 x 600, and not too small
    platform::WindowPlacement placement;
};
WindowRequest windowRequestOf(const GameSettings& settings);

// The remembered window, if "window.ini" holds a sensible one.
std::optional<platform::WindowPlacement> readRememberedWindow();
// Writes it (0, or -1 when it cannot be written; the old file then stays).
int rememberWindow(const platform::WindowPlacement& placement);

// The window to open with: the player's game.ini first, then the
// remembered window, then the opening scale (`fresh`).
platform::WindowPlacement openingWindowPlacement(const WindowRequest& request,
                                                 const std::optional<platform::WindowPlacement>& remembered,
                                                 const platform::WindowPlacement& fresh,
                                                 const platform::WindowPlacement& usableArea);
