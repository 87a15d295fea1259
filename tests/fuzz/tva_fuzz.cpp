// our multi-frame .tva pictures, loaded as the game loads them.

#include "fuzz_images.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::loadPicture(data, size, "tva");
    return 0;
}
