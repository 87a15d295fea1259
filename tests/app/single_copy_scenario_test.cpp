// One copy of the game per player: the real program, headless, started
// beside a copy that holds the player's folder, and beside another user's
// process holding the name the check listens on.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/single_instance.h"
#include "real_program.h"
#include "stranger_process.h"
#include "temp_dir.h"

extern char** environ;

namespace {

const std::string kProgram = std::string(SHARDFALL_DIST_DIR) + "/shardfall";
const char kName[] = "Shardfall single copy";

class SingleCopyScenario : public ::testing::Test {
protected:
    void SetUp() override {
        realprogram::linkGeneratedData(SHARDFALL_DIST_DIR, dir.path());
        dir.write("game.ini", std::string("[main]\r\nname=") + kName + "\r\nxs=800\r\nys=600\r\n");
        // The folder as the game names it once it has changed into it.
        folder = std::filesystem::canonical(dir.path()).string();
    }
    // The game for half a second of play; its exit code, what it said on
    // standard error in `said`.
    int runGame() {
        std::vector<std::string> args = {kProgram, "--headless", "--data", folder, "--run-ms", "500",
                                         "--screenshot", dir.file("shot.png")};
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 2, dir.file("stderr").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        pid_t child = 0;
        const int spawned = ::posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (spawned != 0) return -1;
        int status = 0;
        if (::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
        said = dir.read("stderr");
        return WEXITSTATUS(status);
    }
    bool played() const { return std::filesystem::exists(dir.file("shot.png")); }

    TempDir dir;
    std::string folder;
    std::string said;
};

TEST_F(SingleCopyScenario, ASecondCopyOfThePlayerDefersAndSaysSo) {
    platform::SingleInstance running;
    ASSERT_EQ(running.claim(kName, folder), platform::SingleInstance::Result::First);
    EXPECT_EQ(runGame(), 0);
    EXPECT_FALSE(played()) << "the second copy played on beside the first";
    EXPECT_NE(said.find("already running"), std::string::npos) << said;
    EXPECT_TRUE(running.pollRaiseRequests()) << "the running copy was not asked to come forward";
}

TEST_F(SingleCopyScenario, AnotherUserHoldingTheNameDoesNotStopTheGame) {
    if (!StrangerProcess::available()) GTEST_SKIP() << "only root can run a process as another user";
    StrangerProcess squatter([&] { return holdSocketName(platform::SingleInstance::socketName(kName, folder)); });
    ASSERT_TRUE(squatter.started());
    EXPECT_EQ(runGame(), 0) << said;
    EXPECT_TRUE(played()) << "the game ended at once, deferring to another user's process:\n" << said;
    EXPECT_EQ(said.find("already running"), std::string::npos) << said;
}

}  // namespace
