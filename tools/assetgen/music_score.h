#pragma once
// A music track as data: its harmony, its parts (an instrument, its place in
// the mix and what it plays) and its drums. Every track is one such
// description; writing it out note by note is the same for all of them.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "synth.h"

// Bars are counted from 0; a span includes both ends.
struct BarSpan {
    int first = 0, last = 0;
};

// One step of a figure played on every bar (or every chord tone): where in
// the bar, how long, the interval above the note it is played on, how hard.
struct FigureStep {
    double beat = 0, beats = 1;
    int interval = 0;
    double velocity = 1;
};

enum class Voice { Pad, ElectricPiano, Bass, Lead, Pluck, Crystal, Bell, Brass };

// What a part plays over some bars. Each kind reads only its own fields.
struct Writing {
    enum class Kind {
        Line,       // `text` (see writeLine) from each span's first bar, softer by `velocity`, up `transpose`
        Pad,        // the chords held over each span
        Arpeggio,   // chord tones walked in `pattern`, one every `step` beats, `transpose` octaves up
        Bass,       // `figure` on each bar's bass note
        ChordHits,  // `figure` struck on every chord tone of each bar
        Emphasis,   // what is written so far before span.first's bar, louder by `velocity`
    };
    Kind kind = Kind::Line;
    std::vector<BarSpan> bars;
    std::string text;
    double velocity = 1;
    int transpose = 0;
    double step = 0.5;
    std::vector<int> pattern;
    std::vector<double> accents;
    std::vector<FigureStep> figure;
};

struct PartDescription {
    Voice voice = Voice::Pad;
    double gain = 1;
    double pan = 0;       // -1 left .. 1 right
    double reverb = 0.2;  // send to the room
    double delay = 0;     // send to the echo
    double brightness = 0.5;
    double legato = 0.95;  // share of the written length actually held
    std::vector<Writing> score;
};

enum class DrumSound { Kick, Snare, Clap, ClosedHat, OpenHat, Shaker, Riser };

struct DrumDescription {
    DrumSound sound = DrumSound::Kick;
    std::uint32_t seed = 0;
    double gain = 1, pan = 0, reverb = 0.05;
};

// Drum hits: a sixteen-step pattern on each span's bars ("x" a full hit,
// "o" a soft one), or a roll of sixteen hits over one bar growing from
// `velocity` by `rise`.
struct DrumWriting {
    enum class Kind { Pattern, Roll };
    Kind kind = Kind::Pattern;
    std::size_t sample = 0;
    std::vector<BarSpan> bars;
    std::string steps;
    double velocity = 0, rise = 0;
};

struct ThemeDescription {
    std::string kind;      // "menu" or "game", the key in music.ini
    std::string gamePath;  // as music.ini names it
    std::string title;
    double bpm = 120;
    std::uint32_t seed = 1;
    // The chords, one a bar: sections of "bass:tone tone ... | ..." and the
    // order they are played in; the track is as long as that.
    std::vector<std::string> harmony;
    std::vector<int> form;
    double roomSize = 0.7, damping = 0.5, roomLevel = 1.0;
    double echoBeats = 0.75, echoFeedback = 0.35;
    double loudnessRmsDb = -18;
    std::vector<PartDescription> parts;
    std::vector<DrumDescription> drums;
    std::vector<DrumWriting> rhythm;
};

// --- Written out ----------------------------------------------------------

struct Note {
    double beat = 0;   // from the start of the loop
    double beats = 1;  // how long it is held
    double pitch = 60;
    double velocity = 1;
};

struct Part {
    PartDescription sound;  // its score already written out below
    std::vector<Note> notes;
};

struct Hit {
    double beat = 0;
    std::size_t sample = 0;
    double velocity = 1;
};

struct Arrangement {
    const ThemeDescription* theme = nullptr;
    int bars = 0;
    std::vector<Part> parts;
    std::vector<synth::Mono> drums;  // one a DrumDescription
    std::vector<Hit> hits;
};

Arrangement arrange(const ThemeDescription& theme);

// The themes the game plays.
ThemeDescription menuTheme();
ThemeDescription gameTheme();

// --- Writing a score --------------------------------------------------------
// Short forms for the themes' parts, in the order a score reads.

std::vector<BarSpan> onBars(std::initializer_list<int> bars);
Writing line(std::vector<BarSpan> startBars, std::string text, double velocity = 1, int transpose = 0);
Writing held(BarSpan bars);
Writing arpeggio(BarSpan bars, double step, std::vector<int> pattern, int octaves, std::vector<double> accents);
Writing bassFigure(std::vector<BarSpan> bars, std::vector<FigureStep> figure);
Writing chordHits(std::vector<BarSpan> bars, std::vector<FigureStep> figure);
Writing louderBefore(int bar, double factor);
DrumWriting pattern(std::size_t sample, std::vector<BarSpan> bars, std::string steps);
DrumWriting roll(std::size_t sample, int bar, double velocity, double rise);
