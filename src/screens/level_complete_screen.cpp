#include "screens/level_complete_screen.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "config/game_settings.h"
#include "config/game_texts.h"
#include "game/game_session.h"
#include "graphics/sprite.h"
#include "graphics/sprite_loading.h"
#include "screens/episode_opener.h"
#include "screens/letter_files.h"
#include "screens/main_menu_screen.h"
#include "sound/music_player.h"
#include "sound/sound_group.h"
#include "ui/effect_layer.h"
#include "ui/progress_control.h"
#include "ui/screen_manager.h"

namespace {

constexpr const char* kSoundTable = "data\\sound\\sound.ini";
constexpr int kBannerX = 40, kBannerY = 300, kBannerHoldMs = 1500;
constexpr int kLastQuestLevel = 40;
constexpr float kLabelGrowth = 1.6f;     // px per ms while the label comes in
constexpr float kLabelShrink = 2.6f;     // px per ms while the number flies
constexpr float kNumberShrink = 0.27f;   // px per ms
constexpr float kNumberFallSpeed = 0.54f;
constexpr float kNumberDriftSpeed = 0.08f;
constexpr int kTickEveryMs = 80;
constexpr int kTickWindowMs = 20;

// The slide of a panel from far above: fast at first, slowing as it
// nears its place.
float slideSpeed(float offset) { return std::clamp((offset - 3.0f) * (-1.0f / 6.0f), 0.01f, 35.0f); }

}  // namespace

std::string minutesAndSeconds(int seconds) {
    char text[32];
    std::snprintf(text, sizeof text, seconds % 60 <= 9 ? "%d : 0%d" : "%d : %d", seconds / 60, seconds % 60);
    return text;
}

int episodeOpenedAt(int reachedLevel) {
    switch (reachedLevel) {
        case 6: return 2;
        case 12: return 3;
        case 18: return 4;
        case 25: return 5;
        case 33: return 6;
        default: return 0;
    }
}

LevelCompleteScreen::LevelCompleteScreen() = default;
LevelCompleteScreen::~LevelCompleteScreen() = default;

void LevelCompleteScreen::load(const char* file, const char* section) {
    completeSound_ = loadSoundGroup(kSoundTable, "level_complete");
    popSound_ = loadSoundGroup(kSoundTable, "levcomppop2");
    tickSound_ = loadSoundGroup(kSoundTable, "scoretick");
    Screen::load(file, section);
    for (int d = 0; d < 10; ++d) {
        const std::string path = letterFile(static_cast<unsigned char>('0' + d));
        digits_[static_cast<std::size_t>(d)] = GetSprite(path.c_str());
    }
    banner_.create(gameText("levelcomplete"), kBannerX, kBannerY, kBannerHoldMs);
    label_ = renderLetters(gameText("bonus"));
}

GameSession* LevelCompleteScreen::session() const {
    ScreenManager* owner = manager();
    return owner ? findGameSession(*owner) : nullptr;
}

void LevelCompleteScreen::onShow() {
    UiElement* menuButton = findChild("mainmenu");
    if (menuButton) menuButton->visible = true;
    menuPressed_ = false;
    playSoundGroup(completeSound_, 0, 0, 0, 0);
    number_.reset();

    leaveTimer_ = 0;
    flying_ = false;
    pause_ = kPauseMs;
    counted_ = kCountStart;
    nextPressed_ = false;
    slideOffset_ = kSlideStart;
    done_ = counting_ = false;
    clock_ = 0;
    numberWidth_ = labelWidth_ = 0;
    // A button keeps no focus from the last tally: only a pointer that has
    // moved onto it once the panel rests may press it.
    setFocus(nullptr);

    if (UiElement* name = findChild("name")) name->setText(gameSettings().currentPlayerName.c_str());
    GameSession* game = session();
    bonus_ = game ? game->timeBonus() : 0;
    if (game && bonus_ != 0) game->addScoreUnshown(bonus_);

    banner_.restart();
    timeBar_ = game ? game->timeBarControl() : nullptr;
    timeFactor_ = game ? game->levelTimeSeconds() : 0;

    if (game) {
        // The level's score and what its gems paid, so the two add up to
        // what the side panel's score gained over the level.
        if (UiElement* levelScore = findChild("levelscore")) levelScore->setNumber(game->levelScore() + bonus_);
        if (UiElement* gemPoints = findChild("gempoints")) gemPoints->setNumber(game->gemPoints());
        if (UiElement* time = findChild("time")) time->setText(minutesAndSeconds(game->timeUsedSeconds()).c_str());
        if (UiElement* gems = findChild("kests")) gems->setNumber(game->gemsCollected());
        finishLevel(*game);
    }

    stopMusic(musicPlayer());
    Screen::onShow();
    const bool questWon = game && game->mode() == BoardMode::ModeQuest && game->level() == kLastQuestLevel + 1;
    if (questWon && menuButton) menuButton->visible = false;
    placeNextButton(menuButton && !menuButton->visible);
}

