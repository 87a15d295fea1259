#pragma once
// The building blocks of our sound: oscillators, envelopes, noise, filters,
// a plucked string, a reverb, and the level measurements every sound is
// normalised with. Samples are 32-bit floats at 44 100 Hz, full scale 1.0.
// Nothing here reads a clock or an unseeded source: the same program makes
// the same samples on every run.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "seeded_random.h"

namespace synth {

constexpr int kRate = 44100;
constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;

using Mono = std::vector<float>;

struct Stereo {
    Mono left, right;
    explicit Stereo(std::size_t frames = 0) : left(frames), right(frames) {}
    std::size_t frames() const { return left.size(); }
};

std::size_t samplesOf(double seconds);
// MIDI note number to Hz: 69 is A4, 440 Hz; 60 is middle C.
double noteHz(double note);
double dbToGain(double db);
// -200 for silence.
double gainToDb(double gain);

// A level that moves from point to point. Each segment is linear, or bent:
// a positive curve moves fast first and settles slowly (the shape of a
// natural decay), a negative one starts slowly.
class Envelope {
public:
    explicit Envelope(double startLevel = 0.0);
    Envelope& to(double seconds, double level, double curve = 0.0);
    Envelope& hold(double seconds);
    double at(double seconds) const;
    double length() const;
    double finalLevel() const { return points_.back().level; }

private:
    struct Point {
        double time, level, curve;
    };
    std::vector<Point> points_;
};

// The usual percussive shape: a straight rise over `attack`, then an
// exponential fall with time constant `tau` (1/e after tau seconds).
double strike(double t, double attack, double tau);

// White noise in -1..1 and a gently filtered pink, from a fixed seed.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : random_(seed) {}
    float white();
    float pink();

private:
    SeededRandom random_;
    float b0_ = 0, b1_ = 0, b2_ = 0;
};

enum class Wave { Sine, Triangle, Saw, Square, Pulse };

// A running oscillator. The frequency may change every sample (glides,
// vibrato); saw and square are band-limited (polyBLEP) so high notes stay
// clean.
class Oscillator {
public:
    explicit Oscillator(Wave wave, double phase = 0.0, double pulseWidth = 0.5);
    float next(double hz);
    double phase() const { return phase_; }

private:
    Wave wave_;
    double phase_;
    double width_;
};

// A biquad section (the familiar cookbook designs).
class Biquad {
public:
    static Biquad lowPass(double hz, double q = 0.7071);
    static Biquad highPass(double hz, double q = 0.7071);
    static Biquad bandPass(double hz, double q);  // 0 dB at the centre
    static Biquad peak(double hz, double q, double db);
    static Biquad highShelf(double hz, double q, double db);
    static Biquad lowShelf(double hz, double q, double db);
    float process(float x);
    void process(Mono& samples);

private:
    static Biquad make(double b0, double b1, double b2, double a0, double a1, double a2);
    double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
    double z1_ = 0, z2_ = 0;
};

// A state variable filter whose cutoff may move every sample (sweeps). The
// coefficients are worked out again only when the cutoff or Q changes.
class Svf {
public:
    struct Out {
        float low, band, high;
    };
    Out process(float x, double hz, double q);

private:
    double ic1_ = 0, ic2_ = 0;
    double hz_ = -1, q_ = -1;
    double k_ = 0, a1_ = 0, a2_ = 0, a3_ = 0;
};

// sin(2 pi x) for x in cycles, from a table: cheap enough for thousands of
// notes, within a millionth of the true value.
float sineOf(double cycles);

// A plucked string (Karplus-Strong): `brightness` 0..1 shapes the pluck,
// `decaySeconds` is the time to fall by 60 dB.
Mono pluck(double hz, double seconds, double brightness, double decaySeconds, std::uint32_t seed);

// A stereo room (eight damped combs and four allpasses per side).
class Reverb {
public:
    Reverb(double roomSize, double damping);
    void process(float in, float& outLeft, float& outRight);

private:
    struct Comb {
        std::vector<float> line;
        std::size_t at = 0;
        float store = 0;
    };
    struct Allpass {
        std::vector<float> line;
        std::size_t at = 0;
    };
    float runSide(std::vector<Comb>& combs, std::vector<Allpass>& passes, float in);
    std::vector<Comb> combsLeft_, combsRight_;
    std::vector<Allpass> passesLeft_, passesRight_;
    float feedback_, damp_;
};

// Mixing helpers.
void addInto(Mono& destination, const Mono& source, std::size_t at, float gain = 1.0f);
void scale(Mono& samples, float gain);
void scale(Stereo& samples, float gain);
// Short fades so a sound never starts or ends on a step.
void fadeEdges(Mono& samples, double fadeInSeconds, double fadeOutSeconds);
// Cuts trailing samples below `thresholdDb` (keeping a short fade).
void trimTail(Mono& samples, double thresholdDb);

// Levels. Loudness is K-weighted (a high shelf and a low cut, roughly how
// loud the ear finds it) over the loudest 300 ms window, in dB relative to
// full scale: a sound's "how loud does it hit", independent of its length.
struct Levels {
    double seconds = 0;
    double peakDb = -200;
    double rmsDb = -200;
    double loudnessDb = -200;
};
float peakOf(const Mono& samples);
Levels measure(const Mono& samples);
Levels measure(const Stereo& samples);

// Scales to the loudness asked for, unless that would push the peak above
// the ceiling; then the peak sits on the ceiling. Returns the gain in dB.
double normalise(Mono& samples, double loudnessDb, double peakCeilingDb);

// Brings every peak under the ceiling with a gain that dips smoothly for a
// few milliseconds around it and leaves the rest alone: the sharp front of a
// tap or a click gives way, the body of the sound keeps its level.
void limitPeaks(Mono& samples, double ceilingDb);

}  // namespace synth
