#include "music_mix.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <tuple>

#include "instruments.h"

using namespace synth;

namespace {

Mono renderVoice(Voice voice, double hz, double seconds, double brightness, std::uint32_t seed) {
    switch (voice) {
        case Voice::Pad:
            return pad(hz, seconds, 700.0 + 1400.0 * brightness, seed);
        case Voice::ElectricPiano:
            return fmNote(electricPiano(), hz, seconds);
        case Voice::Bass:
            return bass(hz, seconds, brightness);
        case Voice::Lead:
            return lead(hz, seconds, brightness);
        case Voice::Pluck:
            return pluckNote(hz, seconds + 0.35, brightness, seed);
        case Voice::Crystal:
            return struck(hz, seconds + 1.4, 0.45, glassPartials(), 0.002);
        case Voice::Bell:
            return fmNote(fmBell(), hz, seconds);
        case Voice::Brass:
            return brass(hz, seconds, brightness, seed);
    }
    return {};
}

// The loop being mixed: every placement wraps round its end.
class LoopMix {
public:
    explicit LoopMix(std::size_t frames) : dry_(frames), room_(frames), echo_(frames) {}

    void place(const Mono& voice, long long start, double gain, double pan, double reverb, double delay) {
        const double angle = (std::clamp(pan, -1.0, 1.0) + 1.0) * kPi / 4.0;
        const float left = static_cast<float>(gain * std::cos(angle)),
                    right = static_cast<float>(gain * std::sin(angle));
        const long long n = static_cast<long long>(dry_.frames());
        std::size_t at = static_cast<std::size_t>(((start % n) + n) % n);
        for (float s : voice) {
            dry_.left[at] += s * left;
            dry_.right[at] += s * right;
            room_[at] += s * static_cast<float>(gain * reverb);
            echo_[at] += s * static_cast<float>(gain * delay);
            if (++at == dry_.frames()) at = 0;
        }
    }

    // The room and the echo, run round the loop until the state they carry
    // over the seam is the one the loop's own end leaves them in.
    Stereo finish(double roomSize, double damping, double roomLevel, double echoSeconds, double echoFeedback) {
        Stereo out = dry_;
        const std::size_t n = out.frames();
        Reverb room(roomSize, damping);
        for (int pass = 0; pass < 2; ++pass)
            for (std::size_t i = 0; i < n; ++i) {
                float l = 0, r = 0;
                room.process(room_[i], l, r);
                if (pass == 1) {
                    out.left[i] += static_cast<float>(roomLevel) * l;
                    out.right[i] += static_cast<float>(roomLevel) * r;
                }
            }
        // A ping-pong echo: left, then right, each repeat softer and darker.
        const std::size_t d = samplesOf(echoSeconds);
        if (d > 0 && d < n) {
            std::vector<float> lineLeft(d), lineRight(d);
            std::size_t at = 0;
            float toneLeft = 0, toneRight = 0;
            for (int pass = 0; pass < 2; ++pass)
                for (std::size_t i = 0; i < n; ++i) {
                    const float fromLeft = lineLeft[at], fromRight = lineRight[at];
                    toneLeft += 0.35f * (fromRight - toneLeft);
                    toneRight += 0.35f * (fromLeft - toneRight);
                    lineLeft[at] = echo_[i] + static_cast<float>(echoFeedback) * toneLeft;
                    lineRight[at] = static_cast<float>(echoFeedback) * toneRight;
                    if (++at == d) at = 0;
                    if (pass == 1) {
                        out.left[i] += fromLeft;
                        out.right[i] += fromRight;
                    }
                }
        }
        return out;
    }

private:
    Stereo dry_;
    Mono room_, echo_;
};


// A fixed, even hash of a few numbers, for per-note seeds and humanising.
std::uint32_t mixSeed(std::uint32_t a, std::uint32_t b) {
    std::uint32_t h = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u + (a << 6) + (a >> 2));
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    return h;
}

