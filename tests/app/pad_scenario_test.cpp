// The game with a pad, through the real program headless: every input
// below is a script's pad line.
//
// A quest level won with the pad alone: the menus crossed with the
// script's pad lines, then the keyboard player of shardfall_play, in its pad
// mode, chooses each move and presses it in through the same pad.
//
// A new player named with the letter grid: the title, the main menu and
// the player list crossed with the d-pad and A, the grid's letters taken
// with A, one of them deleted again, Done. Judged by the player list the
// program writes, with the grid looked at in its screenshot.
//
// And a pad pulled out in the middle of a quest level: the pause menu
// opens over the board.

#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "real_program.h"
#include "temp_dir.h"

namespace {

using namespace realprogram;

const std::string kDist = SHARDFALL_DIST_DIR;
const std::string kPlay = SHARDFALL_PLAY;

class PadScenario : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::exists(kDist + "/data/menu/lettergrid_panel.tga")) << "no generated data in " << kDist;
        linkGeneratedData(kDist, dir.path());
        dir.write("game.ini", "[main]\r\nname=Shardfall pad scenario\r\nxs=800\r\nys=600\r\nmusic=0\r\nsound=0\r\n");
        dir.write("profiles.ini", "[main]\r\ncurrent=0\r\n[users]\r\n0=Ann\r\n");
    }
    int play(const std::string& script, const std::string& runMs) {
        dir.write("play.txt", script);
        return run(kDist + "/shardfall", {"--headless", "--seed", "3", "--data", dir.path().string(), "--script",
                                          dir.file("play.txt"), "--run-ms", runMs});
    }
    TempDir dir;
};

TEST_F(PadScenario, AQuestLevelIsWonWithThePadAlone) {
    dir.write("menus.txt", "pad attach\nwait 300\npad a\nwait 1000\npad down\npad down\npad a\nwait 1000\n"
                           "pad down\npad a\n");
    ASSERT_EQ(run(kPlay, {"--pad-player", dir.file("report.txt"), "--headless", "--seed", "5", "--data",
                          dir.path().string(), "--script", dir.file("menus.txt"), "--run-ms", "400000"}),
              0);
    const std::map<std::string, long> report = readReport(dir.read("report.txt"));
    ASSERT_EQ(report.count("complete"), 1u) << "the level never ended";
    EXPECT_EQ(report.at("complete"), 1) << "the level was lost";
    EXPECT_EQ(report.at("mouse"), 0) << "the mouse was used";
    EXPECT_EQ(report.at("pad_last"), 1) << "the keyboard was used";
    EXPECT_GE(report.at("moves"), 3);
    EXPECT_GT(report.at("score"), 0);
}

// The grid's cells: A to T on its first row, U to Z and a to n on the
// second (the stick leant right for a moment is one step, like the d-pad); Up from the first row wraps to the bottom row's Space, and Right
// goes on to Delete and Done.
TEST_F(PadScenario, ANewPlayerIsNamedWithTheLetterGrid) {
    ASSERT_EQ(play(R"(pad attach
wait 300
pad a
wait 1000
pad down
pad a
wait 1500
pad up
pad a
wait 800
shot grid_empty.png
pad a
pad stick 100 10 100
pad a
pad down
pad a
pad up
pad up
pad right
pad a
pad right
wait 100
shot grid.png
pad a
wait 1500
shot list.png
quit
)",
                   "20000"),
              0);
    // A, B and V typed, V deleted again, then Done.
    const std::string players = dir.read("profiles.ini");
    EXPECT_NE(players.find("=AB\r\n"), std::string::npos) << players;

    // The grid shows below the dialog only once the pad is the last input.
    const Picture grid = readPng(dir.file("grid.png"));
    ASSERT_EQ(grid.width, 800);
    int goldInGrid = 0;
    for (int y = 430; y < 600; ++y)
        for (int x = 100; x < 700; ++x) goldInGrid += gold(grid.at(x, y)) ? 1 : 0;
    EXPECT_GT(goldInGrid, 20) << "no focus mark in the letter grid";
}

// The options crossed with the pad: the d-pad walks the focus (the name
// plate, quest, puzzle, action, cube, options; in the panel effects, music,
// full screen, own cursor, done), left lowers the focused bar, A ticks and
// presses.
TEST_F(PadScenario, TheOptionsAreSetWithThePad) {
    dir.write("game.ini", "[main]\r\nname=Shardfall pad options\r\nxs=800\r\nys=600\r\nmusic=0.5\r\nsound=1\r\n"
                          "FullScreen=0\r\n");
    ASSERT_EQ(play("pad attach\nwait 300\npad a\nwait 1000\npad down\npad down\npad down\npad down\npad down\n"
                   "pad down\npad a\nwait 1500\npad down\npad left\npad left\npad left\npad left\npad down\n"
                   "pad down\npad a\nwait 100\nshot options.png\npad down\npad down\npad a\nwait 1500\nquit\n",
                   "20000"),
              0);
    const std::string gameIni = dir.read("game.ini");
    EXPECT_NE(gameIni.find("FullScreen=1"), std::string::npos) << gameIni;
    EXPECT_NEAR(iniNumber(gameIni, "sound"), 0.8, 0.01) << gameIni;
}

TEST_F(PadScenario, APadPulledOutMidLevelOpensThePauseMenu) {
    // Into the first quest level with the pad, its tip and the tutorial's
    // first card answered with A, then the pad pulled out while it plays.
    ASSERT_EQ(play("pad attach\nwait 300\npad a\nwait 1000\npad down\npad down\npad a\nwait 1000\npad down\npad a\n"
                   "wait 9000\npad a\nwait 3000\npad a\nwait 1500\nshot playing.png\npad detach\nwait 1500\n"
                   "shot unplugged.png\n",
                   "20000"),
              0);
    const Picture playing = readPng(dir.file("playing.png")), unplugged = readPng(dir.file("unplugged.png"));
    ASSERT_EQ(playing.width, 800);
    ASSERT_EQ(unplugged.width, 800);
    // The menu covers the middle of the board: most of it changes.
    EXPECT_GT(clearlyChangedPixels(playing, unplugged, 300, 200, 500, 400), 200 * 200 / 3) << "the board plays on without its pad";
}

}  // namespace
