#include "screens/delete_dialog_screen.h"

#include <cstdio>
#include <string>

#include "config/ini_store.h"
#include "screens/profile_menu_screen.h"
#include "sound/sound_group.h"
#include "ui/control_sounds.h"
#include "ui/screen_manager.h"

namespace {

// The list the dialog opens over (its link to the screen underneath is
// made only after the dialog is shown).
ProfileMenuScreen* playerList(ScreenManager* owner) {
    return owner ? dynamic_cast<ProfileMenuScreen*>(owner->showScreen("profilemenu", 0)) : nullptr;
}

}  // namespace

void DeleteDialogScreen::load(const char* file, const char* section) {
    sound_ = loadSoundGroup(kSoundTable, "dialog");
    Screen::load(file, section);
}

void DeleteDialogScreen::onShow() {
    DimmedDialog::onShow();
    if (sound_) playSoundGroup(sound_, 0, 0, 0, 0);
    ProfileMenuScreen* list = playerList(manager());
    UiElement* question = findChild("question");
    if (!list || !question) return;
    // [game] "areyousure1", a blank and the name in double quotes: the
    // player sees whom they are about to delete.
    const std::string ask = iniReadString("data\\language.ini", "game", "areyousure1");
    const std::string name = list->selectedPlayerName();
    char text[UiElement::kCaptionSize];
    std::snprintf(text, sizeof text, "%s %c%s%c?", ask.c_str(), '"', name.c_str(), '"');
    question->setText(text);
}

int DeleteDialogScreen::onCommand(UiElement* source) {
    if (!source) return 0;
    if (sameName(source->name(), "yes")) answer(true);
    else if (sameName(source->name(), "no")) answer(false);
    return 0;
}

int DeleteDialogScreen::keyDown(int key, platform::LParam lParam) {
    if (key == platform::VK_RETURN) answer(true);
    else if (key == platform::VK_ESCAPE) answer(false);
    return Screen::keyDown(key, lParam);
}

void DeleteDialogScreen::answer(bool yes) {
    ProfileMenuScreen* list = playerList(manager());
    if (yes && list) list->deletePlayer(list->selectedRow());
    closeOverlay();
    if (list) list->setPanelOffset(0.0f);
}
