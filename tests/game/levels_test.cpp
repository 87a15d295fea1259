// The game's own levels: every source compiles, every compiled map loads
// through loadMap under the game's spelling of its name and keeps the
// layout, the quest brings in one new element at each tip level, and every
// puzzle's recorded solution empties its board on the real rules.

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include <gtest/gtest.h>

#include "board/board.h"
#include "game/level_files.h"
#include "game/level_map.h"
#include "game/level_source.h"
#include "game/puzzle_solver.h"
#include "temp_dir.h"

namespace {

namespace fs = std::filesystem;

const fs::path kLevels(SHARDFALL_LEVELS_DIR);
const fs::path kDist(SHARDFALL_DIST_DIR);

struct Source {
    MapData map;
    std::vector<LevelMove> solution;
};

Source readSource(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    Source s;
    std::string error;
    EXPECT_TRUE(parseLevelSource(text.str(), path.string(), s.map, error, &s.solution)) << error;
    return s;
}

fs::path questSource(int n) {
    char name[32];
    std::snprintf(name, sizeof name, "quest/level%02d.txt", n);
    return kLevels / name;
}

fs::path puzzleSource(int n) {
    char name[32];
    std::snprintf(name, sizeof name, "puzzle/puzzle%02d.txt", n);
    return kLevels / name;
}

int puzzleCount() {
    int n = 0;
    while (fs::exists(puzzleSource(n + 1))) ++n;
    return n;
}

// The game's names of every level, with the source each was compiled from.
std::vector<std::pair<std::string, fs::path>> everyLevel() {
    std::vector<std::pair<std::string, fs::path>> out;
    for (int n = 1; n <= kQuestLevels; ++n) out.emplace_back(questLevelPath(n), questSource(n));
    for (int n = 1; n <= puzzleCount(); ++n) out.emplace_back(puzzleLevelPath(n), puzzleSource(n));
    out.emplace_back(kActionMapPath, kLevels / "baseaction.txt");
    out.emplace_back(kCubeMapPath, kLevels / "basecube.txt");
    out.emplace_back(kActionMapPathUpper, kLevels / "baseaction.txt");
    out.emplace_back(kCubeMapPathUpper, kLevels / "basecube.txt");
    return out;
}

class GameLevels : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::exists(kDist / "data" / "levels" / "quest" / "level1.map"))
            GTEST_SKIP() << "the levels are not compiled into " << kDist;
        inDist = std::make_unique<ScopedChdir>(kDist);
    }
    std::unique_ptr<ScopedChdir> inDist;
};

TEST_F(GameLevels, EveryMapLoadsUnderItsGameNameAndKeepsTheLayout) {
    EXPECT_TRUE(fs::exists(questSource(kQuestLevels)));
    EXPECT_FALSE(fs::exists(questSource(kQuestLevels + 1)));
    EXPECT_GE(puzzleCount(), 30);
    for (const auto& [gamePath, source] : everyLevel()) {
        SCOPED_TRACE(gamePath);
        Board board(nullptr, nullptr);
        std::string error;
        ASSERT_EQ(loadMap(board, gamePath, {}, &error), MapLoad::Loaded) << error;
        const MapData loaded = mapFromBoard(board);
        EXPECT_EQ(layoutContractViolation(loaded), "");
        // What the game loads is what the source says (the mode byte aside,
        // which the reader ignores and the board's mode fills in).
        MapData expected = readSource(source).map;
        expected.mode = loaded.mode;
        // Time 0 keeps the time the board had.
        if (expected.timeSeconds == 0) expected.timeSeconds = loaded.timeSeconds;
        board.applyFileLocks();
        EXPECT_EQ(encodeMap(mapFromBoard(board)), encodeMap(expected));
    }
}

// What a quest level shows the player for the first time.
std::set<std::string> elementsOf(const MapData& m) {
    std::set<std::string> e;
    for (const MapCell& c : m.cells) {
        if (!c.active) continue;
        if (c.coating == CoatSingle) e.insert("coating");
        if (c.coating == CoatDouble) e.insert("double coating");
        if (c.coating == CoatScoreBonus) e.insert("score plate");
        if (c.coating == CoatWandBonus) e.insert("wand plate");
        if (c.piece == kMapRaduga) e.insert("rainbow");
        if (c.piece == kMapTeleport) e.insert("teleport");
        if (c.piece == KindBad + 1) e.insert("bad piece");
        if (c.piece >= 1 && c.piece <= KindBad + 1 && c.lock > 0) e.insert("lock");
    }
    if (m.bonuses[0]) e.insert("teleport");
    if (m.bonuses[1]) e.insert("rainbow");
    if (m.kests[KindBad]) e.insert("bad piece");
    return e;
}

