#include "music_score.h"

// D major, 80 beats a minute, 32 bars (96 s): a slow rocking of pads and an
// electric piano, a melody that enters after eight bars, a second strain
// over a plucked harp, and the first strain again on crystal.

namespace {

const char* kFirstStrain =
    "D3: D4 F#4 A4 C#5 | B2: B3 D4 F#4 A4 | G2: G3 B3 D4 F#4 | A2: A3 D4 E4 G4 |"
    "D3: F#4 A4 C#5 E5 | F#2: F#3 A3 C#4 E4 | G2: B3 D4 F#4 A4 | A2: A3 C#4 E4 G4";
const char* kSecondStrain =
    "E2: E3 G3 B3 D4 | A2: G3 C#4 E4 A4 | F#2: F#3 A3 C#4 E4 | B2: B3 D4 F#4 A4 |"
    "G2: G3 B3 D4 F#4 | E2: E3 G3 B3 D4 | A2: A3 D4 E4 G4 | A2: A3 C#4 E4 G4";

const char* kMelodyA =
    "F#5:1.5 E5:0.5 D5:1 A4:1 | B4:1.5 C#5:0.5 D5:1 F#5:1 | E5:2 D5:1 B4:1 | A4:3 r:1 |"
    "F#5:1.5 A5:0.5 G5:1 F#5:1 | E5:1.5 C#5:0.5 A4:2 | B4:1 D5:1 F#5:1 E5:1 | E5:3 r:1";
const char* kMelodyB =
    "G5:1 F#5:0.5 E5:0.5 D5:1 E5:1 | C#5:2 r:0.5 A4:0.5 C#5:0.5 E5:0.5 | A5:1.5 E5:0.5 C#5:1 E5:1 |"
    "D5:2 F#5:1 B4:1 | B5:1.5 A5:0.5 F#5:1 D5:1 | E5:1 G5:1 B5:1 A5:0.5 G5:0.5 | A5:2 G5:1 E5:1 | E5:2 C#5:1 r:1";
const char* kMelodyLast =
    "F#5:1.5 E5:0.5 D5:1 A4:1 | B4:1.5 C#5:0.5 D5:1 F#5:1 | E5:2 D5:1 B4:1 | A4:3 r:1 |"
    "F#5:1.5 A5:0.5 G5:1 F#5:1 | E5:1.5 C#5:0.5 A4:2 | B4:1 D5:1 F#5:1 A5:1 | G5:1 E5:1 C#5:1 A4:1";

std::vector<PartDescription> parts() {
    using V = Voice;
    return {
        // Two pads, a little apart, for width.
        {V::Pad, 0.14, -0.55, 0.35, 0, 0.4, 1.0, {held({0, 31})}},
        {V::Pad, 0.14, 0.55, 0.35, 0, 0.4, 1.0, {held({0, 31})}},
        // The first eight bars are what the title and the menu are first heard
        // over: the piano carries them alone, and steps back when the melody comes.
        {V::ElectricPiano, 0.28, 0.35, 0.3, 0.12, 0.5, 0.9,
         {arpeggio({0, 31}, 0.5, {0, 1, 2, 3, 4, 3, 2, 1}, 0, {0.9, 0.6, 0.75, 0.6, 0.85, 0.6, 0.75, 0.6}),
          louderBefore(8, 1.6)}},
        {V::Pluck, 0.5, -0.4, 0.35, 0, 0.55, 0.95,
         {arpeggio({16, 23}, 0.5, {4, 2, 3, 1, 2, 0, 1, 2}, 1, {0.8, 0.5, 0.65, 0.5})}},
        {V::Bass, 0.33, 0, 0.05, 0, 0.15, 0.92,
         {bassFigure({{8, 31}}, {{0, 2.5, 0, 1.0}, {2.5, 0.5, 7, 0.7}, {3, 1, 12, 0.6}})}},
        {V::ElectricPiano, 0.42, -0.05, 0.35, 0.22, 0.5, 0.95,
         {line(onBars({8}), kMelodyA), line(onBars({16}), kMelodyB), line(onBars({24}), kMelodyLast, 0.55)}},
        {V::Crystal, 0.17, 0.1, 0.45, 0.25, 0.5, 0.95, {line(onBars({24}), kMelodyLast)}},
    };
}

}  // namespace

ThemeDescription menuTheme() {
    return {
        .kind = "menu",
        .gamePath = "data\\sound\\music_menu.ogg",
        .title = "Shardfall - Velvet Lights",
        .bpm = 80,
        .seed = 0x4D454E55,  // "MENU"
        .harmony = {kFirstStrain, kSecondStrain},
        .form = {0, 0, 1, 0},
        .roomSize = 0.82,
        .damping = 0.45,
        .roomLevel = 1.1,
        .echoBeats = 0.75,
        .echoFeedback = 0.32,
        .loudnessRmsDb = -26.5,
        .parts = parts(),
        .drums = {{DrumSound::Shaker, 0x5348, 0.38, 0.3, 0.1}, {DrumSound::Shaker, 0x5349, 0.3, -0.2, 0.1}},
        .rhythm = {pattern(0, {{16, 30}}, "..o...o...o...o."), pattern(1, {{16, 30}}, "....o.......o...")},
    };
}
