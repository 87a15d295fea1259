#include "app/window_position.h"

void correctWindowPosition(GameSettings& settings, int screenWidth, int screenHeight) {
    if (settings.dwPosX < 0 || settings.dwPosX >= screenWidth) settings.dwPosX = (screenWidth - settings.dwScrX) / 2;
    if (settings.dwPosY < 0 || settings.dwPosY >= screenHeight)
        settings.dwPosY = (screenHeight - settings.dwScrY) / 2;
}
