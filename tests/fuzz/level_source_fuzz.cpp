// Level sources, parsed and put back into text: a source that parses must
// come back from formatting and parsing again as the same map, so a level
// written out by our tools is the level that was read.

#include <string>

#include "fuzz_support.h"
#include "game/level_source.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    MapData map;
    std::string error;
    std::vector<LevelMove> solution;
    if (!parseLevelSource(text, "fuzz", map, error, &solution)) {
        fuzzCheck(error.rfind("fuzz:", 0) == 0);
        return 0;
    }
    fuzzCheck(map.cells.size() == std::size_t(map.w) * std::size_t(map.h));
    for (const LevelMove& m : solution) fuzzCheck(m.from >= 0 && m.to >= 0 && m.from < map.w * map.h && m.to < map.w * map.h);

    const std::string formatted = formatLevelSource(map);
    MapData again;
    fuzzCheck(parseLevelSource(formatted, "formatted", again, error));
    fuzzCheck(map == again);
    fuzzCheck(formatLevelSource(again) == formatted);
    return 0;
}
