#include "screens/options_screen.h"

#include "config/game_settings.h"
#include "game/game_session.h"
#include "graphics/display.h"
#include "sound/sound_system.h"
#include "ui/checkbox_control.h"
#include "ui/progress_control.h"
#include "ui/screen_manager.h"

namespace {

ProgressControl* barOf(const Screen& screen, const char* name) {
    return dynamic_cast<ProgressControl*>(screen.findChild(name));
}

CheckboxControl* boxOf(const Screen& screen, const char* name) {
    return dynamic_cast<CheckboxControl*>(screen.findChild(name));
}

}  // namespace

void OptionsScreen::onShow() {
    const GameSettings& settings = gameSettings();
    if (ProgressControl* sound = barOf(*this, "sound")) sound->setValue(getCategoryVolume(SND_VOLUME_EFFECTS));
    if (ProgressControl* music = barOf(*this, "music")) music->setValue(getCategoryVolume(SND_VOLUME_MUSIC));
    if (CheckboxControl* full = boxOf(*this, "fullscreen")) full->value = settings.fullScreen ? 1 : 0;
    // A ticked box is the game's own cursor; the setting names the opposite.
    if (CheckboxControl* custom = boxOf(*this, "custom")) custom->value = settings.NOTCustom ? 0 : 1;
    // Nothing lit until the mouse moves: the control last used may be
    // nowhere near it now.
    setFocus(nullptr);
    SlidingPanelScreen::onShow();
}

int OptionsScreen::onCommand(UiElement* source) {
    if (!source) return 0;
    const char* name = source->name();
    if (sameName(name, "sound")) {
        if (auto* bar = dynamic_cast<ProgressControl*>(source)) setCategoryVolume(bar->value(), SND_VOLUME_EFFECTS);
    } else if (sameName(name, "music")) {
        if (auto* bar = dynamic_cast<ProgressControl*>(source)) setCategoryVolume(bar->value(), SND_VOLUME_MUSIC);
    } else if (sameName(name, "fullscreen")) {
        if (auto* box = dynamic_cast<CheckboxControl*>(source)) setFullScreen(box->value != 0);
    } else if (sameName(name, "custom")) {
        if (auto* box = dynamic_cast<CheckboxControl*>(source)) gameSettings().NOTCustom = box->value ? 0 : 1;
    } else if (sameName(name, "ok")) {
        slideOut();
    } else if (sameName(name, "mainmenu")) {
        // The frozen picture under the dialog shows the panel as it is now.
        renderStatic(1);
        ScreenManager* owner = manager();
        if (!owner) return 0;
        if (GameSession* session = findGameSession(*owner)) session->saveProfile();
        owner->showOverlay("confirm_dlg");
    }
    return 0;
}

// Re-creating the display is slow and makes the screen flicker: only for a
// real change.
void OptionsScreen::setFullScreen(bool on) {
    GameSettings& settings = gameSettings();
    if ((settings.fullScreen != 0) == on) return;
    settings.fullScreen = on ? 1 : 0;
    SetDisplay(800, 600, 16, settings.fullScreen);
}
