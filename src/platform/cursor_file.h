#pragma once
// Reader of the .cur cursor file format: a directory of images, each a
// device-independent bitmap (1, 4, 8, 24 or 32 bits per pixel) followed by
// its 1-bit transparency mask. The best image is turned into ARGB pixels.

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

struct DecodedCursor {
    int width = 0, height = 0;
    int hotX = 0, hotY = 0;
    std::vector<std::uint32_t> pixels;  // ARGB8888, top row first
};

// Decodes the file's bytes; false for anything that is not a readable cursor.
bool decodeCursorFile(const std::vector<std::uint8_t>& bytes, DecodedCursor& out);

// Loads a cursor file through the path layer and makes a system cursor of
// it (LoadCursorFromFile); 0 when it cannot be read.
std::intptr_t loadCursorFromFile(const std::string& gamePath);

}  // namespace platform
