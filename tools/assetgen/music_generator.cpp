#include "music_generator.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <map>
#include <sstream>
#include <tuple>

#include "instruments.h"

using namespace synth;

namespace {

// --- Scores ---------------------------------------------------------------

struct Note {
    double beat = 0;   // from the start of the loop
    double beats = 1;  // how long it is held
    double pitch = 60;
    double velocity = 1;
};

enum class Voice { Pad, ElectricPiano, Bass, Lead, Pluck, Crystal, Bell, Brass };

// One instrument's notes and its place in the mix.
struct Part {
    Voice voice = Voice::Pad;
    double gain = 1;
    double pan = 0;       // -1 left .. 1 right
    double reverb = 0.2;  // send to the room
    double delay = 0;     // send to the echo
    double brightness = 0.5;
    double legato = 0.95;  // share of the written length actually held
    std::vector<Note> notes;
};

// A drum hit: which of the track's drum samples, where, how hard.
struct Hit {
    double beat = 0;
    std::size_t sample = 0;
    double velocity = 1;
};

struct DrumSample {
    Mono samples;
    double gain = 1, pan = 0, reverb = 0.05;
};

// One bar's harmony: the bass note and the chord tones above it.
struct Chord {
    int bass = 0;
    std::vector<int> tones;
};

Chord chord(const char* bassName, std::initializer_list<const char*> toneNames) {
    Chord c;
    c.bass = parsePitch(bassName);
    for (const char* t : toneNames) c.tones.push_back(parsePitch(t));
    return c;
}

// Melody lines as written in the scores below: "E5:0.5 A5:1.5@0.8 r:1 | ...".
// Each token is a pitch (or "r" for a rest, or pitches joined by "+" for a
// chord), ":" and a length in beats, optionally "@" and a velocity; "|" marks
// bars for the reader and is skipped. Returns the beat after the line.
double writeLine(Part& part, double startBeat, const std::string& text, double velocity = 1.0, int transpose = 0) {
    std::istringstream in(text);
    std::string token;
    double beat = startBeat;
    while (in >> token) {
        if (token == "|") continue;
        const std::size_t colon = token.find(':');
        if (colon == std::string::npos) continue;
        const std::size_t at = token.find('@', colon);
        const double beats =
            std::stod(token.substr(colon + 1, at == std::string::npos ? std::string::npos : at - colon - 1));
        const double v = at == std::string::npos ? 1.0 : std::stod(token.substr(at + 1));
        const std::string pitches = token.substr(0, colon);
        if (pitches != "r") {
            std::size_t from = 0;
            while (from <= pitches.size()) {
                const std::size_t plus = pitches.find('+', from);
                const std::string name =
                    pitches.substr(from, plus == std::string::npos ? std::string::npos : plus - from);
                const int pitch = parsePitch(name);
                if (pitch >= 0)
                    part.notes.push_back({beat, beats, static_cast<double>(pitch + transpose), v * velocity});
                if (plus == std::string::npos) break;
                from = plus + 1;
            }
        }
        beat += beats;
    }
    return beat;
}

// Sustained chords, one per bar; a tone that stays from one bar to the next
// is held on rather than struck again.
void writePad(Part& part, const std::vector<Chord>& bars, int firstBar, int lastBar, double velocity = 1.0) {
    std::vector<std::size_t> open;  // indices of the notes of the previous bar
    for (int bar = firstBar; bar <= lastBar; ++bar) {
        const Chord& c = bars[static_cast<std::size_t>(bar)];
        std::vector<std::size_t> now;
        for (int tone : c.tones) {
            bool held = false;
            for (std::size_t i : open) {
                if (static_cast<int>(part.notes[i].pitch) == tone) {
                    part.notes[i].beats += 4;
                    now.push_back(i);
                    held = true;
                    break;
                }
            }
            if (!held) {
                part.notes.push_back({bar * 4.0, 4.0, static_cast<double>(tone), velocity});
                now.push_back(part.notes.size() - 1);
            }
        }
        open = now;
    }
}

// Broken chords: the chord tones, then the same an octave up, walked in the
// order `pattern` gives, one note every `step` beats.
void writeArpeggio(Part& part, const std::vector<Chord>& bars, int firstBar, int lastBar, double step,
                   const std::vector<int>& pattern, int octaveShift, const std::vector<double>& accents) {
    const int perBar = static_cast<int>(std::lround(4.0 / step));
    for (int bar = firstBar; bar <= lastBar; ++bar) {
        const Chord& c = bars[static_cast<std::size_t>(bar)];
        for (int i = 0; i < perBar; ++i) {
            const int index = pattern[static_cast<std::size_t>(i) % pattern.size()];
            const int n = static_cast<int>(c.tones.size());
            const int tone = c.tones[static_cast<std::size_t>(index % n)] + 12 * (index / n) + 12 * octaveShift;
            const double accent = accents[static_cast<std::size_t>(i) % accents.size()];
            part.notes.push_back({bar * 4.0 + i * step, step, static_cast<double>(tone), accent});
        }
    }
}

// A bass figure repeated every bar on the bar's bass note: (beat, length,
// interval above the bass, velocity).
struct BassStep {
    double beat, beats;
    int interval;
    double velocity;
};

void writeBass(Part& part, const std::vector<Chord>& bars, int firstBar, int lastBar,
               const std::vector<BassStep>& figure) {
    for (int bar = firstBar; bar <= lastBar; ++bar)
        for (const BassStep& s : figure)
            part.notes.push_back({bar * 4.0 + s.beat, s.beats,
                                  static_cast<double>(bars[static_cast<std::size_t>(bar)].bass + s.interval),
                                  s.velocity});
}

// Drum patterns as sixteen steps per bar: "x" a full hit, "o" a soft one.
void writeDrums(std::vector<Hit>& hits, std::size_t sample, int firstBar, int lastBar, const std::string& steps) {
    for (int bar = firstBar; bar <= lastBar; ++bar)
        for (std::size_t i = 0; i < steps.size() && i < 16; ++i) {
            if (steps[i] == 'x') hits.push_back({bar * 4.0 + 0.25 * static_cast<double>(i), sample, 1.0});
            if (steps[i] == 'o') hits.push_back({bar * 4.0 + 0.25 * static_cast<double>(i), sample, 0.55});
        }
}

// --- Rendering ------------------------------------------------------------

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

struct Arrangement {
    double bpm = 120;
    int bars = 0;
    std::vector<Part> parts;
    std::vector<DrumSample> drums;
    std::vector<Hit> hits;
    double roomSize = 0.7, damping = 0.5, roomLevel = 1.0;
    double echoBeats = 0.75, echoFeedback = 0.35;
    double loudnessRmsDb = -18;
    std::uint32_t seed = 1;
};

// A fixed, even hash of a few numbers, for per-note seeds and humanising.
std::uint32_t mixSeed(std::uint32_t a, std::uint32_t b) {
    std::uint32_t h = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u + (a << 6) + (a >> 2));
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    return h;
}

