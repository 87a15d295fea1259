#include "synth.h"

#include <algorithm>
#include <cmath>

namespace synth {

std::size_t samplesOf(double seconds) {
    return seconds <= 0 ? 0 : static_cast<std::size_t>(std::llround(seconds * kRate));
}

double noteHz(double note) { return 440.0 * std::pow(2.0, (note - 69.0) / 12.0); }

double dbToGain(double db) { return std::pow(10.0, db / 20.0); }

double gainToDb(double gain) { return gain > 1e-10 ? 20.0 * std::log10(gain) : -200.0; }

// --- Envelope -------------------------------------------------------------

Envelope::Envelope(double startLevel) { points_.push_back({0.0, startLevel, 0.0}); }

Envelope& Envelope::to(double seconds, double level, double curve) {
    points_.push_back({points_.back().time + std::max(seconds, 0.0), level, curve});
    return *this;
}

Envelope& Envelope::hold(double seconds) { return to(seconds, points_.back().level); }

double Envelope::length() const { return points_.back().time; }

double Envelope::at(double t) const {
    if (t <= points_.front().time) return points_.front().level;
    for (std::size_t i = 1; i < points_.size(); ++i) {
        const Point& a = points_[i - 1];
        const Point& b = points_[i];
        if (t >= b.time) continue;
        const double span = b.time - a.time;
        double u = span > 0 ? (t - a.time) / span : 1.0;
        if (b.curve > 1e-6) {
            u = (1.0 - std::exp(-b.curve * u)) / (1.0 - std::exp(-b.curve));
        } else if (b.curve < -1e-6) {
            u = (std::exp(-b.curve * u) - 1.0) / (std::exp(-b.curve) - 1.0);
        }
        return a.level + (b.level - a.level) * u;
    }
    return points_.back().level;
}

double strike(double t, double attack, double tau) {
    if (t < 0) return 0.0;
    if (t < attack) return t / attack;
    return std::exp(-(t - attack) / tau);
}

// --- Noise ----------------------------------------------------------------

float Noise::white() {
    const int high = random_.next();
    const int low = random_.next();
    const double v = static_cast<double>((high << 15) | low) / static_cast<double>((1 << 30) - 1);
    return static_cast<float>(v * 2.0 - 1.0);
}

float Noise::pink() {
    const float w = white();
    b0_ = 0.99765f * b0_ + w * 0.0990460f;
    b1_ = 0.96300f * b1_ + w * 0.2965164f;
    b2_ = 0.57000f * b2_ + w * 1.0526913f;
    return (b0_ + b1_ + b2_ + w * 0.1848f) * 0.3f;
}

// --- Oscillator -----------------------------------------------------------

namespace {

// The correction that rounds off a saw's or square's step within one sample.
double polyBlep(double t, double dt) {
    if (dt <= 0) return 0;
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

}  // namespace

Oscillator::Oscillator(Wave wave, double phase, double pulseWidth)
    : wave_(wave), phase_(phase - std::floor(phase)), width_(std::clamp(pulseWidth, 0.05, 0.95)) {}

float Oscillator::next(double hz) {
    const double dt = std::min(std::fabs(hz) / kRate, 0.5);
    double v = 0;
    switch (wave_) {
        case Wave::Sine:
            v = sineOf(phase_);
            break;
        case Wave::Triangle:
            v = 4.0 * std::fabs(phase_ - 0.5) - 1.0;
            break;
        case Wave::Saw:
            v = 2.0 * phase_ - 1.0 - polyBlep(phase_, dt);
            break;
        case Wave::Square:
        case Wave::Pulse: {
            const double w = wave_ == Wave::Square ? 0.5 : width_;
            v = phase_ < w ? 1.0 : -1.0;
            v += polyBlep(phase_, dt);
            double shifted = phase_ + (1.0 - w);
            shifted -= std::floor(shifted);
            v -= polyBlep(shifted, dt);
            // A pulse narrower than half carries an offset; take it out.
            v -= 2.0 * w - 1.0;
            break;
        }
    }
    phase_ += dt;
    if (phase_ >= 1.0) phase_ -= std::floor(phase_);
    return static_cast<float>(v);
}

// --- Filters --------------------------------------------------------------

namespace {

struct Angles {
    double cosw, sinw;
};

Angles anglesOf(double hz) {
    const double f = std::clamp(hz, 5.0, kRate * 0.49);
    const double w = kTwoPi * f / kRate;
    return {std::cos(w), std::sin(w)};
}

}  // namespace

Biquad Biquad::make(double b0, double b1, double b2, double a0, double a1, double a2) {
    Biquad q;
    q.b0_ = b0 / a0;
    q.b1_ = b1 / a0;
    q.b2_ = b2 / a0;
    q.a1_ = a1 / a0;
    q.a2_ = a2 / a0;
    return q;
}

Biquad Biquad::lowPass(double hz, double qf) {
    const Angles a = anglesOf(hz);
    const double alpha = a.sinw / (2.0 * qf);
    return make((1 - a.cosw) / 2, 1 - a.cosw, (1 - a.cosw) / 2, 1 + alpha, -2 * a.cosw, 1 - alpha);
}

Biquad Biquad::highPass(double hz, double qf) {
    const Angles a = anglesOf(hz);
    const double alpha = a.sinw / (2.0 * qf);
    return make((1 + a.cosw) / 2, -(1 + a.cosw), (1 + a.cosw) / 2, 1 + alpha, -2 * a.cosw, 1 - alpha);
}

Biquad Biquad::bandPass(double hz, double qf) {
    const Angles a = anglesOf(hz);
    const double alpha = a.sinw / (2.0 * qf);
    return make(alpha, 0, -alpha, 1 + alpha, -2 * a.cosw, 1 - alpha);
}

Biquad Biquad::peak(double hz, double qf, double db) {
    const Angles a = anglesOf(hz);
    const double alpha = a.sinw / (2.0 * qf);
    const double A = std::pow(10.0, db / 40.0);
    return make(1 + alpha * A, -2 * a.cosw, 1 - alpha * A, 1 + alpha / A, -2 * a.cosw, 1 - alpha / A);
}

Biquad Biquad::highShelf(double hz, double qf, double db) {
    const Angles a = anglesOf(hz);
    const double alpha = a.sinw / (2.0 * qf);
    const double A = std::pow(10.0, db / 40.0);
    const double r = 2 * std::sqrt(A) * alpha;
    return make(A * ((A + 1) + (A - 1) * a.cosw + r), -2 * A * ((A - 1) + (A + 1) * a.cosw),
                A * ((A + 1) + (A - 1) * a.cosw - r), (A + 1) - (A - 1) * a.cosw + r, 2 * ((A - 1) - (A + 1) * a.cosw),
                (A + 1) - (A - 1) * a.cosw - r);
}

Biquad Biquad::lowShelf(double hz, double qf, double db) {
    const Angles a = anglesOf(hz);
    const double alpha = a.sinw / (2.0 * qf);
    const double A = std::pow(10.0, db / 40.0);
    const double r = 2 * std::sqrt(A) * alpha;
    return make(A * ((A + 1) - (A - 1) * a.cosw + r), 2 * A * ((A - 1) - (A + 1) * a.cosw),
                A * ((A + 1) - (A - 1) * a.cosw - r), (A + 1) + (A - 1) * a.cosw + r, -2 * ((A - 1) + (A + 1) * a.cosw),
                (A + 1) + (A - 1) * a.cosw - r);
}

float Biquad::process(float x) {
    const double y = b0_ * x + z1_;
    z1_ = b1_ * x - a1_ * y + z2_;
    z2_ = b2_ * x - a2_ * y;
    return static_cast<float>(y);
}

void Biquad::process(Mono& samples) {
    for (float& s : samples) s = process(s);
}

Svf::Out Svf::process(float x, double hz, double q) {
    if (hz != hz_ || q != q_) {
        hz_ = hz;
        q_ = q;
        const double g = std::tan(kPi * std::clamp(hz, 10.0, kRate * 0.45) / kRate);
        k_ = 1.0 / std::max(q, 0.05);
        a1_ = 1.0 / (1.0 + g * (g + k_));
        a2_ = g * a1_;
        a3_ = g * a2_;
    }
    const double v3 = x - ic2_;
    const double v1 = a1_ * ic1_ + a2_ * v3;
    const double v2 = ic2_ + a2_ * ic1_ + a3_ * v3;
    ic1_ = 2 * v1 - ic1_;
    ic2_ = 2 * v2 - ic2_;
    return {static_cast<float>(v2), static_cast<float>(v1), static_cast<float>(x - k_ * v1 - v2)};
}

namespace {

constexpr int kSineTableSize = 4096;

const std::vector<double>& sineTable() {
    static const std::vector<double> table = [] {
        std::vector<double> t(kSineTableSize + 1);
        for (int i = 0; i <= kSineTableSize; ++i)
            t[static_cast<std::size_t>(i)] = std::sin(kTwoPi * i / kSineTableSize);
        return t;
    }();
    return table;
}

}  // namespace

float sineOf(double cycles) {
    const std::vector<double>& table = sineTable();
    const double wrapped = cycles - std::floor(cycles);
    const double at = wrapped * kSineTableSize;
    const int i = std::min(static_cast<int>(at), kSineTableSize - 1);
    const double f = at - i;
    return static_cast<float>(table[static_cast<std::size_t>(i)] * (1.0 - f) +
                              table[static_cast<std::size_t>(i) + 1] * f);
}

// --- Plucked string -------------------------------------------------------

Mono pluck(double hz, double seconds, double brightness, double decaySeconds, std::uint32_t seed) {
    Mono out(samplesOf(seconds));
    // The loop's own averaging adds half a sample; a first-order allpass
    // supplies the fraction, so the string is in tune at any pitch.
    double period = kRate / hz - 0.5;
    int whole = static_cast<int>(std::floor(period));
    double fraction = period - whole;
    if (fraction < 0.1) {
        whole -= 1;
        fraction += 1.0;
    }
    whole = std::max(whole, 2);
    const double c = (1.0 - fraction) / (1.0 + fraction);
    const double loss = std::pow(10.0, -3.0 / (hz * std::max(decaySeconds, 0.01)));

    std::vector<float> line(static_cast<std::size_t>(whole));
    Noise noise(seed);
    const double smooth = std::clamp(brightness, 0.05, 1.0);
    double state = 0, mean = 0;
    for (float& s : line) {
        state += smooth * (noise.white() - state);
        s = static_cast<float>(state);
        mean += state;
    }
    mean /= static_cast<double>(line.size());
    for (float& s : line) s = static_cast<float>(s - mean);

    std::size_t at = 0;
    double previous = 0, apIn = 0, apOut = 0;
    for (float& o : out) {
        const double current = line[at];
        o = static_cast<float>(current);
        const double averaged = loss * 0.5 * (current + previous);
        previous = current;
        const double passed = c * averaged + apIn - c * apOut;
        apIn = averaged;
        apOut = passed;
        line[at] = static_cast<float>(passed);
        at = (at + 1) % line.size();
    }
    return out;
}

// --- Reverb ---------------------------------------------------------------

Reverb::Reverb(double roomSize, double damping)
    : feedback_(static_cast<float>(std::clamp(roomSize, 0.0, 1.0) * 0.28 + 0.7)),
      damp_(static_cast<float>(std::clamp(damping, 0.0, 1.0) * 0.4)) {
    const int combs[] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
    const int passes[] = {556, 441, 341, 225};
    constexpr int kSpread = 23;
    for (int n : combs) {
        combsLeft_.push_back({std::vector<float>(static_cast<std::size_t>(n)), 0, 0});
        combsRight_.push_back({std::vector<float>(static_cast<std::size_t>(n + kSpread)), 0, 0});
    }
    for (int n : passes) {
        passesLeft_.push_back({std::vector<float>(static_cast<std::size_t>(n)), 0});
        passesRight_.push_back({std::vector<float>(static_cast<std::size_t>(n + kSpread)), 0});
    }
}

float Reverb::runSide(std::vector<Comb>& combs, std::vector<Allpass>& passes, float in) {
    float sum = 0;
    for (Comb& c : combs) {
        const float out = c.line[c.at];
        c.store = out * (1.0f - damp_) + c.store * damp_;
        c.line[c.at] = in + c.store * feedback_;
        if (++c.at == c.line.size()) c.at = 0;
        sum += out;
    }
    for (Allpass& p : passes) {
        const float delayed = p.line[p.at];
        const float out = delayed - sum;
        p.line[p.at] = sum + delayed * 0.5f;
        if (++p.at == p.line.size()) p.at = 0;
        sum = out;
    }
    return sum;
}

void Reverb::process(float in, float& outLeft, float& outRight) {
    const float scaled = in * 0.015f;
    outLeft = runSide(combsLeft_, passesLeft_, scaled);
    outRight = runSide(combsRight_, passesRight_, scaled);
}

// --- Mixing ---------------------------------------------------------------

void addInto(Mono& destination, const Mono& source, std::size_t at, float gain) {
    if (at >= destination.size()) return;
    const std::size_t n = std::min(source.size(), destination.size() - at);
    for (std::size_t i = 0; i < n; ++i) destination[at + i] += source[i] * gain;
}

void scale(Mono& samples, float gain) {
    for (float& s : samples) s *= gain;
}

void scale(Stereo& samples, float gain) {
    scale(samples.left, gain);
    scale(samples.right, gain);
}

void fadeEdges(Mono& samples, double fadeInSeconds, double fadeOutSeconds) {
    const std::size_t n = samples.size();
    const std::size_t in = std::min(samplesOf(fadeInSeconds), n);
    for (std::size_t i = 0; i < in; ++i) samples[i] *= static_cast<float>(i) / static_cast<float>(in);
    const std::size_t out = std::min(samplesOf(fadeOutSeconds), n);
    for (std::size_t i = 0; i < out; ++i) {
        // A raised-cosine tail, ending on exactly zero.
        const double u = static_cast<double>(i) / static_cast<double>(out);
        samples[n - out + i] *= static_cast<float>(0.5 + 0.5 * std::cos(kPi * u));
    }
    if (n) samples[n - 1] = 0.0f;
}

void trimTail(Mono& samples, double thresholdDb) {
    const float threshold = static_cast<float>(dbToGain(thresholdDb)) * peakOf(samples);
    std::size_t last = 0;
    for (std::size_t i = 0; i < samples.size(); ++i)
        if (std::fabs(samples[i]) > threshold) last = i;
    const std::size_t keep = std::min(samples.size(), last + samplesOf(0.02));
    samples.resize(keep);
    fadeEdges(samples, 0.0, 0.02);
}

// --- Levels ---------------------------------------------------------------

float peakOf(const Mono& samples) {
    float peak = 0;
    for (float s : samples) peak = std::max(peak, std::fabs(s));
    return peak;
}

namespace {

constexpr std::size_t kHop = 441;        // 10 ms
constexpr std::size_t kWindowHops = 30;  // 300 ms

// The K-weighted signal's energy in blocks of 10 ms.
std::vector<double> weightedBlocks(const Mono& samples) {
    Biquad shelf = Biquad::highShelf(1681.97, 0.7071752, 3.99984);
    Biquad cut = Biquad::highPass(38.13547, 0.5003270);
    std::vector<double> blocks((samples.size() + kHop - 1) / kHop, 0.0);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double w = cut.process(shelf.process(samples[i]));
        blocks[i / kHop] += w * w;
    }
    return blocks;
}

// The loudest 300 ms; a sound shorter than that counts as padded with silence.
double loudestWindowDb(const std::vector<double>& blocks) {
    const double window = static_cast<double>(kHop * kWindowHops);
    double sum = 0, best = 0;
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        sum += blocks[i];
        if (i >= kWindowHops) sum -= blocks[i - kWindowHops];
        best = std::max(best, sum);
    }
    best /= window;
    return best > 1e-20 ? 10.0 * std::log10(best) : -200.0;
}

}  // namespace

