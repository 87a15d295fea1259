// BMP files (alpha images only), loaded as the game loads them.

#include "fuzz_images.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::loadPicture(data, size, "bmp");
    return 0;
}
