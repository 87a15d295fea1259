// The real program, headless, carried from one quest level to the next: a
// new player starts the quest from the title and the main menu; level 1
// fades in under its intro ("LEVEL 1-1", the card about the first move,
// "GO!"), opens its tip, is won with a typed word, counts its time bonus
// with a tick every 80 ms while the time bar drains, slides in its result
// panel, and "Next level" leads to level 2, whose intro presents the
// lantern's new part. Judged from the screenshots, the recorded sound and
// the player's progress file.


#include <cmath>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "real_program.h"
#include "temp_dir.h"

namespace {

using namespace realprogram;

const std::string kDist = SHARDFALL_DIST_DIR;
const std::string kPlay = SHARDFALL_PLAY;
constexpr int kRate = 44100;

// The title's "start", the menu's "quest", and on a quest map of the
// build's own a click on its first episode; the map's half second of fade.
std::string intoTheQuest() {
    return "wait 300\nclick 400 516\nwait 1000\nclick 515 210\n" + clickFirstEpisode(kDist) + "wait 500\n";
}

// The journey from the first level's start; times are from there.
const char* const kScript = R"(# Level 1 fades in (500 ms); its intro shows the card, the banner, "GO!".
wait 800
shot intro_card.png
wait 2200
shot intro_banner.png
wait 1300
shot intro_go.png
wait 900
shot tip.png
# The tip's "ok", then a click closes the card: play.
click 400 404
wait 200
click 720 20
wait 300
type shatter
wait 2500
shot result_banner.png
wait 2300
shot result_count.png
wait 4200
shot result_panel.png
move 520 420
wait 100
click 520 420
wait 250
shot leaving.png
wait 1700
shot level2_present.png
wait 3300
shot level2_banner.png
)";

// Loudness of the left channel in 10 ms windows.
std::vector<double> envelope(const std::string& wav) {
    std::vector<double> out;
    constexpr int kWindow = kRate / 100;
    for (std::size_t start = 44; start + kWindow * 4 <= wav.size(); start += kWindow * 4) {
        double sum = 0;
        for (int i = 0; i < kWindow; ++i) {
            std::int16_t v;
            std::memcpy(&v, wav.data() + start + i * 4, 2);
            sum += (v / 32768.0) * (v / 32768.0);
        }
        out.push_back(std::sqrt(sum / kWindow));
    }
    return out;
}

// The longest run of sharp onsets (out of near silence) that follow one
// another every 80 ms, give or take one window: the bonus's ticks.
int longestTickRun(const std::vector<double>& loudness) {
    std::vector<int> onsets;
    for (std::size_t i = 1; i < loudness.size(); ++i)
        if (loudness[i] > 0.05 && loudness[i - 1] < loudness[i] / 6) onsets.push_back(static_cast<int>(i) * 10);
    int best = onsets.empty() ? 0 : 1, run = 1;
    for (std::size_t i = 1; i < onsets.size(); ++i) {
        const int gap = onsets[i] - onsets[i - 1];
        run = gap >= 70 && gap <= 90 ? run + 1 : 1;
        best = std::max(best, run);
    }
    return best;
}

int goldInRow(const Picture& p, int y, int x0, int x1) {
    int n = 0;
    for (int x = x0; x < x1; ++x) n += gold(p.at(x, y)) ? 1 : 0;
    return n;
}

class LevelFlowScenario : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::exists(kDist + "/data/menu/levelcomplete.ini")) << "no generated data";
        linkGeneratedData(kDist, dir.path());
        // Music off: what is heard is the effects alone.
        dir.write("game.ini", "[main]\r\nname=Shardfall level flow\r\nxs=800\r\nys=600\r\nmusic=0\r\nsound=1\r\n");
        dir.write("profiles.ini", "[main]\r\ncurrent=0\r\n[users]\r\n0=Ann\r\n");
        dir.write("play.txt", intoTheQuest() + kScript + "quit\n");
        ASSERT_EQ(run(kPlay, {"--headless", "--seed", "11", "--data", dir.path().string(), "--script",
                              dir.file("play.txt"), "--audio-out", dir.file("play.wav")}),
                  0);
    }
    Picture shot(const std::string& name) const { return readPng(dir.file(name)); }
    ProgressRecord saved() const { return savedProgress(dir.path(), "Ann"); }

    TempDir dir;
};

