#include "game/level_rules.h"

#include <algorithm>

#include "game/level_files.h"

namespace {

// Each row is the order in which a level's kinds join; a level uses the row
// of (level - 1) mod 5, so neighbouring levels look different.
constexpr std::array<std::array<int, kOrdinaryKinds>, 5> kKindOrder{{
    {2, 4, 3, 0, 1, 6, 7, 5},
    {1, 2, 4, 7, 3, 0, 5, 6},
    {6, 3, 2, 4, 0, 7, 1, 5},
    {5, 3, 0, 1, 6, 2, 7, 4},
    {4, 3, 1, 2, 0, 7, 6, 5},
}};

constexpr int kTeleportEntry = 0;
constexpr int kRainbowEntry = 1;
constexpr int kCubeTeleportsFrom = 13;
constexpr int kCubeRainbowsFrom = 6;

int atLeastOne(int level) { return std::max(level, 1); }

}  // namespace

int actionKindCount(int level) { return std::min(5 + (atLeastOne(level) - 1) / 5, kOrdinaryKinds); }

int cubeKindCount(int level) {
    level = atLeastOne(level);
    if (level < 3) return 2;
    if (level < 10) return 3;
    if (level < 20) return 4;
    return std::min(5 + (level - 20) / 10, kOrdinaryKinds);
}

std::array<int, kOrdinaryKinds> kindOrderForLevel(int level) {
    return kKindOrder[static_cast<std::size_t>((atLeastOne(level) - 1) % 5)];
}

KestTable kindTableForLevel(const KestTable& mapTable, int level, int count) {
    KestTable table = mapTable;
    for (int k = 0; k < kOrdinaryKinds; ++k) table[static_cast<std::size_t>(k)] = 0;
    const auto order = kindOrderForLevel(level);
    for (int i = 0; i < std::clamp(count, 0, kOrdinaryKinds); ++i) table[static_cast<std::size_t>(order[i])] = 1;
    return table;
}

BonusTable cubeBonusTable(const BonusTable& mapTable, int level) {
    BonusTable table = mapTable;
    table[kTeleportEntry] = level >= kCubeTeleportsFrom ? kCubeTeleportChance : 0;
    table[kRainbowEntry] = level >= kCubeRainbowsFrom ? kCubeRainbowChance : 0;
    return table;
}

int progressTarget(int level) { return 60 * level + 840; }

std::string levelLabel(BoardMode mode, int level) {
    if (mode == BoardMode::ModeQuest && episodeOf(level) != 0)
        return std::to_string(episodeOf(level)) + "-" + std::to_string(levelInEpisode(level));
    return std::to_string(level);
}
