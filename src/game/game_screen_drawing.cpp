// The game screen's pictures. The background is composed once per level
// map: the screen's back picture, the mode's scenes (in the quest, the
// episode's scene and its relic at this level's stage), and the gold frame
// around the board. The static layer holds that background, the HUD and the
// resting pieces, and is redrawn only when one of them changes; every frame
// adds the live controls, the moving pieces and the effects on top.

#include <cstdio>

#include "config/ini_store.h"
#include "game/game_screen.h"
#include "game/level_files.h"
#include "graphics/sprite.h"
#include "graphics/sprite_loading.h"
#include "ui/effect_layer.h"
#include "ui/screen_manager.h"

namespace {

constexpr int kPictureWidth = 800;
constexpr int kPictureHeight = 600;
constexpr int kSceneX = 15, kSceneY = 15;
constexpr int kRightPanelX = 635, kRightPanelY = 15;

// Where each episode's relic stands, left of the board.
struct Spot {
    int x, y;
};
constexpr Spot kRelicSpot[kEpisodes] = {{5, 179}, {6, 141}, {6, 210}, {5, 158}, {8, 178}, {16, 119}};

std::string numbered(const char* pattern, int a, int b = 0) {
    char path[64];
    std::snprintf(path, sizeof path, pattern, a, b);
    return path;
}

// A relic stage: the relic as it stands after `stage` + 1 levels of its episode.
std::string relicStagePath(int episode, int stage) { return numbered("data\\BACK\\%d\\kest0%d.jpg", episode, stage); }

Sprite* pictureIfPresent(const std::string& path) { return fileExists(path.c_str()) ? GetSprite(path.c_str()) : nullptr; }

}  // namespace

void GameScreen::drawPicture(const char* path, int x, int y) {
    if (Sprite* picture = pictureIfPresent(path)) background_->Blit(x, y, *picture, BLEND_NORMAL, 0);
}

void GameScreen::composeBackground() {
    UiElement* back = hud_.back();
    // From the screen file's picture every time: the scene and panel of the
    // mode played before, or a larger board's frame, must not show through.
    Sprite* base = backPicture_;
    if (!background_) {
        const bool sized = base && base->width() > 0 && base->height() > 0;
        background_ = CreateSprite(sized ? base->width() : kPictureWidth, sized ? base->height() : kPictureHeight, "");
        if (!background_) return;
    }
    if (base) background_->Blit(0, 0, *base, BLEND_NORMAL, 0);
    else background_->FillRect(0, 0, background_->width(), background_->height(), 0xFF000000u);
    previousPicture_ = nullptr;
    switch (mode_) {
        case BoardMode::ModeQuest:
            drawQuestRelic();
            drawPicture("DATA\\BACK\\adventure_right.jpg", kRightPanelX, kRightPanelY);
            break;
        case BoardMode::ModePuzzle:
            drawPicture("DATA\\BACK\\puzzle.jpg", kSceneX, kSceneY);
            drawPicture("DATA\\BACK\\puzzle_right.jpg", kRightPanelX, kRightPanelY);
            break;
        case BoardMode::ModeCube:
            drawPicture("DATA\\BACK\\quad.jpg", kSceneX, kSceneY);
            drawPicture("DATA\\BACK\\quad_right.jpg", kRightPanelX, kRightPanelY);
            break;
        case BoardMode::ModeAction:
            break;
    }
    board_->drawFrame(*background_);
    if (back) back->image = background_;
    requestStaticRedraw();
}

// The episode's scene, the relic's outline and the stage it reaches with this
// level. Played on from the level before, the stage before it is kept to
// show over it until the level is won.
void GameScreen::drawQuestRelic() {
    const int episode = episodeOf(level_);
    if (episode == 0) return;
    const Spot spot = kRelicSpot[episode - 1];
    const int stage = levelInEpisode(level_) - 1;
    drawPicture(numbered("data\\BACK\\back%d.jpg", episode).c_str(), kSceneX, kSceneY);
    drawPicture(numbered("data\\BACK\\%d\\kest%dshadow.tga", episode, episode).c_str(), spot.x, spot.y);
    drawPicture(relicStagePath(episode, stage).c_str(), spot.x, spot.y);
    if (playedOn_ && stage > 0) {
        previousPicture_ = pictureIfPresent(relicStagePath(episode, stage - 1));
        previousX_ = spot.x;
        previousY_ = spot.y;
    }
}

Sprite* GameScreen::renderStatic(int all) {
    Sprite* layer = Screen::renderStatic(all);
    if (layer && board_) board_->drawStatic(*layer, false);
    staticDirty_ = false;
    return layer;
}

// The stage before is shown while the level is played and while it fades
// in; the level intro gets the screen without it, so the intro can show the
// new stage and bring the old one back over it.
bool GameScreen::showsPreviousPicture() const {
    return previousPicture_ && mode_ == BoardMode::ModeQuest && playedOn_ && !resumed_ &&
           (!fadeOver() || introDone_);
}

void GameScreen::draw(int, int, Sprite& target) {
    const bool hudChanged = hud_.takeChanged();
    if (staticDirty_ || hudChanged || board_->needsRedraw()) renderStatic(0);
    if (Sprite* layer = layerCache()) target.Blit(0, 0, *layer, BLEND_NORMAL, 0);
    const bool tutorialOpen = panel_.isOpen();
    if (!fadeOver()) {
        if (showsPreviousPicture()) target.Blit(previousX_, previousY_, *previousPicture_, BLEND_NORMAL, 0);
        drawDynamic(0, 0, target);
        target.Darken(0, 0, kPictureWidth, kPictureHeight, -fadeClock_ * 255 / kFadeMs);
        return;
    }
    drawDynamic(0, 0, target);
    board_->drawDynamic(target);
    keyCursor_.draw(target, *board_);
    if (showsPreviousPicture() && !tutorialOpen)
        target.Blit(previousX_, previousY_, *previousPicture_, BLEND_NORMAL, 0);
    collector_.draw(target, mode_);
    if (EffectLayer* layer = effectLayer()) layer->renderAll(target);
    if (tutorialOpen) {
        // Not under a dialog: a tip in front of the card would be two
        // things to read at once. The card comes back when the dialog goes.
        ScreenManager* owner = manager();
        if (!owner || owner->currentScreen() == this) panel_.draw(target);
    } else {
        banner_.draw(target);
    }
}
