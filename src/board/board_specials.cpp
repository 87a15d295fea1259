// Where the special pieces, the coatings and the magic wand join the rules:
// what a hit does to a locked piece, a bad piece and the coating under a
// piece, and the three presses that are not swaps (the wand, an armed rainbow
// piece, an armed teleport piece).

#include "board/board.h"

namespace {

constexpr int kLockSparkKind = 7;
// Tutorial entry that explains coatings; offered where one flies off.
// A coating flies straight up from the field's middle and drifts outward by
// its distance from it; the effect layer takes this as its reference.
constexpr float kStraightUpOrigin = 336.0f;

// Pictures of the flying coatings, as the effect layer numbers them.
constexpr int kFlyBareCell = 0;
constexpr int kFlyOneLayerLeft = 1;
constexpr int kFlyScorePlate = 2;
constexpr int kFlyWandPlate = 3;

constexpr int kGlowGreen = 0;
constexpr int kGlowBlue = 1;

// Score event types as the host values them.
constexpr int kScorePlain = 0;
constexpr int kScoreCoating = 1;
constexpr int kScorePlate = 2;
constexpr int kScoreBadInCascade = 3;
constexpr int kNoScore = -1;

}  // namespace

// The wand takes any press on a movable cell once it is armed; the input
// handler has already turned away holes, locked pieces and the selected cell.
bool Board::pressUsesTool(int index) {
    if (!host_->wandArmed()) return false;
    Cell& c = cells_[index];
    Piece* p = c.piece_;
    if (!p) return true;
    // The selection would otherwise stay on a cell whose piece is about to
    // fall away, and the next press would swap whatever landed there.
    clearSelection();
    p->timer = 0;
    enterState(*p, PieceState::Dying);
    setDynamic(*p, true);
    c.changed_ = c.hitThisTick_ = true;
    redraw_ = true;
    audio_->play(BoardSound::Magic);
    // The wand's victim is no match: it scores nothing and makes no gem.
    clearCoating(c, false);
    // The wave after a wand counts one step lower, so a cascade it sets off
    // is not worth more than the player's own first line.
    host_->setChainBonus(host_->chainBonus() - 1);
    busy_ = moveMade_ = true;
    host_->wandUsed();
    return true;
}

// Only an orthogonal neighbour that is not itself a rainbow can lend its
// kind; any other press just lets go of the armed rainbow.
void Board::applyRainbow(int from, int to) {
    radugaArmed_ = false;
    if (!isAdjacent(from, to)) return;
    Piece* rainbow = cells_[from].piece_;
    const Piece* other = cells_[to].piece_;
    if (!rainbow || !other || other->special == SpecialRaduga || other->kind == KindRaduga) return;
    rainbow->kind = other->kind;
    rainbow->special = SpecialNone;
    rebirth(*rainbow, from);
    busy_ = rainbowChanged_ = true;
    audio_->play(BoardSound::Raduga);
}

// The two pieces trade cells at once and vanish; each is born again in its
// new cell when it has shrunk away. Nothing is swapped back, so a teleport
// that makes no line still counts as the player's move.
void Board::teleport(int from, int to) {
    teleportArmed_ = false;
    Cell& a = cells_[from];
    Cell& b = cells_[to];
    Piece* traveller = a.piece_;
    Piece* other = b.piece_;
    if (!traveller || !other || from == to) return;
    traveller->special = SpecialNone;
    a.piece_ = other;
    b.piece_ = traveller;
    traveller->moveTarget = static_cast<float>(to);
    other->moveTarget = static_cast<float>(from);
    enterState(*traveller, PieceState::TeleportOut);
    enterState(*other, PieceState::TeleportOut);
    a.changed_ = b.changed_ = true;
    moveMade_ = busy_ = true;
    audio_->play(BoardSound::Teleport);
}

void Board::rebirth(Piece& piece, int index) {
    centreIn(piece, index);
    piece.width = piece.height = 0.0f;
    piece.timer = 0;
    piece.birthStarted = false;
    enterState(piece, PieceState::Birth);
    cells_[index].changed_ = true;
}

