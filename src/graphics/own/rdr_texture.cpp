#include "graphics/own/rdr_texture.h"

namespace rdr {
namespace {

struct CubicTables {
    std::array<int, 256> c1, c2, c3;
};

const CubicTables& cubicTables() {
    static const CubicTables tables = [] {
        CubicTables t{};
        for (int i = 0; i < 256; ++i) {
            t.c1[i] = i;
            t.c2[i] = (i * i) >> 8;
            t.c3[i] = (i * i * i) >> 16;
        }
        return t;
    }();
    return tables;
}

}  // namespace

std::array<std::uint8_t, 256 * 3> rampPalette() {
    std::array<std::uint8_t, 256 * 3> palette{};
    for (int i = 0; i < 64; ++i) {
        const std::uint8_t first = std::uint8_t(i <= 32 ? 0 : 2 * i - 63);
        const std::uint8_t second = std::uint8_t(i <= 56 ? 0 : i - 8);
        for (int entry : {64 + i, 191 - i}) {
            palette[3 * entry] = first;
            palette[3 * entry + 1] = second;
            palette[3 * entry + 2] = std::uint8_t(i);
        }
    }
    return palette;
}

void stepControls(ControlGrid& grid, const std::function<std::uint32_t()>& nextRandom) {
    for (std::size_t i = 0; i < grid.value.size(); ++i) {
        int velocity = grid.velocity[i] + int(nextRandom() % (2 * randomStep + 1)) - randomStep;
        if (velocity < -velocityLimit) velocity = -velocityLimit;
        if (velocity > velocityLimit) velocity = velocityLimit;
        int value = std::uint8_t(grid.value[i] + velocity);
        if (value > valueCeiling) {
            value = valueCeiling;
            velocity = -velocity;
        }
        if (value < valueFloor) {
            value = valueFloor;
            velocity = -velocity;
        }
        grid.value[i] = std::uint8_t(value);
        grid.velocity[i] = std::int8_t(velocity);
    }
}

void interpolatePeriodicLine(std::uint8_t* line, int stride) {
    const CubicTables& t = cubicTables();
    int p[gridSize];
    for (int k = 0; k < gridSize; ++k) p[k] = line[k * gridSpacing * stride] * 256;

    for (int k = 0; k < gridSize; ++k) {
        const int before = p[(k + gridSize - 1) % gridSize];
        const int p0 = p[k];
        const int p1 = p[(k + 1) % gridSize];
        const int p2 = p[(k + 2) % gridSize];
        const int m1 = (p1 - before) / 2;
        const int m2 = (p2 - p0) / 2;
        const int a3 = m2 + 2 * (p0 - p1) + m1;
        const int a2 = 3 * (p1 - p0) - 2 * m1 - m2;
        for (int s = 0; s < gridSpacing; ++s) {
            const int u = s * (256 / gridSpacing);
            const int sample = ((a2 * t.c2[u]) >> 8) + p0 + ((m1 * t.c1[u]) >> 8) + ((a3 * t.c3[u]) >> 8);
            line[(k * gridSpacing + s) * stride] = std::uint8_t(sample >> 8);
        }
    }
}

}  // namespace rdr

std::uint32_t RdrImage::nextRandom() {
    randomState_ = randomState_ * 214013u + 2531011u;
    return (randomState_ >> 16) & 0x7FFF;
}

void RdrImage::scatterAndInterpolate(const rdr::ControlGrid& grid) {
    using namespace rdr;
    std::uint8_t* map = heightMap_.data();
    for (int a = 0; a < gridSize; ++a)
        for (int b = 0; b < gridSize; ++b)
            map[a * gridSpacing * textureSize + b * gridSpacing] = grid.value[a * gridSize + b];
    for (int x = 0; x < textureSize; x += gridSpacing) interpolatePeriodicLine(map + x, textureSize);
    for (int y = 0; y < textureSize; ++y) interpolatePeriodicLine(map + y * textureSize, 1);
}

int RdrImage::LoadFile(const char*) {
    using namespace rdr;
    width_ = textureSize;
    height_ = textureSize;
    bitsPerPixel_ = 24;
    frameCount_ = rdr::frameCount;
    duration_ = period;
    heightMap_.assign(std::size_t(textureSize) * textureSize, 0);
    const std::size_t frameBytes = std::size_t(textureSize) * textureSize * 3;
    pixels_.assign(frameBytes * rdr::frameCount, 0);

    const std::array<std::uint8_t, 256 * 3> palette = rampPalette();
    ControlGrid grid;
    grid.value.fill(valueCeiling);
    grid.velocity.fill(0);
    const std::function<std::uint32_t()> random = [this] { return nextRandom(); };

    constexpr int warmUpSteps = 10;
    for (int i = 0; i < warmUpSteps; ++i) {
        stepControls(grid, random);
        scatterAndInterpolate(grid);
    }
    // Frames j and 19 - j show the same state: the loop runs there and back.
    for (int j = 0; j < rdr::frameCount / 2; ++j) {
        stepControls(grid, random);
        scatterAndInterpolate(grid);
        std::uint8_t* there = pixels_.data() + frameBytes * j;
        std::uint8_t* back = pixels_.data() + frameBytes * (rdr::frameCount - 1 - j);
        for (std::size_t i = 0; i < heightMap_.size(); ++i) {
            const std::uint8_t* colour = &palette[3 * std::size_t(heightMap_[i])];
            for (int c = 0; c < 3; ++c) there[3 * i + c] = back[3 * i + c] = colour[c];
        }
    }
    heightMap_ = {};
    return 0;
}

int RdrImage::frameAt(int time) {
    int phase = time % rdr::period;
    if (phase < 0) phase += rdr::period;
    return phase * rdr::frameCount / rdr::period;
}

const std::uint8_t* RdrImage::framePixels(int frame) const {
    if (pixels_.empty() || frame < 0 || frame >= rdr::frameCount) return nullptr;
    return pixels_.data() + std::size_t(frame) * rdr::textureSize * rdr::textureSize * 3;
}

bool RdrImage::source(int time, SourcePixels& out) const {
    const std::uint8_t* frame = framePixels(frameAt(time));
    if (!frame) return false;
    out.data = frame;
    out.size = std::size_t(rdr::textureSize) * rdr::textureSize * 3;
    out.width = rdr::textureSize;
    out.height = rdr::textureSize;
    out.bytesPerPixel = 3;
    out.pitch = rdr::textureSize * 3;
    return true;
}

int RdrImage::ConvertFrame(std::uint8_t* dest, int time, int bytesPerPixel, int pitch, int redBits, int greenBits,
                           int blueBits, int redShift, int greenShift, int blueShift, int width, int height) {
    SourcePixels pixels;
    SourceChannels channels;
    if (!source(time, pixels) || !bgrChannelsForDepth(24, channels)) return 1;
    return convertColour(pixels, channels, dest, bytesPerPixel, pitch, redBits, greenBits, blueBits, redShift,
                         greenShift, blueShift, width, height);
}

int RdrImage::ExtractAlpha(std::uint8_t* dest, int time, int bytesPerPixel, int pitch, int bits, int shift, int width,
                           int height) {
    SourcePixels pixels;
    if (!source(time, pixels)) return 1;
    return convertOneChannel(pixels, {8, 0}, dest, bytesPerPixel, pitch, bits, shift, width, height);
}
