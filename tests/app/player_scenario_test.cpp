// A new player's first visit, through the real program headless, from a
// data folder without profiles.ini: the title, "start", the name dialog
// (which cannot be cancelled), the menu with the name, the options (the
// music dragged to a quarter, full screen on and off, Escape while the
// panel slides in), the player list (a second player made, the first
// chosen again by a double click, the second deleted), and "exit". Judged
// by what the program wrote: game.ini, profiles.ini, the players' files
// and the screenshots along the way.

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "config/game_settings.h"
#include "game/progress_file.h"
#include "real_program.h"
#include "temp_dir.h"

namespace {

using namespace realprogram;

const std::string kDist = SHARDFALL_DIST_DIR;

std::string localPath(std::string gamePath) {
    for (char& c : gamePath) c = c == '\\' ? '/' : c;
    return gamePath;
}

const char* const kScript = R"(# The title, then the menu asks for a name at once.
wait 300
click 400 516
wait 1000
shot name_dialog.png
type Ann
wait 100
shot name_typed.png
key ENTER
wait 300
shot menu_named.png
# Options: the music bar dragged from 0.8 to a quarter, full screen on and off.
click 447 472
wait 100
shot options_sliding.png
wait 1400
shot options.png
down 502 226
wait 100
move 450 226
wait 40
move 397 226
wait 100
shot music_dragged.png
up 397 226
click 266 281
wait 100
shot fullscreen_ticked.png
click 266 281
wait 100
click 400 471
wait 1500
# Escape while the panel is still on its way in.
click 447 472
wait 200
key ESC
wait 60
shot options_turning.png
wait 1500
shot menu_after_escape.png
# The player list: a second player.
click 500 150
wait 1500
shot list_one.png
click 450 202
wait 500
type Bob
key ENTER
wait 500
shot list_two.png
# The first again, by a double click.
click 450 227
wait 100
click 450 227
wait 1500
shot menu_ann.png
# The second deleted through its dialog.
click 500 150
wait 1500
click 450 252
wait 100
click 515 511
wait 300
shot delete_dialog.png
click 305 352
wait 300
shot list_after_delete.png
key ESC
wait 1500
# The rules: forward to the last page and back to the first.
click 447 524
wait 1500
shot help_first.png
click 627 538
wait 200
click 627 538
wait 200
click 627 538
wait 200
click 627 538
wait 200
click 627 538
wait 200
click 627 538
wait 200
shot help_last.png
click 155 538
wait 200
click 155 538
wait 200
click 155 538
wait 200
click 155 538
wait 200
click 155 538
wait 200
click 155 538
wait 200
shot help_back.png
click 391 538
wait 1500
shot menu_last.png
click 582 524
wait 100
)";

class NewPlayerScenario : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::exists(kDist + "/data/menu/profilemenu.ini")) << "no generated data";
        dir.write("game.ini", "[main]\r\nname=Shardfall player scenario\r\nxs=800\r\nys=600\r\nmusic=0.8\r\nsound=0.5\r\n");
        // The generated data, but a players' folder of this test's own.
        linkGeneratedData(kDist, dir.path());
        // Files left by players of these names: Bob's go with him, Ann's stay.
        for (const char* name : {"Ann", "Bob"}) {
            for (ProfileFile f : kFiles) dir.write(localPath(profileFilePath(name, f)), std::string(name) + " file");
        }
        dir.write("play.txt", kScript);
        ASSERT_EQ(run(kDist + "/shardfall", {"--headless", "--data", dir.path().string(), "--seed", "1", "--script",
                                             dir.file("play.txt")}),
                  0);
    }
    static constexpr ProfileFile kFiles[] = {ProfileFile::Progress, ProfileFile::QuestBoard,
                                             ProfileFile::ActionBoard, ProfileFile::CubeBoard};
    TempDir dir;
};

TEST_F(NewPlayerScenario, LeavesOnePlayerTheNewMusicVolumeAndOnlyThatPlayersFiles) {
    EXPECT_EQ(dir.read("profiles.ini"), "[main]\r\ncurrent=0\r\n[users]\r\n0=Ann\r\n");

    const std::string settings = dir.read("game.ini");
    const std::size_t music = settings.find("music=");
    ASSERT_NE(music, std::string::npos);
    EXPECT_NEAR(std::stod(settings.substr(music + 6)), 0.25, 0.02) << settings;
    EXPECT_NE(settings.find("FullScreen=0\r\n"), std::string::npos) << settings;
    EXPECT_NE(settings.find("sound=0.500000\r\n"), std::string::npos) << settings;

    for (ProfileFile f : kFiles) {
        EXPECT_FALSE(dir.exists(localPath(profileFilePath("Bob", f)))) << profileFilePath("Bob", f);
        EXPECT_EQ(dir.read(localPath(profileFilePath("Ann", f))), "Ann file");
    }
}

TEST_F(NewPlayerScenario, EveryScreenOnTheWayWasShown) {
    // The name dialog in the middle, its "cancel" hidden: the dialog's
    // right-hand plate is not there, the left one is.
    const Picture named = readPng(dir.file("name_dialog.png"));
    ASSERT_EQ(named.width, 800);
    EXPECT_TRUE(gold(named.at(315, 353))) << "the rim of \"ok\"";
    EXPECT_FALSE(gold(named.at(485, 353))) << "no \"cancel\"";

    // The options panel at rest, then with the bar at a quarter: gold up to
    // x 397 and the empty groove after it.
    const Picture dragged = readPng(dir.file("music_dragged.png"));
    ASSERT_EQ(dragged.width, 800);
    EXPECT_TRUE(gold(dragged.at(370, 226)));
    EXPECT_FALSE(gold(dragged.at(470, 226)));

    // After Escape the panel had turned back and gone: the menu again.
    const Picture menu = readPng(dir.file("menu_after_escape.png"));
    ASSERT_EQ(menu.width, 800);
    EXPECT_TRUE(gold(menu.at(515, 187))) << "the rim of \"quest\"";

    // Two players listed, the new one highlighted in black.
    const Picture two = readPng(dir.file("list_two.png"));
    ASSERT_EQ(two.width, 800);
    EXPECT_TRUE(dark(two.at(400, 244))) << "row 2 selected";
    EXPECT_FALSE(dark(two.at(400, 219))) << "row 1 not";

    // The rules paged to the end: "next" gone, "prev" there; and back at
    // the first page the other way round (the gold rims of their plates,
    // somewhere in a column through the button, away from the cursor).
    const Picture last = readPng(dir.file("help_last.png")), first = readPng(dir.file("help_back.png"));
    ASSERT_EQ(last.width, 800);
    ASSERT_EQ(first.width, 800);
    const auto rimAt = [](const Picture& p, int x) {
        for (int y = 495; y < 553; ++y)
            if (gold(p.at(x, y))) return true;
        return false;
    };
    EXPECT_TRUE(rimAt(last, 110));
    EXPECT_FALSE(rimAt(last, 680));
    EXPECT_FALSE(rimAt(first, 110));
    EXPECT_TRUE(rimAt(first, 680));
}

}  // namespace
