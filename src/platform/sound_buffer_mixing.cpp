#include "platform/sound_buffer.h"

// The per-sample loop of a playing buffer, apart from the buffer's rules
// (locks, cursors, volume), so the fuzz build can leave its comparisons
// untraced: they say nothing about the input and cost more than the rest.

namespace platform {
namespace {

template <int Bits>
std::int32_t sampleAt(const std::uint8_t* p) {
    if constexpr (Bits == 8) {
        return (std::int32_t(p[0]) - 128) * 256;
    } else {
        return std::int16_t(std::uint16_t(p[0] | (p[1] << 8)));
    }
}

template <int Bits, int Channels>
void frameAt(const std::uint8_t* data, std::uint32_t index, std::int32_t& left, std::int32_t& right) {
    constexpr int kBytes = Bits / 8;
    const std::uint8_t* p = data + std::size_t(index) * kBytes * Channels;
    left = sampleAt<Bits>(p);
    right = Channels == 2 ? sampleAt<Bits>(p + kBytes) : left;
}

}  // namespace

template <int Bits, int Channels>
void SoundBuffer::mixFormat(std::int32_t* accumulator, int frames) {
    const std::uint8_t* data = samples_->bytes.get();
    const std::uint64_t end = std::uint64_t(frameCount_) << 32;
    for (int i = 0; i < frames; ++i) {
        const std::uint32_t index = std::uint32_t(position_ >> 32);
        std::uint32_t next = index + 1;
        if (next >= frameCount_) next = looping_ ? 0 : index;
        // Linear interpolation between neighbouring frames, 15-bit fraction so
        // the product of a full-scale step and the fraction fits in 32 bits.
        const std::int32_t fraction = std::int32_t((position_ >> 17) & 0x7FFF);
        std::int32_t left0, right0, left1, right1;
        frameAt<Bits, Channels>(data, index, left0, right0);
        frameAt<Bits, Channels>(data, next, left1, right1);
        const std::int32_t left = left0 + (((left1 - left0) * fraction) >> 15);
        const std::int32_t right = right0 + (((right1 - right0) * fraction) >> 15);
        accumulator[2 * i] += (left * gainLeft_) >> 16;
        accumulator[2 * i + 1] += (right * gainRight_) >> 16;

        position_ += step_;
        if (position_ >= end) {
            if (looping_) {
                position_ %= end;
            } else {
                // A one-shot buffer that played out stops at its start, ready
                // to be played again from the beginning.
                playing_ = false;
                position_ = 0;
                return;
            }
        }
    }
}

void SoundBuffer::mixInto(std::int32_t* accumulator, int frames) {
    if (!playing_ || frameCount_ == 0) return;
    const int kind = format_.bitsPerSample * 10 + format_.channels;
    switch (kind) {
        case 81: mixFormat<8, 1>(accumulator, frames); break;
        case 82: mixFormat<8, 2>(accumulator, frames); break;
        case 161: mixFormat<16, 1>(accumulator, frames); break;
        case 162: mixFormat<16, 2>(accumulator, frames); break;
        default: playing_ = false; break;
    }
}

}  // namespace platform
