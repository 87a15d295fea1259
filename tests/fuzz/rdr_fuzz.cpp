// The generated texture reads nothing from its file, so what a file cannot
// reach is fuzzed instead: frames fetched at any time into any destination
// size and channel layout, resampled by the shared converters. Impossible
// layouts must be refused without a byte written outside the destination.

#include <vector>

#include "fuzz_support.h"
#include "graphics/own/rdr_texture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static RdrImage* const texture = [] {
        auto* image = new RdrImage();
        fuzzCheck(image->LoadFile("texture.rdr") == 0);
        return image;
    }();
    fuzz::InputCursor in(data, size);
    // One frame an input: it reads the whole 256 x 256 texture whatever the
    // destination's size (a frame fetched smaller averages over all of it),
    // so more fetches would only make each input slower.
    if (in.remaining() < 8) return 0;
    const int time = int(in.u32());
    const int width = 1 + in.byte() % 200;
    const int height = 1 + in.byte() % 200;
    const std::uint8_t layout = in.byte();
    const std::uint8_t shifts = in.byte();
    const int bytesPerPixel = 1 + layout % 4;
    const int pitch = width * bytesPerPixel + (layout >> 6);
    std::vector<std::uint8_t> dest(std::size_t(pitch) * height + 16, 0xA5);
    const int bits = (layout >> 2) % 10;
    if (layout & 0x20) {
        texture->ExtractAlpha(dest.data(), time, bytesPerPixel, pitch, bits, shifts % 40, width, height);
    } else {
        texture->ConvertFrame(dest.data(), time, bytesPerPixel, pitch, bits, (bits + 1) % 10, 8 - bits % 9,
                              shifts % 33, (shifts >> 2) % 33, (shifts >> 4) % 17, width, height);
    }
    // The 16 bytes past the destination are a guard nothing may touch.
    for (std::size_t i = dest.size() - 16; i < dest.size(); ++i) fuzzCheck(dest[i] == 0xA5);
    return 0;
}
