#include "screens/quest_map_screen.h"

#include <cmath>
#include <cstdio>

#include "board/board_effect_layer.h"
#include "config/game_settings.h"
#include "config/game_texts.h"
#include "game/game_session.h"
#include "game/progress_file.h"
#include "graphics/sprite.h"
#include "graphics/sprite_loading.h"
#include "graphics/trig_tables.h"
#include "screens/main_menu_screen.h"
#include "sound/music_player.h"
#include "sound/sound_group.h"
#include "ui/button_control.h"
#include "ui/control_sounds.h"
#include "ui/effect_layer.h"
#include "ui/screen_manager.h"

namespace {

constexpr int kFirstLevels[QuestMapScreen::kEpisodes] = {1, 6, 12, 18, 25, 33};
constexpr float kSparkStep = 0.2f;                     // radians per update
constexpr float kTableStepsPerRadian = 40.743664f;     // 256 steps per turn

std::string episodeName(int episode, const char* suffix = "") {
    char name[24];
    std::snprintf(name, sizeof name, "episode%d%s", episode, suffix);
    return name;
}

// The episode a control chooses: "episode3" and its marker "episode3_f"
// give 3; anything else 0.
int episodeOfControl(const char* name) {
    for (int episode = 1; episode <= QuestMapScreen::kEpisodes; ++episode) {
        if (sameName(name, episodeName(episode).c_str()) || sameName(name, episodeName(episode, "_f").c_str()))
            return episode;
    }
    return 0;
}

void setShown(UiElement* control, bool shown) {
    if (control) control->visible = shown;
}

}  // namespace

QuestMapScreen::QuestMapScreen() = default;

QuestMapScreen::~QuestMapScreen() { releasePictures(); }

int QuestMapScreen::firstLevelOf(int episode) {
    return episode >= 1 && episode <= kEpisodes ? kFirstLevels[episode - 1] : 0;
}

void QuestMapScreen::load(const char* file, const char* section) {
    Screen::load(file, section);
    restartText_ = gameText("restart");
    startText_ = gameText("start");
    newGameText_ = gameText("newgame");
    continueText_ = gameText("continue");
    newEpisodeSound_ = loadSoundGroup(kSoundTable, "new_episode");
}

UiElement* QuestMapScreen::episodeButton(int episode) const { return findChild(episodeName(episode).c_str()); }

void QuestMapScreen::onShow() {
    newEpisode_ = previousEpisode_ = 0;
    releasePictures();
    noProgress_ = false;
    for (int episode = 1; episode <= kEpisodes; ++episode) {
        if (UiElement* button = episodeButton(episode)) button->setPromptText(restartText_.c_str());
    }
    UiElement* continueButton = findChild("continue");
    if (continueButton) continueButton->setText(continueText_.c_str());
    chosen_ = 0;
    clock_ = 0;
    fadeClock_ = 0;
    continueAsked_ = false;
    savedQuestLevel_ = 0;
    startEpisode_ = 0;
    Screen::onShow();
    // No button stays lit from the last visit: the map may open with its
    // animation, during which the mouse is not followed.
    setFocus(nullptr);

    const std::string& player = gameSettings().currentPlayerName;
    ProgressRecord record;
    if (player.empty() || readProgressFile(player, record) == ProgressReadResult::Missing) {
        applyHighestLevel(0);
        if (UiElement* first = episodeButton(1)) first->setPromptText(startText_.c_str());
        return;
    }
    savedQuestLevel_ = record.quest.level;
    if (ScreenManager* owner = manager()) {
        if (GameSession* session = findGameSession(*owner)) session->setLevel(savedQuestLevel_);
    }
    applyHighestLevel(record.highestQuestLevel);
    if (record.highestQuestLevel == 0) {
        noProgress_ = true;
        if (UiElement* first = episodeButton(1)) first->setPromptText(startText_.c_str());
    }
    if (savedQuestLevel_ == kWonQuestLevel) {
        continueAsked_ = true;
        if (continueButton) continueButton->setText(newGameText_.c_str());
    }
}

