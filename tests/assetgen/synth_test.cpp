// The pieces our sounds are made of: pitches, oscillators, filters, the
// plucked string's tuning, the level measurements, the normaliser and the
// limiter, and the WAV writer's bytes.

#include "synth.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "instruments.h"
#include "music_generator.h"
#include "wav_writer.h"

using namespace synth;

namespace {

Mono sine(double hz, double seconds, double amplitude = 1.0) {
    Mono out(samplesOf(seconds));
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<float>(amplitude * std::sin(kTwoPi * hz * i / kRate));
    return out;
}

double rmsOf(const Mono& s, std::size_t from = 0) {
    double sum = 0;
    for (std::size_t i = from; i < s.size(); ++i) sum += static_cast<double>(s[i]) * s[i];
    return std::sqrt(sum / static_cast<double>(s.size() - from));
}

// Frequency from rising zero crossings, with the crossing points
// interpolated, over the part of the buffer after `from`.
double measuredHz(const Mono& s, std::size_t from) {
    double first = -1, last = -1;
    int crossings = 0;
    for (std::size_t i = from + 1; i < s.size(); ++i) {
        if (s[i - 1] < 0 && s[i] >= 0) {
            const double at = static_cast<double>(i - 1) + s[i - 1] / (s[i - 1] - s[i]);
            if (first < 0) first = at;
            last = at;
            ++crossings;
        }
    }
    return crossings > 1 ? (crossings - 1) * kRate / (last - first) : 0.0;
}

// The period of a steady tone near `expectedHz`, from the peak of its
// autocorrelation (interpolated between lags), as a frequency.
double periodHz(const Mono& s, std::size_t from, std::size_t length, double expectedHz) {
    const double expected = kRate / expectedHz;
    auto correlation = [&](std::size_t lag) {
        double sum = 0;
        for (std::size_t i = from; i < from + length; ++i) sum += static_cast<double>(s[i]) * s[i + lag];
        return sum;
    };
    const std::size_t lo = static_cast<std::size_t>(expected * 0.8), hi = static_cast<std::size_t>(expected * 1.2) + 1;
    std::size_t best = lo;
    for (std::size_t lag = lo; lag <= hi; ++lag)
        if (correlation(lag) > correlation(best)) best = lag;
    const double l = correlation(best - 1), c = correlation(best), r = correlation(best + 1);
    return kRate / (static_cast<double>(best) + 0.5 * (l - r) / (l - 2 * c + r));
}

std::uint32_t le32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint16_t le16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

}  // namespace

TEST(SynthPitch, NotesAndNamesAgree) {
    EXPECT_DOUBLE_EQ(noteHz(69), 440.0);
    EXPECT_NEAR(noteHz(60), 261.626, 0.001);
    EXPECT_NEAR(noteHz(81), 880.0, 1e-9);
    EXPECT_EQ(parsePitch("C4"), 60);
    EXPECT_EQ(parsePitch("A4"), 69);
    EXPECT_EQ(parsePitch("F#5"), 78);
    EXPECT_EQ(parsePitch("Bb3"), 58);
    EXPECT_EQ(parsePitch("G#3"), 56);
    EXPECT_EQ(parsePitch("B0"), 23);
    EXPECT_EQ(parsePitch("H4"), -1);
    EXPECT_EQ(parsePitch("C"), -1);
    EXPECT_EQ(parsePitch("C#"), -1);
    EXPECT_EQ(parsePitch("r"), -1);
}

