// The effects and the music as the generator makes them, before any file:
// every section renders distinct, finite variants without offset; the four
// wave chimes rise in pitch; the music loops are whole bars.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "music_generator.h"
#include "sound_effects.h"
#include "synth.h"
#include "game_sound_sections.h"

using namespace synth;

namespace {

// The strongest frequency of the first `size` samples (a power of two), by
// a Hann-windowed FFT with the peak interpolated between bins.
double dominantHz(const Mono& s, std::size_t size = 16384) {
    std::vector<std::complex<double>> a(size);
    for (std::size_t i = 0; i < size && i < s.size(); ++i)
        a[i] = s[i] * (0.5 - 0.5 * std::cos(kTwoPi * static_cast<double>(i) / static_cast<double>(size)));
    for (std::size_t i = 1, j = 0; i < size; ++i) {
        std::size_t bit = size >> 1;
        for (; j & bit; bit >>= 1) j ^= bit;
        j ^= bit;
        if (i < j) std::swap(a[i], a[j]);
    }
    for (std::size_t len = 2; len <= size; len <<= 1) {
        const std::complex<double> step = std::polar(1.0, -kTwoPi / static_cast<double>(len));
        for (std::size_t i = 0; i < size; i += len) {
            std::complex<double> w = 1;
            for (std::size_t k = 0; k < len / 2; ++k, w *= step) {
                const std::complex<double> u = a[i + k], v = a[i + k + len / 2] * w;
                a[i + k] = u + v;
                a[i + k + len / 2] = u - v;
            }
        }
    }
    std::size_t best = 1;
    for (std::size_t k = 1; k < size / 2; ++k)
        if (std::abs(a[k]) > std::abs(a[best])) best = k;
    const double l = std::log(std::abs(a[best - 1]) + 1e-12), c = std::log(std::abs(a[best]) + 1e-12),
                 r = std::log(std::abs(a[best + 1]) + 1e-12);
    const double shift = 0.5 * (l - r) / (l - 2 * c + r);
    return (static_cast<double>(best) + shift) * kRate / static_cast<double>(size);
}


}  // namespace

TEST(SoundDesign, EverySectionTheGamePlaysHasARecipe) {
    std::set<std::string> designed;
    for (const EffectDesign& d : effectDesigns()) {
        EXPECT_TRUE(designed.insert(d.section).second) << "twice: " << d.section;
        EXPECT_GE(d.variants, 1) << d.section;
        EXPECT_LE(d.variants, 9) << d.section << ": a group holds nine names";
        EXPECT_GT(d.maxvolume, 0.0) << d.section;
        EXPECT_LE(d.maxvolume, 1.0) << d.section;
        EXPECT_FALSE(d.description.empty()) << d.section;
    }
    for (const std::string& name : sectionsTheGamePlays()) EXPECT_TRUE(designed.count(name)) << name;
}

TEST(SoundDesign, EveryVariantIsCleanNormalisedAndItsOwn) {
    std::map<std::size_t, std::string> fingerprints;
    for (const EffectDesign& d : effectDesigns()) {
        for (int v = 0; v < d.variants; ++v) {
            SCOPED_TRACE(d.section + " variant " + std::to_string(v));
            const Mono s = renderEffect(d.section, v);
            ASSERT_GT(s.size(), samplesOf(0.03));
            EXPECT_LT(s.size(), samplesOf(5.0));
            for (float x : s) ASSERT_TRUE(std::isfinite(x));
            // The peak ceiling, one loudness and silence at both ends are
            // judged on the files as the game decodes them (the data suite).
            EXPECT_LE(measure(s).loudnessDb, kEffectLoudnessDb + 0.1);
            // No offset a speaker would push against.
            double mean = 0;
            for (float x : s) mean += x;
            EXPECT_LT(std::fabs(mean / static_cast<double>(s.size())), 0.01);
            std::size_t hash = s.size();
            for (std::size_t i = 0; i < s.size(); i += 7) hash = hash * 31 + std::hash<float>()(s[i]);
            const auto [at, fresh] = fingerprints.emplace(hash, d.section);
            EXPECT_TRUE(fresh) << "the same samples as " << at->second;
        }
    }
}

TEST(SoundDesign, RenderingIsRepeatable) {
    for (const char* section : {"magic", "birth", "fall", "swap"}) {
        EXPECT_EQ(renderEffect(section, 0), renderEffect(section, 0)) << section;
    }
    EXPECT_TRUE(renderEffect("no_such_section", 0).empty());
}

TEST(SoundDesign, TheFourWaveChimesRiseInPitch) {
    for (int v = 0; v < 2; ++v) {
        double previous = 0;
        for (const char* section : {"row", "row3", "row4", "row5"}) {
            const double hz = dominantHz(renderEffect(section, v));
            EXPECT_GT(hz, previous * 1.1) << section << " variant " << v << " is not higher than the wave before";
            previous = hz;
        }
    }
    // And each rings on its written note: C5, E5, G5, C6.
    EXPECT_NEAR(dominantHz(renderEffect("row", 0)), noteHz(72), 4.0);
    EXPECT_NEAR(dominantHz(renderEffect("row5", 0)), noteHz(84), 6.0);
}

// Length, peaks, the seam and the calmer menu track are judged on the
// encoded files through the game's decoder (the data suite); here what only
// the rendering knows, and the top of the spectrum before the encoder cuts
// into it: the hi-hats that tick under a whole level stay soft and dull,
// the band above 10 kHz far under the track.
TEST(MusicDesign, TwoLoopsOfWholeBarsTheMenuSlowerNeitherBrightOnTop) {
    const MusicTrack menu = renderMenuTheme(), game = renderGameTheme();
    for (const MusicTrack* t : {&menu, &game}) {
        SCOPED_TRACE(t->kind);
        const double seconds = static_cast<double>(t->samples.frames()) / kRate;
        EXPECT_NEAR(seconds, t->bars * 4 * 60.0 / t->bpm, 1.0 / kRate) << "not whole bars of four beats";
        // Against the loudest steps anywhere in the track the seam is ordinary.
        float largest = 0;
        for (std::size_t i = 1; i < t->samples.frames(); ++i)
            largest = std::max(largest, std::fabs(t->samples.left[i] - t->samples.left[i - 1]));
        EXPECT_LT(std::fabs(t->samples.left.front() - t->samples.left.back()), 0.5f * largest);
        EXPECT_FALSE(t->gamePath.empty());

        Mono top = t->samples.left;
        for (int order = 0; order < 2; ++order) Biquad::highPass(10000.0).process(top);
        double all = 0, high = 0;
        for (std::size_t i = 0; i < top.size(); ++i) {
            all += double(t->samples.left[i]) * t->samples.left[i];
            high += double(top[i]) * top[i];
        }
        EXPECT_LT(10.0 * std::log10(high / all), -24.0) << "a bright top over the whole track";
    }
    EXPECT_EQ(menu.kind, "menu");
    EXPECT_EQ(game.kind, "game");
    EXPECT_LT(menu.bpm, game.bpm);
}
