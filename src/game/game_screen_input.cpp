// What the player does on the game screen: the mouse on the board, the HUD's
// buttons, Escape, closing the tutorial panel, and the testers' typed words.
// The board's own keys are in game_screen_keyboard.cpp.

#include "game/game_screen.h"
#include "ui/checkbox_control.h"
#include "ui/screen_manager.h"

namespace {

constexpr int kKeyLeftButton = 1;
constexpr int kKeyRightButton = 2;
constexpr int kKeyEscape = 27;

// The help page of each mode; quest keeps the page the panel opens at.
constexpr int kHelpPagePuzzle = 3;
constexpr int kHelpPageAction = 4;
constexpr int kHelpPageCube = 2;

}  // namespace

// Input reaches the board and the HUD only while a level is being played:
// not during the fade, not before the intro, not once it is won or lost.
bool GameScreen::playing() const { return levelRunning_ && fadeOver() && !levelComplete_ && !timeUp_; }

int GameScreen::keyDown(int key, platform::LParam lParam) {
    // Pause opens the menu even over the tutorial's card: a pad that goes
    // away presses it, and the card must not swallow that.
    if (key == static_cast<int>(platform::VK_PAUSE) && playing()) {
        openResumeMenu();
        return 1;
    }
    if (panel_.isOpen()) {
        panel_.startClosing();
        // A press on the board beside the card closes it and is the
        // player's move too: the card asks for that very drag. A key, or a
        // press on the card or beside the board, only closes it.
        if (!(key == kKeyLeftButton && pressReachesBoard(lParam))) return 1;
    }
    if (!playing()) return 0;
    if (key == kKeyEscape) {
        openResumeMenu();
        return 1;
    }
    if (playByKey(key)) return 1;
    Screen::keyDown(key, lParam);
    if (key == kKeyLeftButton) board_->onLeftPress(platform::mouseX(lParam), platform::mouseY(lParam));
    if (key == kKeyRightButton) board_->onRightPress(platform::mouseX(lParam), platform::mouseY(lParam));
    return 1;
}

bool GameScreen::pressReachesBoard(platform::LParam lParam) const {
    const int x = platform::mouseX(lParam), y = platform::mouseY(lParam);
    return playing() && board_->cellAt(x, y) != -1 && !panel_.covers(x, y);
}

int GameScreen::keyUp(int key, platform::LParam lParam) {
    Screen::keyUp(key, lParam);
    if (key == kKeyLeftButton) board_->onLeftRelease();
    return 0;
}

int GameScreen::mouseEvent(platform::WParam wParam, platform::LParam lParam) {
    keyCursor_.hide();
    Screen::mouseEvent(wParam, lParam);
    if (playing()) board_->onMouseMove(platform::mouseX(lParam), platform::mouseY(lParam));
    return 0;
}

int GameScreen::onCommand(UiElement* source) {
    if (!source || !playing()) return 0;
    const char* name = source->name();
    if (sameName(name, "menu")) {
        openResumeMenu();
    } else if (sameName(name, "help")) {
        openHelp();
    } else if (sameName(name, "undo")) {
        board_->undo();
    } else if (sameName(name, "reset")) {
        // Playing a puzzle again needs no intro: the board is simply dealt anew.
        restartLevel();
        fadeClock_ = 0;
        levelRunning_ = true;
    } else if (sameName(name, "magic")) {
        pressMagic();
    }
    return 0;
}

void GameScreen::pressMagic() {
    auto* box = dynamic_cast<CheckboxControl*>(hud_.magic());
    // A box has toggled itself already; a plain button toggles the wand.
    const bool switchedOn = box ? box->value == 1 : !wand_.armed();
    wand_.press(switchedOn);
    refreshMagic();
    requestStaticRedraw();
}

void GameScreen::openResumeMenu() {
    renderStatic(0);
    if (ScreenManager* owner = manager()) owner->showOverlay("resumemenu");
}

void GameScreen::openHelp() {
    ScreenManager* owner = manager();
    if (!owner) return;
    auto* pages = dynamic_cast<PagedScreen*>(owner->showOverlay("helpmenu"));
    if (!pages) return;
    switch (mode_) {
        case BoardMode::ModePuzzle: pages->setPage(kHelpPagePuzzle); break;
        case BoardMode::ModeAction: pages->setPage(kHelpPageAction); break;
        case BoardMode::ModeCube: pages->setPage(kHelpPageCube); break;
        case BoardMode::ModeQuest: break;
    }
}

int GameScreen::charInput(int character, platform::LParam lParam) {
    Screen::charInput(character, lParam);
    ScreenManager* owner = manager();
    if (!owner || !playing()) return 0;
    if (auto word = findTypedWord([owner](const char* text) { return owner->typedWordMatches(text); }))
        applyTypedWord(*word);
    return 0;
}

void GameScreen::completeLevelAt(int level) {
    level_ = level;
    hud_.showLevel(mode_, level_);  // the tally and the next level go on from here
    levelComplete_ = true;
}

void GameScreen::applyTypedWord(TypedWord word) {
    switch (word) {
        case TypedWord::CompleteLevel: completeLevelAt(level_); break;
        case TypedWord::SkipFourLevels: completeLevelAt(level_ + 4); break;
        case TypedWord::JumpToLevel39: completeLevelAt(39); break;
        case TypedWord::JumpToLevel5: completeLevelAt(5); break;
        case TypedWord::JumpToLevel21: completeLevelAt(21); break;
        case TypedWord::TimeUp: timeUp_ = true; break;
        case TypedWord::AddPoints: addScore(kTypedWordPoints); break;
        case TypedWord::LoseLastLife:
            setLives(0);
            timeUp_ = true;
            break;
        case TypedWord::SeventeenSecondsLeft: board_->setTimeLeft(kTypedWordTimeLeftMs); break;
    }
}
