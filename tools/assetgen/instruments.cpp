#include "instruments.h"

#include <algorithm>
#include <cmath>

namespace synth {

namespace {

constexpr double kTime = 1.0 / kRate;

// Attack, decay towards sustain, hold, then an exponential release that
// lands on zero at its end: the shape of every sustained note. Stepped one
// sample at a time with running products, so a note costs no exp() per sample.
class NoteShape {
public:
    NoteShape(double attack, double decayTau, double sustain, double hold, double release)
        : attack_(std::max<std::size_t>(1, samplesOf(attack))),
          hold_(samplesOf(hold)),
          release_(std::max<std::size_t>(1, samplesOf(release))),
          sustain_(sustain),
          decayStep_(std::exp(-kTime / std::max(decayTau, 1e-4))),
          releaseStep_(std::exp(-4.0 / static_cast<double>(release_))),
          floor_(std::exp(-4.0)) {}

    double next() {
        double v = 0;
        if (at_ < hold_) {
            if (at_ < attack_) {
                v = static_cast<double>(at_) / static_cast<double>(attack_);
            } else {
                v = sustain_ + (1.0 - sustain_) * decay_;
                decay_ *= decayStep_;
            }
            last_ = v;
        } else if (at_ - hold_ < release_) {
            // exp(-4u) rescaled to reach exactly 0 at the end of the release
            v = last_ * (fall_ - floor_) / (1.0 - floor_);
            fall_ *= releaseStep_;
        }
        ++at_;
        return v;
    }

private:
    std::size_t attack_, hold_, release_;
    double sustain_, decayStep_, releaseStep_, floor_;
    std::size_t at_ = 0;
    double decay_ = 1.0, fall_ = 1.0, last_ = 0.0;
};

// A gentle saturation for drums and brass.
float soft(float x) { return static_cast<float>(std::tanh(x)); }

}  // namespace

const std::vector<Partial>& glassPartials() {
    static const std::vector<Partial> p = {{1.0, 1.0, 1.0},   {2.005, 0.42, 1.6}, {3.012, 0.2, 2.4},
                                           {4.24, 0.12, 3.5}, {5.43, 0.07, 4.5},  {6.8, 0.04, 6.0}};
    return p;
}

const std::vector<Partial>& bellPartials() {
    static const std::vector<Partial> p = {{1.0, 1.0, 1.0},   {2.0, 0.5, 1.4},   {2.76, 0.45, 1.9},
                                           {4.07, 0.25, 2.6}, {5.40, 0.16, 3.4}, {8.93, 0.06, 5.0}};
    return p;
}

const std::vector<Partial>& barPartials() {
    static const std::vector<Partial> p = {{1.0, 1.0, 1.0}, {3.93, 0.28, 3.0}, {9.54, 0.08, 6.0}};
    return p;
}

const std::vector<Partial>& metalPartials() {
    static const std::vector<Partial> p = {{1.0, 1.0, 1.0},   {1.52, 0.8, 1.2},  {2.43, 0.65, 1.5}, {3.61, 0.5, 1.9},
                                           {4.79, 0.35, 2.4}, {5.93, 0.25, 3.0}, {7.37, 0.15, 3.6}};
    return p;
}

Mono struck(double hz, double seconds, double decay, const std::vector<Partial>& partials, double attack) {
    Mono out(samplesOf(seconds));
    const std::size_t attackSamples = std::max<std::size_t>(1, samplesOf(attack));
    for (const Partial& p : partials) {
        const double f = hz * p.ratio;
        if (f >= kRate * 0.45) continue;
        // A rotating phasor and a per-sample decay factor: no sin or exp in the loop.
        const double w = kTwoPi * f / kRate;
        const double c = std::cos(w), s = std::sin(w);
        const double fall = std::exp(-kTime * p.decayFactor / std::max(decay, 1e-3));
        double x = 1.0, y = 0.0, level = p.gain;
        for (std::size_t i = 0; i < out.size(); ++i) {
            const double rise = i < attackSamples ? static_cast<double>(i) / static_cast<double>(attackSamples) : 1.0;
            out[i] += static_cast<float>(y * level * rise);
            const double nx = x * c - y * s;
            y = x * s + y * c;
            x = nx;
            if (i >= attackSamples) level *= fall;
        }
    }
    // Whatever still rings at the end of the buffer dies away instead of stopping.
    fadeEdges(out, 0.0, std::min(0.03, seconds * 0.25));
    return out;
}

FmPatch electricPiano() {
    FmPatch p;
    p.ratio = 1.0;
    p.index = 1.8;
    p.indexEnd = 0.25;
    p.indexTau = 0.45;
    p.ratio2 = 14.0;
    p.index2 = 0.6;
    p.index2Tau = 0.015;
    p.attack = 0.002;
    p.decayTau = 1.1;
    p.sustain = 0.0;
    p.release = 0.35;
    return p;
}

FmPatch fmBell() {
    FmPatch p;
    p.ratio = 3.5;
    p.index = 3.0;
    p.indexEnd = 0.4;
    p.indexTau = 0.5;
    p.attack = 0.001;
    p.decayTau = 1.4;
    p.release = 0.5;
    return p;
}

FmPatch woodBlock() {
    FmPatch p;
    p.ratio = 2.31;
    p.index = 2.4;
    p.indexEnd = 0.0;
    p.indexTau = 0.012;
    p.attack = 0.001;
    p.decayTau = 0.045;
    p.release = 0.03;
    return p;
}

Mono fmNote(const FmPatch& patch, double hz, double holdSeconds) {
    Mono out(samplesOf(holdSeconds + patch.release));
    double carrier = 0, modulator = 0, modulator2 = 0;
    const double dc = hz / kRate, dm = hz * patch.ratio / kRate, dm2 = hz * patch.ratio2 / kRate;
    // The modulation depths fall exponentially: running products again.
    double depth = patch.index - patch.indexEnd, depth2 = patch.index2;
    const double depthStep = std::exp(-kTime / patch.indexTau), depth2Step = std::exp(-kTime / patch.index2Tau);
    NoteShape shape(patch.attack, patch.decayTau, patch.sustain, holdSeconds, patch.release);
    for (float& o : out) {
        double phase = carrier + (patch.indexEnd + depth) * sineOf(modulator) / kTwoPi;
        if (patch.ratio2 > 0) phase += depth2 * sineOf(modulator2) / kTwoPi;
        o = static_cast<float>(sineOf(phase) * shape.next());
        carrier += dc;
        modulator += dm;
        modulator2 += dm2;
        depth *= depthStep;
        depth2 *= depth2Step;
    }
    return out;
}

Mono brass(double hz, double holdSeconds, double brightness, std::uint32_t seed) {
    const double release = 0.18;
    Mono out(samplesOf(holdSeconds + release));
    Noise noise(seed);
    Oscillator a(Wave::Saw, (noise.white() + 1) * 0.5), b(Wave::Saw, (noise.white() + 1) * 0.5);
    Svf filter;
    const double detune = std::pow(2.0, 5.0 / 1200.0);
    double cutoff = hz;
    NoteShape shape(0.035, 0.3, 0.8, holdSeconds, release);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) * kTime;
        // A breath of vibrato once the note has settled.
        const double vibrato = 1.0 + 0.003 * std::min(1.0, std::max(0.0, t - 0.25) * 3.0) * sineOf(5.2 * t);
        if (i % 16 == 0) {
            const double open = std::min(t / 0.06, 1.0);
            const double settle = std::exp(-std::max(0.0, t - 0.06) / 0.25);
            cutoff = hz * (1.2 + (2.5 + 6.0 * brightness) * open * (0.55 + 0.45 * settle));
        }
        const float raw = 0.5f * (a.next(hz * vibrato * detune) + b.next(hz * vibrato / detune));
        out[i] = soft(1.6f * filter.process(raw, cutoff, 0.9).low) * static_cast<float>(shape.next()) * 0.8f;
    }
    return out;
}

