#include <cmath>
#include <sstream>
#include <utility>

#include "instruments.h"
#include "music_generator.h"
#include "music_score.h"

using namespace synth;

namespace {

// One bar's harmony: the bass note and the chord tones above it.
struct Chord {
    int bass = 0;
    std::vector<int> tones;
};

// "D3: D4 F#4 A4 | B2: B3 D4 F#4" as chords, one between each pair of bars.
std::vector<Chord> parseChords(const std::string& text) {
    std::vector<Chord> chords;
    std::istringstream bars(text);
    std::string bar;
    while (std::getline(bars, bar, '|')) {
        const std::size_t colon = bar.find(':');
        if (colon == std::string::npos) continue;
        Chord c;
        std::istringstream bass(bar.substr(0, colon)), tones(bar.substr(colon + 1));
        std::string name;
        bass >> name;
        c.bass = parsePitch(name);
        while (tones >> name) c.tones.push_back(parsePitch(name));
        chords.push_back(c);
    }
    return chords;
}

std::vector<Chord> harmonyOf(const ThemeDescription& theme) {
    std::vector<std::vector<Chord>> sections;
    for (const std::string& s : theme.harmony) sections.push_back(parseChords(s));
    std::vector<Chord> bars;
    for (int s : theme.form) bars.insert(bars.end(), sections.at(s).begin(), sections.at(s).end());
    return bars;
}

void addPitches(Part& part, const std::string& pitches, double beat, double beats, double velocity) {
    std::size_t from = 0;
    while (from <= pitches.size()) {
        const std::size_t plus = pitches.find('+', from);
        const int pitch = parsePitch(pitches.substr(from, plus == std::string::npos ? std::string::npos : plus - from));
        if (pitch >= 0) part.notes.push_back({beat, beats, static_cast<double>(pitch), velocity});
        if (plus == std::string::npos) break;
        from = plus + 1;
    }
}

// Melody lines as the themes write them: "E5:0.5 A5:1.5@0.8 r:1 | ...".
// Each token is a pitch (or "r" for a rest, or pitches joined by "+" for a
// chord), ":" and a length in beats, optionally "@" and a velocity; "|" marks
// bars for the reader and is skipped.
void writeLine(Part& part, double beat, const std::string& text, double velocity, int transpose) {
    std::istringstream in(text);
    std::string token;
    while (in >> token) {
        const std::size_t colon = token.find(':');
        if (colon == std::string::npos) continue;
        const std::size_t at = token.find('@', colon);
        const double beats =
            std::stod(token.substr(colon + 1, at == std::string::npos ? std::string::npos : at - colon - 1));
        const double v = at == std::string::npos ? 1.0 : std::stod(token.substr(at + 1));
        const std::size_t first = part.notes.size();
        if (token.substr(0, colon) != "r") addPitches(part, token.substr(0, colon), beat, beats, v * velocity);
        for (std::size_t i = first; i < part.notes.size(); ++i) part.notes[i].pitch += transpose;
        beat += beats;
    }
}

// Sustained chords, one per bar; a tone that stays from one bar to the next
// is held on rather than struck again.
void writePad(Part& part, const std::vector<Chord>& bars, BarSpan span, double velocity) {
    std::vector<std::size_t> open;  // indices of the notes of the previous bar
    for (int bar = span.first; bar <= span.last; ++bar) {
        std::vector<std::size_t> now;
        for (int tone : bars.at(static_cast<std::size_t>(bar)).tones) {
            std::size_t held = part.notes.size();
            for (std::size_t i : open)
                if (static_cast<int>(part.notes[i].pitch) == tone) {
                    held = i;
                    break;
                }
            if (held < part.notes.size())
                part.notes[held].beats += 4;
            else
                part.notes.push_back({bar * 4.0, 4.0, static_cast<double>(tone), velocity});
            now.push_back(held);
        }
        open = now;
    }
}

// Broken chords: the chord tones, then the same an octave up, walked in the
// order the pattern gives.
void writeArpeggio(Part& part, const std::vector<Chord>& bars, BarSpan span, const Writing& w) {
    const int perBar = static_cast<int>(std::lround(4.0 / w.step));
    for (int bar = span.first; bar <= span.last; ++bar) {
        const std::vector<int>& tones = bars.at(static_cast<std::size_t>(bar)).tones;
        const int n = static_cast<int>(tones.size());
        for (int i = 0; i < perBar; ++i) {
            const int index = w.pattern[static_cast<std::size_t>(i) % w.pattern.size()];
            const int tone = tones[static_cast<std::size_t>(index % n)] + 12 * (index / n) + 12 * w.transpose;
            const double accent = w.accents[static_cast<std::size_t>(i) % w.accents.size()];
            part.notes.push_back({bar * 4.0 + i * w.step, w.step, static_cast<double>(tone), accent});
        }
    }
}

void writeFigure(Part& part, int bar, int root, const std::vector<FigureStep>& figure) {
    for (const FigureStep& s : figure)
        part.notes.push_back({bar * 4.0 + s.beat, s.beats, static_cast<double>(root + s.interval), s.velocity});
}

void writeSpan(Part& part, const std::vector<Chord>& harmony, const Writing& w, BarSpan span) {
    switch (w.kind) {
        case Writing::Kind::Line:
            writeLine(part, span.first * 4, w.text, w.velocity, w.transpose);
            break;
        case Writing::Kind::Pad:
            writePad(part, harmony, span, w.velocity);
            break;
        case Writing::Kind::Arpeggio:
            writeArpeggio(part, harmony, span, w);
            break;
        case Writing::Kind::Bass:
            for (int bar = span.first; bar <= span.last; ++bar)
                writeFigure(part, bar, harmony.at(static_cast<std::size_t>(bar)).bass, w.figure);
            break;
        case Writing::Kind::ChordHits:
            for (int bar = span.first; bar <= span.last; ++bar)
                for (int tone : harmony.at(static_cast<std::size_t>(bar)).tones) writeFigure(part, bar, tone, w.figure);
            break;
        case Writing::Kind::Emphasis:
            for (Note& n : part.notes)
                if (n.beat < span.first * 4) n.velocity *= w.velocity;
            break;
    }
}

void writeDrums(Arrangement& a, const DrumWriting& w) {
    for (const BarSpan& span : w.bars)
        for (int bar = span.first; bar <= span.last; ++bar)
            for (std::size_t i = 0; i < 16; ++i) {
                const double beat = bar * 4.0 + 0.25 * static_cast<double>(i);
                if (w.kind == DrumWriting::Kind::Roll)
                    a.hits.push_back({beat, w.sample, w.velocity + w.rise * static_cast<double>(i) / 15.0});
                else if (i < w.steps.size() && w.steps[i] == 'x')
                    a.hits.push_back({beat, w.sample, 1.0});
                else if (i < w.steps.size() && w.steps[i] == 'o')
                    a.hits.push_back({beat, w.sample, 0.55});
            }
}

Mono drumSound(const DrumDescription& d) {
    switch (d.sound) {
        case DrumSound::Kick:
            return kick(1.0);
        case DrumSound::Snare:
            return snare(d.seed);
        case DrumSound::Clap:
            return clap(d.seed);
        case DrumSound::ClosedHat:
            return hat(d.seed, false);
        case DrumSound::OpenHat:
            return hat(d.seed, true);
        case DrumSound::Shaker:
            return shaker(d.seed);
        case DrumSound::Riser:  // two seconds of noise opening up into the next bar
            return noiseSweep(2.0, 400, 9000, 0.9, Envelope(0.0).to(1.95, 1.0, -2.0).to(0.05, 0.0), d.seed, true);
    }
    return {};
}

}  // namespace

