// What each piece does per tick in its state: the swap and fall motions,
// dying, birth, the teleport's shrink, and the idle animations (selection,
// hint, hover).

#include <cmath>

#include "board/board.h"
#include "graphics/sprite.h"

namespace {

constexpr float kTeleportShrinkPerMs = 0.1f;
constexpr float kDeadSize = 10.0f;
constexpr float kGravityPerMs = 0.0005f;
constexpr float kMaxFallSpeed = 0.7f;
constexpr float kWobbleDecayBusy = 0.990099f;
constexpr float kWobbleGrowth = 1.4f;
constexpr float kWobbleMax = 20.0f;
constexpr float kWobbleFast = 10.0f;
constexpr float kWobbleDecay = 0.9174312f;
constexpr float kWobbleRest = 2.0f;
constexpr float kWobbleVisible = 3.0f;

// Grows past full size and settles back: 1.15 at 80% of the birth.
float birthScale(float t) {
    if (t > 1.0f) return 1.0f;
    if (t <= 0.0f) return 0.0f;
    if (t <= 0.8f) return 1.4375f * t;
    return 1.75f - 0.75f * t;
}

}  // namespace

void Board::enterState(Piece& piece, PieceState state) {
    if (piece.state == PieceState::Idle && state != PieceState::Idle) {
        setDynamic(piece, true);
        redraw_ = true;
    }
    piece.state = state;
}

// Moving a piece between the layers changes what the static layer shows.
void Board::setDynamic(Piece& piece, bool dynamic) {
    if (piece.onDynamicLayer == dynamic) return;
    piece.onDynamicLayer = dynamic;
    redraw_ = true;
}

void Board::updatePiece(Piece& piece, int dt) {
    switch (piece.state) {
        case PieceState::Idle: updateIdle(piece, dt); break;
        case PieceState::Swapping: updateSwapping(piece, dt); break;
        case PieceState::Dying: updateDying(piece, dt); break;
        case PieceState::Falling: updateFalling(piece, dt); break;
        case PieceState::TeleportOut: updateTeleportOut(piece, dt); break;
        case PieceState::Birth: updateBirth(piece, dt); break;
    }
}

void Board::updateSwapping(Piece& piece, int dt) {
    piece.x += static_cast<float>(dt) * piece.vx;
    piece.y += static_cast<float>(dt) * piece.vy;
    bool arrived = false;
    switch (piece.moveDir) {
        case 0: arrived = piece.x > piece.moveTarget; break;
        case 2: arrived = piece.x < piece.moveTarget; break;
        case 3: arrived = piece.y > piece.moveTarget; break;
        default: arrived = piece.y < piece.moveTarget; break;
    }
    if (!arrived) return;
    if (piece.moveDir == 0 || piece.moveDir == 2) {
        piece.x = piece.moveTarget;
    } else {
        piece.y = piece.moveTarget;
    }
    piece.vx = piece.vy = 0.0f;
    enterState(piece, PieceState::Idle);
}

void Board::updateDying(Piece& piece, int dt) {
    piece.timer += dt;
    if (piece.width > kDeadSize && piece.height > kDeadSize) {
        piece.width -= tuning_.dyingVelocity * static_cast<float>(dt);
        piece.height -= tuning_.dyingVelocity * static_cast<float>(dt);
    }
    if (piece.width <= kDeadSize || piece.height <= kDeadSize) piece.dead = true;
}

void Board::updateFalling(Piece& piece, int dt) {
    piece.vy += kGravityPerMs * static_cast<float>(dt);
    piece.y += static_cast<float>(dt) * piece.vy;
    if (piece.vy > kMaxFallSpeed) piece.vy = kMaxFallSpeed;
    if (piece.y < piece.moveTarget) return;
    piece.y = piece.moveTarget;
    piece.vy = 0.0f;
    enterState(piece, PieceState::Idle);
    landed_ = true;
}