Stereo render(const Arrangement& a) {
    // Whole samples per beat, so the loop is exactly bars x 4 beats long.
    const double samplesPerBeat = kRate * 60.0 / a.bpm;
    const std::size_t frames = static_cast<std::size_t>(std::llround(samplesPerBeat * 4.0 * a.bars));
    const double beatSeconds = 60.0 / a.bpm;
    LoopMix mix(frames);
    SeededRandom feel(a.seed);
    auto startOf = [&](double beat, double jitterSeconds) {
        const double jitter = jitterSeconds * (feel.unit() * 2.0 - 1.0);
        return static_cast<long long>(std::llround(beat * samplesPerBeat + jitter * kRate));
    };
    // The same note on the same instrument sounds the same every time it
    // comes round (two takes of each, alternating), so each is rendered once.
    std::map<std::tuple<std::size_t, int, long long, int>, Mono> takes;
    for (std::size_t p = 0; p < a.parts.size(); ++p) {
        const Part& part = a.parts[p];
        for (std::size_t i = 0; i < part.notes.size(); ++i) {
            const Note& n = part.notes[i];
            const double seconds = n.beats * beatSeconds * part.legato;
            const int take = static_cast<int>(i % 2);
            const auto key = std::make_tuple(p, static_cast<int>(std::lround(n.pitch * 100)),
                                             static_cast<long long>(samplesOf(seconds)), take);
            auto found = takes.find(key);
            if (found == takes.end()) {
                const std::uint32_t seed = mixSeed(
                    a.seed + static_cast<std::uint32_t>(p),
                    static_cast<std::uint32_t>(std::lround(n.pitch * 100)) * 2 + static_cast<std::uint32_t>(take));
                found =
                    takes.emplace(key, renderVoice(part.voice, noteHz(n.pitch), seconds, part.brightness, seed)).first;
            }
            const double velocity = n.velocity * (0.94 + 0.06 * feel.unit());
            mix.place(found->second, startOf(n.beat, 0.004), part.gain * velocity, part.pan, part.reverb, part.delay);
        }
    }
    for (const Hit& h : a.hits) {
        const DrumSample& d = a.drums[h.sample];
        const double velocity = h.velocity * (0.92 + 0.08 * feel.unit());
        mix.place(d.samples, startOf(h.beat, 0.002), d.gain * velocity, d.pan, d.reverb, 0.0);
    }
    Stereo out = mix.finish(a.roomSize, a.damping, a.roomLevel, a.echoBeats * beatSeconds, a.echoFeedback);
    // A gentle low cut on the whole mix (nothing useful lives below 30 Hz).
    // Run twice round the loop, like the effects, so it has settled at the seam.
    for (Mono* side : {&out.left, &out.right}) {
        Biquad cut = Biquad::highPass(30.0);
        for (float s : *side) cut.process(s);
        for (float& s : *side) s = cut.process(s);
    }
    // Level: the track's RMS on its target, unless the peaks would pass the ceiling.
    const Levels levels = measure(out);
    double gainDb = a.loudnessRmsDb - levels.rmsDb;
    constexpr double kCeilingDb = -2.5;  // room for the encoder's small overshoots
    if (levels.peakDb + gainDb > kCeilingDb) gainDb = kCeilingDb - levels.peakDb;
    scale(out, static_cast<float>(dbToGain(gainDb)));
    return out;
}

