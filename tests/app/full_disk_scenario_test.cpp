// The real program, headless, with the player's folder on a full disk: the
// quest starts and is played, the saves and the exit write-back fail, every
// file the folder held is as it was and nothing new is left in it, the
// player reads "Your progress could not be saved: ..." on screen once,
// standard error names each file and why, and play goes on to the end.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

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
namespace fs = std::filesystem;

const std::string kDist = SHARDFALL_DIST_DIR;
const std::string kPlay = SHARDFALL_PLAY;

// Runs the program with the full-disk shim over `fullFolder` and standard
// error into `errorFile`; its exit code, or -1.
int runOnFullDisk(std::vector<std::string> args, const std::string& fullFolder, const std::string& errorFile) {
    args.insert(args.begin(), kPlay);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) env.emplace_back(*e);
    env.push_back(std::string("LD_PRELOAD=") + SHARDFALL_FULL_DISK_SHIM);
    env.push_back("SHARDFALL_FULL_DISK=" + fullFolder);
    env.push_back("ASAN_OPTIONS=verify_asan_link_order=0");
    std::vector<char*> envp;
    for (auto& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t child = 0;
    const int started = ::posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (started != 0) return -1;
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

// Every file of the folder but the linked data, with its bytes.
std::vector<std::pair<std::string, std::string>> filesOf(const TempDir& dir) {
    std::vector<std::pair<std::string, std::string>> files;
    for (auto it = fs::recursive_directory_iterator(dir.path()); it != fs::recursive_directory_iterator(); ++it) {
        if (it->is_symlink()) {
            it.disable_recursion_pending();
            continue;
        }
        if (!it->is_regular_file()) continue;
        const std::string relative = fs::relative(it->path(), dir.path()).string();
        files.emplace_back(relative, dir.read(relative));
    }
    std::sort(files.begin(), files.end());
    return files;
}

int darkInRow(const Picture& p, int y) {
    int n = 0;
    for (int x = 0; x < p.width; ++x) n += dark(p.at(x, y)) ? 1 : 0;
    return n;
}

// The notice's light letters along the bottom of the picture.
int lightLetters(const Picture& p) {
    int n = 0;
    for (int y = 572; y < 588; ++y)
        for (int x = 0; x < p.width; ++x) {
            const Rgb c = p.at(x, y);
            n += c.r > 200 && c.g > 200 && c.b > 200 ? 1 : 0;
        }
    return n;
}

TEST(FullDiskScenario, SavesFailAloudAndLeaveEveryFileAsItWas) {
    TempDir dir;
    // Beside the player's folder, off the full disk.
    const fs::path shots = dir.path().string() + "-shots";
    fs::create_directories(shots);
    linkGeneratedData(kDist, dir.path());
    dir.write("game.ini", "[main]\r\nname=Shardfall full disk\r\nxs=800\r\nys=600\r\nmusic=0\r\nsound=0\r\n");
    dir.write("profiles.ini", "[main]\r\ncurrent=0\r\n[users]\r\n0=Ann\r\n");
    // Ann's progress as an older version saved it: the quest at its start.
    ProgressRecord ann;
    ann.quest.lives = 3;
    const std::vector<std::uint8_t> older = encodeProgress(ann);
    dir.write("data/profiles/Ann.sav", std::string(older.begin(), older.end()));
    const std::string shot = shots.string() + "/";
    dir.write("play.txt", "wait 300\nclick 400 516\nwait 1000\nclick 515 210\n" + clickFirstEpisode(kDist) +
                              "wait 1500\nshot " + shot + "notice.png\nwait 7000\nshot " + shot +
                              "later.png\nquit\n");
    const auto before = filesOf(dir);

    ASSERT_EQ(runOnFullDisk({"--headless", "--seed", "5", "--data", dir.path().string(), "--script",
                             dir.file("play.txt")},
                            dir.path().string(), shot + "stderr.txt"),
              3)
        << "a run whose saves failed ends with status 3";

    EXPECT_EQ(filesOf(dir), before) << "every old file intact, no new one";
    std::ifstream errorFile(shot + "stderr.txt");
    const std::string errors((std::istreambuf_iterator<char>(errorFile)), {});
    EXPECT_NE(errors.find("could not save " + dir.path().string() + "/data/profiles/Ann"), std::string::npos)
        << errors;
    EXPECT_NE(errors.find("could not save " + dir.path().string() + "/game.ini: No space left on device"),
              std::string::npos)
        << errors;

    // The line on its dark band at the bottom while the level starts.
    const Picture notice = readPng(shot + "notice.png"), later = readPng(shot + "later.png");
    ASSERT_EQ(notice.width, 800);
    ASSERT_EQ(later.width, 800);
    EXPECT_GT(darkInRow(notice, 566), 700) << "the band";
    EXPECT_GT(lightLetters(notice), 500) << "the line on it";
    // The level's tip has come up since: the game went on, the line is gone.
    EXPECT_LT(lightLetters(later), 50) << "the line has gone";
    if (!HasFailure()) fs::remove_all(shots);
}

}  // namespace
