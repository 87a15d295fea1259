// The real program on the game screen, headless, in each of the four modes:
// the level fades in, real swaps are played with clicks, a typed word ends a
// quest level and another lets one run out of time. Judged from what the
// program leaves behind: the player's progress file written at exit and the
// screenshots it took along the way.

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "real_program.h"
#include "temp_dir.h"

namespace {

using namespace realprogram;

const std::string kDist = SHARDFALL_DIST_DIR;
const std::string kPlay = SHARDFALL_PLAY;
constexpr int kCell = 48;

// The saved fields the scenario reads, by their offsets in the 46 bytes.
struct Saved {
    std::string bytes;
    int byteAt(std::size_t i) const { return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : -1; }
    int u16At(std::size_t i) const { return byteAt(i) * 256 + byteAt(i + 1); }
    int u24At(std::size_t i) const { return byteAt(i) * 65536 + u16At(i + 1); }
    int questScore() const { return u24At(17); }
    int questTimeLeft() const { return u16At(21); }
    int actionScore() const { return u24At(2); }
    int cubeScore() const { return u24At(32); }
    int puzzleLevel() const { return byteAt(0); }
};

// Drags every piece of the rows one cell to the right, one after another:
// most swaps make no line and come back, some score.
std::string sweepSwaps(int x0, int y0, int columns, int rows) {
    std::string script;
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c + 1 < columns; ++c) {
            const int x = x0 + kCell * c + kCell / 2, y = y0 + kCell * r + kCell / 2;
            script += "click " + std::to_string(x) + " " + std::to_string(y) + "\nwait 40\n";
            script += "click " + std::to_string(x + kCell) + " " + std::to_string(y) + "\nwait 700\n";
        }
    }
    return script;
}

class GameModesScenario : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::exists(kDist + "/data/menu/game.ini")) << "no generated data in " << kDist;
        std::filesystem::create_directories(dir.path() / "data");
        for (const auto& entry : std::filesystem::directory_iterator(kDist + "/data")) {
            if (entry.path().filename() == "profiles") continue;
            std::filesystem::create_symlink(std::filesystem::absolute(entry.path()),
                                            dir.path() / "data" / entry.path().filename());
        }
        dir.write("game.ini", "[main]\r\nname=Shardfall game scenario\r\nxs=800\r\nys=600\r\nmusic=0\r\nsound=0\r\n");
        dir.write("profiles.ini", "[main]\r\ncurrent=0\r\n[users]\r\n0=Scenario\r\n");
    }

    // Plays the script in the mode from a fresh start; the exit code.
    int play(const std::string& mode, const std::string& script, const std::string& level = "") {
        dir.write("play.txt", script + "quit\n");
        std::vector<std::string> args = {"--mode", mode};
        if (!level.empty()) args.insert(args.end(), {"--level", level});
        args.insert(args.end(), {"--headless", "--seed", "11", "--data", dir.path().string(), "--script",
                                 dir.file("play.txt")});
        return run(kPlay, args);
    }
    Saved saved() const { return {dir.read("data/profiles/%53cenario.sav")}; }
    Picture shot(const std::string& name) const { return readPng(dir.file(name)); }

    TempDir dir;
};

// Past the level intro: a click once the level has faded in brings "GO!" at
// once, a second click starts the level.
const std::string kSkipIntro = "wait 1200\nclick 720 20\nwait 100\nclick 720 20\nwait 100\n";
// A new quest's first level also opens its tip, closed with its "ok".
const std::string kSkipQuestIntro = kSkipIntro + "click 400 404\nwait 100\n";

// The gold frame's top edge above the middle of a board `columns` wide at (x0, y0).
bool framed(const Picture& p, int x0, int y0, int columns) { return gold(p.at(x0 + columns * kCell / 2, y0 - 10)); }

TEST_F(GameModesScenario, AQuestLevelIsPlayedWithClicksAndEndsWithATypedWord) {
    // Level 1 opens with the card about the first move; a click closes it.
    const std::string script = kSkipQuestIntro + "wait 200\nshot card.png\nclick 720 20\nwait 300\n" +
                               sweepSwaps(288, 152, 6, 6) +
                               "shot played.png\ntype shatter\nwait 4000\nshot won.png\nwait 2000\nshot later.png\n";
    ASSERT_EQ(play("quest", script, "1"), 0);
    const Picture card = shot("card.png"), played = shot("played.png");
    ASSERT_EQ(card.width, 800);
    EXPECT_TRUE(framed(played, 288, 152, 6));
    EXPECT_TRUE(gold(played.at(280, 559))) << "time is left on the bar";
    // The card covers a part of the board that play shows.
    int differing = 0;
    for (int y = 152; y < 152 + 6 * kCell; y += 4)
        for (int x = 288; x < 288 + 6 * kCell; x += 4) differing += card.at(x, y).r != played.at(x, y).r ? 1 : 0;
    EXPECT_GT(differing, 200);

    // The swaps scored, and the level is over: the board stands still.
    EXPECT_GT(saved().questScore(), 0);
    const Picture won = shot("won.png"), later = shot("later.png");
    for (int y = 152; y < 152 + 6 * kCell; y += 3)
        for (int x = 288; x < 288 + 6 * kCell; x += 3) ASSERT_EQ(won.at(x, y).g, later.at(x, y).g) << x << "," << y;
}

TEST_F(GameModesScenario, AQuestLevelRunsOutOfTime) {
    // Seventeen seconds left; under sixteen the card about the last seconds
    // stops the clock until a click.
    const std::string script = kSkipQuestIntro + "click 720 20\nwait 300\ntype ebb\nwait 2200\nshot lastseconds.png\n"
                               "click 720 20\nwait 16500\nshot timeup.png\n";
    ASSERT_EQ(play("quest", script, "1"), 0);
    EXPECT_FALSE(gold(shot("timeup.png").at(280, 559))) << "the bar is empty";
    EXPECT_EQ(saved().questTimeLeft(), 0);
}

TEST_F(GameModesScenario, PuzzleActionAndCubeArePlayedOnTheirOwnBoards) {
    // Puzzle 1 is solved by one swap in its third column.
    ASSERT_EQ(play("puzzle", kSkipIntro + "click 720 20\nwait 300\nshot puzzle.png\nclick 456 320\nwait 40\n"
                             "click 456 368\nwait 3000\n"),
              0);
    EXPECT_TRUE(framed(shot("puzzle.png"), 336, 200, 4));
    // Solved: its result screen has saved the next puzzle as the one to play.
    EXPECT_EQ(saved().puzzleLevel(), 2);

    ASSERT_EQ(play("action", kSkipIntro + "click 720 20\nwait 300\n" + sweepSwaps(240, 104, 8, 3) + "shot action.png\n"),
              0);
    EXPECT_TRUE(framed(shot("action.png"), 240, 104, 8));
    EXPECT_GT(saved().actionScore(), 0);

    ASSERT_EQ(play("cube", kSkipIntro + "click 720 20\nwait 300\n" + sweepSwaps(240, 104, 8, 4) + "shot cube.png\n"), 0);
    EXPECT_TRUE(framed(shot("cube.png"), 240, 104, 8));
    EXPECT_GT(saved().cubeScore(), 0);
}

}  // namespace