// --- The menu theme -------------------------------------------------------
// D major, 80 beats a minute, 32 bars (96 s): a slow rocking of pads and an
// electric piano, a melody that enters after eight bars, a second strain
// over a plucked harp, and the first strain again on crystal.

std::vector<Chord> menuHarmony() {
    const std::vector<Chord> first = {
        chord("D3", {"D4", "F#4", "A4", "C#5"}), chord("B2", {"B3", "D4", "F#4", "A4"}),
        chord("G2", {"G3", "B3", "D4", "F#4"}),  chord("A2", {"A3", "D4", "E4", "G4"}),
        chord("D3", {"F#4", "A4", "C#5", "E5"}), chord("F#2", {"F#3", "A3", "C#4", "E4"}),
        chord("G2", {"B3", "D4", "F#4", "A4"}),  chord("A2", {"A3", "C#4", "E4", "G4"}),
    };
    const std::vector<Chord> second = {
        chord("E2", {"E3", "G3", "B3", "D4"}),    chord("A2", {"G3", "C#4", "E4", "A4"}),
        chord("F#2", {"F#3", "A3", "C#4", "E4"}), chord("B2", {"B3", "D4", "F#4", "A4"}),
        chord("G2", {"G3", "B3", "D4", "F#4"}),   chord("E2", {"E3", "G3", "B3", "D4"}),
        chord("A2", {"A3", "D4", "E4", "G4"}),    chord("A2", {"A3", "C#4", "E4", "G4"}),
    };
    std::vector<Chord> bars;
    for (const auto* section : {&first, &first, &second, &first})
        bars.insert(bars.end(), section->begin(), section->end());
    return bars;
}

const char* kMenuMelodyA =
    "F#5:1.5 E5:0.5 D5:1 A4:1 | B4:1.5 C#5:0.5 D5:1 F#5:1 | E5:2 D5:1 B4:1 | A4:3 r:1 |"
    "F#5:1.5 A5:0.5 G5:1 F#5:1 | E5:1.5 C#5:0.5 A4:2 | B4:1 D5:1 F#5:1 E5:1 | E5:3 r:1";