TEST(QuestLevels, EachElementArrivesAloneAtItsTipLevel) {
    const std::map<int, std::string> tips = {{1, "coating"},         {3, "score plate"}, {4, "wand plate"},
                                             {8, "rainbow"},         {11, "double coating"}, {18, "lock"},
                                             {22, "teleport"},       {33, "bad piece"}};
    std::set<std::string> seen;
    int previousTime = 0, previousKinds = 0;
    for (int n = 1; n <= kQuestLevels; ++n) {
        SCOPED_TRACE("level " + std::to_string(n));
        const MapData m = readSource(questSource(n)).map;
        std::set<std::string> fresh;
        for (const std::string& e : elementsOf(m))
            if (!seen.count(e)) fresh.insert(e);
        if (tips.count(n)) {
            EXPECT_EQ(fresh, std::set<std::string>{tips.at(n)});
        } else {
            EXPECT_TRUE(fresh.empty()) << *fresh.begin() << " arrives before its tip level";
        }
        seen.insert(fresh.begin(), fresh.end());
        EXPECT_GT(m.timeSeconds, 0) << "a quest level sets its own time";
        int kinds = 0;
        for (int k = 0; k < kOrdinaryKinds; ++k) kinds += m.kests[static_cast<std::size_t>(k)] ? 1 : 0;
        EXPECT_GE(kinds, previousKinds) << "later levels never use fewer kinds";
        EXPECT_GE(kinds, 5);
        previousKinds = kinds;
        previousTime = m.timeSeconds;
    }
    EXPECT_GT(previousTime, 0);
}

// Every puzzle, played move by move on a real puzzle board through its tick:
// each recorded swap makes a line, and after the last no piece is left and
// the board has seen its goal.
TEST_F(GameLevels, EveryPuzzleSolutionEmptiesItsBoard) {
    for (int n = 1; n <= puzzleCount(); ++n) {
        SCOPED_TRACE("puzzle " + std::to_string(n));
        const Source source = readSource(puzzleSource(n));
        ASSERT_FALSE(source.solution.empty()) << "each puzzle records the solution the solver found";
        Board board(nullptr, nullptr);
        board.setMode(BoardMode::ModePuzzle);
        ASSERT_EQ(loadMap(board, puzzleLevelPath(n)), MapLoad::Loaded);
        board.applyFileLocks();
        ASSERT_FALSE(board.hasLine()) << "a puzzle starts at rest";
        for (const LevelMove& m : source.solution) {
            const PuzzlePosition before = PuzzlePosition::fromBoard(board);
            dragPiece(board, m.from, m.to);
            ASSERT_TRUE(runBoardUntilIdle(board));
            ASSERT_NE(PuzzlePosition::fromBoard(board).key(), before.key()) << m.from << "-" << m.to << " made no line";
        }
        EXPECT_TRUE(board.pieces().empty());
        EXPECT_TRUE(board.goalReached());
    }
}

// What a puzzle's note says the solver proved: "# 7 moves (the fewest there
// are); 2 of 9 first moves that make a line still win".
struct PuzzleNote {
    int moves = -1, winning = -1, firstMoves = -1;
};

PuzzleNote readNote(const fs::path& path) {
    std::ifstream in(path);
    std::string line;
    PuzzleNote note;
    while (std::getline(in, line)) {
        const std::size_t counts = line.find("; ");
        if (std::sscanf(line.c_str(), "# %d moves", &note.moves) == 1 && counts != std::string::npos &&
            std::sscanf(line.c_str() + counts, "; %d of %d", &note.winning, &note.firstMoves) == 2)
            break;
    }
    return note;
}

// Each puzzle records the shortest solution there is, and the puzzles grow
// harder one by one: a longer shortest solution, or as long with fewer first
// moves that still win. The solver proves every one of them again.
TEST_F(GameLevels, PuzzlesRecordTheirShortestSolutionsFromEasyToHard) {
    PuzzleNote previous;
    for (int n = 1; n <= puzzleCount(); ++n) {
        SCOPED_TRACE("puzzle " + std::to_string(n));
        const PuzzleNote note = readNote(puzzleSource(n));
        ASSERT_GT(note.moves, 0) << "the note of what the solver proved";
        const Source source = readSource(puzzleSource(n));
        EXPECT_EQ(static_cast<int>(source.solution.size()), note.moves);
        EXPECT_TRUE(note.moves > previous.moves || (note.moves == previous.moves && note.winning <= previous.winning))
            << note.moves << " moves, " << note.winning << " winning, after " << previous.moves << ", "
            << previous.winning;
        previous = note;
        PuzzleSolver solver;
        const PuzzleReport r = solver.solve(PuzzlePosition::fromMap(source.map));
        ASSERT_TRUE(r.solvable);
        EXPECT_EQ(static_cast<int>(r.solution.size()), note.moves);
        EXPECT_EQ(r.winningFirstMoves, note.winning);
        EXPECT_EQ(r.firstMoves, note.firstMoves);
    }
}

}  // namespace
