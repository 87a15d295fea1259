#include "screens/edit_name_screen.h"

#include "config/ini_store.h"
#include "platform/pad_input.h"
#include "screens/profile_menu_screen.h"
#include "sound/sound_group.h"
#include "ui/control_sounds.h"
#include "ui/screen_manager.h"

namespace {

constexpr const char* kLanguage = "data\\language.ini";
// Where the letter grid stands: below the dialog, centred.
constexpr int kGridY = 428;

ProfileMenuScreen* playerList(ScreenManager* owner) {
    return owner ? dynamic_cast<ProfileMenuScreen*>(owner->showScreen("profilemenu", 0)) : nullptr;
}

}  // namespace

void EditNameScreen::load(const char* file, const char* section) {
    sound_ = loadSoundGroup(kSoundTable, "dialog");
    Screen::load(file, section);
}

void EditNameScreen::onShow() {
    DimmedDialog::onShow();
    if (sound_) playSoundGroup(sound_, 0, 0, 0, 0);
    if (UiElement* edit = findChild("edit")) {
        edit->setText("");
        setFocus(edit);
    }
    if (UiElement* message = findChild("message")) message->setText("");
    grid_.reset();
}

int EditNameScreen::onCommand(UiElement* source) {
    if (!source) return 0;
    if (sameName(source->name(), "ok")) accept();
    else if (sameName(source->name(), "cancel")) close();
    return 0;
}

int EditNameScreen::keyDown(int key, platform::LParam lParam) {
    UiElement* edit = findChild("edit");
    const bool grid = platform::lastInputFromPad();
    if (key == platform::VK_ESCAPE) {
        close();
    } else if (grid && grid_.move(key)) {
        return 0;
    } else if (grid && key == platform::VK_RETURN) {
        takeGridCell(lParam);
    } else if (key == platform::VK_RETURN) {
        accept();
    } else if (key > 2 && edit) {
        // Backspace, Delete, the arrows, Home and End edit the name
        // wherever the mouse is.
        edit->keyDown(key, lParam);
    } else {
        Screen::keyDown(key, lParam);
    }
    return 0;
}

int EditNameScreen::charInput(int character, platform::LParam lParam) {
    if (character < 32) return 0;  // Enter, Escape and Backspace come as keys too
    if (UiElement* edit = findChild("edit")) edit->charInput(character, lParam);
    return 0;
}

// The field has the focus whenever the mouse is over no button, so its
// caret shows. Taking the focus from a button under the mouse would drop
// its press, and "ok" could never be clicked.
int EditNameScreen::mouseEvent(platform::WParam wParam, platform::LParam lParam) {
    const int result = Screen::mouseEvent(wParam, lParam);
    if (!focusedChild())
        if (UiElement* edit = findChild("edit")) setFocus(edit);
    return result;
}

void EditNameScreen::takeGridCell(platform::LParam lParam) {
    UiElement* edit = findChild("edit");
    if (!edit) return;
    const LetterGrid::Cell& cell = grid_.marked();
    switch (cell.pick) {
    case LetterGrid::Pick::Letter:
        edit->charInput(static_cast<unsigned char>(cell.letter), lParam);
        break;
    case LetterGrid::Pick::Space:
        edit->charInput(' ', lParam);
        break;
    case LetterGrid::Pick::Delete:
        edit->keyDown(static_cast<int>(platform::VK_BACK), lParam);
        break;
    case LetterGrid::Pick::Done:
        accept();
        break;
    }
}

void EditNameScreen::draw(int ox, int oy, Sprite& target) {
    DimmedDialog::draw(ox, oy, target);
    if (!platform::lastInputFromPad()) return;
    grid_.draw(target, ox + 400, oy + kGridY, clock);
}

void EditNameScreen::accept() {
    UiElement* edit = findChild("edit");
    if (!edit || edit->caption()[0] == '\0') return;
    ProfileMenuScreen* list = playerList(manager());
    if (!list) return;
    switch (list->addPlayer(edit->caption())) {
    case ProfileMenuScreen::AddResult::Added:
    case ProfileMenuScreen::AddResult::Existing:
        close();
        break;
    case ProfileMenuScreen::AddResult::ListFull:
        if (UiElement* message = findChild("message")) message->setText(iniReadString(kLanguage, "game", "playerlistfull"));
        break;
    case ProfileMenuScreen::AddResult::EmptyName:
        break;
    }
}

void EditNameScreen::close() {
    auto* below = dynamic_cast<SlidingPanelScreen*>(underlyingScreen());
    closeOverlay();
    // Back over the list, which stays where it was rather than sliding in
    // again.
    if (below) below->setPanelOffset(0.0f);
}
