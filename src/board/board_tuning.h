#pragma once
// The board's speeds, from "data\common.ini" [properties].

struct BoardTuning {
    float kestVelocity = 0.4f;   // swap speed, pixels per ms
    float fallVelocity = 0.1f;   // start speed of a fall per row dropped, pixels per ms
    float dyingVelocity = 0.1f;  // read and kept with the others

    // Reads the three keys. A key that is missing, zero or negative keeps its
    // default above: a speed of 0 would leave swaps and falls standing still
    // and the board busy for ever.
    static BoardTuning fromCommonIni();
};
