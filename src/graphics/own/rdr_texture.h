#pragma once
// RdrImage: our generated texture. It reads nothing from its file; it grows
// an animated, seamlessly tiling 256 x 256 picture: an 8 x 8 grid of heights
// that wander at random, interpolated across the map with periodic cubic
// splines and coloured through a ramp palette. Twenty frames over four
// seconds run through ten states and back, so the loop has no jump.
//
// Everything is integer arithmetic (8.8 fixed point and t, t^2, t^3 tables),
// so a given random sequence always gives the same texture.

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "graphics/image_file.h"

namespace rdr {

constexpr int textureSize = 256;
constexpr int gridSize = 8;
constexpr int gridSpacing = textureSize / gridSize;
constexpr int frameCount = 20;
constexpr int period = 4000;
constexpr int valueCeiling = 217;
constexpr int valueFloor = 38;
constexpr int randomStep = 8;
constexpr int velocityLimit = 16;

// The heights of the grid and how fast each one moves.
struct ControlGrid {
    std::array<std::uint8_t, gridSize * gridSize> value;
    std::array<std::int8_t, gridSize * gridSize> velocity;
};

// A ramp from black up to a dim lilac and back: entries 64..127 rise, 128..191
// mirror them, the rest are black. Three bytes per entry, blue, green, red.
std::array<std::uint8_t, 256 * 3> rampPalette();

// One step of the wander, row by row over the grid: each velocity takes a
// random nudge of -8..8 from `nextRandom` (any non-negative integers) and is
// held within +-16, and each height bounces off the ceiling and the floor.
void stepControls(ControlGrid& grid, const std::function<std::uint32_t()>& nextRandom);

// Fills the 256 samples of one wrapping line (`stride` bytes apart) from the
// 8 control values at samples 0, 32, ..., 224, by Catmull-Rom in power form.
void interpolatePeriodicLine(std::uint8_t* line, int stride);

}  // namespace rdr

class RdrImage : public ImageFile {
public:
    // The seed of the wander; any seed gives a good texture.
    explicit RdrImage(std::uint32_t seed = 125423) : randomState_(seed) {}

    // Generates the texture; the path and the file are not read.
    int LoadFile(const char* path) override;
    int ExtractAlpha(std::uint8_t* dest, int time, int bytesPerPixel, int pitch, int bits, int shift, int width,
                     int height) override;
    int ConvertFrame(std::uint8_t* dest, int time, int bytesPerPixel, int pitch, int redBits, int greenBits,
                     int blueBits, int redShift, int greenShift, int blueShift, int width, int height) override;

    // The frame shown at `time`.
    static int frameAt(int time);
    // The 256 x 256 blue, green, red pixels of a frame; null before LoadFile.
    const std::uint8_t* framePixels(int frame) const;

private:
    std::uint32_t nextRandom();
    void scatterAndInterpolate(const rdr::ControlGrid& grid);
    bool source(int time, SourcePixels& out) const;

    std::uint32_t randomState_;
    std::vector<std::uint8_t> heightMap_;
};