void QuestMapScreen::applyHighestLevel(int highest) {
    for (int episode = 1; episode <= kEpisodes; ++episode) {
        if (episode > 1) setShown(episodeButton(episode), false);
        setShown(findChild(episodeName(episode, "_f").c_str()), false);
    }
    highestOpen_ = 1;
    // An episode opens once the highest level has passed the last level of
    // the one before it; that one is then finished.
    for (int episode = 2; episode <= kEpisodes; ++episode) {
        if (highest < firstLevelOf(episode)) break;
        setShown(episodeButton(episode), true);
        setShown(findChild(episodeName(episode - 1, "_f").c_str()), true);
        highestOpen_ = episode;
    }
    if (highest > 40) setShown(findChild(episodeName(kEpisodes, "_f").c_str()), true);

    // An episode just reached and not yet begun reads "start".
    const std::string& player = gameSettings().currentPlayerName;
    for (int episode = 2; episode <= kEpisodes; ++episode) {
        if (highest != firstLevelOf(episode)) continue;
        if (hasSavedBoardToResume(player, ProfileFile::QuestBoard)) continue;
        if (UiElement* button = episodeButton(episode)) button->setPromptText(startText_.c_str());
        startEpisode_ = episode;
    }
}

void QuestMapScreen::openEpisode(int episode) {
    if (episode < 2 || episode > kEpisodes) return;
    releasePictures();
    clock_ = 0;
    sparkAngle_ = 0;
    newEpisode_ = episode;
    previousEpisode_ = episode - 1;

    if (UiElement* button = episodeButton(episode)) {
        newX_ = button->x;
        newY_ = button->y;
        UiElement* map = findChild("background");
        if (map && hasPixels(map->image) && button->xs > 0 && button->ys > 0) {
            mapPatch_ = CreateSprite(button->xs, button->ys, "");
            if (mapPatch_) mapPatch_->BlitPart(0, 0, button->xs, button->ys, *map->image, button->x - map->x,
                                                button->y - map->y, BLEND_NORMAL, 0);
        }
    }
    if (auto* button = dynamic_cast<ButtonControl*>(episodeButton(episode - 1))) {
        previousX_ = button->x;
        previousY_ = button->y;
        Sprite* picture = button->stateImage(ButtonControl::kNormal);
        const int height = picture ? picture->height() - kPromptStrip : 0;
        if (hasPixels(picture) && height > 0) {
            previousPicture_ = CreateSpriteWithAlpha(picture->width(), height, "", 0);
            if (previousPicture_) previousPicture_->BlitPartWithAlpha(0, 0, *picture, 0, 0, picture->width(), height);
        }
    }
    playSoundGroup(newEpisodeSound_, 0, 0, 0, 0);
}

void QuestMapScreen::releasePictures() {
    ReleaseSprite(mapPatch_);
    ReleaseSprite(previousPicture_);
    mapPatch_ = previousPicture_ = nullptr;
}

BoardEffectLayer* QuestMapScreen::sparks() {
    EffectLayer* layer = effectLayer();
    if (!layer) return nullptr;
    if (!sparks_ || &sparks_->layer() != layer) {
        sparks_ = std::make_unique<BoardEffectLayer>(*layer, nullptr);
        sparks_->load();
    }
    return sparks_.get();
}

int QuestMapScreen::update(int milliseconds) {
    if (EffectLayer* layer = effectLayer()) layer->stepAll(milliseconds);
    if (newEpisode_ != 0 && continueAsked_) {
        stepOpening(milliseconds);
    } else if (chosen_ != 0) {
        fadeClock_ += milliseconds;
        if (fadeClock_ >= kFadeMs) {
            startChosenGame();
            return 0;
        }
    }
    if (!continueAsked_) {
        const std::string& player = gameSettings().currentPlayerName;
        if (!noProgress_ && profileFileExists(player, ProfileFile::Progress)) {
            // The dialog's "cancel" brings the map back with the question
            // dealt with.
            if (ScreenManager* owner = manager()) owner->showOverlay("continue");
            return 0;
        }
        continueAsked_ = true;
    }
    return Screen::update(milliseconds);
}

// The sparks circle the finished episode, then burst on the new one.
void QuestMapScreen::stepOpening(int milliseconds) {
    clock_ += milliseconds;
    if (previousEpisode_ != 0) {
        sparkAngle_ += kSparkStep;
        const int step = static_cast<int>(sparkAngle_ * kTableStepsPerRadian) & 255;
        const float cx = float(previousX_ + kPictureCentreX), cy = float(previousY_ + kPictureCentreY);
        if (BoardEffectLayer* effects = sparks())
            effects->bannerSpark(cx + kSparkRadius * cosTable[step], cy + kSparkRadius * sinTable[step]);
        if (clock_ > kFirstPhaseMs) {
            clock_ = 0;
            previousEpisode_ = 0;
            if (BoardEffectLayer* effects = sparks())
                effects->burst20(float(newX_ + kPictureCentreX), float(newY_ + kPictureCentreY));
        }
    } else if (clock_ > kRevealMs) {
        newEpisode_ = 0;
        releasePictures();
    }
}

