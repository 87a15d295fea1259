// The built program with its generated data, played headless like a
// player's first minute: the title screen comes up with its loading bar
// full and "start" shown; a click on "start" opens the main menu; the mouse
// over a button lights it and plays "toggle". Judged from the screenshots'
// pixels and the recorded sound.

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "real_program.h"
#include "temp_dir.h"

namespace {

const std::string kDist = SHARDFALL_DIST_DIR;
constexpr int kRate = 44100;

using namespace realprogram;

int runProgram(std::vector<std::string> args) { return run(kDist + "/shardfall", std::move(args)); }

// The left channel of our WAV writer's output: 44-byte header, 16-bit stereo.
double rms(const std::string& wav, double from, double to) {
    double sum = 0;
    long count = 0;
    for (long frame = long(from * kRate); frame < long(to * kRate); ++frame) {
        const std::size_t at = 44 + static_cast<std::size_t>(frame) * 4;
        if (at + 2 > wav.size()) break;
        std::int16_t v;
        std::memcpy(&v, wav.data() + at, 2);
        sum += (v / 32768.0) * (v / 32768.0);
        ++count;
    }
    return count ? std::sqrt(sum / count) : 0.0;
}

// The player's minute: the title at 0.3 s, a click on "start", the menu at
// 1 s, and the mouse over "quest" from 1 s on.
class RealProgramMenus : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::exists(kDist + "/data/menu/logo.ini")) << "no generated data in " << kDist;
        // Music off, effects full: what is heard is the effects alone.
        dir.write("game.ini", "[main]\r\nname=Shardfall menus scenario\r\nxs=800\r\nys=600\r\nmusic=0\r\nsound=1\r\n");
        // A player already named: the menu opens without asking for one.
        dir.write("profiles.ini", "[main]\r\ncurrent=0\r\n[users]\r\n0=Ann\r\n");
        std::filesystem::create_directory_symlink(std::filesystem::absolute(kDist + "/data"), dir.path() / "data");
        dir.write("play.txt",
                  "wait 300\nshot logo.png\nclick 400 516\nwait 700\nshot menu.png\n"
                  "move 515 210\nwait 200\nshot hover.png\n");
        ASSERT_EQ(runProgram({"--headless", "--data", dir.path().string(), "--script", dir.file("play.txt"),
                              "--audio-out", dir.file("play.wav")}),
                  0);
    }
    TempDir dir;
};

TEST_F(RealProgramMenus, TitleLoadsThenTheMenuOpensAndLightsUnderTheMouse) {
    const Picture logo = readPng(dir.file("logo.png"));
    ASSERT_EQ(logo.width, 800);
    // The bar (x 200..600, its groove from y 438) filled to its end: the
    // load is done once "start" shows.
    for (int x = 205; x < 596; x += 5) EXPECT_TRUE(gold(logo.at(x, 449))) << x;
    // "start" is shown: the gold rim along the top of its plate.
    EXPECT_TRUE(gold(logo.at(400, 490)));

    const Picture menu = readPng(dir.file("menu.png"));
    ASSERT_EQ(menu.width, 800);
    EXPECT_FALSE(gold(menu.at(300, 449)));  // the title screen's bar is gone
    EXPECT_TRUE(gold(menu.at(515, 187)));   // the rim of "quest"

    // Under the mouse "quest" shows its active picture: a lighter plate.
    const Picture hover = readPng(dir.file("hover.png"));
    ASSERT_EQ(hover.width, 800);
    const Rgb before = menu.at(600, 200), after = hover.at(600, 200);
    EXPECT_GT(after.r, before.r + 40);
    EXPECT_GT(after.b, before.b + 40);
    EXPECT_EQ(hover.at(515, 400).r, menu.at(515, 400).r);  // "cube" stays as it was
}

TEST_F(RealProgramMenus, MovingOntoAButtonIsHeard) {
    std::ifstream in(kDist + "/data/sound/sound.ini", std::ios::binary);
    const std::string table((std::istreambuf_iterator<char>(in)), {});
    if (table.find("[toggle]") == std::string::npos) GTEST_SKIP() << "the sound table has no \"toggle\" yet";
    const std::string wav = dir.read("play.wav");
    ASSERT_GT(wav.size(), 44u + std::size_t(1.15 * kRate) * 4u);
    EXPECT_LT(rms(wav, 0.75, 0.98), 0.002) << "quiet before the mouse reaches the button";
    EXPECT_GT(rms(wav, 1.0, 1.12), 0.02) << "\"toggle\" when it does";
}

}  // namespace