const char* kMenuMelodyB =
    "G5:1 F#5:0.5 E5:0.5 D5:1 E5:1 | C#5:2 r:0.5 A4:0.5 C#5:0.5 E5:0.5 | A5:1.5 E5:0.5 C#5:1 E5:1 |"
    "D5:2 F#5:1 B4:1 | B5:1.5 A5:0.5 F#5:1 D5:1 | E5:1 G5:1 B5:1 A5:0.5 G5:0.5 | A5:2 G5:1 E5:1 | E5:2 C#5:1 r:1";
const char* kMenuMelodyLast =
    "F#5:1.5 E5:0.5 D5:1 A4:1 | B4:1.5 C#5:0.5 D5:1 F#5:1 | E5:2 D5:1 B4:1 | A4:3 r:1 |"
    "F#5:1.5 A5:0.5 G5:1 F#5:1 | E5:1.5 C#5:0.5 A4:2 | B4:1 D5:1 F#5:1 A5:1 | G5:1 E5:1 C#5:1 A4:1";

}  // namespace

MusicTrack renderMenuTheme() {
    Arrangement a;
    a.bpm = 80;
    a.bars = 32;
    a.seed = 0x4D454E55;  // "MENU"
    a.roomSize = 0.82;
    a.damping = 0.45;
    a.roomLevel = 1.1;
    a.echoBeats = 0.75;
    a.echoFeedback = 0.32;
    a.loudnessRmsDb = -26.5;
    const std::vector<Chord> harmony = menuHarmony();

    // Two pads, a little apart, for width.
    for (double pan : {-0.55, 0.55}) {
        Part p;
        p.voice = Voice::Pad;
        p.gain = 0.14;
        p.pan = pan;
        p.reverb = 0.35;
        p.brightness = 0.4;
        p.legato = 1.0;
        writePad(p, harmony, 0, 31);
        a.parts.push_back(p);
    }
    Part arp;
    arp.voice = Voice::ElectricPiano;
    arp.gain = 0.28;
    arp.pan = 0.35;
    arp.reverb = 0.3;
    arp.delay = 0.12;
    arp.legato = 0.9;
    writeArpeggio(arp, harmony, 0, 31, 0.5, {0, 1, 2, 3, 4, 3, 2, 1}, 0, {0.9, 0.6, 0.75, 0.6, 0.85, 0.6, 0.75, 0.6});
    // The first eight bars are what the title and the menu are first heard
    // over: the piano carries them alone, and steps back when the melody comes.
    for (Note& n : arp.notes)
        if (n.beat < 8 * 4) n.velocity *= 1.6;
    a.parts.push_back(arp);

    Part harp;
    harp.voice = Voice::Pluck;
    harp.gain = 0.5;
    harp.pan = -0.4;
    harp.reverb = 0.35;
    harp.brightness = 0.55;
    writeArpeggio(harp, harmony, 16, 23, 0.5, {4, 2, 3, 1, 2, 0, 1, 2}, 1, {0.8, 0.5, 0.65, 0.5});
    a.parts.push_back(harp);

    Part low;
    low.voice = Voice::Bass;
    low.gain = 0.33;
    low.reverb = 0.05;
    low.brightness = 0.15;
    low.legato = 0.92;
    writeBass(low, harmony, 8, 31, {{0, 2.5, 0, 1.0}, {2.5, 0.5, 7, 0.7}, {3, 1, 12, 0.6}});
    a.parts.push_back(low);

    Part melody;
    melody.voice = Voice::ElectricPiano;
    melody.gain = 0.42;
    melody.pan = -0.05;
    melody.reverb = 0.35;
    melody.delay = 0.22;
    writeLine(melody, 8 * 4, kMenuMelodyA);
    writeLine(melody, 16 * 4, kMenuMelodyB);
    writeLine(melody, 24 * 4, kMenuMelodyLast, 0.55);
    a.parts.push_back(melody);

    Part glass;
    glass.voice = Voice::Crystal;
    glass.gain = 0.17;
    glass.pan = 0.1;
    glass.reverb = 0.45;
    glass.delay = 0.25;
    writeLine(glass, 24 * 4, kMenuMelodyLast);
    a.parts.push_back(glass);

    a.drums.push_back({shaker(0x5348), 0.38, 0.3, 0.1});
    a.drums.push_back({shaker(0x5349), 0.3, -0.2, 0.1});
    writeDrums(a.hits, 0, 16, 30, "..o...o...o...o.");
    writeDrums(a.hits, 1, 16, 30, "....o.......o...");

    MusicTrack t;
    t.kind = "menu";
    t.gamePath = "data\\sound\\music_menu.ogg";
    t.title = "Shardfall - Velvet Lights";
    t.bpm = a.bpm;
    t.bars = a.bars;
    t.samples = render(a);
    return t;
}

