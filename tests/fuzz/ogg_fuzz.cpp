// Ogg Vorbis files, through libvorbisfile, decoded and played.

#include "fuzz_sound.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::decodeSound(data, size, "sound.ogg");
    return 0;
}
