#include "app/window_position.h"

#include <algorithm>
#include <cstdint>

#include "config/ini_store.h"

namespace {

constexpr int kPictureWidth = 800, kPictureHeight = 600;
// Smaller than this the picture is no longer legible; larger, no desktop.
constexpr int kSmallestWidth = 400, kSmallestHeight = 300, kLargest = 16384;

bool sensibleSize(int width, int height) {
    return width >= kSmallestWidth && height >= kSmallestHeight && width <= kLargest && height <= kLargest;
}

bool inside(const platform::WindowPlacement& w, const platform::WindowPlacement& area) {
    return w.x >= area.x && w.y >= area.y && std::int64_t(w.x) + w.width <= std::int64_t(area.x) + area.width &&
           std::int64_t(w.y) + w.height <= std::int64_t(area.y) + area.height;
}

}  // namespace

void correctWindowPosition(GameSettings& settings, int screenWidth, int screenHeight) {
    if (settings.dwPosX < 0 || settings.dwPosX >= screenWidth) settings.dwPosX = (screenWidth - settings.dwScrX) / 2;
    if (settings.dwPosY < 0 || settings.dwPosY >= screenHeight)
        settings.dwPosY = (screenHeight - settings.dwScrY) / 2;
}

WindowRequest windowRequestOf(const GameSettings& settings) {
    WindowRequest request;
    request.positionGiven = settings.dwPosX >= 0 && settings.dwPosY >= 0;
    request.sizeGiven = !(settings.dwScrX == kPictureWidth && settings.dwScrY == kPictureHeight) &&
                        sensibleSize(settings.dwScrX, settings.dwScrY);
    request.placement = {settings.dwPosX, settings.dwPosY, settings.dwScrX, settings.dwScrY};
    return request;
}

std::optional<platform::WindowPlacement> readRememberedWindow() {
    if (!fileExists(kWindowIni)) return std::nullopt;
    const platform::WindowPlacement w{iniReadInt(kWindowIni, "window", "x"), iniReadInt(kWindowIni, "window", "y"),
                                      iniReadInt(kWindowIni, "window", "width"),
                                      iniReadInt(kWindowIni, "window", "height")};
    if (!sensibleSize(w.width, w.height)) return std::nullopt;
    return w;
}

int rememberWindow(const platform::WindowPlacement& w) {
    if (!sensibleSize(w.width, w.height)) return -1;
    IniSaveBatch save;
    iniWriteInt(kWindowIni, "window", "x", w.x);
    iniWriteInt(kWindowIni, "window", "y", w.y);
    iniWriteInt(kWindowIni, "window", "width", w.width);
    iniWriteInt(kWindowIni, "window", "height", w.height);
    return save.finish();
}

platform::WindowPlacement openingWindowPlacement(const WindowRequest& request,
                                                 const std::optional<platform::WindowPlacement>& remembered,
                                                 const platform::WindowPlacement& fresh,
                                                 const platform::WindowPlacement& usableArea) {
    platform::WindowPlacement w = fresh;
    if (remembered && inside(*remembered, usableArea)) w = *remembered;
    if (request.sizeGiven) {
        w.width = request.placement.width;
        w.height = request.placement.height;
    }
    if (request.positionGiven) {
        w.x = request.placement.x;
        w.y = request.placement.y;
    } else if (request.sizeGiven && !(remembered && inside(*remembered, usableArea))) {
        // The player's size, centred as a fresh window is.
        w.x = usableArea.x + std::max(0, (usableArea.width - w.width) / 2);
        w.y = usableArea.y + std::max(0, (usableArea.height - w.height) / 2);
    }
    return w;
}
