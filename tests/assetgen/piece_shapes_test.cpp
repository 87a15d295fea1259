// The eight ordinary kinds must be told apart by shape alone (players who
// cannot tell the colours apart), the special pieces must stand apart from
// all of them, and every animation must loop without a jump.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <vector>

#include "paint.h"
#include "piece_generator.h"

namespace {

struct Mask {
    int w = 0, h = 0;
    std::vector<bool> on;
    bool at(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h && on[y * w + x]; }
};

// Solid parts of the picture; the soft drop shadow stays below the threshold.
Mask maskOf(const Image& picture) {
    Mask m{picture.width, picture.frameHeight(), {}};
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x) m.on.push_back((picture.at(x, y) >> 24) >= 160);
    return m;
}

double overlap(const Mask& a, const Mask& b) {
    int both = 0, either = 0;
    for (std::size_t i = 0; i < a.on.size(); ++i) {
        both += a.on[i] && b.on[i];
        either += a.on[i] || b.on[i];
    }
    return either ? static_cast<double>(both) / either : 1.0;
}

// Outline radius from the centre of mass in 72 directions, divided by its
// mean: the same for one shape at any size.
std::vector<double> signature(const Mask& m) {
    double cx = 0, cy = 0;
    int n = 0;
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x)
            if (m.at(x, y)) {
                cx += x + 0.5;
                cy += y + 0.5;
                ++n;
            }
    cx /= n;
    cy /= n;
    std::vector<double> radii;
    double mean = 0;
    for (int i = 0; i < 72; ++i) {
        const double a = 2 * M_PI * i / 72;
        double r = 0;
        for (double t = 0; t < 40; t += 0.25)
            if (m.at(static_cast<int>(cx + t * std::cos(a)), static_cast<int>(cy + t * std::sin(a)))) r = t;
        radii.push_back(r);
        mean += r / 72;
    }
    for (double& r : radii) r /= mean;
    return radii;
}

double signatureDistance(const std::vector<double>& a, const std::vector<double>& b) {
    double d = 0;
    for (std::size_t i = 0; i < a.size(); ++i) d += std::fabs(a[i] - b[i]) / a.size();
    return d;
}

Mask shrunk(const Mask& m, double factor) {
    Mask out{m.w, m.h, std::vector<bool>(m.on.size(), false)};
    const double c = m.w / 2.0;
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x) {
            const double sx = c + (x + 0.5 - c) / factor, sy = c + (y + 0.5 - c) / factor;
            out.on[y * m.w + x] = m.at(static_cast<int>(sx), static_cast<int>(sy));
        }
    return out;
}

// Premultiplied mean difference of two frames, 0..1.
double frameDifference(const Image& a, const Image& b) {
    double d = 0;
    for (std::size_t i = 0; i < a.pixels.size(); ++i) {
        const Rgba p = unpackArgb(a.pixels[i]), q = unpackArgb(b.pixels[i]);
        d += std::fabs(p.r * p.a - q.r * q.a) + std::fabs(p.g * p.a - q.g * q.a) + std::fabs(p.b * p.a - q.b * q.a) +
             std::fabs(p.a - q.a);
    }
    return d / (4.0 * a.pixels.size());
}

// Thresholds: distinct outlines of similar size still overlap a lot (a
// circle and a square of the same width overlap about 0.8), so overlap alone
// only catches near-copies; the size-free outline signature catches one
// shape drawn twice at different sizes.
constexpr double kMaxOverlap = 0.85;
constexpr double kMinSignatureDistance = 0.05;

}  // namespace

TEST(PieceShapes, EveryPairOfOrdinaryKindsDiffersInSilhouette) {
    std::vector<Mask> masks;
    std::vector<std::vector<double>> signatures;
    for (int k = 0; k < 8; ++k) {
        masks.push_back(maskOf(pieceActiveFrame(k, 0, true)));
        signatures.push_back(signature(masks.back()));
    }
    for (int a = 0; a < 8; ++a)
        for (int b = a + 1; b < 8; ++b) {
            SCOPED_TRACE("kinds " + std::to_string(a) + " and " + std::to_string(b));
            EXPECT_LT(overlap(masks[a], masks[b]), kMaxOverlap);
            EXPECT_GT(signatureDistance(signatures[a], signatures[b]), kMinSignatureDistance);
        }
}

