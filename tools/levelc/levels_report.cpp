// levels_report: plays every quest level with the autoplayer from many seeds
// and prints how often it wins and how much of the level's time it uses, so
// the quest's difficulty curve can be checked after any change to a level.
//
//   levels_report [--data DIR] LEVELS_DIR [SEEDS] [FIRST LAST [SEED_BASE]]
//
// With --data the board moves at the speeds of the game's data in DIR (its
// data/common.ini), as in the game; without, at the board's own defaults.
// With SEED_BASE the seeds start there instead of at 1000 * level, and each
// game is listed too ("game SEED won|lost SECONDS"), which is what tuning a
// level's time needs: the time a seed wins at does not depend on the time
// the level allows.

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "game/autoplayer.h"
#include "game/level_files.h"
#include "game/level_source.h"

namespace {

// The board's speeds as the game reads them from the data in `dataRoot`.
bool readGameTuning(const std::string& dataRoot, BoardTuning& tuning) {
    std::error_code failed;
    const std::filesystem::path back = std::filesystem::current_path(failed);
    std::filesystem::current_path(dataRoot, failed);
    if (failed || !std::filesystem::exists("data/common.ini")) return false;
    tuning = BoardTuning::fromCommonIni();
    std::filesystem::current_path(back, failed);
    return !failed;
}

}  // namespace

int main(int argc, char** argv) {
    AutoplayOptions options;
    if (argc > 2 && std::strcmp(argv[1], "--data") == 0) {
        if (!readGameTuning(argv[2], options.tuning)) {
            std::fprintf(stderr, "levels_report: no data/common.ini in %s\n", argv[2]);
            return 2;
        }
        argc -= 2;
        argv += 2;
    }
    if (argc < 2) {
        std::fprintf(stderr, "usage: levels_report [--data DIR] LEVELS_DIR [SEEDS] [FIRST LAST [SEED_BASE]]\n");
        return 2;
    }
    const std::string dir = argv[1];
    const int seeds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;
    const int first = argc > 4 ? std::max(1, std::atoi(argv[3])) : 1;
    const int last = argc > 4 ? std::min(kQuestLevels, std::atoi(argv[4])) : kQuestLevels;
    const bool listGames = argc > 5;
    const long seedBase = listGames ? std::atol(argv[5]) : -1;
    std::printf("level  ep  time  win%%  used(s)  used%%  moves  coat-left\n");
    for (int level = first; level <= last; ++level) {
        char name[64];
        std::snprintf(name, sizeof name, "%s/quest/level%02d.txt", dir.c_str(), level);
        std::ifstream in(name, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        MapData map;
        std::string error;
        if (!in || !parseLevelSource(text.str(), name, map, error)) {
            std::printf("%5d  %s\n", level, error.empty() ? "missing" : error.c_str());
            continue;
        }
        int wins = 0;
        long usedMs = 0, moves = 0, coatLeft = 0;
        for (int s = 0; s < seeds; ++s) {
            const long seed = listGames ? seedBase + s : 1000L * level + s;
            const AutoplayResult r = playQuestLevel(map, static_cast<std::uint32_t>(seed), options);
            if (listGames) std::printf("game %ld %s %.2f\n", seed, r.won ? "won" : "lost", r.timeUsedMs / 1000.0);
            wins += r.won ? 1 : 0;
            usedMs += r.timeUsedMs;
            moves += r.moves;
            coatLeft += r.coatingLeft;
        }
        const double used = static_cast<double>(usedMs) / seeds / 1000.0;
        std::printf("%5d  %d-%d %5d  %4d  %7.1f  %5.0f  %5.1f  %9.1f\n", level, episodeOf(level), levelInEpisode(level),
                    map.timeSeconds, 100 * wins / seeds, used, 100.0 * used / std::max(1, map.timeSeconds),
                    static_cast<double>(moves) / seeds, static_cast<double>(coatLeft) / seeds);
        std::fflush(stdout);
    }
    return 0;
}
