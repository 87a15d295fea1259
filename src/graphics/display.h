#pragma once
// The display: the back buffer every frame is composed in, the current pixel
// format, the window's placement for the current mode, and presenting the
// frame through the platform backend. There is no mode change: full screen
// is the desktop's own, with the picture scaled to fit by the backend.
//
// Without a backend (tests, tools) the display still makes the back buffer
// and the registry; only the window calls are skipped.

#include <cstdint>
#include <memory>

#include "graphics/dd_error_name.h"
#include "graphics/pixel_format.h"
#include "graphics/sprite.h"
#include "platform/backend.h"
#include "platform/surface16.h"

// Sets up or switches the display: windowed (fullScreen 0) or full screen.
void SetDisplay(int dwScrX, int dwScrY, int bitsPerPixel, int fullScreen);
// Destroys every registered sprite (the back buffer too) and the display.
void CloseDisplay();
// Shows the back buffer's clip rectangle 1:1 in the picture; 1 when shown.
int PresentFrame();
// An off-screen surface in the current format, colour key black; null if
// the format or size cannot be had. Callers pass DDSCAPS_SYSTEMMEMORY.
std::unique_ptr<platform::Surface16> CreateSurface(int width, int height, std::uint32_t caps);
// Places the window for the mode.
void SizeWindow(int width, int height, int fullScreen);

// The frame being composed; null before the first SetDisplay.
Sprite* BackBuffer();
// 1 full screen, 0 windowed, -1 before the first SetDisplay.
int displayFullScreenFlag();

// What the desktop reports of its depth. We never change it, so the format
// choice reads it once per back buffer; tests stand in other desktops.
struct DisplayMode {
    std::uint32_t bitsPerPixel;
    std::uint32_t greenMask;
};
DisplayMode desktopDisplayMode();
void setDisplayModeForTesting(std::uint32_t bitsPerPixel, std::uint32_t greenMask);
void clearDisplayModeForTesting();

// The window's first client placement: the picture at the largest scale,
// in steps of one half, whose window (frame included) fits the desktop's
// usable area, centred in it; never smaller than the picture itself.
platform::WindowPlacement startingWindowPlacement(int pictureWidth, int pictureHeight,
                                                  const platform::WindowPlacement& usableArea);
