// The real program, headless, on the quest's way. First a level runs out of
// time. "TIME UP!"
// zooms in over the frozen board, a life is gone, the question slides in,
// and "Try again" deals the level afresh. Then the last life runs out:
// "gameover" enters the score in the high-score table, starts the player's
// numbers afresh, and "Main menu" leads out; at exit game.ini holds the
// score under the player's name. Then the whole quest, level 1 to the win
// screen, with typed words: the confetti, and the table with the score.

#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "real_program.h"
#include "temp_dir.h"

namespace {

using namespace realprogram;

const std::string kDist = SHARDFALL_DIST_DIR;
const std::string kPlay = SHARDFALL_PLAY;

// Title "start", menu "quest", the map's first episode (its "Start" button),
// then the level's intro, its tip's "ok" and the first-move card closed.
const char* const kIntoLevelOne = R"(wait 300
click 400 516
wait 1000
click 515 210
wait 1500
click 126 243
wait 7000
click 400 404
wait 300
click 720 20
wait 500
)";

// Out of time: 300 ms into the zoom, then past the hold with the panel in.
// A click on "Try again" during the zoom must not answer.
const char* const kTimeUp = R"(type dusk
wait 300
click 300 350
shot zoom.png
wait 3000
wait 1500
shot question.png
click 300 350
wait 1500
shot again.png
)";

// 24,990 points, then no lives left and the time runs out: game over.
// "Main menu" on the question leads out.
// Level 1 jumps to 39 and is won; its tally leads to level 40, the last,
// which is won too; its tally leads to the win screen, and a key from
// there to the main menu and the high-score table.
const char* const kWholeQuest = R"(type crown
wait 12000
click 520 420
wait 8000
click 400 404
wait 300
click 720 20
wait 500
type shatter
wait 12000
shot last_tally.png
click 520 420
wait 2500
shot win.png
wait 3000
key space
wait 3000
shot scores.png
quit
)";

// Level 1 jumps to 5 and is won; its tally leads to the map, where
// episode 2 opens; the program ends there.
const char* const kToEpisodeTwo = R"(type opal
wait 12000
click 520 420
wait 6000
quit
)";

// The next start: title, menu "quest", and the map asks about the saved
// quest at once; "Continue" goes on at level 6, which is won.
const char* const kContinueSaved = R"(wait 300
click 400 516
wait 1000
click 515 210
wait 1500
click 315 348
wait 7000
click 400 404
wait 300
click 720 20
wait 500
type shatter
wait 3000
quit
)";

const char* const kGameOver = R"(wait 6000
click 400 404
wait 300
click 720 20
wait 500
type riches
wait 2000
type lastgasp
wait 4800
shot gameover.png
click 490 350
wait 2000
shot menu.png
quit
)";

bool differs(const Rgb& a, const Rgb& b) { return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b) > 30; }

struct Saved {
    std::string bytes;
    int byteAt(std::size_t i) const { return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : -1; }
    int questScore() const { return byteAt(17) * 65536 + byteAt(18) * 256 + byteAt(19); }
    int questWands() const { return byteAt(20); }
    int questLives() const { return byteAt(28); }
};

class QuestJourneyScenario : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::exists(kDist + "/data/menu/timeup.ini")) << "no generated data";
        std::filesystem::create_directories(dir.path() / "data");
        for (const auto& entry : std::filesystem::directory_iterator(kDist + "/data")) {
            if (entry.path().filename() == "profiles") continue;
            std::filesystem::create_symlink(std::filesystem::absolute(entry.path()),
                                            dir.path() / "data" / entry.path().filename());
        }
        dir.write("game.ini", "[main]\r\nname=Shardfall time up\r\nxs=800\r\nys=600\r\nmusic=0\r\nsound=0\r\n"
                              "[highscores]\r\nname0=Zed\r\nscore0=30000\r\nname1=Kim\r\nscore1=100\r\n");
        dir.write("profiles.ini", "[main]\r\ncurrent=0\r\n[users]\r\n0=Ann\r\n");
    }
    int play(const std::string& script) {
        dir.write("play.txt", script);
        return run(kPlay, {"--headless", "--seed", "5", "--data", dir.path().string(), "--script", dir.file("play.txt")});
    }
    Saved saved() const { return {dir.read("data/profiles/%41nn.sav")}; }

    TempDir dir;
};

