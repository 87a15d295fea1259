#include "sound/sound_decoder.h"

#include <strings.h>

#include <string>

#include "sound/ogg_decoder.h"
#include "sound/wav_decoder.h"

std::unique_ptr<SoundDecoder> createDecoder(std::string_view path) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos) return nullptr;
    const std::string extension(path.substr(dot + 1));
    if (::strcasecmp(extension.c_str(), "wav") == 0) return std::make_unique<WavDecoder>();
    if (::strcasecmp(extension.c_str(), "ogg") == 0) return std::make_unique<OggDecoder>();
    return nullptr;
}
