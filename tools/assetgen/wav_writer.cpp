#include "wav_writer.h"

#include <algorithm>
#include <cmath>

namespace {

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

void putTag(std::vector<std::uint8_t>& out, const char* tag) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(tag[i]));
}

std::vector<std::uint8_t> wavFile(const std::vector<std::int16_t>& interleaved, int channels, int rate) {
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(interleaved.size() * 2);
    const std::uint32_t block = static_cast<std::uint32_t>(channels * 2);
    std::vector<std::uint8_t> out;
    out.reserve(44 + dataBytes);
    putTag(out, "RIFF");
    put32(out, 36 + dataBytes);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, static_cast<std::uint32_t>(channels));
    put32(out, static_cast<std::uint32_t>(rate));
    put32(out, static_cast<std::uint32_t>(rate) * block);
    put16(out, block);
    put16(out, 16);
    putTag(out, "data");
    put32(out, dataBytes);
    for (std::int16_t s : interleaved) put16(out, static_cast<std::uint16_t>(s));
    return out;
}

}  // namespace

std::int16_t toPcm16(float sample) {
    const float scaled = std::round(sample * 32767.0f);
    return static_cast<std::int16_t>(std::clamp(scaled, -32767.0f, 32767.0f));
}

std::vector<std::uint8_t> encodeWav(const synth::Mono& samples, int rate) {
    std::vector<std::int16_t> pcm(samples.size());
    std::transform(samples.begin(), samples.end(), pcm.begin(), toPcm16);
    return wavFile(pcm, 1, rate);
}

std::vector<std::uint8_t> encodeWav(const synth::Stereo& samples, int rate) {
    std::vector<std::int16_t> pcm;
    pcm.reserve(samples.frames() * 2);
    for (std::size_t i = 0; i < samples.frames(); ++i) {
        pcm.push_back(toPcm16(samples.left[i]));
        pcm.push_back(toPcm16(samples.right[i]));
    }
    return wavFile(pcm, 2, rate);
}