TEST(SynthOscillator, EachWaveRunsAtItsPitchAndStaysInRange) {
    for (Wave wave : {Wave::Sine, Wave::Triangle, Wave::Saw, Wave::Square, Wave::Pulse}) {
        SCOPED_TRACE(static_cast<int>(wave));
        Oscillator osc(wave, 0.1, 0.3);
        Mono out(kRate);
        double sum = 0;
        for (float& s : out) {
            s = osc.next(441.0);
            sum += s;
        }
        EXPECT_NEAR(measuredHz(out, 0), 441.0, 1.5);
        // Band-limited corners ring a little past full scale, never far (a
        // narrow pulse, its offset taken out, reaches further up than down).
        EXPECT_LT(peakOf(out), wave == Wave::Pulse ? 1.6f : 1.2f);
        EXPECT_NEAR(sum / kRate, 0.0, 0.02) << "the wave carries an offset";
    }
}

TEST(SynthOscillator, TheSineTableIsCloseToTheTrueSine) {
    for (int i = 0; i <= 1000; ++i) {
        const double x = i / 997.0 - 0.3;
        EXPECT_NEAR(sineOf(x), std::sin(kTwoPi * x), 2e-6) << x;
    }
}

TEST(SynthFilter, LowAndHighPassSplitTheSpectrum) {
    const Mono low = sine(100, 0.5), high = sine(10000, 0.5);
    auto through = [](Biquad f, Mono s) {
        f.process(s);
        return rmsOf(s, s.size() / 2);  // after the filter has settled
    };
    const double lowRms = rmsOf(low), highRms = rmsOf(high);
    EXPECT_NEAR(gainToDb(through(Biquad::lowPass(1000), low) / lowRms), 0.0, 0.5);
    EXPECT_LT(gainToDb(through(Biquad::lowPass(1000), high) / highRms), -35.0);
    EXPECT_LT(gainToDb(through(Biquad::highPass(1000), low) / lowRms), -35.0);
    EXPECT_NEAR(gainToDb(through(Biquad::highPass(1000), high) / highRms), 0.0, 0.5);
    EXPECT_NEAR(gainToDb(through(Biquad::bandPass(10000, 2.0), high) / highRms), 0.0, 0.5);
    EXPECT_NEAR(gainToDb(through(Biquad::peak(10000, 1.0, 6.0), high) / highRms), 6.0, 0.3);
    EXPECT_NEAR(gainToDb(through(Biquad::highShelf(2000, 0.707, -9.0), high) / highRms), -9.0, 0.5);
    EXPECT_NEAR(gainToDb(through(Biquad::lowShelf(1000, 0.707, 4.0), low) / lowRms), 4.0, 0.3);
}

TEST(SynthFilter, TheStateVariableFilterFollowsItsCutoff) {
    const Mono high = sine(8000, 0.3);
    Svf open, shut;
    Mono a(high.size()), b(high.size());
    for (std::size_t i = 0; i < high.size(); ++i) {
        a[i] = open.process(high[i], 16000, 0.707).low;
        b[i] = shut.process(high[i], 500, 0.707).low;
    }
    EXPECT_GT(gainToDb(rmsOf(a, a.size() / 2) / rmsOf(high)), -3.0);
    EXPECT_LT(gainToDb(rmsOf(b, b.size() / 2) / rmsOf(high)), -40.0);
}

TEST(SynthPluck, TheStringIsInTuneAtLowAndHighPitches) {
    // The fractional delay matters most high up, where one sample is a big
    // part of the period.
    for (double hz : {110.0, 440.0, 1318.5, 2093.0}) {
        const Mono s = pluck(hz, 0.6, 0.4, 2.0, 7);
        EXPECT_NEAR(periodHz(s, samplesOf(0.1), samplesOf(0.2), hz) / hz, 1.0, 0.002) << hz;
    }
}

TEST(SynthPluck, ADecayTimeMeansSixtyDecibels) {
    const Mono s = pluck(220, 1.2, 0.5, 1.0, 3);
    const double early = rmsOf(Mono(s.begin() + samplesOf(0.05), s.begin() + samplesOf(0.15)));
    const double late = rmsOf(Mono(s.begin() + samplesOf(1.05), s.begin() + samplesOf(1.15)));
    EXPECT_NEAR(gainToDb(late / early), -60.0, 8.0);
}