Levels measure(const Mono& samples) {
    Levels l;
    l.seconds = static_cast<double>(samples.size()) / kRate;
    double sum = 0;
    for (float s : samples) sum += static_cast<double>(s) * s;
    l.peakDb = gainToDb(peakOf(samples));
    l.rmsDb = samples.empty() ? -200.0 : gainToDb(std::sqrt(sum / static_cast<double>(samples.size())));
    l.loudnessDb = loudestWindowDb(weightedBlocks(samples));
    return l;
}

Levels measure(const Stereo& samples) {
    Levels l;
    l.seconds = static_cast<double>(samples.frames()) / kRate;
    double sum = 0;
    for (std::size_t i = 0; i < samples.frames(); ++i)
        sum += static_cast<double>(samples.left[i]) * samples.left[i] +
               static_cast<double>(samples.right[i]) * samples.right[i];
    l.peakDb = gainToDb(std::max(peakOf(samples.left), peakOf(samples.right)));
    l.rmsDb = samples.frames() ? gainToDb(std::sqrt(sum / (2.0 * static_cast<double>(samples.frames())))) : -200.0;
    // Both sides count, averaged, so a centred stereo sound reads like its mono self.
    std::vector<double> left = weightedBlocks(samples.left);
    const std::vector<double> right = weightedBlocks(samples.right);
    for (std::size_t i = 0; i < left.size(); ++i) left[i] = 0.5 * (left[i] + right[i]);
    l.loudnessDb = loudestWindowDb(left);
    return l;
}