TEST_F(LevelFlowScenario, IntroTallyAndTheNextLevel) {
    // The intro: the banner's letters across the board, then "GO!" in its
    // middle, then the level's tip.
    const Picture card = shot("intro_card.png"), banner = shot("intro_banner.png"), go = shot("intro_go.png");
    ASSERT_EQ(banner.width, 800);
    EXPECT_GT(goldInRow(banner, 302, 196, 560), 5 * goldInRow(card, 302, 196, 560)) << "LEVEL 1-1";
    EXPECT_GT(goldInRow(go, 296, 380, 490), 20) << "GO!";
    EXPECT_LT(goldInRow(go, 300, 196, 360), 10) << "the banner has gone";
    const Picture tip = shot("tip.png");
    EXPECT_GT(goldInRow(tip, 404, 370, 430), 6) << "the caption of the tip's ok";

    // The result: its banner, the counted bonus under its label with the
    // time bar draining, then the panel over the board.
    const Picture resultBanner = shot("result_banner.png"), count = shot("result_count.png");
    EXPECT_GT(goldInRow(resultBanner, 300, 40, 760), 150) << "LEVEL COMPLETE!";
    EXPECT_GT(goldInRow(count, 280, 175, 625), 80) << "TIME BONUS";
    EXPECT_GT(goldInRow(count, 335, 380, 540), 30) << "the count";
    EXPECT_LT(goldInRow(count, 559, 268, 596), goldInRow(card, 559, 268, 596) / 2) << "the bar drains";
    const Picture panel = shot("result_panel.png");
    EXPECT_GT(goldInRow(panel, 133, 360, 500), 20) << "the panel's title";
    EXPECT_GT(goldInRow(panel, 416, 440, 620), 20) << "Next level";
    // "Next level" darkens the picture on the way.
    const Picture leaving = shot("leaving.png");
    EXPECT_LT(leaving.at(432, 300).r + leaving.at(432, 300).g, panel.at(432, 300).r + panel.at(432, 300).g);

    // The bonus went into the score: 500 and 50 a second left, and the
    // progress file holds level 2, reached.
    const ProgressRecord progress = saved();
    EXPECT_EQ(progress.quest.level, 2);
    EXPECT_EQ(progress.highestQuestLevel, 2);
    const int bonus = progress.quest.score;
    EXPECT_GT(bonus, 500 + 50 * 60);
    EXPECT_EQ(bonus % 10, 0);

    // One "scoretick" every fourth count of 250: 80 ms apart.
    const int counts = (bonus - 500 + 249) / 250;
    const int ticks = longestTickRun(envelope(dir.read("play.wav")));
    EXPECT_GE(ticks, counts / 4);
    EXPECT_LE(ticks, (counts + 3) / 4);

    // Level 2: the lantern's new part is presented under sparks, then its
    // banner comes.
    const Picture present = shot("level2_present.png"), banner2 = shot("level2_banner.png");
    int sparkle = 0;
    for (int y = 200; y < 520; y += 2)
        for (int x = 20; x < 220; x += 2) {
            const Rgb a = present.at(x, y), b = banner2.at(x, y);
            sparkle += std::abs(a.r - b.r) + std::abs(a.g - b.g) > 60 ? 1 : 0;
        }
    EXPECT_GT(sparkle, 30) << "the relic's column moves during the presentation";
    EXPECT_GT(goldInRow(banner2, 300, 196, 560), 60) << "LEVEL 1-2";
}

}  // namespace
