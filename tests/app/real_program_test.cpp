// The built program itself, run the way a player or CI runs it.

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "app/shardfall_app.h"
#include "platform/win_messages.h"
#include "recording_client.h"
#include "temp_dir.h"

extern char** environ;

namespace {

const std::string kProgram = std::string(SHARDFALL_DIST_DIR) + "/shardfall";

// Runs the program and returns its exit code (-1 if it could not run).
int runProgram(const std::vector<std::string>& args) {
    std::vector<std::string> all = {kProgram};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    if (::posix_spawn(&child, kProgram.c_str(), nullptr, nullptr, argv.data(), environ) != 0) return -1;
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

std::string expectedHighScores() {
    // Each new key goes first in its section, so the last written comes first.
    std::string out = "[highscores]\r\n";
    for (int i = 9; i >= 0; --i) out += "score" + std::to_string(i) + "=0\r\nname" + std::to_string(i) + "=\r\n";
    return out;
}

TEST(RealProgram, WritesBackSettingsAndHighScoresTouchingNothingElse) {
    // The file as a person left it, and as the program must leave it: only
    // the volumes rewritten (a replaced value takes the blank line after
    // it), a lone LF line ending made CR LF, and the table added.
    auto settings = [](const char* notCustom, const char* volumes) {
        return std::string("; Shardfall settings\r\n[Window]\r\nfoo = bar\r\n\r\n[main]\r\n"
                           "name =  Shardfall byte test\r\nx=-5\r\n  xs = 800\r\nys=600\r\nFullScreen =0\r\n"
                           "Color32= 1\r\n") +
               notCustom + volumes + "; volume is 0..1\r\n[other]\r\nkey=value\r\n";
    };
    TempDir dir;
    dir.write("game.ini", settings("NOTCustom==1\n", "music = 0.25\r\nsound=0.5\r\n\r\n"));
    ASSERT_EQ(runProgram({"--headless", "--data", dir.path().string(), "--run-ms", "2000"}), 0);
    EXPECT_EQ(dir.read("game.ini"),
              settings("NOTCustom==1\r\n", "music = 0.250000\r\nsound=0.500000\r\n") + expectedHighScores());
    EXPECT_FALSE(dir.exists("gerr.log"));
}

TEST(RealProgram, MissingOrGarbledSettingsStillStart) {
    TempDir dir;
    ASSERT_EQ(runProgram({"--headless", "--data", dir.path().string(), "--run-ms", "200"}), 0);
    EXPECT_NE(dir.read("game.ini").find("[main]\r\nsound=0.000000\r\nmusic=0.000000\r\n"), std::string::npos);

    std::string garbage;
    for (int i = 0; i < 5000; ++i) garbage += static_cast<char>((i * 7919) % 251);
    dir.write("game.ini", garbage);
    dir.write("profiles.ini", garbage);
    EXPECT_EQ(runProgram({"--headless", "--data", dir.path().string(), "--run-ms", "200"}), 0);
}

TEST(RealProgram, UnwritableDataFolderLosesNothing) {
    TempDir dir;
    const std::string settings = "[main]\r\nname=Read only\r\nmusic=0.5\r\n";
    dir.write("game.ini", settings);
    // A folder named like the temporary file makes every save fail.
    std::filesystem::create_directory(dir.path() / ("game.ini.tmp"));
    // The game runs; the failed save shows in the exit status.
    EXPECT_EQ(runProgram({"--headless", "--data", dir.path().string(), "--run-ms", "200"}), 3);
    EXPECT_EQ(dir.read("game.ini"), settings);
}

// Without a display and without --headless there is no window to show: the
// program says so, names the way to run without one, and fails.
TEST(RealProgram, NoDisplayIsReportedAndFails) {
    TempDir dir;
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        if (entry.rfind("DISPLAY=", 0) == 0 || entry.rfind("WAYLAND_DISPLAY=", 0) == 0 ||
            entry.rfind("SDL_VIDEODRIVER=", 0) == 0)
            continue;
        env.push_back(entry);
    }
    std::vector<char*> envp;
    for (auto& entry : env) envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::string program = kProgram, flag = "--data", data = dir.path().string();
    char* argv[] = {program.data(), flag.data(), data.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, dir.file("stderr.txt").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t child = 0;
    ASSERT_EQ(::posix_spawn(&child, kProgram.c_str(), &actions, nullptr, argv, envp.data()), 0);
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    bool ended = false;
    for (int i = 0; i < 600 && !ended; ++i) {
        ended = ::waitpid(child, &status, WNOHANG) == child;
        if (!ended) ::usleep(50000);
    }
    if (!ended) {
        ::kill(child, SIGKILL);
        ::waitpid(child, &status, 0);
    }
    ASSERT_TRUE(ended) << "still running after 30 s without a display";
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_NE(WEXITSTATUS(status), 0);
    const std::string said = dir.read("stderr.txt");
    EXPECT_NE(said.find("no display"), std::string::npos) << said;
    EXPECT_NE(said.find("--headless"), std::string::npos) << said;
}

TEST(RealProgram, BadCommandLineIsRefused) {
    EXPECT_EQ(runProgram({"--frobnicate"}), 2);
    EXPECT_EQ(runProgram({"--run-ms", "soon"}), 2);
    EXPECT_EQ(runProgram({"--help"}), 0);
    EXPECT_EQ(runProgram({"--headless", "--data", "/nonexistent/shardfall"}), 1);
}

// A screen manager that, once the game runs, starts a second copy of the
// program on the same data folder, and ends the game when it has been
// raised (deactivated and activated again).
class SecondCopyStarter : public FrameClient {
public:
    SecondCopyStarter(std::string dataDir, int& secondExit, std::vector<platform::WParam>& activations)
        : dataDir_(std::move(dataDir)), secondExit_(secondExit), activations_(activations) {}
    void handleWindowMessage(std::uint32_t message, platform::WParam wParam, platform::LParam) override {
        if (message == platform::WM_ACTIVATEAPP) activations_.push_back(wParam);
    }
    int update(int) override {
        if (!started_) {
            started_ = true;
            secondExit_ = runProgram({"--headless", "--data", dataDir_, "--run-ms", "60000"});
        }
        return activations_.size() >= 3 ? 1 : 0;
    }
    void draw() override {}

private:
    std::string dataDir_;
    int& secondExit_;
    std::vector<platform::WParam>& activations_;
    bool started_ = false;
};

TEST(RealProgram, SecondCopyRaisesTheFirstAndExits) {
    TempDir dir;
    const std::string settings = "[main]\r\nname=Shardfall single\r\n";
    dir.write("game.ini", settings);
    const std::string data = std::filesystem::canonical(dir.path()).string();
    int secondExit = -1;
    std::vector<platform::WParam> activations;
    AppHooks hooks;
    hooks.makeScreenManager = [&]() { return std::make_unique<SecondCopyStarter>(data, secondExit, activations); };
    const char* argv[] = {"shardfall", "--headless", "--data", data.c_str(), "--run-ms", "5000"};
    testing::internal::CaptureStderr();
    EXPECT_EQ(runShardfall(6, argv, hooks), 0);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(secondExit, 0);
    EXPECT_NE(err.find("raised by a second copy"), std::string::npos) << err;
    // Shown at start, then minimised and restored by the raise.
    EXPECT_EQ(activations, (std::vector<platform::WParam>{1, 0, 1}));
}

}  // namespace

namespace {

// Width and height from a PNG's header; 0 x 0 when it is not a PNG.
std::pair<int, int> pngSize(const std::string& bytes) {
    if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0) return {0, 0};
    auto be32 = [&](std::size_t at) {
        return (static_cast<unsigned char>(bytes[at]) << 24) | (static_cast<unsigned char>(bytes[at + 1]) << 16) |
               (static_cast<unsigned char>(bytes[at + 2]) << 8) | static_cast<unsigned char>(bytes[at + 3]);
    };
    return {be32(16), be32(20)};
}

TEST(RealProgram, ScreenshotsOfTheComposedFrame) {
    TempDir dir;
    dir.write("game.ini", "[main]\r\nname=Shardfall shots\r\n");
    dir.write("script.txt", "wait 100\nshot mid.png\nwait 100\n");
    ASSERT_EQ(runProgram({"--headless", "--data", dir.path().string(), "--script", dir.file("script.txt"),
                          "--screenshot", dir.file("end.png")}),
              0);
    EXPECT_EQ(pngSize(dir.read("mid.png")), std::make_pair(800, 600));
    EXPECT_EQ(pngSize(dir.read("end.png")), std::make_pair(800, 600));
}

}  // namespace