double normalise(Mono& samples, double loudnessDb, double peakCeilingDb) {
    const Levels before = measure(samples);
    if (before.peakDb <= -150) return 0;
    double gainDb = loudnessDb - before.loudnessDb;
    if (before.peakDb + gainDb > peakCeilingDb) gainDb = peakCeilingDb - before.peakDb;
    scale(samples, static_cast<float>(dbToGain(gainDb)));
    return gainDb;
}

void limitPeaks(Mono& samples, double ceilingDb) {
    const float ceiling = static_cast<float>(dbToGain(ceilingDb));
    const std::size_t n = samples.size();
    const std::size_t reach = samplesOf(0.003);
    // The gain each sample needs, spread to its neighbours (the lowest wins) ...
    std::vector<float> gain(n, 1.0f);
    for (std::size_t i = 0; i < n; ++i) {
        const float level = std::fabs(samples[i]);
        if (level <= ceiling) continue;
        const float need = ceiling / level;
        const std::size_t from = i > reach ? i - reach : 0, to = std::min(n, i + reach + 1);
        for (std::size_t j = from; j < to; ++j) gain[j] = std::min(gain[j], need);
    }
    // ... then smoothed over half that reach, which keeps every peak's gain at
    // or below what it needs, since all its neighbours were lowered with it.
    const std::size_t half = reach / 2;
    std::vector<double> prefix(n + 1, 0.0);
    for (std::size_t i = 0; i < n; ++i) prefix[i + 1] = prefix[i] + gain[i];
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t from = i > half ? i - half : 0, to = std::min(n, i + half + 1);
        samples[i] *= static_cast<float>((prefix[to] - prefix[from]) / static_cast<double>(to - from));
    }
    // The edges of the buffer average over fewer neighbours; hold them too.
    const float peak = peakOf(samples);
    if (peak > ceiling) scale(samples, ceiling / peak);
}

}  // namespace synth