Mono pad(double hz, double holdSeconds, double cutoffHz, std::uint32_t seed) {
    const double release = 1.4;
    Mono out(samplesOf(holdSeconds + release));
    Noise noise(seed);
    // Three saws a few cents apart, each starting at its own phase.
    const double cents[] = {-9.0, -2.0, 6.0};
    std::vector<Oscillator> saws;
    std::vector<double> pitches;
    for (double c : cents) {
        saws.emplace_back(Wave::Saw, (noise.white() + 1) * 0.5);
        pitches.push_back(hz * std::pow(2.0, c / 1200.0));
    }
    Svf filter;
    const double lfoPhase = (noise.white() + 1) * 0.5;
    double cutoff = cutoffHz;
    NoteShape shape(std::min(0.9, holdSeconds * 0.5), 1.0, 1.0, holdSeconds, release);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) * kTime;
        if (i % 32 == 0) cutoff = cutoffHz * (1.0 + 0.18 * sineOf(lfoPhase + 0.15 * t));
        float raw = 0;
        for (std::size_t k = 0; k < saws.size(); ++k) raw += saws[k].next(pitches[k]);
        raw /= static_cast<float>(saws.size());
        out[i] = filter.process(raw, cutoff, 0.6).low * static_cast<float>(shape.next());
    }
    return out;
}

