// The real program, headless, at the board speeds of the generated data: a
// plain move of three is over, and the board takes the next one, within
// 550 ms of game time. Played in action mode on a board of our own, dealt
// from a map whose every piece is fixed and of a kind the first action
// level never deals, so the line is the only one the move can make: the
// pieces that fall in line up with nothing, and new pieces (of other kinds)
// only with each other.
//
// Judged from the score the program saves: the second move counts only if
// its press found the board at rest.

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "game/level_map.h"
#include "game/progress_file.h"
#include "real_program.h"
#include "temp_dir.h"

namespace {

using namespace realprogram;
namespace fs = std::filesystem;

const std::string kDist = SHARDFALL_DIST_DIR;
const std::string kPlay = SHARDFALL_PLAY;
constexpr const char* kPlayer = "Pace";
constexpr int kX0 = 240, kY0 = 104, kCell = 48;

// Kinds 5..7 with no two alike side by side, but for two lines waiting for
// a swap in the bottom row: (6,2) down into 5 5 _ and (6,5) down into _ 6 6.
MapData paceBoard() {
    const char* const rows[8] = {"57657657", "65765765", "76576576", "57657657",
                                 "65765765", "76576576", "57557657", "55665766"};
    MapData map;
    map.x0 = kX0;
    map.y0 = kY0;
    map.w = map.h = 8;
    map.mode = static_cast<int>(BoardMode::ModeAction);
    for (int k = 0; k < 5; ++k) map.kests[static_cast<std::size_t>(k)] = 1;
    for (const char* row : rows)
        for (int c = 0; c < 8; ++c) map.cells.push_back(MapCell{1, 0, 0, static_cast<std::uint8_t>(row[c] - '0' + 1)});
    return map;
}

// A drag from a cell's centre half a cell down, where the swap starts.
std::string dragDown(int row, int col) {
    const std::string x = std::to_string(kX0 + kCell * col + kCell / 2);
    const std::string y = std::to_string(kY0 + kCell * row + kCell / 2);
    const std::string below = std::to_string(kY0 + kCell * row + kCell);
    return "down " + x + " " + y + "\nwait 20\nmove " + x + " " + below + "\nup " + x + " " + below + "\n";
}

class MovePaceScenario : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fs::exists(kDist + "/data/common.ini")) << "no generated data in " << kDist;
        linkGeneratedData(kDist, dir.path(), {"levels"});
        fs::create_directories(dir.path() / "data" / "levels");
        for (const auto& entry : fs::directory_iterator(kDist + "/data/levels"))
            if (entry.path().filename() != "baseaction.map")
                fs::create_symlink(fs::absolute(entry.path()), dir.path() / "data" / "levels" / entry.path().filename());
        const std::vector<std::uint8_t> map = encodeMap(paceBoard());
        dir.write("data/levels/baseaction.map", std::string(map.begin(), map.end()));
    }

    // A new player's action game: the menus, the level's start, a click
    // beside the board for any card, the first move, then after `gapMs` the
    // second (none when negative). The action score the game saved.
    int scoreAfter(int gapMs) {
        fs::remove_all(dir.path() / "data" / "profiles");
        dir.write("game.ini", "[main]\r\nname=Shardfall pace\r\nxs=800\r\nys=600\r\nmusic=0\r\nsound=0\r\n");
        dir.write("profiles.ini", std::string("[main]\r\ncurrent=0\r\n[users]\r\n0=") + kPlayer + "\r\n");
        ProgressRecord record;
        record.tipsOff = true;
        const std::vector<std::uint8_t> bytes = encodeProgress(record);
        dir.write("data/profiles/" + profileFileStem(kPlayer) + ".sav", std::string(bytes.begin(), bytes.end()));

        std::string script = "wait 300\nclick 400 516\nwait 1000\nclick 515 330\nwait 7000\nclick 720 20\nwait 500\n";
        script += dragDown(6, 2);
        if (gapMs >= 0) script += "wait " + std::to_string(gapMs) + "\n" + dragDown(6, 5);
        dir.write("play.txt", script + "wait 2000\nquit\n");
        EXPECT_EQ(run(kPlay, {"--headless", "--seed", "3", "--data", dir.path().string(), "--script",
                              dir.file("play.txt")}),
                  0);
        return savedProgress(dir.path(), kPlayer).action.score;
    }

    TempDir dir;
};

TEST_F(MovePaceScenario, APlainMoveIsOverWithinHalfASecond) {
    const int firstOnly = scoreAfter(-1);
    const int secondLate = scoreAfter(2000);
    // The press of the second move arrives 530 ms after the first swap began,
    // the frame after that at the latest.
    const int secondSoon = scoreAfter(530);
    ASSERT_GT(firstOnly, 0) << "the first move made its line";
    ASSERT_GT(secondLate, firstOnly) << "the second move makes a line on a board at rest";
    EXPECT_GT(secondSoon, firstOnly) << "550 ms after the first move the board was still busy";
}

}  // namespace
