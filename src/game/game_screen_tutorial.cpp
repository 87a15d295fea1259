// The tutorial: which hint card may open, and the level intro's preview of
// the first one.
//
// Each entry opens at most once per game. A new game at level 1 meets them
// all; a continued game or one started further on skips the first move and
// the coatings; the last seconds are explained only up to level 10 and a
// swap that made no line only on level 1.
//
// The intro of a level whose first move will open a card shows that card
// growing in at the move, and hands it over to play fully open: the player
// reads it over a board that waits, then plays on with a click.

#include <algorithm>

#include "game/game_screen.h"

namespace {

constexpr int kLastSecondsUpToLevel = 10;

template <std::size_t N>
void markShown(std::array<bool, N>& shown, TutorialEntry entry) {
    shown[static_cast<std::size_t>(entry)] = true;
}

}  // namespace

bool GameScreen::tutorialShown(TutorialEntry entry) const {
    const int index = static_cast<int>(entry);
    return index < 0 || index >= kTutorialEntries || tutorialShown_[static_cast<std::size_t>(index)];
}

void GameScreen::resetTutorials(bool newGame) {
    tutorialShown_.fill(false);
    if (!(newGame && level_ == 1)) {
        markShown(tutorialShown_, TutorialEntry::FirstMove);
        markShown(tutorialShown_, TutorialEntry::Coating);
    }
    if (level_ > kLastSecondsUpToLevel) markShown(tutorialShown_, TutorialEntry::LastSeconds);
}

bool GameScreen::offerTutorial(int x, int y, TutorialEntry entry) {
    if (tutorialShown(entry)) return false;
    if (entry == TutorialEntry::FailedSwap && level_ > 1) return false;
    if (entry == TutorialEntry::LastSeconds && level_ > kLastSecondsUpToLevel) return false;
    panel_.open(x, y, readTutorialText(mode_, entry));
    markShown(tutorialShown_, entry);
    banner_.end();
    return true;
}

bool GameScreen::firstMovePoint(ScreenPoint& point) const {
    const int move = board_->findMove();
    if (move == kNoMove) return false;
    point = board_->tutorialPointOf(move);
    return true;
}

bool GameScreen::hasIntroTutorial() const {
    ScreenPoint point;
    return !tutorialShown(TutorialEntry::FirstMove) && firstMovePoint(point);
}

void GameScreen::drawIntroTutorial(Sprite& target, float value) {
    ScreenPoint point;
    if (tutorialShown(TutorialEntry::FirstMove) || !firstMovePoint(point)) return;
    const float opacity = value > 0.0f ? std::min(value, 1.0f) : 0.0f;
    panel_.drawCard(target, point.x, point.y, readTutorialText(mode_, TutorialEntry::FirstMove), int(opacity * 255.0f));
}

void GameScreen::setTutorialValue(float value) {
    ScreenPoint point;
    if (value >= 1.0f && !tutorialShown(TutorialEntry::FirstMove) && firstMovePoint(point)) {
        offerTutorial(point.x, point.y, TutorialEntry::FirstMove);
        panel_.setOpening(1.0f);
    }
    if (value >= 1.0f) setLevelRunning();
}

void GameScreen::setLevelRunning() {
    levelRunning_ = true;
    introDone_ = true;
    requestStaticRedraw();
}
