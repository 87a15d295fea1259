#include "graphics/display.h"

#include <algorithm>

#include "graphics/dd_report.h"
#include "graphics/sprite_registry.h"

namespace {

struct DisplayState {
    bool displayObject = false;  // stands where the DirectDraw object was
    int fullScreen = -1;         // -1: no mode yet, which counts as full screen
    // The window as the player had it when the game went full screen, to
    // come back to.
    bool windowRemembered = false;
    platform::WindowPlacement windowBeforeFullScreen;
    Sprite* backBuffer = nullptr;
    bool testModeSet = false;
    DisplayMode testMode{};
};

DisplayState& display() {
    static DisplayState state;
    return state;
}

// The calls of the display object. None of them can fail on our platform
// (there is no mode change and no exclusive mode), but each keeps its check,
// so the log still names the call should one ever fail.
std::int32_t createDisplayObject() { return platform::DD_OK; }
std::int32_t queryDisplayInterface() { return platform::DD_OK; }
std::int32_t setCooperativeLevel(bool /*exclusive*/) { return platform::DD_OK; }
std::int32_t setDisplayMode(int /*width*/, int /*height*/, int /*depth*/) { return platform::DD_OK; }
std::int32_t getDisplayMode(DisplayMode& mode) {
    mode = desktopDisplayMode();
    return platform::DD_OK;
}

// Picks the format the back buffer is made in: a row matching the display's
// own green mask if the display already has the requested depth, else the
// first row of that depth. Returns the surface, the format left current.
std::unique_ptr<platform::Surface16> createBackBufferSurface(int width, int height, int bitsPerPixel,
                                                             const DisplayMode& mode) {
    std::unique_ptr<platform::Surface16> surface;
    if (mode.bitsPerPixel == std::uint32_t(bitsPerPixel)) {
        for (int row = 0; !surface && row < pixelFormatRowCount; ++row) {
            if (pixelFormatTable[row].greenMask != mode.greenMask) continue;
            setCurrentPixelFormat(pixelFormatTable[row]);
            surface = CreateSurface(width, height, platform::DDSCAPS_SYSTEMMEMORY);
        }
    }
    for (int row = 0; !surface && row < pixelFormatRowCount; ++row) {
        if (pixelFormatTable[row].bitsPerPixel != std::uint32_t(bitsPerPixel)) continue;
        setCurrentPixelFormat(pixelFormatTable[row]);
        surface = CreateSurface(width, height, platform::DDSCAPS_SYSTEMMEMORY);
    }
    return surface;
}

}  // namespace

DisplayMode desktopDisplayMode() {
    const DisplayState& d = display();
    if (d.testModeSet) return d.testMode;
    return {32, 0x00FF00};
}

void setDisplayModeForTesting(std::uint32_t bitsPerPixel, std::uint32_t greenMask) {
    display().testModeSet = true;
    display().testMode = {bitsPerPixel, greenMask};
}

void clearDisplayModeForTesting() { display().testModeSet = false; }

Sprite* BackBuffer() { return display().backBuffer; }

int displayFullScreenFlag() { return display().fullScreen; }

std::unique_ptr<platform::Surface16> CreateSurface(int width, int height, std::uint32_t /*caps*/) {
    // Every surface is an off-screen plain one in system memory, whatever
    // the caller asks for.
    platform::PixelLayout layout;
    if (!surfaceLayoutOf(currentPixelFormat(), layout)) return nullptr;
    std::unique_ptr<platform::Surface16> surface;
    if (platform::Surface16::create(width, height, layout, surface) != platform::DD_OK) return nullptr;
    // Black is the transparent colour of every picture.
    DD_REPORT(surface->setColorKey(0, 0), "lpSurface->SetColorKey( DDCKEY_SRCBLT, &ddck )", 117);
    return surface;
}

platform::WindowPlacement startingWindowPlacement(int pictureWidth, int pictureHeight,
                                                  const platform::WindowPlacement& usableArea) {
    // The window manager's frame is not known before the window exists; a
    // caption and thin borders take about this much.
    constexpr int kFrameWidth = 16, kFrameHeight = 48;
    auto fits = [&](int halves) {
        return std::int64_t(pictureWidth) * halves / 2 + kFrameWidth <= usableArea.width &&
               std::int64_t(pictureHeight) * halves / 2 + kFrameHeight <= usableArea.height;
    };
    int halves = 2;
    while (halves < 64 && fits(halves + 1)) ++halves;
    platform::WindowPlacement placement;
    placement.width = int(std::int64_t(pictureWidth) * halves / 2);
    placement.height = int(std::int64_t(pictureHeight) * halves / 2);
    placement.x = usableArea.x + std::max(0, (usableArea.width - placement.width) / 2);
    placement.y = usableArea.y + std::max(0, (usableArea.height - placement.height) / 2);
    return placement;
}