Arrangement arrange(const ThemeDescription& theme) {
    Arrangement a;
    a.theme = &theme;
    const std::vector<Chord> harmony = harmonyOf(theme);
    a.bars = static_cast<int>(harmony.size());
    for (const PartDescription& description : theme.parts) {
        Part part;
        part.sound = description;
        for (const Writing& w : description.score)
            for (const BarSpan& span : w.bars) writeSpan(part, harmony, w, span);
        a.parts.push_back(part);
    }
    for (const DrumDescription& d : theme.drums) a.drums.push_back(drumSound(d));
    for (const DrumWriting& w : theme.rhythm) writeDrums(a, w);
    return a;
}

std::vector<BarSpan> onBars(std::initializer_list<int> bars) {
    std::vector<BarSpan> spans;
    for (int bar : bars) spans.push_back({bar, bar});
    return spans;
}

Writing line(std::vector<BarSpan> startBars, std::string text, double velocity, int transpose) {
    Writing w;
    w.kind = Writing::Kind::Line;
    w.bars = std::move(startBars);
    w.text = std::move(text);
    w.velocity = velocity;
    w.transpose = transpose;
    return w;
}

Writing held(BarSpan bars) {
    Writing w;
    w.kind = Writing::Kind::Pad;
    w.bars = {bars};
    return w;
}

Writing arpeggio(BarSpan bars, double step, std::vector<int> pattern, int octaves, std::vector<double> accents) {
    Writing w;
    w.kind = Writing::Kind::Arpeggio;
    w.bars = {bars};
    w.transpose = octaves;
    w.step = step;
    w.pattern = std::move(pattern);
    w.accents = std::move(accents);
    return w;
}

Writing bassFigure(std::vector<BarSpan> bars, std::vector<FigureStep> figure) {
    Writing w;
    w.kind = Writing::Kind::Bass;
    w.bars = std::move(bars);
    w.figure = std::move(figure);
    return w;
}

Writing chordHits(std::vector<BarSpan> bars, std::vector<FigureStep> figure) {
    Writing w = bassFigure(std::move(bars), std::move(figure));
    w.kind = Writing::Kind::ChordHits;
    return w;
}

Writing louderBefore(int bar, double factor) {
    Writing w;
    w.kind = Writing::Kind::Emphasis;
    w.bars = {{bar, bar}};
    w.velocity = factor;
    return w;
}

DrumWriting pattern(std::size_t sample, std::vector<BarSpan> bars, std::string steps) {
    DrumWriting w;
    w.sample = sample;
    w.bars = std::move(bars);
    w.steps = std::move(steps);
    return w;
}

DrumWriting roll(std::size_t sample, int bar, double velocity, double rise) {
    DrumWriting w;
    w.kind = DrumWriting::Kind::Roll;
    w.sample = sample;
    w.bars = {{bar, bar}};
    w.velocity = velocity;
    w.rise = rise;
    return w;
}