Board::HitOutcome Board::hitIdlePiece(Cell& cell, Piece& piece) {
    if (piece.lock > 0) {
        hitLock(cell, piece);
        return {true, kNoScore};
    }
    const int scoreType = piece.kind == KindBad ? hitBadPiece(cell) : clearCoating(cell, true);
    // Puzzle mode keeps no score.
    return {false, mode_ == BoardMode::ModePuzzle ? kNoScore : scoreType};
}

void Board::hitLock(Cell& cell, Piece& piece) {
    --piece.lock;
    redraw_ = true;
    cell.hitThisTick_ = cell.changed_ = true;
    ++waveRemoved_;
    ++moveRemoved_;
    // A broken lock makes the rest of its wave worth more.
    host_->setChainBonus(host_->chainBonus() + 1);
    audio_->play(BoardSound::Block);
    if (BoardEffects* fx = host_->effects()) {
        const float cx = static_cast<float>(geometry_.centreX(cell.index_));
        const float cy = static_cast<float>(geometry_.centreY(cell.index_));
        fx->lockChunks(cx, cy, piece.lock);
        fx->matchSparks(cx, cy, kLockSparkKind);
    }
}

// A bad piece the player matches on purpose leaves a layer of coating behind
// (at most two), so it costs rather than pays; one that falls into a line by
// itself is simply cleared and pays a little. The coating under it stays.
int Board::hitBadPiece(Cell& cell) {
    if (waveCount_ > 0) {
        audio_->play(BoardSound::BadRemove);
        return kScoreBadInCascade;
    }
    audio_->play(BoardSound::Bad);
    if (cell.coating_ >= CoatDouble) return kScorePlain;
    ++cell.coating_;
    ++coatRemaining_;
    redraw_ = true;
    return kNoScore;
}

// Clears the top of what lies under a piece that goes: one coating layer, or
// a whole bonus plate. `withGlow` is false for the wand: a plate it clears
// flies off without the glow a match gives. Returns the score event the hit
// is worth.
int Board::clearCoating(Cell& cell, bool withGlow) {
    const int coating = cell.coating_;
    if (coating <= CoatNone || coating > CoatWandBonus) return kScorePlain;
    const int index = cell.index_;
    const float cx = static_cast<float>(geometry_.centreX(index));
    const float cy = static_cast<float>(geometry_.centreY(index));
    BoardEffects* fx = host_->effects();
    redraw_ = true;
    if (coating == CoatSingle || coating == CoatDouble) {
        cell.coating_ = coating - 1;
        coatRemaining_ -= 1;
        flyCoating(index, cell.coating_ == CoatNone ? kFlyBareCell : kFlyOneLayerLeft);
        coatingFlew_ = true;
        return kScoreCoating;
    }
    cell.coating_ = CoatNone;
    coatRemaining_ -= coating;
    if (coating == CoatScoreBonus) {
        flyCoating(index, kFlyScorePlate);
        audio_->play(BoardSound::BonusScore);
        if (fx) {
            fx->burst20(cx, cy);
            if (withGlow) fx->glow(cx, cy, kGlowGreen);
        }
    } else {
        flyCoating(index, kFlyWandPlate);
        audio_->play(BoardSound::BonusWand);
        host_->wandGained();
        if (fx && withGlow) fx->glow(cx, cy, kGlowBlue);
    }
    return kScorePlate;
}

// The first coating the player sees fly off is the moment to explain them.
void Board::flyCoating(int index, int image) {
    const int cx = geometry_.centreX(index);
    const int cy = geometry_.centreY(index);
    host_->offerTutorial(cx, cy, TutorialEntry::Coating);
    BoardEffects* fx = host_->effects();
    if (!fx) return;
    const float fieldMiddle = static_cast<float>(geometry_.x0) + static_cast<float>(geometry_.w * kCellSize) / 2.0f;
    fx->flyCoating(static_cast<float>(cx), static_cast<float>(cy), image,
                   kStraightUpOrigin + static_cast<float>(cx) - fieldMiddle);
}