void QuestMapScreen::choose(int choice) {
    if (chosen_ != 0) return;
    chosen_ = choice;
    fadeClock_ = 0;
    stopMusic(musicPlayer());
}

void QuestMapScreen::startChosenGame() {
    const int choice = chosen_;
    chosen_ = 0;
    ScreenManager* owner = manager();
    if (!owner) return;
    GameSession* session = findGameSession(*owner);
    owner->showScreen("game", 1);
    if (!session) return;
    if (choice >= 1 && choice <= kEpisodes) {
        // The episode the saved quest has just reached goes on with that
        // quest, its score, lives and wands; any other starts a new quest.
        if (continuesSavedQuest(choice)) session->startQuest(savedQuestLevel_);
        else session->newQuest(firstLevelOf(choice));
    } else if (savedQuestLevel_ != kWonQuestLevel && !noProgress_) {
        session->startQuest(savedQuestLevel_ > 0 ? savedQuestLevel_ : 1);
    } else {
        session->newQuest(1);
    }
}

bool QuestMapScreen::continuesSavedQuest(int episode) const {
    return episode == startEpisode_ && !noProgress_ && savedQuestLevel_ == firstLevelOf(episode);
}

int QuestMapScreen::onCommand(UiElement* source) {
    if (!source || opening()) return 0;
    if (const int episode = episodeOfControl(source->name())) {
        choose(episode);
    } else if (sameName(source->name(), "continue")) {
        choose(kContinueChoice);
    } else if (sameName(source->name(), "back") && chosen_ == 0) {
        if (ScreenManager* owner = manager()) {
            if (auto* menu = dynamic_cast<MainMenuScreen*>(owner->showScreen("mainmenu", 1))) menu->fadeIn();
        }
    }
    return 0;
}

int QuestMapScreen::mouseEvent(platform::WParam wParam, platform::LParam lParam) {
    if (opening() || chosen_ != 0) return 0;
    return Screen::mouseEvent(wParam, lParam);
}

int QuestMapScreen::keyDown(int key, platform::LParam lParam) {
    if (opening() || chosen_ != 0) return 0;
    return Screen::keyDown(key, lParam);
}

int QuestMapScreen::keyUp(int key, platform::LParam lParam) {
    if (opening() || chosen_ != 0) return 0;
    return Screen::keyUp(key, lParam);
}

void QuestMapScreen::draw(int ox, int oy, Sprite& target) {
    Screen::draw(ox, oy, target);
    if (newEpisode_ != 0) drawOpening(target);
    if (EffectLayer* layer = effectLayer()) layer->renderAll(target);
    if (chosen_ != 0 && fadeClock_ > 0) {
        const int alpha = fadeClock_ >= kFadeMs ? 255 : fadeClock_ * 255 / kFadeMs;
        if (alpha > 0) target.FillRect(0, 0, 800, 600, std::uint32_t(alpha) << 24);
    }
}

// First phase: the finished episode's open picture over its marker, fading
// out; the new episode hidden under the map. Second phase: the map over
// the new episode fades away.
void QuestMapScreen::drawOpening(Sprite& target) {
    if (previousEpisode_ != 0) {
        if (previousPicture_) {
            int fade = 0;
            if (clock_ >= kPictureHoldMs + kPictureFadeMs) fade = 255;
            else if (clock_ > kPictureHoldMs) fade = (clock_ - kPictureHoldMs) * 255 / kPictureFadeMs;
            target.BlitFaded(previousX_, previousY_, *previousPicture_, 255 - fade, 0);
        }
        if (mapPatch_) target.Blit(newX_, newY_, *mapPatch_, BLEND_NORMAL, 0);
    } else if (mapPatch_) {
        const int alpha = 255 - (clock_ >= kRevealMs ? 255 : clock_ * 255 / kRevealMs);
        target.BlitFaded(newX_, newY_, *mapPatch_, alpha, 0);
    }
}