Mono bass(double hz, double holdSeconds, double brightness) {
    const double release = 0.09;
    Mono out(samplesOf(holdSeconds + release));
    Oscillator body(Wave::Sine), edge(Wave::Saw);
    Svf filter;
    const double cutoff = std::min(hz * (3.0 + 5.0 * brightness) + 150.0, 1600.0);
    NoteShape shape(0.006, 0.35, 0.7, holdSeconds, release);
    double opening = 1.5;  // the filter starts wider and closes in 50 ms
    const double closing = std::exp(-16.0 * kTime / 0.05);
    for (std::size_t i = 0; i < out.size(); ++i) {
        if (i % 16 == 0) opening *= closing;
        const float tone = body.next(hz) + 0.45f * filter.process(edge.next(hz), cutoff * (1.0 + opening), 0.8).low;
        out[i] = soft(1.2f * tone) * static_cast<float>(shape.next());
    }
    return out;
}

Mono lead(double hz, double holdSeconds, double brightness) {
    const double release = 0.22;
    Mono out(samplesOf(holdSeconds + release));
    Oscillator pulse(Wave::Pulse, 0.0, 0.32), saw(Wave::Saw, 0.25);
    Svf filter;
    double cutoff = hz;
    NoteShape shape(0.012, 0.5, 0.75, holdSeconds, release);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) * kTime;
        const double depth = 0.0045 * std::clamp((t - 0.22) / 0.3, 0.0, 1.0);
        const double f = hz * (1.0 + depth * sineOf(5.6 * t));
        if (i % 16 == 0) cutoff = hz * (2.0 + 4.0 * brightness * (0.6 + 0.4 * std::exp(-t / 0.15)));
        const float raw = 0.55f * pulse.next(f) + 0.45f * saw.next(f * 1.002);
        out[i] = filter.process(raw, cutoff, 0.75).low * static_cast<float>(shape.next());
    }
    return out;
}

Mono pluckNote(double hz, double seconds, double brightness, std::uint32_t seed) {
    Mono out = pluck(hz, seconds, brightness, std::max(0.9, seconds * 2.0), seed);
    // The string's first round is raw noise: round it off, so the pluck
    // speaks without a click.
    Biquad body = Biquad::peak(hz * 2.0, 1.2, 3.0);
    Biquad low = Biquad::highPass(std::max(40.0, hz * 0.5));
    Biquad soften = Biquad::lowPass(std::min(7000.0, hz * (6.0 + 8.0 * brightness)), 0.6);
    for (float& s : out) s = soften.process(low.process(body.process(s)));
    fadeEdges(out, 0.001, std::min(0.08, seconds * 0.3));
    // The string's level depends on its random pluck; every note speaks alike.
    const float peak = peakOf(out);
    if (peak > 0) scale(out, 0.8f / peak);
    return out;
}

Mono kick(double punch) {
    Mono out(samplesOf(0.45));
    double phase = 0;
    Noise noise(7);
    Biquad clickFilter = Biquad::highPass(2500);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) * kTime;
        const double f = 46.0 + 110.0 * std::exp(-t / 0.035);
        phase += f / kRate;
        const double body = sineOf(phase) * strike(t, 0.002, 0.22);
        const double click = clickFilter.process(noise.white()) * strike(t, 0.0005, 0.004) * 0.5;
        out[i] = soft(static_cast<float>((body + click) * (1.2 + 0.8 * punch)));
    }
    fadeEdges(out, 0.0, 0.05);
    return out;
}

