#pragma once
// The generator's only source of randomness: a fixed-seed linear
// congruential generator, so every run draws the same numbers.

#include <cstdint>

class SeededRandom {
public:
    explicit SeededRandom(std::uint32_t seed) : state_(seed) {}
    // 0..32767
    int next() {
        state_ = state_ * 214013u + 2531011u;
        return static_cast<int>((state_ >> 16) & 0x7FFF);
    }
    // 0..1
    float unit() { return next() / 32767.0f; }
    // -1..1
    float signedUnit() { return unit() * 2.0f - 1.0f; }

private:
    std::uint32_t state_;
};
