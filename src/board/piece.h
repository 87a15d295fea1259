#pragma once
// Piece: one gem on the board. The board owns every piece (its piece list);
// cells only point at them. A piece is a record the board's rules move
// through its states; what each state does per tick lives in piece_motion.cpp.

#include "board/board_types.h"

enum class PieceState : int {
    Idle = 0,
    Swapping = 1,
    Dying = 2,
    Falling = 3,
    TeleportOut = 5,
    Birth = 6,
};

// Drawn size of a resting piece, in pixels.
constexpr float kPieceSize = 44.0f;

struct Piece {
    PieceState state = PieceState::Idle;
    int timer = 0;      // ms in the current state; negative = delay before the motion starts
    int animClock = 0;  // ms; picks the animation frame
    int special = SpecialNone;
    float wobble = 0.0f;  // strength of the hover speed-up
    float x = 0.0f, y = 0.0f;  // centre on screen
    float width = kPieceSize, height = kPieceSize;
    float vx = 0.0f, vy = 0.0f;  // pixels per ms
    int moveDir = 0;             // swap direction: 0 right, 1 up, 2 left, 3 down
    float moveTarget = 0.0f;     // where a swap or fall stops; the destination cell while teleporting
    bool dead = false;           // shrunk away; its cell frees it at the next update
    bool selectedGlow = false;
    bool hoverSeen = false;
    bool selectedFast = false;  // selected: the animation runs at double speed
    int hintPhase = 0;          // 0 none, 1 waiting for the cycle to line up, 2 showing the help animation
    int hintHalf = 0;           // 1 starts half a cycle late, so the two hint pieces alternate
    int kind = 0;
    bool birthStarted = false;
    int lock = 0;                 // 0 unlocked; each match lowers it by one instead of removing the piece
    bool onDynamicLayer = false;  // drawn every frame instead of into the static layer
};