void Board::updateBirth(Piece& piece, int dt) {
    if (piece.timer < 0) {
        piece.timer += dt;
        return;
    }
    audio_->keepBirthPlaying();
    piece.birthStarted = true;
    piece.timer += dt;
    const float scale = birthScale(static_cast<float>(piece.timer) / static_cast<float>(tuning_.birthMs));
    piece.width = scale * fullWidth(piece);
    piece.height = scale * fullHeight(piece);
    if (piece.timer > tuning_.birthMs) enterState(piece, PieceState::Idle);
}

// Shrinks away, then is born again in the destination cell.
void Board::updateTeleportOut(Piece& piece, int dt) {
    piece.width -= kTeleportShrinkPerMs * static_cast<float>(dt);
    piece.height -= kTeleportShrinkPerMs * static_cast<float>(dt);
    if (piece.width >= 0.0f) return;
    const int destination = static_cast<int>(piece.moveTarget);
    if (geometry_.contains(destination)) centreIn(piece, destination);
    piece.width = piece.height = 0.0f;
    piece.timer = 0;
    piece.birthStarted = false;
    piece.state = PieceState::Birth;
}

void Board::updateIdle(Piece& piece, int dt) {
    if (piece.special == SpecialTeleport) {
        // Its overlay animates by the board's clock, so it is always drawn live.
        piece.timer += dt;
        setDynamic(piece, true);
        return;
    }
    if (piece.selectedFast) {
        setDynamic(piece, true);
        piece.animClock += 2 * dt;
    }
    const bool hinting = piece.hintPhase != 0 && piece.kind < kOrdinaryKinds;
    if (hinting) updateHintAnimation(piece, dt);
    if (piece.lock == 0) updateHover(piece);
    // Nothing animates it any more: back into the static layer.
    const bool animating =
        piece.selectedFast || (piece.hintPhase != 0 && piece.kind < kOrdinaryKinds) || piece.wobble != 0.0f;
    if (!animating) setDynamic(piece, false);
}

// Waits for the shine cycle to come round, then plays the help animation once.
// The two pieces of a hint start half a cycle apart, so they pulse in turn.
void Board::updateHintAnimation(Piece& piece, int dt) {
    setDynamic(piece, true);
    if (piece.hintPhase == 1 && (piece.animClock == 0 || piece.animClock >= kActiveCycleMs)) {
        piece.hintPhase = 2;
        piece.animClock = kHelpCycleMs * piece.hintHalf / 2;
    }
    piece.animClock += dt;
    if (piece.hintPhase == 2 && piece.animClock >= kHelpCycleMs + kHelpCycleMs * piece.hintHalf / 2) {
        piece.hintPhase = 0;
        piece.animClock = 0;
    }
}

// A piece under the mouse spins its shine faster and faster; left alone it
// slows down again.
void Board::updateHover(Piece& piece) {
    if (busy_) piece.wobble *= kWobbleDecayBusy;
    if (piece.hoverSeen) {
        if (piece.wobble == 0.0f) {
            piece.wobble = 1.0f;
            setDynamic(piece, true);
        }
        piece.wobble *= kWobbleGrowth;
        if (piece.wobble > kWobbleFast) piece.wobble += 0.5f;
        if (piece.wobble > kWobbleMax) piece.wobble = kWobbleMax;
    } else if (piece.wobble != 0.0f) {
        piece.wobble *= kWobbleDecay;
        if (piece.wobble < kWobbleRest) piece.wobble = 0.0f;
    }
    if (piece.wobble > kWobbleVisible) piece.animClock += static_cast<int>(std::lround(piece.wobble));
    piece.hoverSeen = false;
}

float Board::fullWidth(const Piece& piece) const {
    const Sprite* image = pieceImage(piece);
    return image && image->width() > 0 ? static_cast<float>(image->width()) : kPieceSize;
}

float Board::fullHeight(const Piece& piece) const {
    const Sprite* image = pieceImage(piece);
    return image && image->height() > 0 ? static_cast<float>(image->height()) : kPieceSize;
}
