#include "screens/options_screen.h"

#include <cstdio>
#include <string>

#include "config/game_settings.h"
#include "config/game_texts.h"
#include "config/language_choice.h"
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

// The button's words for a choice: a language by its own name, the
// desktop's by the language file's word. The fonts part words with 0xA0.
std::string choiceCaption(const std::string& code) {
    std::string caption;
    if (code.empty()) caption = gameText("languageauto");
    for (const Language& language : kLanguages)
        if (code == language.code) caption = language.name;
    if (caption.empty()) caption = "Automatic";
    for (char& c : caption)
        if (c == ' ') c = '\xA0';
    return caption;
}

}  // namespace

void OptionsScreen::onShow() {
    const GameSettings& settings = gameSettings();
    if (ProgressControl* sound = barOf(*this, "sound")) sound->setValue(getCategoryVolume(SND_VOLUME_EFFECTS));
    if (ProgressControl* music = barOf(*this, "music")) music->setValue(getCategoryVolume(SND_VOLUME_MUSIC));
    if (CheckboxControl* full = boxOf(*this, "fullscreen")) full->value = settings.fullScreen ? 1 : 0;
    // A ticked box is the game's own cursor; the setting names the opposite.
    if (CheckboxControl* custom = boxOf(*this, "custom")) custom->value = settings.NOTCustom ? 0 : 1;
    showLanguageChoice();
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
    } else if (sameName(name, "language")) {
        stepLanguage();
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

void OptionsScreen::stepLanguage() {
    GameSettings& settings = gameSettings();
    // "" (the desktop's), then the languages in their order, then "" again.
    std::string next = kLanguages[0].code;
    const std::size_t count = sizeof kLanguages / sizeof kLanguages[0];
    for (std::size_t i = 0; i < count; ++i)
        if (settings.language == kLanguages[i].code) next = i + 1 < count ? kLanguages[i + 1].code : "";
    settings.language = next;
    if (saveLanguageChoice(settings) != 0)
        std::fprintf(stderr, "shardfall: could not keep the language choice in %s\n", kGameIni);
    showLanguageChoice();
    renderStatic(0);
}

void OptionsScreen::showLanguageChoice() {
    const GameSettings& settings = gameSettings();
    if (UiElement* choice = findChild("language")) choice->setText(choiceCaption(settings.language).c_str());
    if (UiElement* note = findChild("language_note")) note->visible = settings.language != settings.startLanguage;
}
