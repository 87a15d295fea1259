// The real program, headless, on the quest's way across two runs: a quest
// played to the map's second episode is saved at exit, and the next start
// offers it on the map and goes on from it with its score. (Losing in
// time, the game over and the whole quest to the win screen are walked in
// quest_map_scenario_test.)

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

class QuestJourneyScenario : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::exists(kDist + "/data/menu/timeup.ini")) << "no generated data";
        linkGeneratedData(kDist, dir.path());
        dir.write("game.ini", "[main]\r\nname=Shardfall saved quest\r\nxs=800\r\nys=600\r\nmusic=0\r\nsound=0\r\n");
        dir.write("profiles.ini", "[main]\r\ncurrent=0\r\n[users]\r\n0=Ann\r\n");
    }
    int play(const std::string& script) {
        dir.write("play.txt", script);
        return run(kPlay, {"--headless", "--seed", "5", "--data", dir.path().string(), "--script", dir.file("play.txt")});
    }
    ProgressRecord saved() const { return savedProgress(dir.path(), "Ann"); }

    TempDir dir;
};

TEST_F(QuestJourneyScenario, ASavedQuestGoesOnFromTheMapInTheNextRun) {
    ASSERT_EQ(play(std::string(kIntoLevelOne) + kToEpisodeTwo), 0);
    EXPECT_EQ(saved().quest.level, 6);
    const int score = saved().quest.score;
    EXPECT_GT(score, 0);
    ASSERT_EQ(play(kContinueSaved), 0);
    // Level 6 was played on and won, with the score carried along.
    EXPECT_EQ(saved().quest.level, 7);
    EXPECT_EQ(saved().highestQuestLevel, 7) << "the highest level reached";
    EXPECT_GE(saved().quest.score, score);
}

}  // namespace
