// The real program, headless, played as a player plays it: the title, the
// main menu, and from there into each of the four modes. Real swaps are
// played with clicks, a typed word ends a quest level, another lets one run
// out of time, and action and cube are left running well past a minute.
// Judged from what the program leaves behind: the player's progress file
// (written by the game screen as the program closes), the screenshots taken
// on the way, and the sound it played.
//
// The sound table of this data folder holds one sound only, "warning", so
// whatever is heard is the last seconds' warning: heard as a quest level
// runs out, never in action or cube, which cannot run out of time.
//
// The program is shardfall_play, the real one (see its source). The player is a returning one who has switched the tips off, so
// no tip dialog waits at a level's start once the real intro shows them.

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "game/level_map.h"
#include "game/progress_file.h"
#include "real_program.h"
#include "temp_dir.h"

namespace {

using namespace realprogram;

const std::string kDist = SHARDFALL_DIST_DIR;
const std::string kPlay = SHARDFALL_PLAY;
constexpr int kCell = 48;
constexpr int kRate = 44100;
constexpr const char* kPlayer = "Scenario";

// The loudest 50 ms of the left channel of our WAV writer's output (44-byte
// header, 16-bit stereo), as a root mean square.
double loudest(const std::string& wav) {
    constexpr std::size_t kWindow = kRate / 20;
    double best = 0;
    const std::size_t frames = wav.size() > 44 ? (wav.size() - 44) / 4 : 0;
    for (std::size_t start = 0; start + kWindow <= frames; start += kWindow) {
        double sum = 0;
        for (std::size_t f = start; f < start + kWindow; ++f) {
            std::int16_t v;
            std::memcpy(&v, wav.data() + 44 + f * 4, 2);
            sum += (v / 32768.0) * (v / 32768.0);
        }
        best = std::max(best, std::sqrt(sum / kWindow));
    }
    return best;
}

// The title's "start", then the menu's mode button (quest, puzzle, action,
// cube from the top), then the level: the menu's fade, the game's fade-in
// and the intro, and a click beside the board that closes a tutorial card
// if one has opened.
std::string intoMode(int button) {
    return "wait 300\nclick 400 516\nwait 1000\nclick 515 " + std::to_string(210 + 60 * button) + "\n" +
           (button == 0 ? clickFirstEpisode(kDist) : "") + "wait 7000\nshot entered.png\nclick 720 20\nwait 300\n";
}

class GameModesScenario : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::exists(kDist + "/data/menu/game.ini")) << "no generated data in " << kDist;
        // The generated data, but a players' folder and a sound table of our own.
        linkGeneratedData(kDist, dir.path(), {"sound"});
        std::filesystem::create_directories(dir.path() / "data" / "sound");
        for (const auto& entry : std::filesystem::directory_iterator(kDist + "/data/sound")) {
            if (entry.path().filename() == "sound.ini") continue;
            std::filesystem::create_symlink(std::filesystem::absolute(entry.path()),
                                            dir.path() / "data" / "sound" / entry.path().filename());
        }
        dir.write("data/sound/sound.ini", warningOnlyTable());
        dir.write("game.ini", "[main]\r\nname=Shardfall game scenario\r\nxs=800\r\nys=600\r\nmusic=0\r\nsound=1\r\n");
        dir.write("profiles.ini", std::string("[main]\r\ncurrent=0\r\n[users]\r\n0=") + kPlayer + "\r\n");
        // Every mode at its start, the tips switched off.
        ProgressRecord record;
        record.tipsOff = true;
        const std::vector<std::uint8_t> bytes = encodeProgress(record);
        dir.write(savedPath(), std::string(bytes.begin(), bytes.end()));
    }

    // [main] and [warning] of the generated table, nothing else.
    static std::string warningOnlyTable() {
        std::ifstream in(kDist + "/data/sound/sound.ini", std::ios::binary);
        const std::string table((std::istreambuf_iterator<char>(in)), {});
        // A section from its header at the start of a line to the next header.
        auto section = [&table](const std::string& name) {
            const std::size_t header = table.find("\n[" + name + "]");
            if (header == std::string::npos) return std::string();
            const std::size_t to = table.find("\n[", header + 1);
            return table.substr(header + 1, to == std::string::npos ? std::string::npos : to - header);
        };
        return section("main") + section("warning");
    }

    static std::string savedPath() { return "data/profiles/" + profileFileStem(kPlayer) + ".sav"; }

    int play(const std::string& script) {
        dir.write("play.txt", script + "quit\n");
        return run(kPlay, {"--headless", "--seed", "11", "--data", dir.path().string(), "--script",
                           dir.file("play.txt"), "--audio-out", dir.file("play.wav")});
    }
    ProgressRecord saved() const { return savedProgress(dir.path(), kPlayer); }
    Picture shot(const std::string& name) const { return readPng(dir.file(name)); }
    double loudestSound() const { return loudest(dir.read("play.wav")); }

    // The time a quest level's map gives it, in seconds.
    static int questLevelSeconds(int level) {
        std::string path = kDist + "/data/LEVELS/QUEST/level" + std::to_string(level) + ".map";
        if (!std::filesystem::exists(path)) path = kDist + "/data/levels/quest/level" + std::to_string(level) + ".map";
        std::ifstream in(path, std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(in)), {});
        MapData map;
        if (!decodeMap(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), map)) return -1;
        return map.timeSeconds;
    }

    TempDir dir;
};

