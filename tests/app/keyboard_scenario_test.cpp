// The game without a mouse, through the real program headless.
//
// A quest level played to its end with key presses alone: the title, the
// main menu and the quest map are crossed with Tab and Enter by a script,
// then the level intro runs and the keyboard
// player (shardfall_play/keyboard_player.h) chooses each move as the
// autoplayer would and keys it in, ring and all, through the real message
// path; the tip that opens over the level is answered with Tab and Enter.
// The program must see no mouse message at all and win the level.
//
// And the menus crossed with Tab and Enter: the title, the main menu, the
// options (a bar moved with the arrows, a box ticked) and the player list
// (another player chosen with Down), then "Exit". Judged by the files the
// program writes back and by the focus mark in its screenshots.

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "real_program.h"
#include "temp_dir.h"

namespace {

using namespace realprogram;

const std::string kDist = SHARDFALL_DIST_DIR;
const std::string kPlay = SHARDFALL_PLAY;

// The keyboard ring's bright gold.
bool ringGold(Rgb c) { return c.r > 200 && c.g > 140 && c.b < 150; }

// Whether the square of side 2r + 1 around (x, y) holds a pixel of the ring's gold.
bool ringGoldNear(const Picture& p, int x, int y, int r = 2) {
    for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx)
            if (ringGold(p.at(x + dx, y + dy))) return true;
    return false;
}

// The focus mark's band: warm gold, two pixels wide, just outside a control.
bool markGold(Rgb c) { return c.r > 200 && c.g > 140 && c.b < 160; }

class KeyboardScenario : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::exists(kDist + "/data/keyring.tga")) << "no generated data in " << kDist;
        linkGeneratedData(kDist, dir.path());
        std::filesystem::create_directories(dir.path() / "shots");
    }
    void levelOneIsLevelSix() {
        namespace fs = std::filesystem;
        const fs::path levels = dir.path() / "data" / "levels";
        fs::remove(levels);
        fs::create_directories(levels / "quest");
        for (const auto& entry : fs::directory_iterator(kDist + "/data/levels")) {
            if (entry.path().filename() == "quest") continue;
            fs::create_symlink(fs::absolute(entry.path()), levels / entry.path().filename());
        }
        for (const auto& entry : fs::directory_iterator(kDist + "/data/levels/quest")) {
            const bool first = entry.path().filename() == "level1.map";
            fs::create_symlink(fs::absolute(first ? entry.path().parent_path() / "level6.map" : entry.path()),
                               levels / "quest" / entry.path().filename());
        }
    }
    TempDir dir;
};

TEST_F(KeyboardScenario, AQuestLevelIsWonWithKeyPressesAlone) {
    dir.write("game.ini", "[main]\r\nname=Shardfall keyboard scenario\r\nxs=800\r\nys=600\r\nmusic=0\r\nsound=0\r\n");
    dir.write("profiles.ini", "[main]\r\ncurrent=0\r\n[users]\r\n0=Keys\r\n");
    // The menus start a new quest at its first level; in this data folder
    // that level has the sixth level's map, with holes for the ring to
    // cross and eight coated cells to clear.
    levelOneIsLevelSix();
    // "start" on the title; the player's name, then "quest" in the menu;
    // the first episode on the quest map (the only one open).
    dir.write("menus.txt",
              "wait 300\nkey TAB\nkey ENTER\nwait 1000\nkey TAB\nkey TAB\nkey ENTER\nwait 1000\nkey TAB\nkey ENTER\n");
    ASSERT_EQ(run(kPlay, {"--keyboard-player", dir.file("report.txt"), dir.file("shots"), "--headless", "--seed", "5",
                          "--data", dir.path().string(), "--script", dir.file("menus.txt"), "--run-ms", "400000"}),
              0);
    const std::map<std::string, long> report = readReport(dir.read("report.txt"));
    ASSERT_EQ(report.count("complete"), 1u) << "the level never ended";
    EXPECT_EQ(report.at("complete"), 1) << "the level was lost";
    EXPECT_EQ(report.at("mouse"), 0) << "the mouse was used";
    EXPECT_GE(report.at("moves"), 3);
    // A move is at least a pick and an arrow; the ring went about the board.
    EXPECT_GE(report.at("keys"), 2 * report.at("moves"));
    EXPECT_GE(report.at("ring_cells"), 8);
    EXPECT_GT(report.at("score"), 0);
    // The level's tip was answered with Tab and Enter.
    EXPECT_GE(report.at("dialog_keys"), 2);

    // The ring where it first showed, held against the frame before the
    // first key: gold brackets at the cell's four corners, and nothing new
    // along the middle of its sides.
    const Picture before = readPng(dir.file("shots/before.png")), ring = readPng(dir.file("shots/ring.png"));
    ASSERT_EQ(before.width, 800);
    ASSERT_EQ(ring.width, 800);
    const int left = static_cast<int>(report.at("ring_x")), top = static_cast<int>(report.at("ring_y"));
    const int corners[4][2] = {{left + 3, top - 1}, {left + 44, top - 1}, {left - 1, top + 44}, {left + 48, top + 44}};
    for (const auto& corner : corners) {
        EXPECT_TRUE(ringGoldNear(ring, corner[0], corner[1])) << corner[0] << "," << corner[1];
        EXPECT_FALSE(ringGoldNear(before, corner[0], corner[1])) << corner[0] << "," << corner[1];
    }
    for (int x = left + 18; x < left + 30; ++x) EXPECT_EQ(ring.at(x, top - 1).r, before.at(x, top - 1).r) << x;
    const Picture end = readPng(dir.file("shots/end.png"));
    ASSERT_EQ(end.width, 800);
    EXPECT_TRUE(std::filesystem::exists(dir.file("shots/picked.png")));
}

