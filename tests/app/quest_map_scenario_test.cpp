// The quest map on the player's way, through the real program from its
// title, headless. A new player's journey in one run: the map, episode 1,
// the level intro, a won level and its counted bonus, a level lost in time
// and played again, the last life lost and the score in the high-score
// table. Then the whole quest in one run through the map: every episode
// opening after the last level of the one before, the score of every
// episode carried on to the win screen and the table. Typed test words
// (docs/typed-words.md) win and lose the levels. Judged from the
// screenshots, the recorded sound and the files the program leaves.
//
// With SHARDFALL_SHOTS=DIR in the environment the screenshots and the
// script are also copied there, for a person to look at.

#include <cmath>
#include <cstdlib>
#include <cstring>
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
constexpr int kRate = 44100;

// A value of [section] in one of the generated screen files.
int screenValue(const std::string& screen, const std::string& section, const std::string& key) {
    const int value = screenFileNumber(kDist + "/data/menu/" + screen + ".ini", section, key);
    EXPECT_GE(value, 0) << screen << " [" << section << "] " << key << " not found";
    return value;
}

// A click well inside a control of a screen file, where the player would.
std::string clickOn(const std::string& screen, const std::string& control) {
    return "click " + std::to_string(screenValue(screen, control, "x") + 30) + " " +
           std::to_string(screenValue(screen, control, "y") + 22) + "\n";
}

// The title's "start", then the main menu's "quest": the quest map.
std::string titleToQuestMap() {
    return "wait 300\n" + clickOn("logo", "start") + "wait 900\n" + clickOn("mainmenu", "quest") + "wait 600\n";
}

// Through the level intro into play: a click in the banner skips to the
// go picture, a second one starts the level (the presentation of a new
// piece before the banner takes no clicks, so the first waits for it).
// The first level's tip is answered with its box ticked, so no tip comes
// again; a click on the panel's title closes any hint card.
std::string throughIntro(bool tip = false) {
    std::string s = "wait 4200\nclick 200 500\nwait 300\nclick 200 500\nwait 800\n";
    if (tip) s += clickOn("tiptile_dlg", "show") + clickOn("tiptile_dlg", "ok") + "wait 300\n";
    return s + "click 720 20\nwait 300\n";
}

// A typed word wins the level; the result's banner, tally, flight and
// panel take their time, then "next".
std::string winWith(const std::string& word, const std::string& shot = "") {
    std::string s = "type " + word + "\nwait 9500\n";
    if (!shot.empty()) s += "shot " + shot + "\n";
    return s + clickOn("levelcomplete", "next");
}

// The middle of the left edge of episode n's window on the map, gold once
// the episode is open.
struct Point {
    int x, y;
};
Point windowEdge(int episode) {
    const std::string name = "episode" + std::to_string(episode);
    return {screenValue("questmap", name, "x") + 8, screenValue("questmap", name, "y") + 78};
}

class QuestMapJourney : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::exists(kDist + "/data/menu/questmap.ini")) << "no generated data in " << kDist;
        linkGeneratedData(kDist, dir.path());
        // Music off, effects on: what is heard is the effects alone.
        dir.write("game.ini", "[main]\r\nname=Shardfall quest journey\r\nxs=800\r\nys=600\r\nmusic=0\r\nsound=1\r\n");
        dir.write("profiles.ini", "[main]\r\ncurrent=0\r\n[users]\r\n0=Ann\r\n");
    }
    void TearDown() override {
        const char* shots = std::getenv("SHARDFALL_SHOTS");
        if (!shots) return;
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        const std::filesystem::path out = std::filesystem::path(shots) / test->name();
        std::filesystem::create_directories(out);
        for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
            const std::string ext = entry.path().extension().string();
            if (ext == ".png" || ext == ".txt" || ext == ".wav")
                std::filesystem::copy_file(entry.path(), out / entry.path().filename(),
                                           std::filesystem::copy_options::overwrite_existing);
        }
    }
    int play(const std::string& script, bool audio = false) {
        dir.write("play.txt", script + "quit\n");
        std::vector<std::string> args = {"--headless", "--seed", "7", "--data", dir.path().string(), "--script",
                                         dir.file("play.txt")};
        if (audio) args.insert(args.end(), {"--audio-out", dir.file("play.wav")});
        return run(kDist + "/shardfall", args);
    }
    Picture shot(const std::string& name) const { return readPng(dir.file(name)); }
    ProgressRecord saved() const { return savedProgress(dir.path(), "Ann"); }
    // The value of a key of game.ini's [highscores], as the program left it.
    std::string highScore(const std::string& key) const {
        const std::string ini = dir.read("game.ini");
        const std::size_t section = ini.find("[highscores]");
        const std::size_t at = ini.find("\r\n" + key + "=", section);
        if (section == std::string::npos || at == std::string::npos) return "(none)";
        const std::size_t start = at + key.size() + 3;
        return ini.substr(start, ini.find("\r\n", start) - start);
    }
    // Pixels of the rectangle that differ between two pictures, every
    // second one in each direction.
    static int differing(const Picture& a, const Picture& b, int x0, int y0, int x1, int y1) {
        int n = 0;
        for (int y = y0; y < y1; y += 2)
            for (int x = x0; x < x1; x += 2) n += a.at(x, y).r != b.at(x, y).r || a.at(x, y).g != b.at(x, y).g;
        return n;
    }

    TempDir dir;
};

