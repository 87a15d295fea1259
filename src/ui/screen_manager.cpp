#include "ui/screen_manager.h"

#include <string>

#include "config/game_settings.h"
#include "graphics/sprite.h"
#include "graphics/sprite_loading.h"
#include "platform/backend.h"
#include "platform/system_services.h"
#include "ui/typed_history.h"

using namespace platform;

namespace {

constexpr int kPictureWidth = 800;
constexpr int kPictureHeight = 600;

}  // namespace

ScreenManager::~ScreenManager() = default;

void ScreenManager::load(const char*, const char*) {
    cursors_[0].sprite = GetSprite("data\\custom_cursor.jpg");
    cursors_[1].sprite = GetSprite("data\\magic_wand.tga");
}

const ScreenManager::CursorRecord* ScreenManager::currentCursor() const {
    if (cursorIndex < 0 || cursorIndex >= kCursorCount) return nullptr;
    return &cursors_[cursorIndex];
}

void ScreenManager::draw(int ox, int oy, Sprite& target) {
    if (Screen* screen = currentScreen()) screen->draw(ox, oy, target);
    notice_.draw(target);
    if (!mouseInside_) return;
    const CursorRecord* cursor = currentCursor();
    if (cursor && hasPixels(cursor->sprite))
        target.Blit(mouseX_ - cursor->hotX, mouseY_ - cursor->hotY, *cursor->sprite, BLEND_NORMAL, 0);
}

int ScreenManager::update(int milliseconds) {
    mouseInside_ = mouseInClient();
    // The system cursor also stands in when the chosen cursor has no
    // picture. Deciding both here, once per step, keeps the cursor from
    // being hidden and shown again within every frame.
    const CursorRecord* cursor = currentCursor();
    const bool drawnCursor = mouseInside_ && cursor && hasPixels(cursor->sprite);
    setSystemCursorVisible(!drawnCursor);
    if (quitRequested_) return 1;
    notice_.update(milliseconds);
    Screen* screen = currentScreen();
    return screen ? screen->update(milliseconds) : 0;
}

bool ScreenManager::mouseInClient() const {
    if (gameSettings().NOTCustom != 0) return false;
    Backend* b = backend();
    int cx = 0, cy = 0;
    if (!b || !b->cursorPosition(cx, cy)) return false;
    return cx >= 0 && cx <= kPictureWidth && cy >= 0 && cy <= kPictureHeight;
}

void ScreenManager::handleWindowMessage(std::uint32_t message, WParam wParam, LParam lParam) {
    switch (message) {
    case WM_KEYDOWN:
        if (wParam == VK_SHIFT) shiftHeld_ = true;
        if (Screen* screen = currentScreen()) {
            // Tab and Enter find their way through the screen's controls
            // first; every other key is the screen's own.
            if (screen->navigateByKey(static_cast<int>(wParam), shiftHeld_)) return;
            screen->keyDown(static_cast<int>(wParam), lParam);
        }
        return;
    case WM_KEYUP:
        if (wParam == VK_SHIFT) shiftHeld_ = false;
        if (Screen* screen = currentScreen()) screen->keyUp(static_cast<int>(wParam), lParam);
        return;
    case WM_CHAR:
        appendTypedCharacter(static_cast<int>(wParam));
        if (Screen* screen = currentScreen()) screen->charInput(static_cast<int>(wParam), lParam);
        return;
    default:
        if (message >= WM_MOUSEMOVE && message <= WM_RBUTTONDBLCLK) routeMouse(message, wParam, lParam);
        return;
    }
}

void ScreenManager::routeMouse(std::uint32_t message, WParam wParam, LParam lParam) {
    mouseX_ = platform::mouseX(lParam);
    mouseY_ = platform::mouseY(lParam);
    if (Screen* screen = currentScreen()) {
        // The mouse is back in use: the keyboard's focus mark goes.
        screen->dropKeyMark();
        screen->mouseEvent(wParam, lParam);
    }
    // The screen may have changed on the way; the button goes to the one
    // current now.
    Screen* screen = currentScreen();
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (screen) screen->keyDown(1, lParam);
        leftHeld_ = true;
        break;
    case WM_LBUTTONUP:
        leftHeld_ = false;
        if (screen) screen->keyUp(1, lParam);
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        rightHeld_ = true;
        if (screen) screen->keyDown(2, lParam);
        break;
    case WM_RBUTTONUP:
        rightHeld_ = false;
        if (screen) screen->keyUp(2, lParam);
        break;
    default:
        break;
    }
}

Screen* ScreenManager::currentScreen() const { return dynamic_cast<Screen*>(focusedChild()); }

Screen* ScreenManager::showScreen(const char* name, int makeCurrent) {
    if (!name || !*name) return nullptr;
    auto* screen = dynamic_cast<Screen*>(findChild(name));
    if (!screen) {
        std::unique_ptr<Screen> made = factory_.make(name);
        made->setName(name);
        made->load((std::string("data\\menu\\") + name + ".ini").c_str(), "");
        screen = made.get();
        addChild(std::move(made));
    }
    if (!makeCurrent) return screen;
    if (Screen* old = currentScreen()) old->onHide();
    setFocusedChild(screen);
    screen->onShow();
    return screen;
}

Screen* ScreenManager::showOverlay(const char* name) {
    Screen* below = currentScreen();
    Screen* screen = showScreen(name, 1);
    // An overlay over itself would draw itself into its own picture and
    // return to itself; it stays over whatever it was shown over.
    if (!screen || screen == below) return screen;
    screen->snapshotFor(below);
    screen->setUnderlyingScreen(below);
    return screen;
}

void ScreenManager::selectScreen(Screen* screen) {
    if (!screen || screen->parent() != this) return;
    if (Screen* old = currentScreen()) old->onHide();
    setFocusedChild(screen);
    screen->onShow();
}

bool ScreenManager::typedWordMatches(const char* word) { return ::typedWordMatches(word); }