// Tab order: the title has "start"; the main menu the player's name, then
// quest, puzzle, action, cube, options, scores, rules, exit; the options
// panel effects, music, full screen, own cursor, language, done; the player list
// (two players, no scrolling) play, delete, back.
const char* const kMenuScript = R"(wait 300
key TAB
wait 40
shot title.png
key ENTER
wait 1000
key TAB
key TAB
key TAB
key TAB
key TAB
key TAB
wait 100
shot menu.png
key ENTER
wait 1500
key TAB
key LEFT
key LEFT
key LEFT
key LEFT
key TAB
key TAB
key ENTER
wait 40
shot options.png
key TAB
key TAB
key TAB
key ENTER
wait 1500
key SHIFT+TAB
key SHIFT+TAB
key SHIFT+TAB
key SHIFT+TAB
key SHIFT+TAB
wait 40
shot name.png
key ENTER
wait 1500
key DOWN
key TAB
wait 40
shot list.png
key ENTER
wait 1500
shot chosen.png
key SHIFT+TAB
key ENTER
wait 1000
)";

TEST_F(KeyboardScenario, MenusAreCrossedWithTabAndEnter) {
    dir.write("game.ini",
              "[main]\r\nname=Shardfall keyboard menus\r\nxs=800\r\nys=600\r\nmusic=0.5\r\nsound=1\r\nFullScreen=0\r\n");
    dir.write("profiles.ini", "[main]\r\ncurrent=0\r\n[users]\r\n0=Ann\r\n1=Bob\r\n");
    dir.write("play.txt", kMenuScript);
    // The script ends with the program already closed by "exit": a run that
    // went astray would still be waiting in a menu and stop only here.
    ASSERT_EQ(run(kDist + "/shardfall", {"--headless", "--data", dir.path().string(), "--script",
                                         dir.file("play.txt"), "--run-ms", "30000"}),
              0);

    // Options: the effects four steps down, full screen ticked; the list:
    // Bob chosen. All written back at exit.
    const std::string gameIni = dir.read("game.ini");
    EXPECT_NE(gameIni.find("FullScreen=1"), std::string::npos) << gameIni;
    EXPECT_NEAR(iniNumber(gameIni, "sound"), 0.8, 0.01) << gameIni;
    EXPECT_NE(dir.read("profiles.ini").find("current=1"), std::string::npos) << dir.read("profiles.ini");

    // The mark around "start" (290..290+w, 488..) on the title, around
    // "options" (385, 450) in the menu, around the player's name plate
    // (360, 116, 305 x 46).
    const Picture title = readPng(dir.file("title.png"));
    ASSERT_EQ(title.width, 800);
    EXPECT_TRUE(markGold(title.at(285, 520)) || markGold(title.at(286, 520)));
    const Picture menu = readPng(dir.file("menu.png"));
    ASSERT_EQ(menu.width, 800);
    EXPECT_TRUE(markGold(menu.at(380, 470)) || markGold(menu.at(381, 470)));
    EXPECT_FALSE(markGold(menu.at(380, 200)) || markGold(menu.at(381, 200))) << "only the focused button is marked";
    const Picture name = readPng(dir.file("name.png"));
    ASSERT_EQ(name.width, 800);
    EXPECT_TRUE(markGold(name.at(355, 139)) || markGold(name.at(356, 139)));
}

}  // namespace