// "next" stands where the screen file puts it beside "mainmenu"; alone, it
// moves to the middle of the two buttons' row.
void LevelCompleteScreen::placeNextButton(bool alone) {
    UiElement* next = findChild("next");
    UiElement* menu = findChild("mainmenu");
    if (!next || !menu) return;
    if (!nextHome_) nextHome_ = next->x;
    const int rowLeft = std::min(menu->x, *nextHome_);
    const int rowRight = std::max(menu->x + menu->xs, *nextHome_ + next->xs);
    next->x = alone ? (rowLeft + rowRight - next->xs) / 2 : *nextHome_;
}

// The level counts as finished now: a player who quits during the tally
// comes back to the next level, not to the board just won.
void LevelCompleteScreen::finishLevel(GameSession& game) {
    const BoardMode mode = game.mode();
    game.setLevel(game.level() + 1);
    if (mode == BoardMode::ModeQuest && game.maxQuestLevel() < game.level()) game.setMaxQuestLevel(game.level());
    game.saveProfileAndForgetBoard();
    game.markSaved();
}

int LevelCompleteScreen::update(int milliseconds) {
    if (EffectLayer* layer = effectLayer()) layer->stepAll(milliseconds);
    if (leaving()) {
        leaveTimer_ += milliseconds;
        if (leaveTimer_ >= kLeaveMs) leave();
        return 0;
    }
    if (done_) {
        slideIn(milliseconds);
        return 0;
    }
    if (flying_) {
        flyStep(milliseconds);
    } else if (counting_) {
        if (!countStep(milliseconds)) return 0;
    } else {
        bannerStep(milliseconds);
    }
    clock_ += milliseconds;
    return 0;
}

void LevelCompleteScreen::leave() {
    ScreenManager* owner = manager();
    GameSession* game = session();
    const bool next = nextPressed_;
    nextPressed_ = menuPressed_ = false;
    closeOverlay();
    if (!owner) return;
    if (!next) {
        if (auto* menu = dynamic_cast<MainMenuScreen*>(owner->showScreen("mainmenu", 1))) menu->fadeIn();
        return;
    }
    if (!game) return;
    const int episode = game->mode() == BoardMode::ModeQuest ? episodeOpenedAt(game->level()) : 0;
    if (episode == 0) {
        game->nextLevel();
        return;
    }
    if (auto* map = dynamic_cast<EpisodeOpener*>(owner->showScreen("questmap", 1))) map->openFinishedEpisode(episode);
}

void LevelCompleteScreen::slideIn(int milliseconds) {
    if (slideOffset_ >= 0.0f) return;
    slideOffset_ += milliseconds * slideSpeed(slideOffset_) * 0.05f;
    if (slideOffset_ > 0.0f) slideOffset_ = 0.0f;
}

void LevelCompleteScreen::flyStep(int milliseconds) {
    labelWidth_ = std::max(0.0f, labelWidth_ - kLabelShrink * milliseconds);
    if (numberY_ > kNumberLandsBelow) {
        done_ = true;
        GameSession* game = session();
        if (game) game->addScore(0);
        if (Screen* below = underlyingScreen()) {
            below->renderStatic(1);
            if (Sprite* picture = snapshot()) below->draw(0, 0, *picture);
        }
    }
    numberWidth_ = std::max(0.0f, numberWidth_ - kNumberShrink * milliseconds);
    numberY_ += kNumberFallSpeed * milliseconds;
    numberX_ += kNumberDriftSpeed * milliseconds;
}

