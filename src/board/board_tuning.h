#pragma once
// The board's speeds, from "data\common.ini" [properties]. The defaults are
// the board's own rates; the game's data tunes them.

// The board's own birth time, to which the delays before a birth are drawn.
constexpr int kBoardBirthMs = 300;

struct BoardTuning {
    float kestVelocity = 0.4f;   // swap speed, pixels per ms
    float fallVelocity = 0.1f;   // start speed of a fall per row dropped, pixels per ms
    float dyingVelocity = 0.1f;  // how fast a removed piece shrinks, pixels per ms
    // How long a new piece takes to grow, in ms. The delays before new
    // pieces start to grow (they appear from the top left first) scale with
    // it, so the pattern keeps its shape at any speed.
    int birthMs = kBoardBirthMs;

    // Reads the keys. A key that is missing, zero or negative keeps its
    // default above: a speed of 0 would leave swaps and falls standing still
    // and the board busy for ever.
    static BoardTuning fromCommonIni();
};