TEST(SynthEnvelope, SegmentsReachTheirLevelsAtTheirTimes) {
    Envelope e(0.0);
    e.to(0.1, 1.0).hold(0.2).to(0.5, 0.0, 4.0);
    EXPECT_DOUBLE_EQ(e.at(-1), 0.0);
    EXPECT_NEAR(e.at(0.05), 0.5, 1e-9);
    EXPECT_DOUBLE_EQ(e.at(0.2), 1.0);
    EXPECT_NEAR(e.at(0.8), 0.0, 1e-9);
    EXPECT_DOUBLE_EQ(e.length(), 0.8);
    // A bent fall drops faster than a straight one at first.
    EXPECT_LT(e.at(0.4), 1.0 - 0.2 / 0.5);
    EXPECT_DOUBLE_EQ(strike(0.0005, 0.001, 0.1), 0.5);
    EXPECT_NEAR(strike(0.101, 0.001, 0.1), std::exp(-1.0), 1e-12);
}

TEST(SynthLevels, ASineReadsAsTheTextbookSays) {
    const Levels full = measure(sine(1000, 1.0));
    EXPECT_NEAR(full.peakDb, 0.0, 0.01);
    EXPECT_NEAR(full.rmsDb, -3.01, 0.02);
    EXPECT_NEAR(full.seconds, 1.0, 1e-9);
    // At 1 kHz the ear's weighting adds well under a decibel.
    EXPECT_NEAR(full.loudnessDb, -3.01, 1.0);
    // A low hum counts for less than a mid tone of the same level, a
    // treble tone for a little more.
    EXPECT_LT(measure(sine(40, 1.0)).loudnessDb, full.loudnessDb - 1.0);
    EXPECT_GT(measure(sine(6000, 1.0)).loudnessDb, full.loudnessDb + 2.0);
}

TEST(SynthLevels, LoudnessIsTheLoudestStretchNotTheAverage) {
    Mono s(samplesOf(2.0));
    const Mono burst = sine(1000, 0.3, 0.5);
    addInto(s, burst, samplesOf(1.0));
    const Levels l = measure(s);
    EXPECT_NEAR(l.loudnessDb, gainToDb(0.5) - 3.01, 1.0);
    EXPECT_LT(l.rmsDb, l.loudnessDb - 7.0);
    // A sound shorter than the window counts as padded with silence.
    EXPECT_NEAR(measure(sine(1000, 0.075, 0.5)).loudnessDb, gainToDb(0.5) - 3.01 - 6.02, 1.0);
}

TEST(SynthLevels, NormaliseMeetsTheTargetOrTheCeilingWhicheverComesFirst) {
    Mono quiet = sine(1000, 0.5, 0.01);
    normalise(quiet, -20.0, -1.0);
    EXPECT_NEAR(measure(quiet).loudnessDb, -20.0, 0.05);
    // A click cannot reach the loudness without passing the ceiling.
    Mono click(samplesOf(0.5));
    click[100] = 0.1f;
    normalise(click, -20.0, -1.0);
    EXPECT_NEAR(measure(click).peakDb, -1.0, 0.01);
}

TEST(SynthLevels, TheLimiterHoldsPeaksAndLeavesTheRestAlone) {
    Mono s = sine(500, 1.0, 0.3);
    s[samplesOf(0.5)] = 0.99f;  // one sharp spike
    limitPeaks(s, gainToDb(0.5));
    EXPECT_LE(peakOf(s), 0.5f + 1e-6f);
    // Far from the spike nothing changed.
    EXPECT_NEAR(s[samplesOf(0.2)], 0.3 * std::sin(kTwoPi * 500 * samplesOf(0.2) / kRate), 1e-6);
    EXPECT_NEAR(rmsOf(Mono(s.begin(), s.begin() + samplesOf(0.45))), 0.3 / std::sqrt(2.0), 0.002);
}

