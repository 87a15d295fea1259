#include "game/level_files.h"

#include <array>
#include <cstdio>

namespace {

// The first level of each episode, and one past the last.
constexpr std::array<int, kEpisodes + 1> kEpisodeStart{1, 6, 12, 18, 25, 33, kQuestLevels + 1};

std::string numbered(const char* pattern, int n) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, pattern, n);
    return buffer;
}

}  // namespace

const char* const kActionMapPath = "data\\levels\\baseaction.map";
const char* const kCubeMapPath = "data\\levels\\basecube.map";
const char* const kActionMapPathUpper = "data\\LEVELS\\baseaction.map";
const char* const kCubeMapPathUpper = "data\\LEVELS\\basecube.map";

std::string questLevelPath(int level) { return numbered("data\\LEVELS\\QUEST\\level%d.map", level); }
std::string puzzleLevelPath(int level) { return numbered("data\\LEVELS\\PUZZLE\\puzzle%d.map", level); }

std::string savedGamePath(const std::string& profileStem, BoardMode mode) {
    const char* suffix = nullptr;
    switch (mode) {
        case BoardMode::ModeQuest: suffix = "quest.map"; break;
        case BoardMode::ModeAction: suffix = "action.map"; break;
        case BoardMode::ModeCube: suffix = "cube.map"; break;
        default: return {};
    }
    return "data\\profiles\\" + profileStem + suffix;
}

int episodeOf(int level) {
    for (int e = 0; e < kEpisodes; ++e)
        if (level >= kEpisodeStart[e] && level < kEpisodeStart[e + 1]) return e + 1;
    return 0;
}

int levelInEpisode(int level) {
    const int e = episodeOf(level);
    return e == 0 ? 0 : level - kEpisodeStart[e - 1] + 1;
}