// The onsets of short sounds in the recording between two times: where
// the level of 5 ms windows jumps from near silence.
std::vector<double> onsets(const std::string& wav, double from, double to) {
    std::vector<double> found;
    constexpr double kWindow = 0.005;
    double previous = 0;
    for (double t = from; t < to; t += kWindow) {
        double sum = 0;
        int count = 0;
        for (long frame = long(t * kRate); frame < long((t + kWindow) * kRate); ++frame) {
            const std::size_t at = 44 + static_cast<std::size_t>(frame) * 4;
            if (at + 2 > wav.size()) break;
            std::int16_t v;
            std::memcpy(&v, wav.data() + at, 2);
            sum += double(v) * v;
            ++count;
        }
        const double level = count ? std::sqrt(sum / count) : 0;
        if (level > 1500 && previous < 400) found.push_back(t);
        previous = level;
    }
    return found;
}

TEST_F(QuestMapJourney, ANewPlayerWinsLosesInTimePlaysOnAndEndsInTheHighScoreTable) {
    std::string script = titleToQuestMap() + "shot map.png\n" + clickOn("questmap", "episode1") +
                         "wait 250\nshot map_fading.png\nwait 1000\nshot intro.png\n";
    // Level 1: its intro, a typed win, the tally; on to level 2.
    script += throughIntro(true) + "shot level1.png\ntype shatter\nwait 4900\nshot tally.png\nwait 4600\n" +
              "shot result.png\n" + clickOn("levelcomplete", "next") + "wait 1300\nshot intro2.png\n";
    // Level 2 runs out of time: the words zoom, hold, the question slides in.
    script += throughIntro() + "type ebb\nwait 2200\nshot last_seconds.png\nclick 720 20\nwait 17000\n" +
              "shot timeup_words.png\nwait 2500\nshot timeup.png\nwait 1500\n" + clickOn("timeup", "yes") +
              "wait 250\nshot timeup_leaving.png\nwait 1100\nshot level2_again.png\n";
    // Level 2 won after all; level 3 is the last life's.
    script += throughIntro() + winWith("shatter", "result2.png") + throughIntro() + "shot level3.png\n" +
              "type lastgasp\nwait 1500\nshot gameover_zoom.png\nwait 4000\nshot gameover.png\n" +
              clickOn("gameover", "no") + "wait 1400\nshot menu.png\n" + clickOn("mainmenu", "scores") +
              "wait 1500\nshot scores.png\n";
    ASSERT_EQ(play(script, true), 0);

    // The map: episode 1 open, episode 2 behind its lock; then the fade.
    const Picture map = shot("map.png");
    ASSERT_EQ(map.width, 800);
    EXPECT_TRUE(gold(map.at(windowEdge(1).x, windowEdge(1).y)));
    EXPECT_FALSE(gold(map.at(windowEdge(2).x, windowEdge(2).y)));
    EXPECT_FALSE(gold(shot("map_fading.png").at(windowEdge(1).x, windowEdge(1).y))) << "darkening into the game";

    // The tally ticked: after the result's pop, ticks 80 ms apart.
    const std::string wav = dir.read("play.wav");
    ASSERT_GT(wav.size(), 44u + 4u * kRate * 30);
    std::vector<double> ticks = onsets(wav, 5.0, 15.0);
    int evenlySpaced = 0;
    for (std::size_t i = 1; i < ticks.size(); ++i) evenlySpaced += std::fabs(ticks[i] - ticks[i - 1] - 0.08) < 0.011;
    EXPECT_GE(evenlySpaced, 4) << ticks.size() << " onsets";

    // The time-up words across the board as it stood, then the question
    // in their place.
    const Picture before = shot("last_seconds.png"), words = shot("timeup_words.png"), question = shot("timeup.png");
    EXPECT_GT(differing(words, before, 270, 280, 530, 320), 900) << "TIME UP!";
    EXPECT_GT(differing(words, question, 200, 180, 600, 400), 5000);
    EXPECT_GT(differing(question, shot("level2_again.png"), 200, 180, 600, 400), 5000) << "level 2 dealt again";

    // The game is over: back to a fresh start at level 3, the score in the
    // table at exit, and the table shown from the menu.
    const ProgressRecord after = saved();
    EXPECT_EQ(after.quest.level, 3);
    EXPECT_EQ(after.quest.score, 0);
    EXPECT_EQ(after.quest.lives, 5);
    EXPECT_EQ(after.quest.wands, 5);
    EXPECT_EQ(after.highestQuestLevel, 3);
    EXPECT_EQ(highScore("name0"), "Ann");
    EXPECT_GT(std::stoi(highScore("score0")), 2 * 500) << "two levels' time bonuses at least";
    EXPECT_EQ(highScore("name1"), "");
    EXPECT_GT(differing(shot("menu.png"), shot("scores.png"), 300, 60, 740, 560), 20000);
}