Mono snare(std::uint32_t seed) {
    Mono out(samplesOf(0.32));
    Noise noise(seed);
    Biquad high = Biquad::highPass(1400), low = Biquad::lowPass(9000), bite = Biquad::peak(3500, 1.0, 4.0);
    double phase = 0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) * kTime;
        phase += (185.0 + 40.0 * std::exp(-t / 0.01)) / kRate;
        const double tone = sineOf(phase) * strike(t, 0.001, 0.05) * 0.55;
        const double rattle = bite.process(low.process(high.process(noise.white()))) * strike(t, 0.001, 0.085);
        out[i] = soft(static_cast<float>(1.4 * (tone + rattle)));
    }
    fadeEdges(out, 0.0, 0.04);
    return out;
}

Mono hat(std::uint32_t seed, bool open) {
    Mono out(samplesOf(open ? 0.4 : 0.09));
    Noise noise(seed);
    // The open hat rings bright over the top; the closed one, which ticks
    // under a whole level, is a short, soft chick with its air rolled off.
    Biquad high = Biquad::highPass(open ? 7200 : 4800, 0.8);
    Biquad air = Biquad::peak(11000, 1.2, 5.0);
    Biquad dull = Biquad::lowPass(7500, 0.6), duller = Biquad::lowPass(7500, 0.6);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) * kTime;
        const float noisy = high.process(noise.white());
        const double sound = open ? air.process(noisy) : duller.process(dull.process(noisy));
        out[i] = static_cast<float>(sound * strike(t, 0.0008, open ? 0.12 : 0.018));
    }
    fadeEdges(out, 0.0, 0.015);
    return out;
}

Mono clap(std::uint32_t seed) {
    Mono out(samplesOf(0.3));
    Noise noise(seed);
    Biquad band = Biquad::bandPass(1300, 1.4), high = Biquad::highPass(500);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) * kTime;
        // Three quick slaps, then the room.
        double level = 0;
        for (int k = 0; k < 3; ++k) level = std::max(level, strike(t - 0.011 * k, 0.0008, 0.006));
        level = std::max(level, 0.8 * strike(t - 0.033, 0.001, 0.075));
        out[i] = static_cast<float>(2.2 * band.process(high.process(noise.white())) * level);
    }
    fadeEdges(out, 0.0, 0.03);
    return out;
}

Mono shaker(std::uint32_t seed) {
    Mono out(samplesOf(0.12));
    Noise noise(seed);
    Biquad band = Biquad::bandPass(6500, 0.9);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) * kTime;
        const double level = t < 0.018 ? t / 0.018 : std::exp(-(t - 0.018) / 0.03);
        out[i] = static_cast<float>(band.process(noise.white()) * level * 1.5);
    }
    fadeEdges(out, 0.0, 0.02);
    return out;
}

Mono glide(double seconds, double hzFrom, double hzTo, Wave wave, const Envelope& level, double curve) {
    Mono out(samplesOf(seconds));
    Oscillator osc(wave);
    Envelope pitch(0.0);
    pitch.to(seconds, 1.0, curve);
    const double ratio = std::log(hzTo / hzFrom);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) * kTime;
        out[i] = osc.next(hzFrom * std::exp(ratio * pitch.at(t))) * static_cast<float>(level.at(t));
    }
    return out;
}

Mono noiseSweep(double seconds, double hzFrom, double hzTo, double q, const Envelope& level, std::uint32_t seed,
                bool lowPass) {
    Mono out(samplesOf(seconds));
    Noise noise(seed);
    Svf filter;
    const double ratio = std::log(hzTo / hzFrom);
    double hz = hzFrom;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) * kTime;
        if (i % 8 == 0) hz = hzFrom * std::exp(ratio * std::min(t / seconds, 1.0));
        const Svf::Out o = filter.process(noise.white(), hz, q);
        out[i] = (lowPass ? o.low : o.band) * static_cast<float>(level.at(t));
    }
    return out;
}

Mono thump(double hzFrom, double hzTo, double sweepTau, double decayTau, double seconds) {
    Mono out(samplesOf(seconds));
    double phase = 0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) * kTime;
        phase += (hzTo + (hzFrom - hzTo) * std::exp(-t / sweepTau)) / kRate;
        out[i] = static_cast<float>(sineOf(phase) * strike(t, 0.002, decayTau));
    }
    fadeEdges(out, 0.0, std::min(0.03, seconds * 0.2));
    return out;
}

}  // namespace synth
