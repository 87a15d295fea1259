// The board's tick: the state machine that runs a move from the swap through
// every wave of matches, falls and births until the board rests again.
//
//   swap (busy) -> idle -> matches found (busy; wave scored in the same tick)
//   -> idle with moveMade -> fall and birth (busy) -> idle -> matches found
//   (next wave) -> ... -> idle with nothing found -> hint and goal check.

#include "board/board.h"

namespace {

constexpr int kWarningBelowMs = 15000;
constexpr int kTimeTutorialBelowMs = 16000;
// The countdown passes each whole second within one 20 ms step.
constexpr int kSecondWindowMs = 20;
constexpr int kTimeTutorialX = 274;
constexpr int kTimeTutorialY = 550;

}  // namespace

void Board::tick(int dt) {
    if (landed_) {
        audio_->play(BoardSound::Fall);
        landed_ = false;
    }
    if (overlay_) overlay_->update(dt);
    hover_ = cellAt(mouseX_, mouseY_);
    elapsed_ += dt;
    if (coatingFlew_) {
        if (BoardEffects* fx = host_->effects()) fx->playFlyCell();
        coatingFlew_ = false;
    }
    countDown(dt);
    pieces_.forEach([this, dt](Piece& piece) { updatePiece(piece, dt); });

    if (!busy_) {
        const int found = gaveUp_ ? 0 : detectMatches(false);
        if (found != 0) {
            busy_ = true;
            swapOrigin_ = -1;
            swapTookSnapshot_ = false;
        } else if (Piece* p = pieceAt(hover_); p && p->state == PieceState::Idle) {
            p->hoverSeen = true;
        }
        if (swapOrigin_ != -1 && found == 0) swapBack();
    }
    checkGoal();

    if (busy_) {
        busyStep(dt);
    } else if (moveMade_) {
        fallStep();
    } else {
        restStep(dt);
    }
}

// Only quest levels are played against the clock. The other modes keep
// whatever time their map carries, and a clock left running there would
// sound the last seconds' warning (and offer their tutorial) in a game that
// cannot run out of time.
void Board::countDown(int dt) {
    if (mode_ != BoardMode::ModeQuest) return;
    if (timeLeft_ > 0) timeLeft_ -= dt;
    const bool secondTurns = timeLeft_ > 0 && timeLeft_ % 1000 < kSecondWindowMs;
    if (secondTurns && timeLeft_ < kWarningBelowMs) {
        audio_->play(BoardSound::Warning);
        if (BoardEffects* fx = host_->effects()) fx->timeFlash();
    }
    if (secondTurns && timeLeft_ < kTimeTutorialBelowMs)
        host_->offerTutorial(kTimeTutorialX, kTimeTutorialY, TutorialEntry::LastSeconds);
}

bool Board::goalHolds() const {
    switch (mode_) {
        case BoardMode::ModeQuest: return coatRemaining_ == 0;
        case BoardMode::ModePuzzle: return pieces_.empty();
        default: return host_->progressGoalReached();
    }
}

void Board::checkGoal() {
    if (goalReached_ || !goalHolds()) return;
    audio_->stopMusic();
    audio_->play(BoardSound::Done);
    goalReached_ = true;
}

void Board::busyStep(int dt) {
    idleTime_ = 0;
    bool stillMoving = false;
    for (int i = 0; i < geometry_.cellCount(); ++i) stillMoving = cells_[i].update(dt) != 0 || stillMoving;
    busy_ = stillMoving;
    for (int i = 0; i < geometry_.cellCount(); ++i) cells_[i].hitThisTick_ = false;
    if (!moveMade_) return;
    if (moveRemoved_ != 0) host_->moveRemovedChanged(moveRemoved_);
    if (waveRemoved_ != 0) {
        scoreWave();
        waveRemoved_ = 0;
        ++waveCount_;
    }
    if (waveCount_ != 0) host_->waveCountChanged(waveCount_);
}

// A removal has finished: what is above falls, the gaps are refilled, and the
// refill is re-rolled until the board still has a move.
void Board::fallStep() {
    startFall();
    busy_ = true;
    moveMade_ = false;
    if (mode_ == BoardMode::ModePuzzle) return;
    host_->setChainBonus(host_->chainBonus() + 1);
    ensurePlayable();
}

void Board::restStep(int dt) {
    moveRemoved_ = waveCount_ = waveRemoved_ = 0;
    host_->setChainBonus(0);
    if (timeLeft_ > 0 || mode_ != BoardMode::ModeQuest) {
        if (runHint(dt)) return;
        if (goalHolds()) {
            host_->raiseLevelComplete();
        } else if (rainbowChanged_ && mode_ != BoardMode::ModePuzzle && findMove() == kNoMove) {
            // A rainbow that took a kind without making a line can take the
            // board's last move with it, and no fall follows to repair that.
            // Such a board is as unplayable as one the repair gave up on.
            host_->completeUnplayableLevel();
        }
    } else {
        host_->raiseTimeUp();
    }
    rainbowChanged_ = false;
}
