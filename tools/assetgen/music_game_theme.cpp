#include "music_score.h"

// A minor, 120 beats a minute, 48 bars (96 s): a plucked sixteenth-note
// arpeggio and a bouncing bass under a singing lead; a second strain on D
// minor; a breakdown with bells that builds back into the full band.
// Sections (0-based bars): intro 0-3, A 4-11, A2 12-19, B 20-27,
// breakdown 28-35, A3 36-43, outro 44-47.

namespace {

// Am F C G, Am F C E, Dm F Am G, Dm F E E7.
const char* kHarmony[] = {
    "A2: A3 C4 E4 | F2: A3 C4 F4 | C3: G3 C4 E4 | G2: G3 B3 D4",
    "A2: A3 C4 E4 | F2: A3 C4 F4 | C3: G3 C4 E4 | E2: G#3 B3 E4",
    "D3: A3 D4 F4 | F2: A3 C4 F4 | A2: A3 C4 E4 | G2: G3 B3 D4",
    "D3: A3 D4 F4 | F2: A3 C4 F4 | E2: G#3 B3 E4 | E2: G#3 B3 D4",
};

const char* kMelodyA =
    "E5:0.5 A5:0.5 B5:0.5 C6:1 B5:0.5 A5:1 | A5:0.5 G5:0.5 F5:0.5 A5:1 C6:1 r:0.5 |"
    "G5:1.5 E5:0.5 C5:1 E5:1 | D5:1 G5:1 B5:1.5 r:0.5 |"
    "E5:0.5 A5:0.5 B5:0.5 C6:1 D6:0.5 E6:1 | F6:0.5 E6:0.5 D6:0.5 C6:1 A5:1.5 |"
    "G5:0.5 A5:0.5 G5:0.5 E5:1 C5:0.5 E5:1 | G#5:1.5 B5:0.5 E5:1.5 r:0.5";
const char* kMelodyB =
    "D5:1 F5:0.5 A5:1 D6:1 C6:0.5 | C6:1.5 A5:0.5 F5:1 A5:1 | E5:0.5 A5:0.5 C6:1 B5:0.5 A5:0.5 E5:1 |"
    "D5:0.5 G5:0.5 B5:1 A5:0.5 G5:0.5 D5:1 | F5:1 A5:0.5 D6:1.5 F6:1 | E6:0.5 D6:0.5 C6:1 A5:1 F5:1 |"
    "G#5:1 B5:1 E6:1.5 D6:0.5 | B5:2 G#5:1 E5:1";
const char* kBells = "A5:4 | F5:4 | G5:4 | B5:4 | C6:4 | A5:4 | G5:2 E5:2 | G#5:4";
const char* kOutro =
    "E5:0.5 A5:0.5 D6:1 C6:2 | A5:0.5 C6:0.5 F6:1 E6:2 | E6:0.5 C6:0.5 A5:1 E5:2 | D5:0.5 G5:0.5 B5:1 D6:2";

std::vector<PartDescription> parts() {
    using V = Voice;
    const std::vector<FigureStep> bounce = {{0, 0.75, 0, 1.0},  {1, 0.5, 0, 0.8}, {1.5, 0.5, 12, 0.7},
                                            {2, 0.75, 0, 0.95}, {3, 0.5, 0, 0.8}, {3.5, 0.5, 7, 0.7}};
    return {
        {V::Pluck, 0.5, 0.4, 0.2, 0.16, 0.6, 0.95,
         {arpeggio({0, 47}, 0.25, {0, 1, 2, 3, 2, 1, 2, 3, 0, 1, 2, 3, 4, 3, 2, 1}, 1,
                   {1.0, 0.55, 0.7, 0.55, 0.85, 0.55, 0.7, 0.55})}},
        {V::Bass, 0.45, 0, 0.03, 0, 0.45, 0.85, {bassFigure({{0, 27}, {32, 47}}, bounce)}},
        {V::ElectricPiano, 0.2, -0.35, 0.25, 0, 0.5, 0.8,
         {chordHits({{4, 11}, {12, 19}, {20, 27}, {36, 43}}, {{0, 1.5, 12, 0.85}, {2.5, 1.0, 12, 0.7}})}},
        {V::Pad, 0.2, 0, 0.35, 0, 0.45, 1.0, {held({20, 35})}},
        {V::Lead, 0.34, 0, 0.22, 0.2, 0.55, 0.95,
         {line(onBars({4, 12}), kMelodyA), line(onBars({20}), kMelodyB), line(onBars({36}), kMelodyA),
          line(onBars({44}), kOutro, 0.8)}},
        {V::Crystal, 0.1, -0.2, 0.4, 0.2, 0.5, 0.95, {line(onBars({12, 36}), kMelodyA, 1.0, 12)}},
        {V::Bell, 0.18, 0.15, 0.45, 0.3, 0.5, 0.95, {line(onBars({28}), kBells)}},
        {V::Brass, 0.16, 0, 0.3, 0, 0.7, 0.95, {chordHits(onBars({20, 24, 36}), {{0, 1.5, 0, 1.0}})}},
    };
}

// Drums: 0 kick, 1 snare, 2 clap, 3-4 closed hats, 5 open hat, 6 shaker,
// 7 the riser into the last strain. The closed hats tick four times a second
// for most of the track: they stay in the back, where the ear takes them in
// without listening.
std::vector<DrumDescription> drums() {
    using D = DrumSound;
    return {{D::Kick, 0, 0.45, 0.0, 0.02},         {D::Snare, 0x534E, 0.4, 0.05, 0.2},
            {D::Clap, 0x434C, 0.6, -0.05, 0.25},   {D::ClosedHat, 0x4831, 0.2, 0.25, 0.05},
            {D::ClosedHat, 0x4832, 0.2, 0.3, 0.05}, {D::OpenHat, 0x4F48, 0.16, 0.3, 0.1},
            {D::Shaker, 0x5348, 0.22, -0.3, 0.1},  {D::Riser, 0x5249, 0.3, 0.0, 0.3}};
}

std::vector<DrumWriting> rhythm() {
    return {
        pattern(0, {{0, 3}}, "x.......x......."),
        pattern(0, {{4, 19}}, "x.....x.x......."),
        pattern(0, {{20, 27}}, "x.....x.x...x..."),
        pattern(0, {{36, 43}}, "x...x...x...x..."),
        pattern(0, {{44, 47}}, "x.....x.x......."),
        pattern(1, {{4, 27}}, "....x.......x..."),
        pattern(1, {{36, 47}}, "....x.......x..."),
        pattern(2, {{12, 27}}, "....x.......x..."),
        pattern(2, {{36, 43}}, "....x.......x..o"),
        pattern(3, {{0, 27}}, "o...o...o...o..."),
        pattern(4, {{0, 27}}, "..x...x...x...x."),
        pattern(3, {{36, 47}}, "o.o.o.o.o.o.o.o."),
        pattern(4, {{36, 47}}, "..x...x...x...x."),
        pattern(5, onBars({5, 7, 9, 11, 13, 15, 17, 19, 37, 39, 41, 43}), "..............x."),
        pattern(6, {{28, 35}}, "o.x.o.x.o.x.o.x."),
        pattern(0, {{32, 34}}, "x.......x......."),
        // The last bar of the breakdown: a snare run that grows, and the riser.
        roll(1, 35, 0.15, 0.85),
        pattern(7, onBars({34}), "x..............."),
        // Crashes where the band comes in.
        pattern(5, onBars({4, 12, 20, 36}), "x..............."),
    };
}

}  // namespace

ThemeDescription gameTheme() {
    return {
        .kind = "game",
        .gamePath = "data\\sound\\music_game.ogg",
        .title = "Shardfall - Cascade",
        .bpm = 120,
        .seed = 0x47414D45,  // "GAME"
        .harmony = {std::begin(kHarmony), std::end(kHarmony)},
        .form = {0, 0, 1, 0, 1, 2, 3, 0, 1, 0, 1, 2},
        .roomSize = 0.6,
        .damping = 0.5,
        .roomLevel = 0.9,
        .echoBeats = 0.75,
        .echoFeedback = 0.33,
        .loudnessRmsDb = -25.5,
        .parts = parts(),
        .drums = drums(),
        .rhythm = rhythm(),
    };
}
