#include "screens/ready_intro_screen.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "board/board_effect_layer.h"
#include "config/game_settings.h"
#include "config/game_texts.h"
#include "game/game_session.h"
#include "graphics/sprite.h"
#include "screens/level_tips.h"
#include "sound/music_player.h"
#include "sound/sound_group.h"
#include "ui/effect_layer.h"
#include "ui/screen_manager.h"

namespace {

constexpr const char* kSoundTable = "data\\sound\\sound.ini";
constexpr int kKeyLeftButton = 1;
constexpr int kBannerY = 300;
constexpr int kQuestBannerX = 196;
// Outside the quest the label is shorter and the "GO!" sits a little left.
constexpr int kNonQuestShift = 20;
constexpr int kNonQuestGoShift = 24;
constexpr float kSparkAngleStep = 0.15f;
constexpr float kSparkGrowth = 0.06f;   // radius per ms while it widens
constexpr float kSparkShrink = 0.12f;   // radius per ms once it narrows
constexpr int kSparkWidenUntilMs = 1300;
constexpr float kSparkStartRadius = 20.0f;
constexpr int kPopFromMs = 300, kPopToMs = 320;  // "intropop2" as "GO!" swells

// The first level of each episode but the first: no relic part is presented
// there and the first move has no card, yet two of them bring a new element.
bool startsAnEpisode(int level) {
    return level == 6 || level == 12 || level == 18 || level == 25 || level == 33;
}

}  // namespace

std::string introLabel(const std::string& levelWord, bool quest, int level) {
    char text[64];
    const char* word = levelWord.c_str();
    if (!quest) std::snprintf(text, sizeof text, "%.40s %d", word, level);
    else if (level >= 33) std::snprintf(text, sizeof text, "%.40s 6-%d", word, level - 32);
    else if (level >= 25) std::snprintf(text, sizeof text, "%.40s 5-%d", word, level - 24);
    else if (level >= 18) std::snprintf(text, sizeof text, "%.40s 4-%d", word, level - 17);
    else if (level >= 12) std::snprintf(text, sizeof text, "%.40s 3-%d", word, level - 11);
    else if (level >= 6) std::snprintf(text, sizeof text, "%.40s 2-%d", word, level - 5);
    else std::snprintf(text, sizeof text, "%.40s 1-%d", word, level);
    return text;
}

float goZoomScale(float t) {
    if (t <= 0.0f) return 0.0f;
    if (t <= 0.8f) return 1.4375f * t;
    if (t <= 1.0f) return 1.75f - 0.75f * t;
    return 1.0f;
}

int presentFade(int clock) {
    if (clock < 300) return 0;
    if (clock < 1350) return (clock - 300) * 255 / 1050;
    if (clock < 2250) return (1350 - clock) * 255 / 964 + 255;
    return (clock - 2314) * 255 / 385;
}

ReadyIntroScreen::ReadyIntroScreen() = default;
ReadyIntroScreen::~ReadyIntroScreen() = default;

void ReadyIntroScreen::load(const char* file, const char* section) {
    Screen::load(file, section);
    xCenter_ = readScreenInt(file, "main", "x_center");
    yCenter_ = readScreenInt(file, "main", "y_center");
    relaxMs_ = readScreenInt(file, "main", "time_relax");
    levelWord_ = gameText("level");
    puzzleWord_ = gameText("puzzle");
    if (puzzleWord_.empty()) puzzleWord_ = levelWord_;
    goPicture_ = renderLetters(gameText("go"));
    popSound_ = loadSoundGroup(kSoundTable, "intropop2");
    presentSound_ = loadSoundGroup(kSoundTable, "new_frame_present");
    if (EffectLayer* layer = effectLayer()) {
        sparks_ = std::make_unique<BoardEffectLayer>(*layer, nullptr);
        sparks_->load();
    }
}

GameSession* ReadyIntroScreen::session() const {
    ScreenManager* owner = manager();
    return owner ? findGameSession(*owner) : nullptr;
}

void ReadyIntroScreen::onShow() {
    Screen::onShow();
    clock_ = 0;
    relax_ = relaxMs_;
    pictureWidth_ = pictureHeight_ = 0;
    tutorialDone_ = true;
    hadTutorial_ = presenting_ = presented_ = goPhase_ = false;
    piece_ = nullptr;

    GameSession* game = session();
    level_ = game ? game->level() : 1;
    nonQuest_ = game && game->mode() != BoardMode::ModeQuest;
    const bool puzzle = game && game->mode() == BoardMode::ModePuzzle;
    label_ = introLabel(puzzle ? puzzleWord_ : levelWord_, !nonQuest_, level_);
    banner_.create(label_, kQuestBannerX - kNonQuestShift * (nonQuest_ ? 1 : 0), kBannerY, kBannerHoldMs);

    if (game && game->hasIntroTutorial()) {
        hadTutorial_ = true;
        tutorialDone_ = false;
        clock_ = kTutorialStartMs;
    }
    if (game && game->previousLevelPicture(piece_, pieceX_, pieceY_) && piece_) {
        presenting_ = presented_ = true;
        playSoundGroup(presentSound_, 0, 0, 0, 0);
        clock_ = 0;
    }
    sparkRadius_ = kSparkStartRadius;
    sparkAngle_ = 0;
    burstDone_ = false;
}