namespace {

// --- The game theme -------------------------------------------------------
// A minor, 120 beats a minute, 48 bars (96 s): a plucked sixteenth-note
// arpeggio and a bouncing bass under a singing lead; a second strain on D
// minor; a breakdown with bells that builds back into the full band.

std::vector<Chord> gameHarmony() {
    const Chord am = chord("A2", {"A3", "C4", "E4"}), f = chord("F2", {"A3", "C4", "F4"}),
                c = chord("C3", {"G3", "C4", "E4"}), g = chord("G2", {"G3", "B3", "D4"}),
                e = chord("E2", {"G#3", "B3", "E4"}), e7 = chord("E2", {"G#3", "B3", "D4"}),
                dm = chord("D3", {"A3", "D4", "F4"});
    const std::vector<Chord> q1 = {am, f, c, g}, q2 = {am, f, c, e}, q3 = {dm, f, am, g}, q4 = {dm, f, e, e7};
    std::vector<Chord> bars;
    for (const auto* q : {&q1, &q1, &q2, &q1, &q2, &q3, &q4, &q1, &q2, &q1, &q2, &q3})
        bars.insert(bars.end(), q->begin(), q->end());
    return bars;
}

const char* kGameMelodyA =
    "E5:0.5 A5:0.5 B5:0.5 C6:1 B5:0.5 A5:1 | A5:0.5 G5:0.5 F5:0.5 A5:1 C6:1 r:0.5 |"
    "G5:1.5 E5:0.5 C5:1 E5:1 | D5:1 G5:1 B5:1.5 r:0.5 |"
    "E5:0.5 A5:0.5 B5:0.5 C6:1 D6:0.5 E6:1 | F6:0.5 E6:0.5 D6:0.5 C6:1 A5:1.5 |"
    "G5:0.5 A5:0.5 G5:0.5 E5:1 C5:0.5 E5:1 | G#5:1.5 B5:0.5 E5:1.5 r:0.5";
const char* kGameMelodyB =
    "D5:1 F5:0.5 A5:1 D6:1 C6:0.5 | C6:1.5 A5:0.5 F5:1 A5:1 | E5:0.5 A5:0.5 C6:1 B5:0.5 A5:0.5 E5:1 |"
    "D5:0.5 G5:0.5 B5:1 A5:0.5 G5:0.5 D5:1 | F5:1 A5:0.5 D6:1.5 F6:1 | E6:0.5 D6:0.5 C6:1 A5:1 F5:1 |"
    "G#5:1 B5:1 E6:1.5 D6:0.5 | B5:2 G#5:1 E5:1";
const char* kGameBells = "A5:4 | F5:4 | G5:4 | B5:4 | C6:4 | A5:4 | G5:2 E5:2 | G#5:4";
const char* kGameOutro =
    "E5:0.5 A5:0.5 D6:1 C6:2 | A5:0.5 C6:0.5 F6:1 E6:2 | E6:0.5 C6:0.5 A5:1 E5:2 | D5:0.5 G5:0.5 B5:1 D6:2";

}  // namespace

