// levelc: compiles the level sources (levels/**/*.txt) into the map files the
// game loads, and helps the people who design levels.
//
//   levelc LEVELS_DIR DATA_DIR          compile every level into DATA_DIR/levels/
//   levelc --solve PUZZLE.txt...        solve puzzles and print how hard they are
//   levelc --order PUZZLE_DIR           prove every puzzle's shortest solution,
//                                       record it and number the puzzles from
//                                       the easiest to the hardest
//   levelc --preview DIST_DIR OUT_DIR LEVEL.txt...
//                                       draw each level with its frame into a PNG
//
// Quest levels are levels/quest/levelNN.txt, puzzles levels/puzzle/puzzleNN.txt;
// the action and cube boards are levels/baseaction.txt and levels/basecube.txt.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "board/board.h"
#include "board/board_random.h"
#include "game/level_map.h"
#include "game/level_source.h"
#include "game/puzzle_solver.h"
#include "graphics/display.h"
#include "graphics/screenshot.h"
#include "graphics/sprite.h"
#include "platform/paths.h"

namespace fs = std::filesystem;

namespace {

bool readText(const fs::path& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    text = s.str();
    return true;
}

bool loadSource(const fs::path& path, MapData& map) {
    std::string text, error;
    if (!readText(path, text)) {
        std::fprintf(stderr, "%s: cannot read\n", path.string().c_str());
        return false;
    }
    if (!parseLevelSource(text, path.string(), map, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return false;
    }
    const std::string broken = layoutContractViolation(map);
    if (!broken.empty()) {
        std::fprintf(stderr, "%s: %s\n", path.string().c_str(), broken.c_str());
        return false;
    }
    return true;
}

// "level07.txt" with prefix "level" gives 7; 0 when the name is not of that form.
int numberOf(const fs::path& file, const std::string& prefix) {
    const std::string stem = file.stem().string();
    if (file.extension() != ".txt" || stem.rfind(prefix, 0) != 0 || stem.size() == prefix.size()) return 0;
    int n = 0;
    for (std::size_t i = prefix.size(); i < stem.size(); ++i) {
        if (stem[i] < '0' || stem[i] > '9' || n > 1000) return 0;
        n = n * 10 + (stem[i] - '0');
    }
    return n;
}

bool compileOne(const fs::path& source, const fs::path& target) {
    MapData map;
    if (!loadSource(source, map)) return false;
    fs::create_directories(target.parent_path());
    if (!writeMap(map, target.string())) {
        std::fprintf(stderr, "%s: cannot write\n", target.string().c_str());
        return false;
    }
    return true;
}

int compileAll(const fs::path& levels, const fs::path& data) {
    int failures = 0, written = 0;
    const auto numbered = [&](const char* folder, const char* prefix) {
        const fs::path dir = levels / folder;
        if (!fs::is_directory(dir)) return;
        for (const auto& entry : fs::directory_iterator(dir)) {
            const int n = numberOf(entry.path(), prefix);
            if (n == 0) continue;
            const fs::path out = data / "levels" / folder / (std::string(prefix) + std::to_string(n) + ".map");
            compileOne(entry.path(), out) ? ++written : ++failures;
        }
    };
    numbered("quest", "level");
    numbered("puzzle", "puzzle");
    for (const char* name : {"baseaction", "basecube"}) {
        const fs::path src = levels / (std::string(name) + ".txt");
        if (!fs::exists(src)) continue;
        compileOne(src, data / "levels" / (std::string(name) + ".map")) ? ++written : ++failures;
    }
    std::printf("levelc: %d maps written, %d failed\n", written, failures);
    return failures == 0 ? 0 : 1;
}

int solveAll(int argc, char** argv) {
    PuzzleSolver solver;
    int unsolved = 0;
    std::printf("%-28s %6s %6s %8s %10s\n", "puzzle", "pieces", "moves", "winning", "positions");
    for (int i = 0; i < argc; ++i) {
        MapData map;
        if (!loadSource(argv[i], map)) return 2;
        const PuzzlePosition start = PuzzlePosition::fromMap(map);
        const PuzzleReport r = solver.solve(start);
        std::printf("%-28s %6d %6s %4d/%-3d %10ld", fs::path(argv[i]).filename().string().c_str(), start.pieceCount(),
                    r.solvable ? std::to_string(r.solution.size()).c_str() : (r.exhausted ? "?" : "none"),
                    r.winningFirstMoves, r.firstMoves, r.positionsSeen);
        for (const PuzzleMove& m : r.solution) std::printf(" %d-%d", m.from, m.to);
        std::printf("\n");
        unsolved += r.solvable ? 0 : 1;
    }
    return unsolved == 0 ? 0 : 1;
}

struct ProvenPuzzle {
    int number = 0;
    std::string text;
    PuzzleReport report;
};

// Easier first: a shorter shortest solution, then more first moves that
// still win, then fewer first moves to choose from; the old order breaks ties.
bool easier(const ProvenPuzzle& a, const ProvenPuzzle& b) {
    if (a.report.solution.size() != b.report.solution.size())
        return a.report.solution.size() < b.report.solution.size();
    if (a.report.winningFirstMoves != b.report.winningFirstMoves)
        return a.report.winningFirstMoves > b.report.winningFirstMoves;
    if (a.report.firstMoves != b.report.firstMoves) return a.report.firstMoves < b.report.firstMoves;
    return a.number < b.number;
}

// The source with its title, its difficulty note and its solution line made
// new; every other line stays as it was.
std::string recordedSource(const std::string& text, int number, const PuzzleReport& r) {
    std::istringstream in(text);
    std::string line, out;
    while (std::getline(in, line)) {
        char note[160];
        if (line.rfind("# Puzzle ", 0) == 0) {
            std::snprintf(note, sizeof note, "# Puzzle %d", number);
            line = note;
        } else if (line.rfind("# ", 0) == 0 && line.find(" moves") != std::string::npos) {
            std::snprintf(note, sizeof note,
                          "# %zu moves (the fewest there are); %d of %d first moves that make a line still win",
                          r.solution.size(), r.winningFirstMoves, r.firstMoves);
            line = note;
        } else if (line.rfind("solution", 0) == 0) {
            line = "solution";
            for (const PuzzleMove& m : r.solution) {
                std::snprintf(note, sizeof note, " %d-%d", m.from, m.to);
                line += note;
            }
        }
        out += line;
        out += '\n';
    }
    return out;
}

fs::path puzzlePath(const fs::path& dir, int number) {
    char name[32];
    std::snprintf(name, sizeof name, "puzzle%02d.txt", number);
    return dir / name;
}

int orderPuzzles(const fs::path& dir) {
    std::vector<ProvenPuzzle> puzzles;
    for (int n = 1; fs::exists(puzzlePath(dir, n)); ++n) {
        ProvenPuzzle p;
        p.number = n;
        MapData map;
        if (!readText(puzzlePath(dir, n), p.text) || !loadSource(puzzlePath(dir, n), map)) return 2;
        PuzzleSolver solver(50000000);
        p.report = solver.solve(PuzzlePosition::fromMap(map));
        if (!p.report.solvable) {
            std::fprintf(stderr, "%s: %s\n", puzzlePath(dir, n).string().c_str(),
                         p.report.exhausted ? "not proven within the search budget" : "cannot be solved");
            return 1;
        }
        std::fprintf(stderr, "puzzle %d: %zu moves, %d of %d, %ld positions\n", n, p.report.solution.size(),
                     p.report.winningFirstMoves, p.report.firstMoves, p.report.positionsSeen);
        puzzles.push_back(std::move(p));
    }
    std::stable_sort(puzzles.begin(), puzzles.end(), easier);
    std::printf("%6s %6s %9s %8s\n", "puzzle", "was", "shortest", "winning");
    for (std::size_t i = 0; i < puzzles.size(); ++i) {
        const ProvenPuzzle& p = puzzles[i];
        const int number = static_cast<int>(i) + 1;
        std::printf("%6d %6d %9zu %4d/%-3d\n", number, p.number, p.report.solution.size(), p.report.winningFirstMoves,
                    p.report.firstMoves);
        const std::string text = recordedSource(p.text, number, p.report);
        if (platform::writeFileAtomic(puzzlePath(dir, number).string(), text.data(), text.size()) == 0) continue;
        std::fprintf(stderr, "%s: cannot write\n", puzzlePath(dir, number).string().c_str());
        return 2;
    }
    return 0;
}

class PreviewHost : public NullBoardHost {};

// The level as the player first sees it: quest, action and cube levels
// dealt from a fixed seed, puzzles with their locks on.
bool preview(const fs::path& source, const fs::path& out) {
    MapData map;
    if (!loadSource(source, map)) return false;
    PreviewHost host;
    Board board(&host, nullptr, BoardTuning{}, BoardArt::load());
    board.setMode(static_cast<BoardMode>(map.mode));
    applyMap(board, map);
    seedBoardRandom(7);
    if (board.mode() == BoardMode::ModePuzzle) {
        board.applyFileLocks();
    } else {
        board.fillEmptyCells();
        board.setupFill();
    }
    Sprite& frame = *BackBuffer();
    frame.FillRect(0, 0, 800, 600, 0xFF1A0E24);
    board.drawFrame(frame);
    board.drawStatic(frame, true);
    board.drawDynamic(frame);
    return writeScreenshotPng(frame, out.string().c_str());
}

int previewAll(const fs::path& dist, const fs::path& outDir, int argc, char** argv) {
    std::vector<fs::path> sources;
    for (int i = 0; i < argc; ++i) sources.push_back(fs::absolute(argv[i]));
    const fs::path outAbs = fs::absolute(outDir);
    fs::create_directories(outAbs);
    if (!platform::changeDirectory(dist.string())) {
        std::fprintf(stderr, "levelc: cannot enter %s\n", dist.string().c_str());
        return 2;
    }
    SetDisplay(800, 600, 16, 0);
    int failures = 0;
    for (const fs::path& src : sources) {
        const fs::path png = outAbs / (src.stem().string() + ".png");
        if (preview(src, png)) {
            std::printf("%s\n", png.string().c_str());
        } else {
            ++failures;
        }
    }
    CloseDisplay();
    return failures == 0 ? 0 : 1;
}

int usage() {
    std::fprintf(stderr,
                 "usage: levelc LEVELS_DIR DATA_DIR\n"
                 "       levelc --solve PUZZLE.txt...\n"
                 "       levelc --order PUZZLE_DIR\n"
                 "       levelc --preview DIST_DIR OUT_DIR LEVEL.txt...\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::string(argv[1]) == "--solve") return solveAll(argc - 2, argv + 2);
    if (argc == 3 && std::string(argv[1]) == "--order") return orderPuzzles(argv[2]);
    if (argc >= 5 && std::string(argv[1]) == "--preview") return previewAll(argv[2], argv[3], argc - 4, argv + 4);
    if (argc == 3 && argv[1][0] != '-') return compileAll(argv[1], argv[2]);
    return usage();
}