TEST_F(QuestMapJourney, TheWholeQuestThroughEveryEpisodeOfTheMapKeepsItsScore) {
    // Episode n opens on the map after the last level of episode n - 1:
    // its window hidden at first, revealed after the sparks.
    auto openOnMap = [](int episode) {
        const std::string n = std::to_string(episode);
        return "wait 1300\nshot opening" + n + ".png\nwait 2000\nshot opened" + n + ".png\n" +
               clickOn("questmap", "episode" + n);
    };
    std::string script = titleToQuestMap() + clickOn("questmap", "episode1") + throughIntro(true);
    script += winWith("opal") + openOnMap(2);                                              // 5 -> 6
    script += throughIntro() + winWith("leap") + throughIntro() + winWith("shatter");     // 10, 11
    script += openOnMap(3) + throughIntro() + winWith("leap") + throughIntro() + winWith("shatter");  // 16, 17
    script += openOnMap(4) + throughIntro() + winWith("leap");                              // 22
    script += throughIntro() + winWith("shatter") + throughIntro() + winWith("shatter");    // 23, 24
    script += openOnMap(5) + throughIntro() + winWith("leap");                              // 29
    for (int level = 30; level <= 32; ++level) script += throughIntro() + winWith("shatter");
    script += openOnMap(6) + throughIntro() + winWith("crown") + throughIntro();             // 39
    script += winWith("shatter", "last_result.png") +                                        // 40
              "wait 1500\nshot win.png\nwait 1500\nshot win_later.png\nclick 400 300\nwait 1600\nshot scores.png\n";
    ASSERT_EQ(play(script), 0);

    for (int episode = 2; episode <= 6; ++episode) {
        const Point edge = windowEdge(episode);
        const std::string n = std::to_string(episode);
        EXPECT_FALSE(gold(shot("opening" + n + ".png").at(edge.x, edge.y))) << "episode " << n << " still hidden";
        EXPECT_TRUE(gold(shot("opened" + n + ".png").at(edge.x, edge.y))) << "episode " << n << " revealed";
    }
    // Confetti falls on the win screen.
    EXPECT_GT(differing(shot("win.png"), shot("win_later.png"), 0, 0, 800, 600), 100);
    // The quest is won; its score, gathered over all six episodes, leads
    // the table.
    const ProgressRecord after = saved();
    EXPECT_EQ(after.quest.level, 41);
    EXPECT_EQ(after.highestQuestLevel, 41);
    EXPECT_EQ(highScore("name0"), "Ann");
    EXPECT_EQ(highScore("score0"), std::to_string(after.quest.score));
    // Twenty levels won within seconds of their start, each worth its time
    // bonus of some thousands: a new quest at each episode's "Start" would
    // have kept only the last episode's few.
    EXPECT_GT(after.quest.score, 20 * 2000);
    EXPECT_GT(differing(shot("win_later.png"), shot("scores.png"), 300, 60, 740, 560), 20000);
}

}  // namespace