TEST(PieceShapes, TheMeasureCatchesOneShapeDrawnAtTwoSizes) {
    const Mask round = maskOf(pieceActiveFrame(0, 0, true));
    const Mask smaller = shrunk(round, 0.8);
    // The overlap alone would let this pass...
    EXPECT_LT(overlap(round, smaller), kMaxOverlap);
    // ...the outline signature does not.
    EXPECT_LT(signatureDistance(signature(round), signature(smaller)), kMinSignatureDistance);
}

TEST(PieceShapes, GreyAndColouredPiecesHaveTheSameSilhouette) {
    for (int k = 0; k < 8; ++k) {
        const Mask grey = maskOf(pieceActiveFrame(k, 0, true));
        const Mask colour = maskOf(pieceActiveFrame(k, 0, false));
        EXPECT_EQ(grey.on, colour.on) << "kind " << k;
    }
}

TEST(PieceShapes, BadAndRainbowPiecesStandApartFromEveryKind) {
    const Mask bad = maskOf(pieceActiveFrame(kBadKind, 0));
    const Mask rainbow = maskOf(rainbowFrame(0));
    for (int k = 0; k < 8; ++k) {
        const Mask kind = maskOf(pieceActiveFrame(k, 0, true));
        EXPECT_GT(signatureDistance(signature(bad), signature(kind)), kMinSignatureDistance) << "kind " << k;
        EXPECT_GT(signatureDistance(signature(rainbow), signature(kind)), kMinSignatureDistance) << "kind " << k;
    }
    // The bad piece is far darker than any jewel.
    auto meanLuminance = [](const Image& picture) {
        double sum = 0;
        int n = 0;
        for (std::uint32_t p : picture.pixels)
            if ((p >> 24) >= 160) {
                const Rgba c = unpackArgb(p);
                sum += luminance({c.r, c.g, c.b});
                ++n;
            }
        return sum / n;
    };
    double darkestJewel = 1;
    for (int k = 0; k < 8; ++k) darkestJewel = std::min(darkestJewel, meanLuminance(pieceActiveFrame(k, 0)));
    EXPECT_LT(meanLuminance(pieceActiveFrame(kBadKind, 0)), 0.6 * darkestJewel);
    // The rainbow piece shows every part of the colour wheel at once.
    std::vector<int> hues(6, 0);
    for (std::uint32_t p : rainbowFrame(0).pixels) {
        if ((p >> 24) < 160) continue;
        const Rgba c = unpackArgb(p);
        const float mx = std::max({c.r, c.g, c.b}), mn = std::min({c.r, c.g, c.b});
        if (mx - mn < 0.3f) continue;
        float h;
        if (mx == c.r)
            h = std::fmod((c.g - c.b) / (mx - mn) + 6.0f, 6.0f);
        else if (mx == c.g)
            h = (c.b - c.r) / (mx - mn) + 2;
        else
            h = (c.r - c.g) / (mx - mn) + 4;
        ++hues[static_cast<int>(h) % 6];
    }
    for (int h = 0; h < 6; ++h) EXPECT_GT(hues[h], 10) << "hue sector " << h;
}

TEST(PieceAnimations, LoopsCloseWithoutAJump) {
    auto check = [](const char* name, int frames, auto frameAt) {
        std::vector<Image> f;
        for (int i = 0; i < frames; ++i) f.push_back(frameAt(i));
        double largestStep = 0;
        for (int i = 0; i + 1 < frames; ++i) largestStep = std::max(largestStep, frameDifference(f[i], f[i + 1]));
        const double wrap = frameDifference(f[frames - 1], f[0]);
        EXPECT_LE(wrap, largestStep * 1.5 + 1e-4) << name;
        EXPECT_GT(largestStep, 0.0) << name << " does not move";
    };
    for (int k = 0; k <= kBadKind; ++k) {
        check("active", kActiveFrames, [k](int i) { return pieceActiveFrame(k, i); });
        check("help", kHelpFrames, [k](int i) { return pieceHelpFrame(k, i); });
    }
    check("rainbow", kRainbowFrames, rainbowFrame);
}

TEST(PieceAnimations, RestingPiecesStayInsideTheirSquare) {
    for (int k = 0; k <= kBadKind; ++k) {
        const Image piece = pieceActiveFrame(k, 0);
        ASSERT_EQ(piece.width, kPieceSize);
        ASSERT_EQ(piece.frameHeight(), kPieceSize);
        for (int i = 0; i < kPieceSize; ++i) {
            for (const std::uint32_t p : {piece.at(i, 0), piece.at(0, i), piece.at(i, kPieceSize - 1),
                                          piece.at(kPieceSize - 1, i)})
                EXPECT_LT(p >> 24, 100u) << "kind " << k << " touches the edge at " << i;
        }
    }
}