bool LevelCompleteScreen::countStep(int milliseconds) {
    const float fullWidth = label_ ? static_cast<float>(label_->width()) : 0.0f;
    if (labelWidth_ < fullWidth) {
        labelWidth_ = std::min(fullWidth, labelWidth_ + kLabelGrowth * milliseconds);
        return false;
    }
    if (counted_ != bonus_) {
        counted_ += kCountStep;
        if (clock_ % kTickEveryMs < kTickWindowMs) playSoundGroup(tickSound_, 0, 0, 0, 0);
        counted_ = std::min(counted_, bonus_);
        if (timeBar_) {
            const int full = timeFactor_ * 50;
            timeBar_->setValue(full > 0 ? static_cast<float>(bonus_ - counted_) / static_cast<float>(full) : 0.0f);
        }
        return true;
    }
    if (pause_ >= 0) {
        pause_ -= milliseconds;
        return true;
    }
    number_ = renderLetters(std::to_string(bonus_));
    numberWidth_ = number_ ? static_cast<float>(number_->width()) : 0.0f;
    numberX_ += numberWidth_ / 2.0f;
    flying_ = true;
    return true;
}

void LevelCompleteScreen::bannerStep(int milliseconds) {
    if (!banner_.update(milliseconds)) return;
    if (bonus_ != 0) counting_ = true;
    else done_ = true;
    playSoundGroup(popSound_, 0, 0, 0, 0);
}

void LevelCompleteScreen::draw(int ox, int oy, Sprite& target) {
    (void)ox;
    (void)oy;
    if (done_) {
        if (Sprite* below = snapshot()) target.Blit(0, 0, *below, BLEND_NORMAL, 0);
        const int shift = static_cast<int>(std::lround(slideOffset_));
        for (const auto& control : childrenOldestFirst()) control->draw(0, shift, target);
        if (timeBar_) timeBar_->draw(0, 0, target);
        if (leaving()) darkenForLeaving(target);
        if (EffectLayer* layer = effectLayer()) layer->renderAll(target);
        return;
    }
    if (Sprite* below = snapshot()) target.Blit(0, 0, *below, BLEND_NORMAL, 0);
    if (flying_) {
        if (number_ && number_->width() > 0) {
            const int width = static_cast<int>(numberWidth_);
            const int height = static_cast<int>(number_->height() * numberWidth_ / number_->width());
            if (width > 0 && height > 0)
                target.BlitScaled(static_cast<int>(numberX_) - number_->width() / 2,
                                  static_cast<int>(numberY_) - number_->height() / 2, width, height, *number_, 0, 0,
                                  number_->width(), number_->height(), BLEND_NORMAL, 0);
        }
        drawLabel(target);
        if (timeBar_) timeBar_->draw(0, 0, target);
    } else if (counting_) {
        drawLabel(target);
        if (timeBar_) timeBar_->draw(0, 0, target);
        drawCount(target);
    } else {
        banner_.draw(target, 0);
    }
}

void LevelCompleteScreen::drawLabel(Sprite& target) const {
    if (!label_ || label_->width() <= 0) return;
    const int width = static_cast<int>(labelWidth_);
    const int height = static_cast<int>(label_->height() * labelWidth_ / label_->width());
    if (width <= 0 || height <= 0) return;
    target.BlitScaled(kLabelCentreX - width / 2, kLabelCentreY - height / 2, width, height, *label_, 0, 0,
                      label_->width(), label_->height(), BLEND_NORMAL, 0);
}

// The count in digit pictures, right to left from the units at x = 500; the
// flying number starts from the leftmost digit.
void LevelCompleteScreen::drawCount(Sprite& target) {
    int x = kUnitsDigitX + kDigitSpacing;
    for (int value = counted_; value > 0; value /= 10) {
        x -= kDigitSpacing;
        Sprite* digit = digits_[static_cast<std::size_t>(value % 10)];
        if (hasPixels(digit)) target.Blit(x, kDigitsTop, *digit, BLEND_NORMAL, 0);
    }
    numberX_ = static_cast<float>(x);
    numberY_ = static_cast<float>(kDigitsTop);
}

void LevelCompleteScreen::darkenForLeaving(Sprite& target) const {
    const int amount = std::min(255, leaveTimer_ * 255 / kLeaveMs);
    if (amount > 0) target.Darken(0, 0, 800, 600, amount);
}

int LevelCompleteScreen::mouseEvent(platform::WParam wParam, platform::LParam lParam) {
    if (!done_ || slideOffset_ != 0.0f) return 0;
    return Screen::mouseEvent(wParam, lParam);
}

int LevelCompleteScreen::onCommand(UiElement* source) {
    // One answer only: the first button pressed decides where to go.
    if (!source || !done_ || leaving()) return 0;
    if (sameName(source->name(), "next")) nextPressed_ = true;
    else if (sameName(source->name(), "mainmenu")) menuPressed_ = true;
    else return 0;
    renderStatic(1);
    return 0;
}
