#pragma once
// The game's sound effects: one recipe per section of the sound table, each
// giving one or more variants. Every variant is normalised to the same
// loudness (K-weighted, loudest 300 ms) under a common peak ceiling, so the
// table's volumes alone set the balance between effects.

#include <string>
#include <vector>

#include "synth.h"

constexpr double kEffectLoudnessDb = -20.5;
constexpr double kEffectPeakCeilingDb = -6.5;

struct EffectDesign {
    std::string section;
    std::string description;  // for the listing
    double maxvolume = 0.8;
    int variants = 1;
    // Overrides of the table's [main] defaults; negative keeps the default.
    double minvolume = -1;
    int radius = -1;
    double pan = -1;
};

// Every section the game plays, in the order the table lists them.
const std::vector<EffectDesign>& effectDesigns();

// The finished samples of one variant (0-based), normalised.
synth::Mono renderEffect(const std::string& section, int variant);