int ReadyIntroScreen::update(int milliseconds) {
    if (EffectLayer* layer = effectLayer()) layer->stepAll(milliseconds);
    clock_ += milliseconds;
    if (relax_ < 0 && goPhase_) {
        startLevel();
        return 0;
    }
    if (presenting_) {
        presentStep(milliseconds);
    } else if (!tutorialDone_) {
        // The card grows in at twice the pace of the clock.
        clock_ += milliseconds;
        if (clock_ > kTutorialEndMs) {
            clock_ = 0;
            tutorialDone_ = true;
        }
    } else if (!goPhase_) {
        if (banner_.update(milliseconds)) {
            goPhase_ = true;
            clock_ = 0;
        }
    } else {
        goStep(milliseconds);
    }
    return 0;
}

// Sparks circle the new part, widening, then closing in, and burst at its
// centre as the old stage fades for good.
void ReadyIntroScreen::presentStep(int milliseconds) {
    const float centreX = pieceX_ + piece_->width() / 2.0f;
    const float centreY = pieceY_ + piece_->height() / 2.0f;
    sparkAngle_ += kSparkAngleStep;
    if (clock_ < kSparkWidenUntilMs) sparkRadius_ += kSparkGrowth * milliseconds;
    else sparkRadius_ -= kSparkShrink * milliseconds;
    if (clock_ < kPresentSparksUntilMs) {
        if (sparks_) {
            sparks_->bannerSpark(centreX + std::cos(sparkAngle_) * sparkRadius_,
                                 centreY + std::sin(sparkAngle_) * sparkRadius_ - 20.0f);
        }
    } else if (!burstDone_) {
        burstDone_ = true;
        if (sparks_) sparks_->burst20(centreX, centreY);
    }
    if (clock_ > kPresentEndMs) presenting_ = false;
}

void ReadyIntroScreen::goStep(int milliseconds) {
    const int width = goPicture_ ? goPicture_->width() : 0;
    const int height = goPicture_ ? goPicture_->height() : 0;
    if (clock_ > kZoomMs) {
        // A click late in the banner comes here at once: "GO!" stands at
        // its full size while the rest runs down.
        if (pictureWidth_ == 0 || pictureHeight_ == 0) {
            pictureWidth_ = width;
            pictureHeight_ = height;
        }
        relax_ -= milliseconds;
        return;
    }
    if (clock_ > kPopFromMs && clock_ <= kPopToMs) playSoundGroup(popSound_, 0, 0, 0, 0);
    const float scale = goZoomScale(static_cast<float>(clock_) / kZoomMs);
    pictureWidth_ = static_cast<int>(std::lround(width * scale));
    pictureHeight_ = static_cast<int>(std::lround(height * scale));
}

void ReadyIntroScreen::draw(int ox, int oy, Sprite& target) {
    Screen::draw(ox, oy, target);
    GameSession* game = session();
    if (!tutorialDone_ && game) {
        const float value = clock_ > kTutorialStartMs ? (clock_ - kTutorialStartMs) * 0.001f : 0.0f;
        game->drawIntroTutorial(target, value);
    }
    if (presenting_ && piece_) {
        const int alpha = std::clamp(255 - presentFade(clock_), 0, 255);
        target.BlitFaded(pieceX_, pieceY_, *piece_, alpha, 0);
    }
    if (goPhase_ && pictureWidth_ > 0 && pictureHeight_ > 0 && goPicture_) {
        const int centreX = xCenter_ - kNonQuestGoShift * (nonQuest_ ? 1 : 0);
        target.BlitScaled(centreX - pictureWidth_ / 2, yCenter_ - pictureHeight_ / 2, pictureWidth_,
                          pictureHeight_, *goPicture_, 0, 0, goPicture_->width(), goPicture_->height(),
                          BLEND_NORMAL, 0);
    } else {
        banner_.draw(target, 0);
    }
    if (EffectLayer* layer = effectLayer()) layer->renderAll(target);
}

int ReadyIntroScreen::keyDown(int key, platform::LParam) {
    // Space, Enter and Escape cut it short too, for a player without a mouse.
    const bool cut = key == kKeyLeftButton || key == static_cast<int>(platform::VK_SPACE) ||
                     key == static_cast<int>(platform::VK_RETURN) || key == static_cast<int>(platform::VK_ESCAPE);
    if (!cut || presenting_) return 1;
    if (goPhase_) startLevel();
    else startGoPhase();
    return 1;
}

// The banner is cut short; the clock runs on, so a click late in the
// banner shows "GO!" whole at once.
void ReadyIntroScreen::startGoPhase() { goPhase_ = true; }

void ReadyIntroScreen::startLevel() {
    ScreenManager* owner = manager();
    GameSession* game = session();
    goPhase_ = false;
    closeOverlay();
    if (!owner || !game) return;
    if (hadTutorial_) game->setTutorialValue(1.0f);
    else game->setLevelRunning();
    if (Screen* screen = owner->showScreen("game", 0)) screen->renderStatic(1);
    playMusic(musicPlayer(), MUSIC_GAME);
    showTip(*game);
}

// A quest level that brings something new opens its tip while tips are on:
// the levels presenting a relic part or the first move's card, and the
// first levels of the episodes (the locks arrive with episode 4, the bad
// piece with episode 6, where neither of the other two happens).
void ReadyIntroScreen::showTip(GameSession& game) {
    if (!gameSettings().showTips || game.mode() != BoardMode::ModeQuest) return;
    if (!(presented_ || hadTutorial_ || startsAnEpisode(level_))) return;
    const char* tip = tipScreenForLevel(level_);
    if (tip && manager()) manager()->showOverlay(tip);
}
