#include "ui/screen.h"

#include <algorithm>
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
// How far Left or Right moves a marked bar: twenty steps from end to end.
constexpr float kBarKeyStep = 0.05f;

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
    ControlSoundScope sounds;
    x = readScreenInt(file, "main", "x");
    y = readScreenInt(file, "main", "y");
    xs = readScreenInt(file, "main", "xs");
    ys = readScreenInt(file, "main", "ys");
    if (name()[0] == '\0') setName(screenNameOfFile(file).c_str());

    for (int i = 0; i < kMaxControls; ++i) {
        const std::string key = std::to_string(i);
        // Copied at once: the next read reuses the INI store's buffer.
        const std::string controlSection = iniReadString(file, "main", key.c_str());
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

bool Screen::navigateByKey(int key, bool shiftHeld) {
    if (!navigatesByKeys()) return false;
    const auto vk = static_cast<platform::WParam>(key);
    // A screen without a control to walk keeps Tab as a key of its own.
    if (vk == platform::VK_TAB) return moveKeyFocus(shiftHeld ? -1 : 1);
    const bool arrow = vk == platform::VK_LEFT || vk == platform::VK_RIGHT || vk == platform::VK_UP ||
                       vk == platform::VK_DOWN;
    if (arrow && takesArrowKey(key)) return false;
    const int arrowStep = vk == platform::VK_RIGHT || vk == platform::VK_DOWN ? 1 : -1;
    UiElement* marked = keyMarkedControl();
    if (!marked) return arrow && moveKeyFocus(arrowStep);
    if (!marked->visible || !marked->enabled) {
        // Hidden or switched off since it was marked: Enter is the screen's again.
        dropKeyMark();
        return false;
    }
    if (vk == platform::VK_RETURN) return pressByKey(*marked);
    if (vk == platform::VK_LEFT || vk == platform::VK_RIGHT) {
        auto* bar = dynamic_cast<ProgressControl*>(marked);
        if (!bar || !bar->tabStop) return moveKeyFocus(arrowStep);
        bar->setValue(bar->value() + (vk == platform::VK_RIGHT ? kBarKeyStep : -kBarKeyStep));
        onCommand(bar);
        return true;
    }
    if (arrow) return moveKeyFocus(arrowStep);
    return false;
}

bool Screen::moveKeyFocus(int step) {
    const std::vector<UiElement*> stops = keyStops();
    if (stops.empty()) return false;
    const auto count = static_cast<std::ptrdiff_t>(stops.size());
    const std::ptrdiff_t at = std::find(stops.begin(), stops.end(), focusedChild()) - stops.begin();
    const std::ptrdiff_t next = at == count ? (step > 0 ? 0 : count - 1) : (at + step + count) % count;
    UiElement* control = stops[static_cast<std::size_t>(next)];
    setFocus(control);
    control->setKeyMarked(true);
    return true;
}

void Screen::dropKeyMark() {
    if (UiElement* control = focusedChild()) control->setKeyMarked(false);
}

UiElement* Screen::keyMarkedControl() const {
    UiElement* control = focusedChild();
    return control && control->keyMarked() ? control : nullptr;
}

std::vector<UiElement*> Screen::keyStops() const {
    std::vector<UiElement*> stops;
    for (const auto& control : childrenOldestFirst()) {
        if (control->tabStop && control->enabled && control->visible && control->xs > 0 && control->ys > 0)
            stops.push_back(control.get());
    }
    return stops;
}

bool Screen::pressByKey(UiElement& control) {
    if (!control.visible || !control.enabled || !sameName(control.typeTag(), "button")) return false;
    if (dynamic_cast<ProgressControl*>(&control)) return false;
    // The press lands where a click on the control's middle would.
    const platform::LParam at = platform::packMousePosition(control.x + control.xs / 2, control.y + control.ys / 2);
    control.keyDown(1, at);
    control.keyUp(1, at);
    return true;
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
