#include "app/frame_hashes.h"

#include <cinttypes>
#include <cstdio>

#include "graphics/screenshot.h"
#include "graphics/sprite.h"
#include "platform/paths.h"

std::uint64_t fnv1a64(const std::uint8_t* bytes, std::size_t size) {
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (std::size_t i = 0; i < size; ++i) {
        hash ^= bytes[i];
        hash *= 0x100000001b3ull;
    }
    return hash;
}

void FrameHashes::afterFrame(std::uint32_t gameMs, const Sprite* frame) {
    if (file_.empty() || gameMs < nextMs_ || !frame) return;
    std::vector<std::uint8_t> rgb;
    int width = 0, height = 0;
    if (!readFrameRgb(*frame, rgb, width, height)) return;
    entries_.push_back({gameMs, fnv1a64(rgb.data(), rgb.size())});
    while (nextMs_ <= gameMs) nextMs_ += kHashEveryMs;
}

void FrameHashes::finish() const {
    if (file_.empty()) return;
    std::string text;
    char line[48];
    for (const Entry& e : entries_) {
        std::snprintf(line, sizeof line, "%" PRIu32 " %016" PRIx64 "\n", e.gameMs, e.hash);
        text += line;
    }
    if (platform::writeFileAtomic(file_, text.data(), text.size()) != 0)
        std::fprintf(stderr, "shardfall: could not write the frame hashes to %s\n", file_.c_str());
}
