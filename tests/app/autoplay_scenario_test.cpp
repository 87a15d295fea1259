// The demo through the real program, headless: --autoplay finds its own way
// from the title through the menus into a quest level and plays it with
// the mouse, while --shots keeps a picture every two seconds. Judged from
// the demo's own account of its moves, the pictures, and the players'
// files, which the demo must leave exactly as they were.
//
// The program is shardfall_play (see game_modes_scenario_test.cpp).

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/progress_file.h"
#include "real_program.h"
#include "temp_dir.h"

namespace {

using namespace realprogram;

const std::string kDist = SHARDFALL_DIST_DIR;
const std::string kPlay = SHARDFALL_PLAY;

struct Move {
    int number = 0, score = 0;
};

// Every file under the folder with its bytes, by relative path.
std::map<std::string, std::string> filesUnder(const std::filesystem::path& folder) {
    std::map<std::string, std::string> files;
    if (!std::filesystem::exists(folder)) return files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        files[std::filesystem::relative(entry.path(), folder).string()] =
            std::string(std::istreambuf_iterator<char>(in), {});
    }
    return files;
}

class AutoplayScenario : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::exists(kDist + "/data/menu/game.ini")) << "no generated data in " << kDist;
        linkGeneratedData(kDist, dir.path());
        dir.write("game.ini", "[main]\r\nname=Shardfall autoplay scenario\r\nxs=800\r\nys=600\r\nmusic=0\r\nsound=0\r\n");
    }

    // Runs the demo for `ms` of game time; its output lines.
    std::vector<std::string> runDemo(int ms) {
        const std::string command = kPlay + " --headless --autoplay --seed 5 --run-ms " + std::to_string(ms) +
                                    " --data " + dir.path().string() + " --shots " + dir.file("shots") + " > " +
                                    dir.file("out.txt") + " 2> " + dir.file("err.txt");
        EXPECT_EQ(std::system(command.c_str()), 0) << dir.read("err.txt");
        std::vector<std::string> lines;
        std::istringstream in(dir.read("out.txt"));
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }

    static std::vector<Move> movesIn(const std::vector<std::string>& lines) {
        static const std::regex move(R"(autoplay: quest level \d+: move (\d+), score (\d+))");
        std::vector<Move> moves;
        std::smatch m;
        for (const std::string& line : lines)
            if (std::regex_match(line, m, move)) moves.push_back({std::stoi(m[1]), std::stoi(m[2])});
        return moves;
    }

    static bool pressed(const std::vector<std::string>& lines, const std::string& screen, const std::string& button) {
        const std::string wanted = "autoplay: " + screen + ": pressing \"" + button + "\"";
        for (const std::string& line : lines)
            if (line == wanted) return true;
        return false;
    }

    TempDir dir;
};

TEST_F(AutoplayScenario, TheDemoPlaysAQuestLevelThroughTheMenusAndLeavesThePlayersAsTheyWere) {
    // Two players, the second current, with a game in progress.
    dir.write("profiles.ini", "[main]\r\ncurrent=1\r\n[users]\r\n0=Ann\r\n1=Bob\r\n");
    ProgressRecord bob;
    bob.quest.level = 7;
    bob.quest.score = 12345;
    bob.highestQuestLevel = 7;
    const std::vector<std::uint8_t> bytes = encodeProgress(bob);
    dir.write("data/profiles/" + profileFileStem("Bob") + ".sav", std::string(bytes.begin(), bytes.end()));
    const std::string profilesBefore = dir.read("profiles.ini");
    const auto playersBefore = filesUnder(dir.path() / "data" / "profiles");

    const std::vector<std::string> lines = runDemo(45000);

    // The title's start, the menu's quest, the map's first episode, and
    // then moves, the score rising, and the result's way on to the next level.
    EXPECT_TRUE(pressed(lines, "logo", "start"));
    EXPECT_TRUE(pressed(lines, "mainmenu", "quest"));
    EXPECT_TRUE(pressed(lines, "questmap", "episode1"));
    EXPECT_TRUE(pressed(lines, "levelcomplete", "next"));
    const std::vector<Move> moves = movesIn(lines);
    ASSERT_GE(moves.size(), 3u) << dir.read("out.txt");
    EXPECT_EQ(moves.front().score, 0) << "a new game for the demo's own player, not Bob's quest";
    EXPECT_GT(moves.back().score, moves.front().score);
    // A human pace: not much faster than a move every two seconds.
    EXPECT_LE(moves.size(), 45000u / 1500u);

    // Nobody's files were touched and the demo's player left nothing.
    EXPECT_EQ(dir.read("profiles.ini"), profilesBefore);
    EXPECT_EQ(filesUnder(dir.path() / "data" / "profiles"), playersBefore);

    // A picture every two seconds, the title's first, and the first quest
    // level's board in some of them.
    int framed = 0;
    for (int second = 0; second < 45; second += 2) {
        char name[32];
        std::snprintf(name, sizeof name, "shots/shot-%04ds.png", second);
        const Picture shot = readPng(dir.file(name));
        ASSERT_EQ(shot.width, 800) << name;
        framed += gold(shot.at(288 + 3 * 48, 152 - 10)) ? 1 : 0;
    }
    EXPECT_FALSE(dir.exists("shots/shot-0046s.png"));
    EXPECT_GE(framed, 3);
}

TEST_F(AutoplayScenario, OnAFirstStartTheDemoLeavesNoPlayersBehind) {
    // No profiles.ini and no players' folder: the main menu would ask a
    // first player's name, but the demo plays under its own.
    const std::vector<std::string> lines = runDemo(25000);
    EXPECT_FALSE(movesIn(lines).empty()) << dir.read("out.txt");
    EXPECT_FALSE(dir.exists("profiles.ini"));
    EXPECT_FALSE(dir.exists("data/profiles"));
}

}  // namespace
