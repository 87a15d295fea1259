#include "app/window_procedure.h"

#include "app/shell_state.h"
#include "config/game_settings.h"
#include "graphics/display.h"
#include "platform/backend.h"
#include "platform/cursor_file.h"
#include "platform/window_messages.h"

using namespace platform;

namespace {

void reloadCursor() {
    ShellState& s = shell();
    Backend* b = backend();
    if (!b) return;
    if (s.cursor) b->destroyCursor(s.cursor);
    s.cursor = loadCursorFromFile("DATA\\game.cur");
    if (s.cursor) b->setCursor(s.cursor);
}

}  // namespace

LResult gameWindowProcedure(std::uint32_t message, WParam wParam, LParam lParam) {
    ShellState& s = shell();
    switch (message) {
    case WM_ACTIVATEAPP:
        s.active = (wParam == 1 || wParam == 2) ? 1 : 0;
        if (s.screenManager) s.screenManager->handleWindowMessage(message, wParam, lParam);
        return 0;
    case WM_SIZE:
        s.active = (wParam == SIZE_MINIMIZED || wParam == SIZE_MAXHIDE) ? 0 : 1;
        return defWindowProc(message, wParam, lParam);
    case WM_DESTROY:
        postQuitMessage(0);
        return defWindowProc(message, wParam, lParam);
    case WM_ERASEBKGND:
        return 0;
    case WM_SETCURSOR:
        if (s.cursor) {
            if (Backend* b = backend()) b->setCursor(s.cursor);
            return 1;
        }
        return defWindowProc(message, wParam, lParam);
    case WM_DISPLAYCHANGE:
        reloadCursor();
        return defWindowProc(message, wParam, lParam);
    case WM_SYSKEYDOWN:
        // On the key going down, not up: a quick Alt+Enter lets go of Alt
        // before Enter, and Enter's release then comes without Alt. Holding
        // the keys switches once, not at every repeat.
        if (wParam == VK_RETURN && (static_cast<std::uint32_t>(lParam) & KEY_ALT_HELD) &&
            !(static_cast<std::uint32_t>(lParam) & KEY_WAS_DOWN)) {
            GameSettings& settings = gameSettings();
            settings.fullScreen = settings.fullScreen ? 0 : 1;
            SetDisplay(settings.dwScrX, settings.dwScrY, 16, settings.fullScreen);
        }
        if (s.screenManager) s.screenManager->handleWindowMessage(message, wParam, lParam);
        return defWindowProc(message, wParam, lParam);
    case WM_SYSKEYUP:
        return defWindowProc(message, wParam, lParam);
    default:
        if (s.screenManager) s.screenManager->handleWindowMessage(message, wParam, lParam);
        return defWindowProc(message, wParam, lParam);
    }
}
