// Level maps and saved boards: a map that decodes encodes to the same
// layout and decodes to the same map again; it goes onto a board, and the
// board written back as a map is one the game can read.

#include <memory>

#include "board/board.h"
#include "fuzz_support.h"
#include "game/level_map.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::scratchRoot();
    MapData map;
    std::string error;
    if (!decodeMap(data, size, map, &error)) {
        fuzzCheck(!error.empty());
        return 0;
    }
    fuzzCheck(map.w > 0 && map.h > 0 && map.cells.size() == std::size_t(map.w) * std::size_t(map.h));
    const std::vector<std::uint8_t> bytes = encodeMap(map);
    MapData again;
    fuzzCheck(decodeMap(bytes.data(), bytes.size(), again));
    fuzzCheck(map == again);

    auto board = std::make_unique<Board>(nullptr, nullptr);
    applyMap(*board, map);
    const MapData fromBoard = mapFromBoard(*board);
    const std::vector<std::uint8_t> saved = encodeMap(fromBoard);
    MapData reread;
    fuzzCheck(decodeMap(saved.data(), saved.size(), reread));
    fuzz::forgetErrorLog();
    return 0;
}
