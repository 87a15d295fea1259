#pragma once
// --frame-hashes FILE: a fingerprint of the composed frame every
// kHashEveryMs of game time, written as one line per frame when the run
// ends ("<game ms> <hash>", the hash 64-bit FNV-1a of the frame's 8-bit RGB
// rows, the bytes a screenshot of it holds). Two runs that show the player
// the same pictures at the same moments write the same file.

#include <cstdint>
#include <string>
#include <vector>

class Sprite;

class FrameHashes {
public:
    static constexpr std::uint32_t kHashEveryMs = 500;

    explicit FrameHashes(std::string file) : file_(std::move(file)) {}

    bool wanted() const { return !file_.empty(); }
    // Once per frame, with the game time since the first frame.
    void afterFrame(std::uint32_t gameMs, const Sprite* frame);
    // The list written whole; says so on standard error when it cannot be.
    void finish() const;

private:
    struct Entry {
        std::uint32_t gameMs;
        std::uint64_t hash;
    };
    std::string file_;
    std::uint32_t nextMs_ = 0;
    std::vector<Entry> entries_;
};

// 64-bit FNV-1a of the bytes.
std::uint64_t fnv1a64(const std::uint8_t* bytes, std::size_t size);
