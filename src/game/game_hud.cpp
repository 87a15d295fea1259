#include "game/game_hud.h"

#include "config/number_format.h"
#include "game/level_rules.h"
#include "ui/checkbox_control.h"
#include "ui/progress_control.h"
#include "ui/ui_element.h"

namespace {

void showIf(UiElement* control, bool shown) {
    if (control) control->visible = shown;
}

}  // namespace

void GameHud::find(const UiElement& screen) {
    back_ = screen.findChild("back");
    score_ = screen.findChild("score");
    lives_ = screen.findChild("lifes");
    level_ = screen.findChild("level");
    wands_ = screen.findChild("mw");
    timeBar_ = dynamic_cast<ProgressControl*>(screen.findChild("timebar"));
    magic_ = screen.findChild("magic");
    undo_ = screen.findChild("undo");
    reset_ = screen.findChild("reset");
    puzzlePlate_ = screen.findChild("puzzle_plat");
    livePlate_ = screen.findChild("live_plate");
    // The bar moves every step: drawn with the live controls, never cached.
    if (timeBar_) timeBar_->bnotstatic = 1;
}

void GameHud::showForMode(BoardMode mode) {
    const bool quest = mode == BoardMode::ModeQuest;
    const bool puzzle = mode == BoardMode::ModePuzzle;
    const bool progress = mode == BoardMode::ModeAction || mode == BoardMode::ModeCube;
    showIf(magic_, quest);
    showIf(wands_, quest);
    showIf(lives_, quest);
    showIf(score_, !puzzle);
    showIf(timeBar_, !puzzle);
    showIf(puzzlePlate_, puzzle);
    showIf(undo_, puzzle);
    showIf(reset_, puzzle);
    showIf(livePlate_, progress);
    changed_ = true;
}

void GameHud::setCaption(UiElement* control, const std::string& text) {
    if (!control || text == control->caption()) return;
    control->setText(text.c_str());
    changed_ = true;
}

void GameHud::showScore(int score) {
    setCaption(score_, formatThousands(score));
}

void GameHud::showLives(int lives) { setCaption(lives_, std::to_string(lives)); }

void GameHud::showLevel(BoardMode mode, int level) { setCaption(level_, levelLabel(mode, level)); }

void GameHud::showWands(int wands) { setCaption(wands_, std::to_string(wands)); }

void GameHud::setBar(float value) {
    if (timeBar_) timeBar_->setValue(value);
}

void GameHud::setMagic(bool enabled, bool armed) {
    if (!magic_) return;
    if (auto* box = dynamic_cast<CheckboxControl*>(magic_)) {
        if (box->value != (armed ? 1 : 0)) changed_ = true;
        box->value = armed ? 1 : 0;
    }
    if (magic_->enabled != enabled) changed_ = true;
    magic_->enabled = enabled;
}

bool GameHud::takeChanged() {
    const bool was = changed_;
    changed_ = false;
    return was;
}