TEST(SynthMixing, FadesEndOnSilenceAndTrimmingCutsOnlyTheQuietTail) {
    Mono s = sine(300, 1.0, 0.8);
    fadeEdges(s, 0.01, 0.05);
    EXPECT_EQ(s.front(), 0.0f);
    EXPECT_EQ(s.back(), 0.0f);
    Mono tail(samplesOf(1.0));
    addInto(tail, sine(300, 0.3, 0.8), 0);
    trimTail(tail, -60.0);
    EXPECT_NEAR(static_cast<double>(tail.size()) / kRate, 0.32, 0.005);
    EXPECT_EQ(tail.back(), 0.0f);
}

TEST(SynthVoices, NotesLastTheirHoldPlusReleaseAndEndOnSilence) {
    const std::vector<Mono> voices = {
        fmNote(electricPiano(), 440, 0.5),
        brass(220, 0.5, 0.5, 1),
        pad(220, 0.5, 1200, 2),
        bass(55, 0.5, 0.5),
        lead(440, 0.5, 0.5),
        pluckNote(330, 0.5, 0.5, 3),
        struck(880, 0.5, 0.2, glassPartials()),
    };
    for (std::size_t i = 0; i < voices.size(); ++i) {
        SCOPED_TRACE(i);
        const Mono& v = voices[i];
        EXPECT_GE(v.size(), samplesOf(0.5));
        EXPECT_LT(v.size(), samplesOf(2.0));
        EXPECT_GT(peakOf(v), 0.05f);
        EXPECT_LT(peakOf(v), 2.0f);
        EXPECT_LT(std::fabs(v.front()), 0.02f) << "starts with a step";
        EXPECT_LT(std::fabs(v.back()), 0.002f) << "ends with a step";
        for (float s : v) ASSERT_TRUE(std::isfinite(s));
    }
}

TEST(WavWriter, WritesAPlainPcmFileTheReaderExpects) {
    Mono s = {0.0f, 0.5f, -0.5f, 1.0f, -1.0f, 2.0f, -3.0f, 0.00002f};
    const std::vector<std::uint8_t> b = encodeWav(s, 22050);
    ASSERT_EQ(b.size(), 44u + 16u);
    EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF");
    EXPECT_EQ(le32(b, 4), b.size() - 8);
    EXPECT_EQ(std::string(b.begin() + 8, b.begin() + 16), "WAVEfmt ");
    EXPECT_EQ(le32(b, 16), 16u);
    EXPECT_EQ(le16(b, 20), 1);  // PCM
    EXPECT_EQ(le16(b, 22), 1);  // mono
    EXPECT_EQ(le32(b, 24), 22050u);
    EXPECT_EQ(le32(b, 28), 44100u);
    EXPECT_EQ(le16(b, 32), 2);
    EXPECT_EQ(le16(b, 34), 16);
    EXPECT_EQ(std::string(b.begin() + 36, b.begin() + 40), "data");
    EXPECT_EQ(le32(b, 40), 16u);
    const std::vector<std::int16_t> expected = {0, 16384, -16384, 32767, -32767, 32767, -32767, 1};
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(static_cast<std::int16_t>(le16(b, 44 + 2 * i)), expected[i]) << i;

    Stereo st(2);
    st.left = {0.25f, -0.25f};
    st.right = {1.0f, 0.0f};
    const std::vector<std::uint8_t> c = encodeWav(st, 44100);
    EXPECT_EQ(le16(c, 22), 2);
    EXPECT_EQ(le32(c, 28), 44100u * 4);
    EXPECT_EQ(le16(c, 32), 4);
    EXPECT_EQ(static_cast<std::int16_t>(le16(c, 44)), 8192);
    EXPECT_EQ(static_cast<std::int16_t>(le16(c, 46)), 32767);
    EXPECT_EQ(static_cast<std::int16_t>(le16(c, 48)), -8192);
}
