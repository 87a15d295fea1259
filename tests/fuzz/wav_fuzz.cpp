// WAV files, through the RIFF reader, decoded and played.

#include "fuzz_sound.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::decodeSound(data, size, "sound.wav");
    return 0;
}
