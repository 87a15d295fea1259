#pragma once
// The voices our effects and music are played on. Each call renders one
// note, from its onset to the end of its release, into a fresh buffer; the
// callers place and mix them. Levels are roughly full scale at velocity 1;
// the callers balance them.

#include <cstdint>
#include <vector>

#include "synth.h"

namespace synth {

// One partial of a struck object: frequency ratio to the note, level, and
// how much faster than the note it dies away (1 = as fast, 3 = three times).
struct Partial {
    double ratio, gain, decayFactor;
};

// Crystal and glass: nearly harmonic, the jewels' own voice.
const std::vector<Partial>& glassPartials();
// A small tuned bell: the classic inharmonic ladder.
const std::vector<Partial>& bellPartials();
// Wooden bar (marimba-like): the fourth and tenth partials of a tuned bar.
const std::vector<Partial>& barPartials();
// Metal: dense and inharmonic, for locks and clanks.
const std::vector<Partial>& metalPartials();

// A struck object ringing for `seconds` with the note's decay time constant.
Mono struck(double hz, double seconds, double decay, const std::vector<Partial>& partials, double attack = 0.002);

// Two-operator FM with an optional second modulator that dies quickly (the
// tine of an electric piano, the strike of a bell).
struct FmPatch {
    double ratio = 1.0;     // modulator : carrier
    double index = 2.0;     // modulation index at the onset ...
    double indexEnd = 0.3;  // ... settling to this
    double indexTau = 0.3;  // seconds
    double ratio2 = 0.0;    // second modulator, 0 for none
    double index2 = 0.0;
    double index2Tau = 0.02;
    double attack = 0.003;
    double decayTau = 0.8;  // towards the sustain level
    double sustain = 0.0;
    double release = 0.25;
};
FmPatch electricPiano();
FmPatch fmBell();
FmPatch woodBlock();
Mono fmNote(const FmPatch& patch, double hz, double holdSeconds);

// Saws through a filter that opens as the note speaks: a soft brass section.
Mono brass(double hz, double holdSeconds, double brightness, std::uint32_t seed);
// Detuned saws under a slowly breathing low-pass: a warm pad.
Mono pad(double hz, double holdSeconds, double cutoffHz, std::uint32_t seed);
// Round bass: sine body with a little filtered saw for definition.
Mono bass(double hz, double holdSeconds, double brightness);
// A singing lead: pulse and saw, delayed vibrato, gentle filter.
Mono lead(double hz, double holdSeconds, double brightness);
// A plucked string with a soft body.
Mono pluckNote(double hz, double seconds, double brightness, std::uint32_t seed);

// Drums.
Mono kick(double punch);
Mono snare(std::uint32_t seed);
Mono hat(std::uint32_t seed, bool open);
Mono clap(std::uint32_t seed);
Mono shaker(std::uint32_t seed);

// Effect tools.
// A tone gliding exponentially from one pitch to another; `curve` bends the
// glide as an Envelope segment does.
Mono glide(double seconds, double hzFrom, double hzTo, Wave wave, const Envelope& level, double curve = 0.0);
// Noise through a band-pass (or low-pass) whose centre moves exponentially.
Mono noiseSweep(double seconds, double hzFrom, double hzTo, double q, const Envelope& level, std::uint32_t seed,
                bool lowPass = false);
// A soft pitched thud: a sine falling from one pitch to another.
Mono thump(double hzFrom, double hzTo, double sweepTau, double decayTau, double seconds);

}  // namespace synth