MusicTrack renderGameTheme() {
    Arrangement a;
    a.bpm = 120;
    a.bars = 48;
    a.seed = 0x47414D45;  // "GAME"
    a.roomSize = 0.6;
    a.damping = 0.5;
    a.roomLevel = 0.9;
    a.echoBeats = 0.75;
    a.echoFeedback = 0.33;
    a.loudnessRmsDb = -25.5;
    const std::vector<Chord> harmony = gameHarmony();
    // Sections (0-based bars): intro 0-3, A 4-11, A2 12-19, B 20-27,
    // breakdown 28-35, A3 36-43, outro 44-47.

    Part arp;
    arp.voice = Voice::Pluck;
    arp.gain = 0.5;
    arp.pan = 0.4;
    arp.reverb = 0.2;
    arp.delay = 0.16;
    arp.brightness = 0.6;
    writeArpeggio(arp, harmony, 0, 47, 0.25, {0, 1, 2, 3, 2, 1, 2, 3, 0, 1, 2, 3, 4, 3, 2, 1}, 1,
                  {1.0, 0.55, 0.7, 0.55, 0.85, 0.55, 0.7, 0.55});
    a.parts.push_back(arp);

    Part low;
    low.voice = Voice::Bass;
    low.gain = 0.45;
    low.reverb = 0.03;
    low.brightness = 0.45;
    low.legato = 0.85;
    const std::vector<BassStep> bounce = {{0, 0.75, 0, 1.0},  {1, 0.5, 0, 0.8}, {1.5, 0.5, 12, 0.7},
                                          {2, 0.75, 0, 0.95}, {3, 0.5, 0, 0.8}, {3.5, 0.5, 7, 0.7}};
    writeBass(low, harmony, 0, 27, bounce);
    writeBass(low, harmony, 32, 47, bounce);
    a.parts.push_back(low);

    Part stabs;
    stabs.voice = Voice::ElectricPiano;
    stabs.gain = 0.2;
    stabs.pan = -0.35;
    stabs.reverb = 0.25;
    stabs.legato = 0.8;
    for (int bar : {4, 12, 20, 36})
        for (int b = bar; b < bar + 8; ++b) {
            for (int tone : harmony[static_cast<std::size_t>(b)].tones) {
                stabs.notes.push_back({b * 4.0, 1.5, static_cast<double>(tone + 12), 0.85});
                stabs.notes.push_back({b * 4.0 + 2.5, 1.0, static_cast<double>(tone + 12), 0.7});
            }
        }
    a.parts.push_back(stabs);

    Part pads;
    pads.voice = Voice::Pad;
    pads.gain = 0.2;
    pads.reverb = 0.35;
    pads.brightness = 0.45;
    pads.legato = 1.0;
    writePad(pads, harmony, 20, 35);
    a.parts.push_back(pads);

    Part melody;
    melody.voice = Voice::Lead;
    melody.gain = 0.34;
    melody.reverb = 0.22;
    melody.delay = 0.2;
    melody.brightness = 0.55;
    writeLine(melody, 4 * 4, kGameMelodyA);
    writeLine(melody, 12 * 4, kGameMelodyA);
    writeLine(melody, 20 * 4, kGameMelodyB);
    writeLine(melody, 36 * 4, kGameMelodyA);
    writeLine(melody, 44 * 4, kGameOutro, 0.8);
    a.parts.push_back(melody);

    Part sparkle;
    sparkle.voice = Voice::Crystal;
    sparkle.gain = 0.1;
    sparkle.pan = -0.2;
    sparkle.reverb = 0.4;
    sparkle.delay = 0.2;
    writeLine(sparkle, 12 * 4, kGameMelodyA, 1.0, 12);
    writeLine(sparkle, 36 * 4, kGameMelodyA, 1.0, 12);
    a.parts.push_back(sparkle);

    Part bells;
    bells.voice = Voice::Bell;
    bells.gain = 0.18;
    bells.pan = 0.15;
    bells.reverb = 0.45;
    bells.delay = 0.3;
    writeLine(bells, 28 * 4, kGameBells);
    a.parts.push_back(bells);

    Part horns;
    horns.voice = Voice::Brass;
    horns.gain = 0.16;
    horns.reverb = 0.3;
    horns.brightness = 0.7;
    for (int bar : {20, 24, 36})
        for (int tone : harmony[static_cast<std::size_t>(bar)].tones)
            horns.notes.push_back({bar * 4.0, 1.5, static_cast<double>(tone), 1.0});
    a.parts.push_back(horns);

    // Drums: 0 kick, 1 snare, 2 clap, 3-4 closed hats, 5 open hat, 6 shaker,
    // 7 the riser into the last strain.
    a.drums.push_back({kick(1.0), 0.45, 0.0, 0.02});
    a.drums.push_back({snare(0x534E), 0.4, 0.05, 0.2});
    a.drums.push_back({clap(0x434C), 0.6, -0.05, 0.25});
    // The closed hats tick four times a second for most of the track: they
    // stay in the back, where the ear takes them in without listening.
    a.drums.push_back({hat(0x4831, false), 0.2, 0.25, 0.05});
    a.drums.push_back({hat(0x4832, false), 0.2, 0.3, 0.05});
    a.drums.push_back({hat(0x4F48, true), 0.16, 0.3, 0.1});
    a.drums.push_back({shaker(0x5348), 0.22, -0.3, 0.1});
    a.drums.push_back({noiseSweep(2.0, 400, 9000, 0.9, Envelope(0.0).to(1.95, 1.0, -2.0).to(0.05, 0.0), 0x5249, true),
                       0.3, 0.0, 0.3});

    writeDrums(a.hits, 0, 0, 3, "x.......x.......");
    writeDrums(a.hits, 0, 4, 19, "x.....x.x.......");
    writeDrums(a.hits, 0, 20, 27, "x.....x.x...x...");
    writeDrums(a.hits, 0, 36, 43, "x...x...x...x...");
    writeDrums(a.hits, 0, 44, 47, "x.....x.x.......");
    writeDrums(a.hits, 1, 4, 27, "....x.......x...");
    writeDrums(a.hits, 1, 36, 47, "....x.......x...");
    writeDrums(a.hits, 2, 12, 27, "....x.......x...");
    writeDrums(a.hits, 2, 36, 43, "....x.......x..o");
    writeDrums(a.hits, 3, 0, 27, "o...o...o...o...");
    writeDrums(a.hits, 4, 0, 27, "..x...x...x...x.");
    writeDrums(a.hits, 3, 36, 47, "o.o.o.o.o.o.o.o.");
    writeDrums(a.hits, 4, 36, 47, "..x...x...x...x.");
    for (int bar : {5, 7, 9, 11, 13, 15, 17, 19, 37, 39, 41, 43}) writeDrums(a.hits, 5, bar, bar, "..............x.");
    writeDrums(a.hits, 6, 28, 35, "o.x.o.x.o.x.o.x.");
    writeDrums(a.hits, 0, 32, 34, "x.......x.......");
    // The last bar of the breakdown: a snare run that grows, and the riser.
    for (int i = 0; i < 16; ++i) a.hits.push_back({35 * 4.0 + 0.25 * i, 1, 0.15 + 0.85 * i / 15.0});
    a.hits.push_back({34 * 4.0, 7, 1.0});
    // Crashes where the band comes in.
    for (int bar : {4, 12, 20, 36}) a.hits.push_back({bar * 4.0, 5, 1.0});

    MusicTrack t;
    t.kind = "game";
    t.gamePath = "data\\sound\\music_game.ogg";
    t.title = "Shardfall - Cascade";
    t.bpm = a.bpm;
    t.bars = a.bars;
    t.samples = render(a);
    return t;
}

int parsePitch(const std::string& name) {
    static const int steps[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    if (name.size() < 2) return -1;
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
    if (letter < 'A' || letter > 'G') return -1;
    int pitch = steps[letter - 'A'];
    std::size_t at = 1;
    if (name[at] == '#') {
        ++pitch;
        ++at;
    } else if (name[at] == 'b') {
        --pitch;
        ++at;
    }
    if (at >= name.size()) return -1;
    int octave = 0;
    for (; at < name.size(); ++at) {
        if (!std::isdigit(static_cast<unsigned char>(name[at]))) return -1;
        octave = octave * 10 + (name[at] - '0');
    }
    return pitch + 12 * (octave + 1);
}
