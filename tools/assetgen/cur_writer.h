#pragma once
// Writer of the .cur cursor file format: a directory of one image (type 2,
// with the hot spot), a 32-bit device-independent bitmap stored bottom row
// first, and the 1-bit transparency mask after it.

#include <cstdint>
#include <vector>

#include "image.h"

std::vector<std::uint8_t> encodeCursorFile(const Image& image, int hotX, int hotY);
