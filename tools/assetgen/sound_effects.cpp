#include "sound_effects.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "instruments.h"

using namespace synth;

namespace {

// --- Small tools ----------------------------------------------------------

Mono silence(double seconds) { return Mono(samplesOf(seconds)); }

void put(Mono& out, const Mono& voice, double at, double gain) {
    addInto(out, voice, samplesOf(at), static_cast<float>(gain));
}

// A rise over `attack`, then a bent fall to silence at `length`.
Envelope swell(double attack, double length, double curve = 3.0) {
    Envelope e(0.0);
    e.to(attack, 1.0).to(std::max(length - attack, 0.001), 0.0, curve);
    return e;
}

// A little air around a sound: the room's reverb mixed in under it.
void addRoom(Mono& samples, double wet, double size, double damping) {
    Reverb room(size, damping);
    for (float& s : samples) {
        float left = 0, right = 0;
        room.process(s, left, right);
        s += static_cast<float>(wet) * 0.5f * (left + right);
    }
}

void lowPass(Mono& samples, double hz) {
    Biquad f = Biquad::lowPass(hz);
    f.process(samples);
}

void highPass(Mono& samples, double hz) {
    Biquad f = Biquad::highPass(hz);
    f.process(samples);
}

// A short band of noise: the tick of a touch, the grain of a pop.
Mono tick(double hz, double seconds, std::uint32_t seed) {
    return noiseSweep(seconds, hz, hz, 1.4, swell(0.0005, seconds, 4.0), seed);
}

// A crystal struck once: the jewels' own ring.
Mono crystal(double hz, double seconds, double decay) { return struck(hz, seconds, decay, glassPartials(), 0.0015); }

// A run of crystal notes, `step` seconds apart, getting louder or softer.
void crystalRun(Mono& out, const std::vector<double>& notes, double at, double step, double gain, double decay,
                double endGain) {
    for (std::size_t i = 0; i < notes.size(); ++i) {
        const double u = notes.size() > 1 ? static_cast<double>(i) / static_cast<double>(notes.size() - 1) : 0.0;
        put(out, crystal(noteHz(notes[i]), decay * 4.0, decay), at + step * static_cast<double>(i),
            gain * (1.0 + (endGain - 1.0) * u));
    }
}

// A chord on the brass, each voice speaking a hair after the one below.
void brassChord(Mono& out, const std::vector<double>& notes, double at, double hold, double gain, double brightness,
                std::uint32_t seed) {
    for (std::size_t i = 0; i < notes.size(); ++i)
        put(out, brass(noteHz(notes[i]), hold, brightness, seed + static_cast<std::uint32_t>(i)),
            at + 0.012 * static_cast<double>(i), gain);
}

// --- Interface ------------------------------------------------------------

Mono toggleSound(int) {
    Mono out = silence(0.14);
    put(out, fmNote(woodBlock(), 1760, 0.015), 0.0, 0.55);
    put(out, glide(0.06, 2640, 2380, Wave::Sine, swell(0.001, 0.06, 5.0)), 0.0, 0.3);
    addRoom(out, 0.12, 0.3, 0.6);
    return out;
}

Mono clickSound(int) {
    Mono out = silence(0.2);
    put(out, struck(940, 0.16, 0.028, barPartials(), 0.0008), 0.0, 0.8);
    put(out, thump(320, 170, 0.01, 0.035, 0.12), 0.0, 0.55);
    put(out, tick(4200, 0.006, 11), 0.0, 0.5);
    addRoom(out, 0.1, 0.3, 0.6);
    return out;
}

Mono optionsSound(int) {
    Mono out = silence(0.55);
    put(out, noiseSweep(0.4, 450, 3400, 1.1, swell(0.16, 0.4, 2.5), 21), 0.0, 1.0);
    put(out, glide(0.3, 260, 520, Wave::Triangle, swell(0.12, 0.3, 3.0)), 0.03, 0.12);
    addRoom(out, 0.2, 0.45, 0.5);
    return out;
}

Mono dialogSound(int) {
    Mono out = silence(1.1);
    put(out, fmNote(electricPiano(), noteHz(79), 0.08), 0.0, 0.7);   // G5
    put(out, fmNote(electricPiano(), noteHz(86), 0.12), 0.09, 0.6);  // D6
    put(out, crystal(noteHz(98), 0.5, 0.12), 0.09, 0.08);
    addRoom(out, 0.25, 0.55, 0.45);
    return out;
}

// --- The board ------------------------------------------------------------

Mono selectSound(int variant) {
    Mono out = silence(0.45);
    const double hz = noteHz(88);  // E6
    put(out, struck(hz, 0.4, variant ? 0.075 : 0.095, glassPartials(), 0.0008), 0.0, 0.75);
    put(out, struck(hz * 0.5, 0.2, 0.04, barPartials(), 0.001), 0.0, 0.35);
    put(out, tick(variant ? 6800 : 6000, 0.005, 31 + static_cast<std::uint32_t>(variant)), 0.0, 0.35);
    addRoom(out, 0.12, 0.35, 0.5);
    return out;
}

Mono swapSound(int variant) {
    Mono out = silence(0.32);
    const double lift = variant ? 1.18 : 1.0;
    put(out,
        noiseSweep(0.2, 700 * lift, 3600 * lift, 2.0, swell(0.07, 0.2, 2.5), 41 + static_cast<std::uint32_t>(variant)),
        0.0, 1.0);
    put(out, glide(0.16, 420 * lift, 860 * lift, Wave::Sine, swell(0.05, 0.16, 3.0), -1.0), 0.0, 0.22);
    addRoom(out, 0.12, 0.3, 0.5);
    return out;
}

Mono swapbackSound(int) {
    Mono out = silence(0.5);
    put(out, noiseSweep(0.2, 3200, 800, 2.0, swell(0.05, 0.2, 2.5), 51), 0.0, 0.8);
    put(out, fmNote(woodBlock(), noteHz(72), 0.02), 0.03, 0.65);  // C5 ...
    put(out, fmNote(woodBlock(), noteHz(67), 0.03), 0.13, 0.7);   // ... down to G4
    addRoom(out, 0.14, 0.35, 0.5);
    return out;
}

// The wave chime: a crystal on the root, a grace note above and the octave.
// Each later wave of a move starts higher.
Mono waveChime(double rootNote, int variant) {
    Mono out = silence(1.2);
    const double hz = noteHz(rootNote);
    put(out, crystal(hz, 1.0, 0.34), 0.0, 1.0);
    put(out, crystal(hz * (variant ? 1.2599 : 1.4983), 0.8, 0.26), 0.045, 0.36);
    put(out, crystal(hz * 2.0, 0.7, 0.2), 0.09, 0.22);
    put(out, noiseSweep(0.3, 5500, 9500, 3.0, swell(0.004, 0.3, 4.0), 61 + static_cast<std::uint32_t>(variant)), 0.0,
        0.09);
    addRoom(out, 0.2, 0.5, 0.45);
    return out;
}

Mono rowSound(int v) { return waveChime(72, v); }   // C5
Mono row3Sound(int v) { return waveChime(76, v); }  // E5
Mono row4Sound(int v) { return waveChime(79, v); }  // G5
Mono row5Sound(int v) { return waveChime(84, v); }  // C6

Mono helpSound(int) {
    Mono out = silence(1.3);
    const std::vector<Partial> soft = {{1.0, 1.0, 1.0}, {2.0, 0.18, 2.0}, {3.0, 0.05, 3.0}};
    put(out, struck(noteHz(83), 0.9, 0.3, soft, 0.004), 0.0, 0.7);    // B5
    put(out, struck(noteHz(88), 1.0, 0.34, soft, 0.004), 0.17, 0.7);  // E6
    addRoom(out, 0.28, 0.55, 0.45);
    return out;
}

Mono badSound(int) {
    Mono out = silence(0.55);
    Mono buzz = glide(0.38, 150, 92, Wave::Square, swell(0.01, 0.38, 1.6));
    Mono rough = glide(0.38, 158, 97, Wave::Saw, swell(0.01, 0.38, 1.6));
    addInto(buzz, rough, 0, 0.7f);
    lowPass(buzz, 1100);
    put(out, buzz, 0.0, 0.6);
    put(out, thump(130, 62, 0.03, 0.12, 0.35), 0.0, 0.8);
    addRoom(out, 0.1, 0.3, 0.6);
    return out;
}

Mono badremoveSound(int) {
    Mono out = silence(0.75);
    put(out, noiseSweep(0.2, 2600, 900, 0.9, swell(0.002, 0.2, 3.0), 71), 0.0, 0.75);
    put(out, glide(0.24, 220, 700, Wave::Triangle, swell(0.01, 0.24, 2.0), -1.0), 0.0, 0.45);
    put(out, crystal(noteHz(81), 0.55, 0.16), 0.12, 0.45);  // A5
    addRoom(out, 0.15, 0.4, 0.5);
    return out;
}

Mono blockSound(int variant) {
    Mono out = silence(0.65);
    put(out, struck(variant ? 612 : 560, 0.6, 0.11, metalPartials(), 0.0008), 0.0, 0.55);
    put(out, tick(3100, 0.015, 81 + static_cast<std::uint32_t>(variant)), 0.0, 0.7);
    put(out, thump(210, 120, 0.015, 0.05, 0.15), 0.0, 0.45);
    addRoom(out, 0.16, 0.4, 0.5);
    return out;
}

Mono fallSound(int variant) {
    static const double pitches[] = {220.0, 247.0, 196.0};
    Mono out = silence(0.22);
    put(out, fmNote(woodBlock(), pitches[variant % 3], 0.01), 0.0, 0.8);
    put(out, thump(150, 82, 0.02, 0.045, 0.15), 0.0, 0.5);
    put(out, tick(1800, 0.008, 91 + static_cast<std::uint32_t>(variant)), 0.0, 0.25);
    addRoom(out, 0.1, 0.3, 0.6);
    return out;
}

Mono magicSound(int) {
    Mono out = silence(1.6);
    // A sparkling pentatonic run up two octaves over a rising wind.
    crystalRun(out, {84, 86, 88, 91, 93, 96, 98, 100, 103, 105, 108}, 0.0, 0.048, 0.3, 0.16, 1.5);
    put(out, noiseSweep(0.75, 700, 7500, 1.4, swell(0.45, 0.75, 3.0), 101), 0.0, 0.25);
    put(out, thump(120, 70, 0.12, 0.4, 0.9), 0.0, 0.35);
    addRoom(out, 0.3, 0.6, 0.4);
    return out;
}

Mono radugaSound(int) {
    Mono out = silence(1.6);
    // Every colour at once: a major-ninth arpeggio with a slightly detuned twin.
    const std::vector<double> notes = {72, 76, 79, 83, 86, 88, 91, 95};
    for (std::size_t i = 0; i < notes.size(); ++i) {
        const double at = 0.055 * static_cast<double>(i);
        const double hz = noteHz(notes[i]);
        put(out, crystal(hz, 0.9, 0.22), at, 0.32);
        put(out, crystal(hz * 1.004, 0.9, 0.22), at + 0.004, 0.22);
    }
    put(out, noiseSweep(0.6, 3000, 9000, 2.5, swell(0.2, 0.6, 2.0), 111), 0.0, 0.08);
    addRoom(out, 0.3, 0.6, 0.4);
    return out;
}

Mono teleportSound(int) {
    Mono out = silence(0.95);
    // A warble that climbs: FM whose depth wobbles quickly as the pitch rises.
    const double seconds = 0.55;
    double carrier = 0, modulator = 0;
    const Envelope level = swell(0.04, seconds, 1.5);
    for (std::size_t i = 0; i < samplesOf(seconds); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double hz = 260.0 * std::pow(1300.0 / 260.0, t / seconds);
        const double index = 1.2 + 1.0 * sineOf(17.0 * t);
        carrier += hz / kRate;
        modulator += hz * 0.5 / kRate;
        out[i] += static_cast<float>(0.6 * level.at(t) * sineOf(carrier + index * sineOf(modulator) / kTwoPi));
    }
    put(out, noiseSweep(0.5, 1500, 7000, 4.0, swell(0.25, 0.5, 2.0), 121), 0.0, 0.18);
    put(out, crystal(noteHz(93), 0.4, 0.12), 0.5, 0.35);  // A6, arriving
    addRoom(out, 0.25, 0.5, 0.45);
    return out;
}

Mono doneSound(int) {
    Mono out = silence(1.8);
    brassChord(out, {60, 64, 67, 72}, 0.0, 0.5, 0.4, 0.7, 131);  // C major
    crystalRun(out, {84, 88, 91, 96}, 0.0, 0.075, 0.32, 0.3, 1.2);
    addRoom(out, 0.3, 0.6, 0.45);
    return out;
}

Mono warningSound(int) {
    Mono out = silence(0.25);
    put(out, fmNote(woodBlock(), 1800, 0.005), 0.0, 0.5);
    Mono beep = glide(0.09, noteHz(84), noteHz(84), Wave::Triangle,
                      Envelope(0.0).to(0.004, 1.0).hold(0.05).to(0.036, 0.0, 2.0));
    put(out, beep, 0.005, 0.7);
    put(out,
        glide(0.09, noteHz(96), noteHz(96), Wave::Sine, Envelope(0.0).to(0.004, 1.0).hold(0.04).to(0.046, 0.0, 2.0)),
        0.005, 0.2);
    addRoom(out, 0.08, 0.3, 0.6);
    return out;
}

Mono startSound(int) {
    Mono out = silence(1.5);
    const std::vector<double> run = {67, 72, 76, 79};  // G4 C5 E5 G5
    for (std::size_t i = 0; i < run.size(); ++i)
        put(out, pluckNote(noteHz(run[i]), 0.6, 0.7, 141 + static_cast<std::uint32_t>(i)),
            0.07 * static_cast<double>(i), 0.5);
    brassChord(out, {60, 64, 67}, 0.28, 0.32, 0.32, 0.6, 145);
    put(out, crystal(noteHz(91), 0.7, 0.25), 0.28, 0.25);
    addRoom(out, 0.25, 0.55, 0.45);
    return out;
}

// A coin-bright two-note chime.
void coin(Mono& out, double firstNote, double secondNote, double at, double gain) {
    Mono first = glide(0.075, noteHz(firstNote), noteHz(firstNote), Wave::Pulse,
                       Envelope(0.0).to(0.002, 1.0).hold(0.06).to(0.013, 0.0));
    Mono second = glide(0.4, noteHz(secondNote), noteHz(secondNote), Wave::Pulse, swell(0.002, 0.4, 4.0));
    lowPass(first, 4500);
    lowPass(second, 4500);
    put(out, first, at, gain * 0.35);
    put(out, second, at + 0.07, gain * 0.35);
    put(out, crystal(noteHz(firstNote), 0.3, 0.08), at, gain * 0.4);
    put(out, crystal(noteHz(secondNote), 0.6, 0.22), at + 0.07, gain * 0.5);
}

Mono bonusScoreSound(int) {
    Mono out = silence(0.8);
    coin(out, 83, 88, 0.0, 1.0);  // B5 E6
    addRoom(out, 0.18, 0.45, 0.45);
    return out;
}

Mono bonusWandSound(int) {
    Mono out = silence(1.4);
    crystalRun(out, {81, 83, 85, 88, 90, 93, 95, 97}, 0.0, 0.04, 0.25, 0.15, 1.4);  // A major pentatonic
    put(out, thump(140, 75, 0.08, 0.3, 0.7), 0.0, 0.4);
    put(out, fmNote(fmBell(), noteHz(81), 0.1), 0.3, 0.3);
    addRoom(out, 0.3, 0.6, 0.4);
    return out;
}

Mono birthSound(int) {
    Mono out = silence(0.75);
    // Small bubbles coming up, scattered over half a second, and a soft breath.
    SeededRandom random(151);
    for (int i = 0; i < 7; ++i) {
        const double at = 0.065 * i + 0.02 * random.unit();
        const double hz = 480.0 + 420.0 * random.unit() + 40.0 * i;
        put(out, glide(0.06, hz, hz * 1.9, Wave::Sine, swell(0.004, 0.06, 2.5)), at, 0.4 + 0.2 * random.unit());
    }
    put(out, noiseSweep(0.55, 500, 2500, 0.8, swell(0.3, 0.55, 2.0), 152, true), 0.0, 0.12);
    addRoom(out, 0.15, 0.4, 0.5);
    return out;
}

Mono line4Sound(int variant) {
    Mono out = silence(0.75);
    const double lift = variant ? 1.06 : 1.0;
    put(out, glide(0.13, 600 * lift, 1800 * lift, Wave::Sine, swell(0.03, 0.13, 2.0), -0.5), 0.0, 0.35);
    put(out, crystal(noteHz(93) * lift, 0.6, 0.2), 0.09, 0.6);  // A6
    put(out, noiseSweep(0.25, 4000, 9000, 2.0, swell(0.08, 0.25, 2.0), 161 + static_cast<std::uint32_t>(variant)), 0.0,
        0.12);
    addRoom(out, 0.2, 0.45, 0.45);
    return out;
}

Mono line5Sound(int) {
    Mono out = silence(1.3);
    put(out, glide(0.22, 300, 1500, Wave::Sine, swell(0.05, 0.22, 2.0), -0.5), 0.0, 0.35);
    put(out, thump(95, 60, 0.05, 0.2, 0.5), 0.0, 0.45);
    put(out, crystal(noteHz(81), 1.0, 0.3), 0.16, 0.45);  // A5
    put(out, crystal(noteHz(88), 1.0, 0.3), 0.17, 0.35);  // E6
    crystalRun(out, {93, 95, 97, 100}, 0.24, 0.045, 0.18, 0.12, 1.2);
    addRoom(out, 0.28, 0.55, 0.45);
    return out;
}

Mono flycellSound(int variant) {
    static const double pops[] = {1500.0, 1720.0, 1950.0};
    Mono out = silence(0.45);
    put(out, struck(pops[variant % 3], 0.2, 0.03, barPartials(), 0.0006), 0.0, 0.6);
    put(out, noiseSweep(0.28, 1200, 4800, 1.6, swell(0.06, 0.28, 2.5), 171 + static_cast<std::uint32_t>(variant)), 0.0,
        0.8);
    addRoom(out, 0.14, 0.4, 0.5);
    return out;
}

Mono collectgemSound(int variant) {
    Mono out = silence(0.8);
    coin(out, variant ? 95 : 93, 100, 0.0, 1.0);  // A6 or B6, then E7
    addRoom(out, 0.18, 0.45, 0.45);
    return out;
}

// --- Combos and rewards ---------------------------------------------------

Mono combo1Sound(int) {
    Mono out = silence(1.2);
    brassChord(out, {60, 64, 67}, 0.0, 0.16, 0.38, 0.8, 181);  // C
    crystalRun(out, {72, 76, 79, 84}, 0.0, 0.0, 0.2, 0.3, 1.0);
    addRoom(out, 0.25, 0.5, 0.45);
    return out;
}

Mono combo2Sound(int) {
    Mono out = silence(1.3);
    brassChord(out, {62, 66, 69}, 0.0, 0.22, 0.38, 0.85, 191);  // D
    for (int i = 0; i < 4; ++i) {
        const double notes[] = {74, 78, 81, 86};
        put(out, pluckNote(noteHz(notes[i]), 0.5, 0.75, 192 + static_cast<std::uint32_t>(i)), 0.05 * i, 0.35);
    }
    crystalRun(out, {74, 78, 81, 86}, 0.0, 0.05, 0.18, 0.3, 1.2);
    addRoom(out, 0.25, 0.5, 0.45);
    return out;
}

Mono combo3Sound(int) {
    Mono out = silence(1.5);
    brassChord(out, {64, 68, 71, 76}, 0.0, 0.3, 0.34, 0.9, 201);  // E
    crystalRun(out, {76, 80, 83, 88, 92, 95}, 0.0, 0.045, 0.2, 0.32, 1.3);
    addRoom(out, 0.28, 0.55, 0.45);
    return out;
}

Mono combo4Sound(int) {
    Mono out = silence(2.0);
    crystalRun(out, {67, 71, 74, 79, 83, 86, 91, 95}, 0.0, 0.035, 0.2, 0.28, 1.4);  // up from G4
    brassChord(out, {67, 71, 74, 79}, 0.28, 0.5, 0.34, 1.0, 211);                   // G
    put(out, hat(212, true), 0.28, 0.25);
    put(out, crystal(noteHz(98), 1.0, 0.35), 0.28, 0.3);
    addRoom(out, 0.3, 0.6, 0.4);
    return out;
}

Mono diamondBonusSound(int) {
    Mono out = silence(2.3);
    crystalRun(out, {72, 76, 79, 84, 88, 91, 96, 100, 103, 108}, 0.0, 0.04, 0.2, 0.25, 1.4);
    brassChord(out, {72, 76, 79, 84}, 0.42, 0.6, 0.3, 1.0, 221);
    put(out, noiseSweep(0.9, 3000, 10000, 2.0, swell(0.3, 0.9, 2.0), 222), 0.4, 0.07);
    put(out, thump(110, 60, 0.05, 0.3, 0.8), 0.42, 0.4);
    addRoom(out, 0.3, 0.65, 0.4);
    return out;
}

Mono bonuslifeSound(int) {
    Mono out = silence(1.3);
    // A bright climb through A major, landing on a held top note.
    const std::vector<double> notes = {81, 85, 88, 93, 88, 93};
    for (std::size_t i = 0; i < notes.size(); ++i) {
        const bool last = i + 1 == notes.size();
        Mono n = glide(last ? 0.45 : 0.09, noteHz(notes[i]), noteHz(notes[i]), Wave::Pulse,
                       last ? swell(0.003, 0.45, 3.0) : Envelope(0.0).to(0.003, 1.0).hold(0.06).to(0.027, 0.0));
        lowPass(n, 5000);
        put(out, n, 0.075 * static_cast<double>(i), 0.3);
    }
    put(out, crystal(noteHz(93), 0.9, 0.3), 0.375, 0.45);
    addRoom(out, 0.22, 0.5, 0.45);
    return out;
}

Mono timeupSound(int) {
    Mono out = silence(2.4);
    // Three slipping steps down and a long, sinking last note.
    const double notes[] = {67, 66, 65};
    for (int i = 0; i < 3; ++i)
        put(out, brass(noteHz(notes[i]), 0.2, 0.35, 231 + static_cast<std::uint32_t>(i)), 0.26 * i, 0.6);
    Mono last = brass(noteHz(64), 0.9, 0.3, 234);
    put(out, last, 0.78, 0.65);
    put(out, thump(90, 55, 0.05, 0.3, 0.7), 0.78, 0.35);
    addRoom(out, 0.25, 0.55, 0.5);
    return out;
}

// --- Flow screens ---------------------------------------------------------

Mono levelCompleteSound(int) {
    Mono out = silence(3.0);
    // Pick-up, then C - F - G - C, with bells on the last chord.
    brassChord(out, {60}, 0.0, 0.08, 0.42, 0.8, 241);
    brassChord(out, {64}, 0.11, 0.08, 0.42, 0.8, 242);
    brassChord(out, {67}, 0.22, 0.08, 0.42, 0.8, 243);
    brassChord(out, {60, 64, 67, 72}, 0.36, 0.32, 0.32, 0.9, 244);
    brassChord(out, {65, 69, 72}, 0.75, 0.22, 0.32, 0.85, 248);
    brassChord(out, {67, 71, 74}, 1.0, 0.22, 0.32, 0.85, 251);
    brassChord(out, {60, 64, 67, 72, 76}, 1.3, 0.8, 0.3, 1.0, 254);
    for (double at : {0.36, 1.3}) put(out, thump(100, 55, 0.04, 0.25, 0.6), at, 0.4);
    put(out, hat(259, true), 1.3, 0.25);
    crystalRun(out, {84, 88, 91, 96}, 1.3, 0.07, 0.22, 0.35, 1.3);
    addRoom(out, 0.3, 0.65, 0.4);
    return out;
}

Mono popSound(double fromHz, double toHz, double sparkleNote, std::uint32_t seed) {
    Mono out = silence(0.45);
    put(out, glide(0.07, fromHz, toHz, Wave::Sine, swell(0.002, 0.07, 3.0), 1.0), 0.0, 0.8);
    put(out, tick(2500, 0.004, seed), 0.0, 0.3);
    if (sparkleNote > 0) put(out, crystal(noteHz(sparkleNote), 0.35, 0.1), 0.025, 0.3);
    addRoom(out, 0.14, 0.4, 0.5);
    return out;
}

Mono levcomppop2Sound(int) { return popSound(320, 1100, 91, 261); }
Mono intropop1Sound(int) { return popSound(200, 700, 0, 262); }
Mono intropop2Sound(int) { return popSound(400, 1400, 96, 263); }

Mono scoretickSound(int) {
    Mono out = silence(0.05);
    put(out, glide(0.035, 2600, 2480, Wave::Triangle, Envelope(0.0).to(0.001, 1.0).to(0.034, 0.0, 5.0)), 0.0, 0.8);
    return out;
}

Mono levelCompletePuzzleSound(int) {
    Mono out = silence(2.8);
    const std::vector<double> run = {72, 76, 79, 84, 88, 91};
    for (std::size_t i = 0; i < run.size(); ++i)
        put(out, pluckNote(noteHz(run[i]), 0.8, 0.7, 271 + static_cast<std::uint32_t>(i)),
            0.08 * static_cast<double>(i), 0.4);
    for (double note : {72.0, 76.0, 79.0, 83.0, 86.0}) put(out, fmNote(electricPiano(), noteHz(note), 0.8), 0.55, 0.22);
    put(out, crystal(noteHz(96), 1.2, 0.4), 0.55, 0.25);
    addRoom(out, 0.3, 0.65, 0.4);
    return out;
}

Mono newEpisodeSound(int) {
    Mono out = silence(3.4);
    // A rising wash into a wide C major, crowned with bells.
    put(out, noiseSweep(0.7, 300, 6000, 0.8, Envelope(0.0).to(0.68, 1.0, -2.0).to(0.02, 0.0), 281, true), 0.0, 0.35);
    for (double note : {48.0, 55.0, 60.0, 64.0, 67.0})
        put(out, pad(noteHz(note), 1.4, 1800, 282 + static_cast<std::uint32_t>(note)), 0.2, 0.3);
    brassChord(out, {60, 64, 67, 72}, 0.7, 0.7, 0.28, 0.9, 291);
    crystalRun(out, {84, 91, 96}, 0.7, 0.12, 0.3, 0.4, 1.0);
    addRoom(out, 0.35, 0.7, 0.4);
    return out;
}

Mono newFramePresentSound(int) {
    Mono out = silence(4.3);
    // Sparkles circling a new piece, rising with it; a chime when it bursts.
    put(out, noiseSweep(2.35, 400, 6000, 0.9, Envelope(0.0).to(2.0, 1.0, -1.5).to(0.35, 0.0, 3.0), 301, true), 0.0,
        0.22);
    const std::vector<double> circle = {79, 84, 86, 88, 91, 93, 96, 98};
    for (int i = 0; i < 18; ++i) {
        const double note = circle[static_cast<std::size_t>(i) % circle.size()] + (i >= 8 ? 12.0 : 0.0) * (i % 2);
        put(out, crystal(noteHz(note), 0.4, 0.1), 0.12 * i, 0.12 + 0.012 * i);
    }
    crystalRun(out, {84, 88, 91, 96}, 2.3, 0.0, 0.3, 0.45, 1.0);
    put(out, pad(noteHz(60), 2.2, 1500, 309), 0.0, 0.15);
    addRoom(out, 0.3, 0.65, 0.4);
    return out;
}

// --- The table ------------------------------------------------------------

using Recipe = Mono (*)(int);

struct Entry {
    EffectDesign design;
    Recipe recipe;
};

EffectDesign design(const char* section, const char* description, double maxvolume, int variants = 1) {
    EffectDesign d;
    d.section = section;
    d.description = description;
    d.maxvolume = maxvolume;
    d.variants = variants;
    return d;
}

const std::vector<Entry>& entries() {
    static const std::vector<Entry> table = [] {
        EffectDesign select = design("select_kest", "a piece is selected: crystal tap, panned by the cell", 0.7, 2);
        select.minvolume = 0.45;
        // The listener stands at x = 420 and the piece anywhere on the
        // 800-pixel width: 700 keeps every cell inside the radius.
        select.radius = 700;
        select.pan = 0.8;
        return std::vector<Entry>{
            {design("toggle", "focus moves onto a control: soft wooden tick", 0.5), toggleSound},
            {design("click", "a button goes down: crisp tap with a little body", 0.5), clickSound},
            {design("options", "a side panel slides: rising breath", 0.6), optionsSound},
            {design("dialog", "a dialog opens: two soft electric-piano notes", 0.7), dialogSound},
            {select, selectSound},
            {design("swap", "two pieces swap: quick airy swish", 0.6, 2), swapSound},
            {design("swapback", "a swap is undone: falling swish and two wooden steps down", 0.65), swapbackSound},
            {design("row", "first wave of a move: crystal chime on C5", 0.75, 2), rowSound},
            {design("row3", "second wave: crystal chime on E5", 0.78, 2), row3Sound},
            {design("row4", "third wave: crystal chime on G5", 0.8, 2), row4Sound},
            {design("row5", "fourth and later waves: crystal chime on C6", 0.82, 2), row5Sound},
            {design("help", "the automatic hint: two gentle bells", 0.65), helpSound},
            {design("bad", "a bad piece leaves a coating: low falling buzz", 0.75), badSound},
            {design("badremove", "a bad piece is crushed in a cascade: crunch, rise and a bright ping", 0.75),
             badremoveSound},
            {design("block", "a match hits a lock: metal clank", 0.7, 2), blockSound},
            {design("fall", "falling pieces land: soft wooden clack", 0.6, 3), fallSound},
            {design("magic", "the wand strikes: sparkling run over a rising wind", 0.8), magicSound},
            {design("raduga", "a rainbow piece takes a colour: shimmering arpeggio", 0.8), radugaSound},
            {design("teleport", "a teleport swap: climbing warble and arrival ping", 0.75), teleportSound},
            {design("done", "the level goal is reached: brass chord and bells", 0.85), doneSound},
            {design("warning", "less than 15 seconds left, once a second: tick and beep", 0.7), warningSound},
            {design("start", "a level begins: plucked climb into a chord", 0.75), startSound},
            {design("bonus_score", "a score plate is cleared: coin chime", 0.8), bonusScoreSound},
            {design("bonus_wand", "a wand plate is cleared: sparkle run and bell", 0.8), bonusWandSound},
            {design("birth", "new pieces grow: small rising bubbles", 0.4), birthSound},
            {design("line4", "a small gem flies: upward flick and crystal", 0.65, 2), line4Sound},
            {design("line5", "a big gem flies: bigger flick, two crystals and a run", 0.75), line5Sound},
            {design("flycell", "a coating layer flies off: ceramic pop and whoosh", 0.55, 3), flycellSound},
            {design("collectgem", "a gem lands and pays: high coin chime", 0.7, 2), collectgemSound},
            {design("combo1", "combo banner: brass stab on C", 0.8), combo1Sound},
            {design("combo2", "super combo: brass on D and a plucked climb", 0.83), combo2Sound},
            {design("combo3", "ultra combo: brass on E and a longer run", 0.86), combo3Sound},
            {design("combo4", "unbelievable: run from G4 into a held G chord", 0.9), combo4Sound},
            {design("diamond_bonus", "the gem collector is full: long run and held chord", 0.9), diamondBonusSound},
            {design("bonuslife", "an extra life: bright climb through A major", 0.85), bonuslifeSound},
            {design("timeup", "the time is over: three steps down and a sinking note", 0.85), timeupSound},
            {design("level_complete", "level complete: brass fanfare C-F-G-C with bells", 0.9), levelCompleteSound},
            {design("levcomppop2", "the result panel pops: rising pop and ping", 0.7), levcomppop2Sound},
            {design("scoretick", "the bonus counts up: tiny tick", 0.5), scoretickSound},
            {design("level_complete_puzzle", "puzzle solved: plucked climb into a soft chord", 0.9),
             levelCompletePuzzleSound},
            {design("new_episode", "a new episode opens: rising wash into a wide chord", 0.85), newEpisodeSound},
            {design("intropop1", "intro pop, low", 0.7), intropop1Sound},
            {design("intropop2", "the go picture pops in: pop and ping", 0.75), intropop2Sound},
            {design("new_frame_present", "a new piece is presented: circling sparkles and a chime", 0.75),
             newFramePresentSound},
        };
    }();
    return table;
}

}  // namespace

const std::vector<EffectDesign>& effectDesigns() {
    static const std::vector<EffectDesign> designs = [] {
        std::vector<EffectDesign> out;
        for (const Entry& e : entries()) out.push_back(e.design);
        return out;
    }();
    return designs;
}

Mono renderEffect(const std::string& section, int variant) {
    for (const Entry& e : entries()) {
        if (e.design.section != section) continue;
        Mono samples = e.recipe(variant);
        highPass(samples, 35.0);
        trimTail(samples, -58.0);
        fadeEdges(samples, 0.0005, 0.01);
        // Up to 4 dB of a tap's sharp front may be limited away, so short,
        // percussive sounds reach the loudness of the rest as far as they can.
        normalise(samples, kEffectLoudnessDb, kEffectPeakCeilingDb + 4.0);
        limitPeaks(samples, kEffectPeakCeilingDb);
        return samples;
    }
    return {};
}