void SizeWindow(int width, int height, int fullScreen) {
    DisplayState& d = display();
    platform::Backend* backend = platform::backend();
    if (!backend) return;
    if (fullScreen && d.fullScreen == 0) {
        d.windowBeforeFullScreen = backend->clientPlacement();
        d.windowRemembered = true;
    }
    if (fullScreen != d.fullScreen) backend->setFullScreen(fullScreen != 0);
    if (fullScreen) return;  // the backend fits the picture to the desktop
    // Coming back from full screen: the window the player had before.
    // Starting: a fresh, centred window. Staying windowed: the window keeps
    // the size and place the user gave it.
    platform::WindowPlacement placement = backend->clientPlacement();
    if (d.fullScreen != 0) {
        placement = d.fullScreen == 1 && d.windowRemembered
                        ? d.windowBeforeFullScreen
                        : startingWindowPlacement(width, height, backend->usableArea());
    }
    backend->placeWindow(placement, true);
}

void SetDisplay(int dwScrX, int dwScrY, int bitsPerPixel, int fullScreen) {
    DisplayState& d = display();
    SpriteRegistry& registry = spriteRegistry();
    registry.create(SpriteRegistry::initialCapacity);
    if (!d.backBuffer) d.backBuffer = registry.add(std::make_unique<Sprite>());

    // The window's client area need not match the picture: the backend
    // scales the picture to whatever size the window has.
    SizeWindow(dwScrX, dwScrY, fullScreen);

    if (!d.displayObject) {
        ERROR_CHECK_AS(createDisplayObject(), "DirectDrawCreate(NULL,&lpDD,NULL)", 176);
        ERROR_CHECK_AS(queryDisplayInterface(), "lpDD->QueryInterface( IID_IDirectDraw2, (LPVOID *)&lpDDObj )", 177);
        d.displayObject = true;
    }

    if (fullScreen) {
        ERROR_CHECK_AS(setCooperativeLevel(true), "lpDDObj->SetCooperativeLevel(hWnd,DDSCL_EXCLUSIVE|DDSCL_FULLSCREEN)",
                       183);
        std::int32_t hr = 0;
        for (int depth : {bitsPerPixel, 32, 24, 16, 8}) {
            hr = setDisplayMode(dwScrX, dwScrY, depth);
            if (hr == 0) break;
        }
        ERROR_CHECK_AS(hr, "lpDDObj->SetDisplayMode( dwScrX, dwScrY, 8, 0, 0 )", 189);
    } else {
        ERROR_CHECK_AS(setCooperativeLevel(false), "lpDDObj->SetCooperativeLevel(hWnd,DDSCL_NORMAL)", 192);
    }

    Sprite* backBuffer = d.backBuffer;
    if (backBuffer && !backBuffer->lpSurface()) {
        DisplayMode mode{};
        ERROR_CHECK_AS(getDisplayMode(mode), "lpDDObj->GetDisplayMode( &ddsd )", 200);
        std::unique_ptr<platform::Surface16> surface = createBackBufferSurface(dwScrX, dwScrY, bitsPerPixel, mode);
        // Should no format give a surface, the frame is still composed in
        // plain memory rather than not at all.
        if (surface) backBuffer->adoptSurface(std::move(surface), dwScrX, dwScrY);
        else if (!backBuffer->pixels()) backBuffer->createPixels(dwScrX, dwScrY);
    }
    d.fullScreen = fullScreen;
}

int PresentFrame() {
    Sprite* backBuffer = display().backBuffer;
    if (!backBuffer) return 0;
    backBuffer->Unlock();
    platform::Surface16* surface = backBuffer->lpSurface();
    if (!surface) return 0;

    platform::SurfaceDC dc;
    const std::int32_t hr = surface->getDC(dc);
    DD_REPORT(hr, "BackBuffer->lpSurface->GetDC( &hDCBack )", 251);
    if (hr != 0) return 0;
    int shown = 0;
    if (platform::Backend* backend = platform::backend()) {
        platform::Rect clip;
        clip.left = std::max(backBuffer->clip.left, 0);
        clip.top = std::max(backBuffer->clip.top, 0);
        clip.right = std::min(backBuffer->clip.right, dc.width);
        clip.bottom = std::min(backBuffer->clip.bottom, dc.height);
        if (clip.left < clip.right && clip.top < clip.bottom)
            backend->present(dc.pixels, dc.width, dc.height, dc.pitchBytes, surface->layout(), clip);
        shown = 1;
    }
    DD_REPORT(surface->releaseDC(), "BackBuffer->lpSurface->ReleaseDC( hDCBack )", 256);
    return shown;
}

void CloseDisplay() {
    DisplayState& d = display();
    if (d.displayObject) {
        spriteRegistry().destroyAll();
        d.backBuffer = nullptr;
    }
    // The desktop's mode and palette were never changed, so nothing to
    // restore. A later SetDisplay starts like the first one.
    d.displayObject = false;
    d.fullScreen = -1;
    d.windowRemembered = false;
}