// Where notes and hits land: whole samples per beat, so the loop is exactly
// bars x 4 beats long, and each a little off the grid, as a player would.
class Timing {
public:
    Timing(double bpm, std::uint32_t seed) : samplesPerBeat_(kRate * 60.0 / bpm), feel_(seed) {}
    std::size_t frames(int bars) const { return static_cast<std::size_t>(std::llround(samplesPerBeat_ * 4.0 * bars)); }
    long long startOf(double beat, double jitterSeconds) {
        const double jitter = jitterSeconds * (feel_.unit() * 2.0 - 1.0);
        return static_cast<long long>(std::llround(beat * samplesPerBeat_ + jitter * kRate));
    }
    double unit() { return feel_.unit(); }

private:
    double samplesPerBeat_;
    SeededRandom feel_;
};

void placeNotes(const Arrangement& a, LoopMix& mix, Timing& timing) {
    const double beatSeconds = 60.0 / a.theme->bpm;
    // The same note on the same instrument sounds the same every time it
    // comes round (two takes of each, alternating), so each is rendered once.
    std::map<std::tuple<std::size_t, int, long long, int>, Mono> takes;
    for (std::size_t p = 0; p < a.parts.size(); ++p) {
        const PartDescription& part = a.parts[p].sound;
        for (std::size_t i = 0; i < a.parts[p].notes.size(); ++i) {
            const Note& n = a.parts[p].notes[i];
            const double seconds = n.beats * beatSeconds * part.legato;
            const int take = static_cast<int>(i % 2);
            const auto key = std::make_tuple(p, static_cast<int>(std::lround(n.pitch * 100)),
                                             static_cast<long long>(samplesOf(seconds)), take);
            auto found = takes.find(key);
            if (found == takes.end()) {
                const std::uint32_t seed = mixSeed(
                    a.theme->seed + static_cast<std::uint32_t>(p),
                    static_cast<std::uint32_t>(std::lround(n.pitch * 100)) * 2 + static_cast<std::uint32_t>(take));
                found =
                    takes.emplace(key, renderVoice(part.voice, noteHz(n.pitch), seconds, part.brightness, seed)).first;
            }
            const double velocity = n.velocity * (0.94 + 0.06 * timing.unit());
            mix.place(found->second, timing.startOf(n.beat, 0.004), part.gain * velocity, part.pan, part.reverb,
                      part.delay);
        }
    }
}

void placeHits(const Arrangement& a, LoopMix& mix, Timing& timing) {
    for (const Hit& h : a.hits) {
        const DrumDescription& d = a.theme->drums.at(h.sample);
        const double velocity = h.velocity * (0.92 + 0.08 * timing.unit());
        mix.place(a.drums.at(h.sample), timing.startOf(h.beat, 0.002), d.gain * velocity, d.pan, d.reverb, 0.0);
    }
}

// A gentle low cut on the whole mix (nothing useful lives below 30 Hz), then
// the track's RMS on its target, unless the peaks would pass the ceiling.
void master(Stereo& out, double loudnessRmsDb) {
    // Run twice round the loop, like the effects, so it has settled at the seam.
    for (Mono* side : {&out.left, &out.right}) {
        Biquad cut = Biquad::highPass(30.0);
        for (float s : *side) cut.process(s);
        for (float& s : *side) s = cut.process(s);
    }
    const Levels levels = measure(out);
    double gainDb = loudnessRmsDb - levels.rmsDb;
    constexpr double kCeilingDb = -2.5;  // room for the encoder's small overshoots
    if (levels.peakDb + gainDb > kCeilingDb) gainDb = kCeilingDb - levels.peakDb;
    scale(out, static_cast<float>(dbToGain(gainDb)));
}

}  // namespace

Stereo renderArrangement(const Arrangement& a) {
    const ThemeDescription& t = *a.theme;
    Timing timing(t.bpm, t.seed);
    LoopMix mix(timing.frames(a.bars));
    placeNotes(a, mix, timing);
    placeHits(a, mix, timing);
    Stereo out = mix.finish(t.roomSize, t.damping, t.roomLevel, t.echoBeats * (60.0 / t.bpm), t.echoFeedback);
    master(out, t.loudnessRmsDb);
    return out;
}
