// The player's saved game: the progress file keeps every mode's numbers and
// the tips option, and each mode but puzzle keeps its board in the middle of
// a level. Saving rewrites only the current mode's fields; resuming restores
// them and the board, or deals the saved level afresh when its board is gone.

#include <algorithm>
#include <cstdio>

#include "config/game_settings.h"
#include "config/game_texts.h"
#include "config/ini_store.h"
#include "config/save_failures.h"
#include "game/game_screen.h"
#include "game/level_files.h"
#include "game/level_map.h"
#include "game/level_rules.h"
#include "game/progress_file.h"
#include "ui/screen_manager.h"

namespace {

// What the player's file holds, the defaults where it holds nothing; the
// tips option stands for itself when the file lacks it.
ProgressRecord storedProgress(const std::string& player) {
    ProgressRecord record;
    record.tipsOff = !gameSettings().showTips;
    readProgressFile(player, record);
    return record;
}

}  // namespace

void GameScreen::readTipsFlag() { gameSettings().showTips = !storedProgress(playerName()).tipsOff; }

void GameScreen::saveProfile() { saveGame(SavedBoardChange::Replace); }

void GameScreen::saveProfileAndForgetBoard() { saveGame(SavedBoardChange::Forget); }

// Replace writes the board as it stands where the mode keeps one.
void GameScreen::saveGame(SavedBoardChange boardChange) {
    const std::string& player = playerName();
    playedSinceSave_ = false;
    if (player.empty()) return;
    ProgressRecord record = storedProgress(player);
    const int elapsedSeconds = board_->elapsed() / 1000;
    bool saveBoard = boardChange == SavedBoardChange::Replace;
    switch (mode_) {
        case BoardMode::ModePuzzle:
            record.puzzleLevel = level_;
            saveBoard = false;
            break;
        case BoardMode::ModeAction:
            record.action = {level_,        keeper_.score(), wand_.count(), elapsedSeconds, keeper_.gemsCollected(),
                             keeper_.levelScore(), int(progress_), collector_.filled()};
            break;
        case BoardMode::ModeCube:
            record.cube = {level_,          keeper_.score(), elapsedSeconds, keeper_.gemsCollected(),
                           keeper_.levelScore(), int(progress_), collector_.filled()};
            break;
        case BoardMode::ModeQuest:
            record.quest = {level_,          keeper_.score(), wand_.count(), board_->timeLeft() / 1000,
                            keeper_.gemsCollected(), keeper_.levelScore(), keeper_.lives(), collector_.filled()};
            record.highestQuestLevel = std::max(record.highestQuestLevel, maxQuestLevel_);
            maxQuestLevel_ = record.highestQuestLevel;
            // A won quest has no level left to come back to.
            saveBoard = saveBoard && level_ <= kQuestLevels;
            break;
    }
    record.tipsOff = !gameSettings().showTips;
    if (boardChange == SavedBoardChange::Replace && !saveBoard) boardChange = SavedBoardChange::Keep;
    const std::vector<std::uint8_t> boardBytes =
        boardChange == SavedBoardChange::Replace ? encodeMap(mapFromBoard(*board_)) : std::vector<std::uint8_t>();
    if (const std::optional<SaveFailure> failure = writeSaveUnit(player, record, mode_, boardChange, boardBytes))
        reportSaveFailure(*failure);
}

// Every failure on standard error; on screen once a run, so a full disk
// does not cover the game with the same line at every level.
namespace {

// The notice's words from the language file, in English without one.
std::string saveFailureText() {
    const std::string text = gameText("savefailed");
    return text.empty() ? "Your\xA0" "progress\xA0" "could\xA0" "not\xA0" "be\xA0" "saved:" : text;
}

}  // namespace

void GameScreen::reportSaveFailure(const SaveFailure& failure) {
    std::fprintf(stderr, "shardfall: could not save %s: %s\n", failure.path.c_str(), failure.reason.c_str());
    noteSaveFailure();
    if (saveFailureShown_) return;
    saveFailureShown_ = true;
    if (ScreenManager* owner = manager())
        owner->notice().show(saveFailureText() + "\xA0" + failure.reason);
}

void GameScreen::resumeProfile() {
    const std::string& player = playerName();
    const ProgressRecord record = storedProgress(player);
    gameSettings().showTips = !record.tipsOff;
    levelRunning_ = levelComplete_ = timeUp_ = false;
    int collectorFilled = 0;
    int questTimeLeft = 0;
    switch (mode_) {
        case BoardMode::ModePuzzle:
            level_ = record.puzzleLevel;
            // Every puzzle solved: the book opens again at the first, or
            // the mode's button would lead nowhere ever after.
            if (!fileExists(puzzleLevelPath(level_).c_str())) level_ = 1;
            loadLevel();
            return;
        case BoardMode::ModeQuest: {
            const QuestProgress& q = record.quest;
            level_ = q.level;
            keeper_.restore(q.score, q.lives);
            wand_.setCount(q.wands);
            questTimeLeft = q.timeLeftSeconds;
            keeper_.restoreLevelTally(q.levelScore, q.gems);
            collectorFilled = q.collector;
            maxQuestLevel_ = record.highestQuestLevel;
            break;
        }
        case BoardMode::ModeAction: {
            const ActionProgress& a = record.action;
            level_ = a.level;
            applyLevelKinds();
            keeper_.restore(a.score, 0);
            wand_.setCount(a.wands);
            board_->setElapsed(a.timeSeconds * 1000);
            keeper_.restoreLevelTally(a.levelScore, a.gems);
            progress_ = float(a.progress);
            collectorFilled = a.collector;
            break;
        }
        case BoardMode::ModeCube: {
            const CubeProgress& c = record.cube;
            level_ = c.level;
            applyLevelKinds();
            keeper_.restore(c.score, 0);
            board_->setElapsed(c.timeSeconds * 1000);
            keeper_.restoreLevelTally(c.levelScore, c.gems);
            progress_ = float(c.progress);
            collectorFilled = c.collector;
            break;
        }
    }
    keeper_.startLevel(level_);
    collector_.restore(collectorFilled);

    // Without its board the saved level starts afresh, with the saved score,
    // lives and wands.
    const std::string boardPath = savedBoardToResume(player, record, *savedBoardOf(mode_));
    if (boardPath.empty() ||
        loadMap(*board_, boardPath, [this](Board&) { composeBackground(); }) != MapLoad::Loaded) {
        loadLevel();
        return;
    }
    if (mode_ == BoardMode::ModeQuest) {
        board_->applyFileLocks();
        if (questTimeLeft != 0) board_->setTimeLeft(questTimeLeft * 1000);
    }
    board_->clearGoalReached();
    showLevelNumbers();
    updateBar();
    keeper_.levelLoaded();
    banner_.end();
    resumed_ = true;
    requestStaticRedraw();
}
