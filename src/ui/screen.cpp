#include "ui/screen.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "config/ini_store.h"
#include "graphics/sprite.h"
#include "graphics/sprite_loading.h"
#include "ui/button_control.h"
#include "ui/checkbox_control.h"
#include "ui/control_sounds.h"
#include "ui/edit_control.h"
#include "ui/progress_control.h"
#include "ui/screen_manager.h"
#include "ui/static_control.h"

namespace {

constexpr int kMaxControls = 1000;
constexpr int kSnapshotWidth = 800;
constexpr int kSnapshotHeight = 600;

// "data\menu\mainmenu.ini" -> "mainmenu": between the last backslash and
// the four-character extension.
std::string screenNameOfFile(const char* file) {
    const std::string path = file ? file : "";
    const std::size_t slash = path.find_last_of('\\');
    const std::size_t start = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t end = path.size() >= start + 4 ? path.size() - 4 : start;
    return path.substr(start, end - start);
}

}  // namespace

std::unique_ptr<UiElement> makeControl(const char* type) {
    if (sameName(type, "static")) return std::make_unique<StaticControl>();
    if (sameName(type, "button")) return std::make_unique<ButtonControl>();
    if (sameName(type, "checkbox")) return std::make_unique<CheckboxControl>();
    if (sameName(type, "progress")) return std::make_unique<ProgressControl>();
    if (sameName(type, "edit")) return std::make_unique<EditControl>();
    return nullptr;
}

Screen::~Screen() {
    ReleaseSprite(snapshot_);
    ReleaseSprite(layerCache_);
}

void Screen::load(const char* file, const char* section) {
    (void)section;
    x = readScreenInt(file, "main", "x");
    y = readScreenInt(file, "main", "y");
    xs = readScreenInt(file, "main", "xs");
    ys = readScreenInt(file, "main", "ys");
    if (name()[0] == '\0') setName(screenNameOfFile(file).c_str());

    ControlSoundScope sounds;
    for (int i = 0; i < kMaxControls; ++i) {
        char key[8];
        std::snprintf(key, sizeof key, "%d", i);
        // Copied at once: the next read reuses the INI store's buffer.
        const std::string controlSection = iniReadString(file, "main", key);
        if (controlSection.empty()) break;
        std::unique_ptr<UiElement> control = makeControl(iniReadString(file, controlSection.c_str(), "type"));
        if (!control) continue;
        UiElement* added = control.get();
        addChild(std::move(control));
        added->load(file, controlSection.c_str());
    }
}

void Screen::draw(int ox, int oy, Sprite& target) {
    if (snapshot_) target.Blit(0, 0, *snapshot_, BLEND_NORMAL, 0);
    for (const auto& control : childrenOldestFirst()) control->draw(ox, oy, target);
}

int Screen::update(int milliseconds) {
    for (int i = 0; i < childCount(); ++i) {
        if (const int result = child(i)->update(milliseconds)) return result;
    }
    return 0;
}

int Screen::keyDown(int key, platform::LParam lParam) {
    if (UiElement* control = focusedChild()) control->keyDown(key, lParam);
    return 0;
}

int Screen::keyUp(int key, platform::LParam lParam) {
    if (UiElement* control = focusedChild()) control->keyUp(key, lParam);
    return 0;
}

int Screen::charInput(int character, platform::LParam lParam) {
    if (UiElement* control = focusedChild()) control->charInput(character, lParam);
    return 0;
}

int Screen::mouseEvent(platform::WParam wParam, platform::LParam lParam) {
    UiElement* control = focusedChild();
    if (control && control->mouseEvent(wParam, lParam)) return 0;
    setFocus(hitTest(platform::mouseX(lParam), platform::mouseY(lParam)));
    return 0;
}

void Screen::closeOverlay() {
    if (!underlying_) return;
    ReleaseSprite(snapshot_);
    snapshot_ = nullptr;
    Screen* below = underlying_;
    if (ScreenManager* owner = manager()) owner->selectScreen(below);
    underlying_ = nullptr;
}

void Screen::onShow() {
    for (int i = 0; i < childCount(); ++i) child(i)->clock = 0;
}

void Screen::onHide() {}

void Screen::drawDynamic(int ox, int oy, Sprite& target) {
    for (const auto& control : childrenOldestFirst()) {
        if (control->bnotstatic) control->draw(ox, oy, target);
    }
}

Sprite* Screen::renderStatic(int all) {
    if (!layerCache_) {
        const bool sized = xs > 0 && ys > 0;
        layerCache_ = CreateSprite(sized ? xs : kSnapshotWidth, sized ? ys : kSnapshotHeight, "");
    }
    if (childCount() == 0) return nullptr;
    if (!layerCache_) return nullptr;
    for (const auto& control : childrenOldestFirst()) {
        if (all == 1 || control->bnotstatic == 0) control->draw(0, 0, *layerCache_);
    }
    return layerCache_;
}

void Screen::setFocus(UiElement* control) {
    UiElement* old = focusedChild();
    if (control == old) return;
    if (old) old->setFocused(false);
    setFocusedChild(control);
    if (control && control->tabStop) control->setFocused(true);
}

UiElement* Screen::hitTest(int px, int py) const {
    for (int i = 0; i < childCount(); ++i) {
        UiElement* control = child(i);
        if (control->tabStop && control->enabled && control->visible && control->containsStrictly(px, py))
            return control;
    }
    return nullptr;
}

ScreenManager* Screen::manager() const { return dynamic_cast<ScreenManager*>(parent()); }

void Screen::childFocusChanged() { renderStatic(0); }

Sprite* Screen::snapshotFor(Screen* below) {
    if (!snapshot_) snapshot_ = CreateSprite(kSnapshotWidth, kSnapshotHeight, "");
    if (snapshot_ && below) below->draw(0, 0, *snapshot_);
    return snapshot_;
}