// The gold frame's top edge above the middle of a board `columns` wide at (x0, y0).
bool framed(const Picture& p, int x0, int y0, int columns) { return gold(p.at(x0 + columns * kCell / 2, y0 - 10)); }

TEST_F(GameModesScenario, AQuestLevelIsPlayedWithClicksAndEndsWithATypedWord) {
    // A new quest at level 1 opens with the card about the first move; the
    // level's clock waits until a click closes it.
    constexpr int kPlaySeconds = 35;  // from the card's closing to the word
    std::string script = intoMode(0);
    script += sweepSwaps(288, 152, 6, 6) + "shot played.png\n";
    const int swapMs = 6 * 5 * 740;  // six rows of five swaps
    script += "wait " + std::to_string(kPlaySeconds * 1000 - 300 - swapMs) + "\ntype shatter\nwait 6000\n";
    ASSERT_EQ(play(script), 0);

    const Picture card = shot("entered.png"), played = shot("played.png");
    ASSERT_EQ(card.width, 800);
    EXPECT_TRUE(framed(played, 288, 152, 6));
    EXPECT_TRUE(gold(played.at(280, 559))) << "time is left on the bar";
    // The card covers a part of the board that play shows.
    int differing = 0;
    for (int y = 152; y < 152 + 6 * kCell; y += 4)
        for (int x = 288; x < 288 + 6 * kCell; x += 4) differing += card.at(x, y).r != played.at(x, y).r ? 1 : 0;
    EXPECT_GT(differing, 200);

    // The swaps scored. The word ended the level: its clock stopped there,
    // six seconds before the program closed and saved the game.
    const ProgressRecord game = saved();
    EXPECT_GT(game.quest.score, 0);
    const int total = questLevelSeconds(1);
    ASSERT_GT(total, kPlaySeconds + 10);
    EXPECT_GE(game.quest.timeLeftSeconds, total - kPlaySeconds - 1);
    EXPECT_LE(game.quest.timeLeftSeconds, total - kPlaySeconds + 1);
}

TEST_F(GameModesScenario, AQuestLevelRunsOutOfTimeWithItsWarnings) {
    // Seventeen seconds left; under sixteen the card about the last seconds
    // stops the clock until a click; the last fifteen are counted down aloud.
    const std::string script = intoMode(0) + "type ebb\nwait 2200\nshot lastseconds.png\nclick 720 20\nwait 7000\n"
                                             "shot warning.png\nwait 9500\nshot timeup.png\n";
    ASSERT_EQ(play(script), 0);
    EXPECT_FALSE(gold(shot("timeup.png").at(280, 559))) << "the bar is empty";
    EXPECT_EQ(saved().quest.timeLeftSeconds, 0);
    EXPECT_GT(loudestSound(), 0.02) << "the warning is heard";
}

TEST_F(GameModesScenario, PuzzleIsSolvedFromTheMainMenu) {
    // Puzzle 1 is solved by one swap in its third column.
    ASSERT_EQ(play(intoMode(1) + "shot puzzle.png\nclick 456 320\nwait 40\nclick 456 368\nwait 3000\n"
                                 "shot solved.png\n"),
              0);
    const Picture puzzle = shot("puzzle.png"), solved = shot("solved.png");
    EXPECT_TRUE(framed(puzzle, 336, 200, 4));
    // Every piece is gone: the board's cells show no piece where it had some.
    int changed = 0;
    for (int y = 200; y < 200 + 4 * kCell; y += 4)
        for (int x = 336; x < 336 + 4 * kCell; x += 4) changed += puzzle.at(x, y).g != solved.at(x, y).g ? 1 : 0;
    EXPECT_GT(changed, 100);
    // Solved: the result screen has saved the next puzzle as the one to play.
    EXPECT_EQ(saved().puzzleLevel, 2);
}

// Action and cube are reached from the menu and played, then left running
// for over a minute, a click now and then closing any card: their clock
// never runs, so neither the last seconds' card nor its warning ever comes.
TEST_F(GameModesScenario, ActionAndCubeArePlayedOnTheirOwnBoardsAndNeverWarnOfTime) {
    const std::string aMinuteAndMore = "wait 25000\nclick 720 20\nwait 25000\nclick 720 20\nwait 25000\n";
    ASSERT_EQ(play(intoMode(2) + sweepSwaps(240, 104, 8, 8) + "shot action.png\n" + aMinuteAndMore), 0);
    EXPECT_TRUE(framed(shot("action.png"), 240, 104, 8));
    EXPECT_GT(saved().action.score, 0);
    EXPECT_GE(saved().action.timeSeconds, 85);
    EXPECT_LT(loudestSound(), 0.002) << "a warning in action mode";

    ASSERT_EQ(play(intoMode(3) + sweepSwaps(240, 104, 8, 8) + "shot cube.png\n" + aMinuteAndMore), 0);
    EXPECT_TRUE(framed(shot("cube.png"), 240, 104, 8));
    EXPECT_GT(saved().cube.score, 0);
    EXPECT_GE(saved().cube.timeSeconds, 85);
    EXPECT_LT(loudestSound(), 0.002) << "a warning in cube mode";
}

}  // namespace