TEST_F(QuestJourneyScenario, ALifeIsLostTheLevelReturnsAndTheLastLifeEndsTheGameInTheTable) {
    ASSERT_EQ(play(std::string(kIntoLevelOne) + kTimeUp + "shot lives.png\n" + kGameOver), 0);

    // The zoom shows gold lettering over the board; the question is not there
    // yet, so the early click answered nothing and the panel came in later.
    const Picture zoom = readPng(dir.file("zoom.png")), question = readPng(dir.file("question.png"));
    int goldInZoom = 0;
    for (int x = 200; x < 600; ++x) goldInZoom += gold(zoom.at(x, 300)) ? 1 : 0;
    EXPECT_GT(goldInZoom, 20) << "the lettering at the screen's middle";
    EXPECT_TRUE(differs(question.at(400, 220), zoom.at(400, 220))) << "the panel over the board";
    EXPECT_TRUE(differs(readPng(dir.file("again.png")).at(400, 220), question.at(400, 220))) << "the level dealt again";

    // The game over's lettering; the player's game left for the menu.
    EXPECT_TRUE(differs(readPng(dir.file("menu.png")).at(400, 220), readPng(dir.file("gameover.png")).at(400, 220)));

    // Ann's points went into the table between Zed and Kim...
    const std::string ini = dir.read("game.ini");
    const std::size_t ann = ini.find("name1=Ann");
    ASSERT_NE(ann, std::string::npos) << ini;
    EXPECT_NE(ini.find("name0=Zed"), std::string::npos);
    EXPECT_NE(ini.find("name2=Kim"), std::string::npos);
    // ...and her game starts afresh: no score, five lives, five wands.
    EXPECT_EQ(saved().questScore(), 0);
    EXPECT_EQ(saved().questLives(), 5);
    EXPECT_EQ(saved().questWands(), 5);
}

TEST_F(QuestJourneyScenario, TheWholeQuestEndsOnTheWinScreenAndInTheTable) {
    ASSERT_EQ(play(std::string(kIntoLevelOne) + kWholeQuest), 0);
    // The win screen's gold title across the top, and the table after it
    // with Ann above Zed, whose 30000 her quest did not reach.
    const Picture win = readPng(dir.file("win.png"));
    int goldTitle = 0;
    for (int x = 100; x < 700; ++x) goldTitle += gold(win.at(x, 90)) ? 1 : 0;
    EXPECT_GT(goldTitle, 60) << "the win screen's title";
    EXPECT_TRUE(differs(readPng(dir.file("scores.png")).at(500, 110), win.at(500, 110))) << "the table slid in";
    const std::string ini = dir.read("game.ini");
    EXPECT_NE(ini.find("name0=Zed"), std::string::npos) << ini;
    EXPECT_NE(ini.find("name1=Ann"), std::string::npos) << ini;
    EXPECT_NE(ini.find("name2=Kim"), std::string::npos) << ini;
    // The quest is won: the progress file says so (level 41).
    EXPECT_EQ(saved().byteAt(16), 41);
}

TEST_F(QuestJourneyScenario, ASavedQuestGoesOnFromTheMapInTheNextRun) {
    ASSERT_EQ(play(std::string(kIntoLevelOne) + kToEpisodeTwo), 0);
    EXPECT_EQ(saved().byteAt(16), 6);
    const int score = saved().questScore();
    EXPECT_GT(score, 0);
    ASSERT_EQ(play(kContinueSaved), 0);
    // Level 6 was played on and won, with the score carried along.
    EXPECT_EQ(saved().byteAt(16), 7);
    EXPECT_EQ(saved().byteAt(30), 7) << "the highest level reached";
    EXPECT_GE(saved().questScore(), score);
}

}  // namespace
