// Another window takes the focus in the middle of a quest level, through
// the real program headless (the script's focus lines): the level waits
// behind its pause menu when the player comes back, and the sound goes on
// meanwhile, or falls silent when game.ini asks for that ("MuteUnfocused").

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "real_program.h"
#include "temp_dir.h"

namespace {

using namespace realprogram;

const std::string kDist = SHARDFALL_DIST_DIR;
constexpr int kRate = 44100;

// The left channel of the program's 16-bit stereo capture.
std::vector<std::int16_t> leftChannel(const std::string& wav) {
    std::vector<std::int16_t> left;
    const std::size_t data = wav.find("data");
    if (data == std::string::npos) return left;
    for (std::size_t i = data + 8; i + 3 < wav.size(); i += 4)
        left.push_back(std::int16_t(std::uint8_t(wav[i]) | (std::uint8_t(wav[i + 1]) << 8)));
    return left;
}

// Root mean square between two times counted back from the end, in seconds.
double rmsBeforeEnd(const std::vector<std::int16_t>& s, double from, double to) {
    const std::size_t a = s.size() - std::size_t(from * kRate), b = s.size() - std::size_t(to * kRate);
    double sum = 0;
    for (std::size_t i = a; i < b; ++i) sum += double(s[i]) * s[i];
    return std::sqrt(sum / double(b - a)) / 32768.0;
}

class WindowFocusScenario : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::exists(kDist + "/shardfall")) << "no built game in " << kDist;
        linkGeneratedData(kDist, dir.path());
        dir.write("profiles.ini", "[main]\r\ncurrent=0\r\n[users]\r\n0=Ann\r\n");
    }
    // Into the first quest level with the pad (its tip and the tutorial's
    // card answered), then the focus away for two seconds and back.
    std::vector<std::int16_t> playWithFocusAway(const std::string& extraSettings) {
        dir.write("game.ini", "[main]\r\nname=Shardfall focus scenario\r\nxs=800\r\nys=600\r\nmusic=0.7\r\nsound=0.8\r\n" +
                                  extraSettings);
        dir.write("play.txt",
                  "pad attach\nwait 300\npad a\nwait 1000\npad down\npad down\npad a\nwait 1000\npad down\npad a\n"
                  "wait 9000\npad a\nwait 3000\npad a\nwait 1500\nshot playing.png\n"
                  "focus out\nwait 2000\nfocus in\nwait 600\nshot back.png\nquit\n");
        EXPECT_EQ(run(kDist + "/shardfall", {"--headless", "--seed", "3", "--data", dir.path().string(), "--script",
                                             dir.file("play.txt"), "--audio-out", dir.file("run.wav")}),
                  0);
        return leftChannel(dir.read("run.wav"));
    }
    TempDir dir;
};

TEST_F(WindowFocusScenario, TheLevelWaitsBehindThePauseMenuAndTheSoundFollowsTheSetting) {
    const std::vector<std::int16_t> heard = playWithFocusAway("");
    ASSERT_GT(heard.size(), std::size_t(15 * kRate));
    // While away (2.6 to 0.6 s before the end, with a margin) the level's
    // music plays on, and it is still there afterwards.
    EXPECT_GT(rmsBeforeEnd(heard, 2.4, 0.8), 0.005) << "the sound stopped with the focus";
    const double after = rmsBeforeEnd(heard, 0.5, 0.1);
    EXPECT_GT(after, 0.005);

    // The pause menu covers the middle of the board on the way back.
    const Picture playing = readPng(dir.file("playing.png")), back = readPng(dir.file("back.png"));
    ASSERT_EQ(playing.width, 800);
    ASSERT_EQ(back.width, 800);
    EXPECT_GT(clearlyChangedPixels(playing, back, 300, 200, 500, 400), 200 * 200 / 3) << "the level played on while the player was away";

    // Asked to, the game is silent while away, and only then.
    const std::vector<std::int16_t> muted = playWithFocusAway("MuteUnfocused=1\r\n");
    ASSERT_GT(muted.size(), std::size_t(15 * kRate));
    EXPECT_EQ(rmsBeforeEnd(muted, 2.4, 0.8), 0.0) << "sound while another window had the focus";
    EXPECT_GT(rmsBeforeEnd(muted, 0.5, 0.1), 0.005) << "the sound did not come back with the focus";
    EXPECT_GT(rmsBeforeEnd(muted, 3.5, 2.8), 0.005);
}

}  // namespace
