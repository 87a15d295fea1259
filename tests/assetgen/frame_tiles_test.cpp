// The frame tiles, placed by the board's rules around any field shape, must
// compose one seamless moulding: exactly the picture drawn in one piece from
// each point's true distance to the field.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "frame_tiles.h"
#include "paint.h"
#include "seeded_random.h"

namespace {

struct Field {
    int w, h;
    std::vector<bool> active;
    bool on(int row, int col) const { return row >= 0 && row < h && col >= 0 && col < w && active[row * w + col]; }
};

const Image& tile(int index) {
    static std::vector<Image> tiles = [] {
        std::vector<Image> t;
        for (int i = 0; i < kFrameTileCount; ++i) t.push_back(renderFrameTile(i));
        return t;
    }();
    return tiles[index];
}

// The board with its ring of outside cells; cell (row, col) is at
// ((col + 1) * 48, (row + 1) * 48).
Image composed(const Field& f, const std::vector<FrameTile>& placements) {
    Image out((f.w + 2) * kTileSize, (f.h + 2) * kTileSize);
    for (const FrameTile& p : placements)
        drawOver(out, tile(p.tile), (p.col + 1) * kTileSize, (p.row + 1) * kTileSize);
    return out;
}

Image drawnInOnePiece(const Field& f) {
    return renderShader((f.w + 2) * kTileSize, (f.h + 2) * kTileSize, 4, [&](float x, float y) -> Rgba {
        const int col = static_cast<int>(std::floor(x / kTileSize)) - 1;
        const int row = static_cast<int>(std::floor(y / kTileSize)) - 1;
        if (f.on(row, col)) return {};
        // Nearest playing cell; where two are equally near (the mitre of an
        // inner corner) the moulding faces between them.
        float best = 1e9f;
        Vec2 outward{};
        for (int r = 0; r < f.h; ++r)
            for (int c = 0; c < f.w; ++c) {
                if (!f.on(r, c)) continue;
                const float x0 = (c + 1) * kTileSize, y0 = (r + 1) * kTileSize;
                const float nx = std::clamp(x, x0, x0 + kTileSize), ny = std::clamp(y, y0, y0 + kTileSize);
                const float d = std::hypot(x - nx, y - ny);
                const Vec2 away = d > 0 ? Vec2{(x - nx) / d, (y - ny) / d} : Vec2{};
                if (d < best - 1e-4f) {
                    best = d;
                    outward = away;
                } else if (d < best + 1e-4f) {
                    outward = {outward.x + away.x, outward.y + away.y};
                }
            }
        const float len = std::hypot(outward.x, outward.y);
        if (len > 0) outward = {outward.x / len, outward.y / len};
        return frameShade(best, outward);
    });
}

// Pixels that differ, and where the first one is.
struct Difference {
    int count = 0;
    int x = -1, y = -1;
};

Difference compare(const Image& a, const Image& b) {
    Difference diff;
    for (std::size_t i = 0; i < a.pixels.size(); ++i) {
        const Rgba p = unpackArgb(a.pixels[i]), q = unpackArgb(b.pixels[i]);
        const float d = std::max({std::fabs(p.r * p.a - q.r * q.a), std::fabs(p.g * p.a - q.g * q.a),
                                  std::fabs(p.b * p.a - q.b * q.a), std::fabs(p.a - q.a)});
        if (d <= 3.0f / 255) continue;
        if (diff.count++ == 0) {
            diff.x = static_cast<int>(i % a.width);
            diff.y = static_cast<int>(i / a.width);
        }
    }
    return diff;
}

Field fromRows(const std::vector<std::string>& rows) {
    Field f{static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), {}};
    for (const auto& r : rows)
        for (char c : r) f.active.push_back(c == '#');
    return f;
}

std::string describe(const Field& f) {
    std::string s;
    for (int r = 0; r < f.h; ++r) {
        for (int c = 0; c < f.w; ++c) s += f.on(r, c) ? '#' : '.';
        s += '\n';
    }
    return s;
}

void expectSeamless(const Field& f) {
    const auto placements = frameTilePlacements(f.w, f.h, f.active);
    for (const FrameTile& p : placements) {
        ASSERT_FALSE(f.on(p.row, p.col)) << "tile " << p.tile << " on a playing cell\n" << describe(f);
        ASSERT_TRUE(p.row >= -1 && p.row <= f.h && p.col >= -1 && p.col <= f.w);
    }
    const Difference d = compare(composed(f, placements), drawnInOnePiece(f));
    EXPECT_EQ(d.count, 0) << "first at cell (" << d.y / kTileSize - 1 << ", " << d.x / kTileSize - 1 << ") pixel ("
                          << d.x % kTileSize << ", " << d.y % kTileSize << ")\n"
                          << describe(f);
}

}  // namespace

TEST(FrameTiles, HandMadeShapesComposeSeamlessly) {
    expectSeamless(fromRows({"#"}));
    expectSeamless(fromRows({"####", "####", "####"}));
    expectSeamless(fromRows({"#.#", ".#.", "#.#"}));  // cells touching at corners only
    expectSeamless(fromRows({"..####.###", ".#########", "####..####", "####..####", "##.#######", "##########",
                             ".########.", "..######.."}));
    expectSeamless(fromRows({"#.#.#", "#####", "#.#.#"}));  // one-cell notches and gaps
    expectSeamless(fromRows({".....", ".###.", ".#.#.", ".###.", "....."}));
}

TEST(FrameTiles, RandomShapesComposeSeamlessly) {
    SeededRandom random(4711);
    for (int n = 0; n < 24; ++n) {
        Field f{1 + random.next() % 7, 1 + random.next() % 6, {}};
        const int density = 45 + random.next() % 45;
        for (int i = 0; i < f.w * f.h; ++i) f.active.push_back(random.next() % 100 < density);
        expectSeamless(f);
    }
}

TEST(FrameTiles, AWrongTileShowsAsASeam) {
    // The comparison is only worth something if it notices a mistake.
    const Field f = fromRows({"##.", "###"});
    auto placements = frameTilePlacements(f.w, f.h, f.active);
    ASSERT_FALSE(placements.empty());
    for (auto& p : placements)
        if (p.tile == 13) p.tile = 12;
    EXPECT_GT(compare(composed(f, placements), drawnInOnePiece(f)).count, 0);
}

TEST(FrameTiles, TilesAreSquaresOfTheCellSize) {
    for (int i = 0; i < kFrameTileCount; ++i) {
        const Image& t = tile(i);
        EXPECT_EQ(t.width, kTileSize);
        EXPECT_EQ(t.height, kTileSize);
        int drawn = 0;
        for (std::uint32_t p : t.pixels) drawn += (p >> 24) > 0;
        EXPECT_GT(drawn, 0) << "tile " << i << " is empty";
    }
}
