// A player's progress and the mode's saved board are one save: the game is
// killed at random moments of saving, hundreds of times, and every time what
// the next visit resumes is exactly the save before or the save after.

#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "game/progress_file.h"
#include "platform/paths.h"
#include "temp_dir.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr const char* kPlayer = "Tess";

// What the next visit to action mode starts from: the level and score of
// the progress file, and the board it resumes (empty: the level dealt anew).
struct Resumed {
    int level = 0;
    int score = 0;
    Bytes board;
    friend bool operator==(const Resumed&, const Resumed&) = default;
};

Resumed resumeAction() {
    ProgressRecord record;
    readProgressFile(kPlayer, record);
    Resumed r{record.action.level, record.action.score, {}};
    const std::string path = savedBoardToResume(kPlayer, record, ProfileFile::ActionBoard);
    if (!path.empty()) platform::readWholeFile(path, r.board);
    return r;
}

ProgressRecord actionAt(int level, int score) {
    ProgressRecord record;
    record.action.level = level;
    record.action.score = score;
    return record;
}

// A board file's worth of bytes, different for each seed.
Bytes boardBytes(int seed) {
    Bytes b(615);
    for (std::size_t i = 0; i < b.size(); ++i) b[i] = static_cast<std::uint8_t>(seed * 31 + i * 7);
    return b;
}

void sleepMicroseconds(long us) {
    timespec t{us / 1000000, (us % 1000000) * 1000};
    nanosleep(&t, nullptr);
}

struct KillCounts {
    int kills = 0, before = 0, after = 0, mixed = 0, finished = 0;
};

// Starts from the files of `first`, saves `second` in a child process and
// kills it at a random moment of that save, `runs` times.
template <typename Prepare, typename Save>
KillCounts killDuringSaves(int runs, Prepare prepare, Save save) {
    // How long one save takes here and now, to spread the kills over it:
    // timed in a child as the killed ones run, since a forked process
    // pays for its first writes to memory and the disk's pace varies.
    std::vector<long> childUs;
    for (int i = 0; i < 5; ++i) {
        prepare();
        const auto start = std::chrono::steady_clock::now();
        const pid_t child = fork();
        if (child == 0) {
            save();
            _exit(0);
        }
        int status = 0;
        waitpid(child, &status, 0);
        childUs.push_back(
            std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(childUs.begin(), childUs.end());
    const long saveUs = std::max<long>(50, childUs[childUs.size() / 2]);
    prepare();
    const Resumed before = resumeAction();
    save();
    const Resumed after = resumeAction();
    EXPECT_FALSE(before == after) << "the save changes nothing: the test cannot tell before from after";

    std::mt19937 random(26);
    KillCounts counts;
    for (int i = 0; i < runs; ++i) {
        prepare();
        const long delayUs = std::uniform_int_distribution<long>(0, saveUs * 3 / 2)(random);
        const pid_t child = fork();
        if (child == 0) {
            save();
            _exit(0);
        }
        sleepMicroseconds(delayUs);
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        if (WIFSIGNALED(status)) ++counts.kills;
        else ++counts.finished;
        const Resumed resumed = resumeAction();
        if (resumed == before) ++counts.before;
        else if (resumed == after) ++counts.after;
        else ++counts.mixed;
    }
    std::printf("%d runs: %d killed, %d finished first (save %ld us); resumed the save before %d, after %d, mixed %d\n",
                runs, counts.kills, counts.finished, saveUs, counts.before, counts.after, counts.mixed);
    return counts;
}

class SaveUnitKill : public ::testing::Test {
protected:
    TempDir dir;
    ScopedChdir chdir{dir.path()};

    void clearProfiles() { std::filesystem::remove_all(dir.path() / "data" / "profiles"); }
};

TEST_F(SaveUnitKill, ABoardReplacedMidLevelResumesTheOldSaveOrTheNewNeverAMix) {
    auto prepare = [&] {
        clearProfiles();
        ASSERT_FALSE(writeSaveUnit(kPlayer, actionAt(3, 1000), BoardMode::ModeAction, SavedBoardChange::Replace,
                                   boardBytes(1)));
    };
    auto save = [] {
        writeSaveUnit(kPlayer, actionAt(3, 2500), BoardMode::ModeAction, SavedBoardChange::Replace, boardBytes(2));
    };
    const KillCounts counts = killDuringSaves(300, prepare, save);
    EXPECT_EQ(counts.mixed, 0);
    // The kills fell inside the save, not all before or after it.
    EXPECT_GT(counts.before, 0);
    EXPECT_GT(counts.after, 0);
}

TEST_F(SaveUnitKill, ALevelWonResumesItsBoardOrTheNextLevelDealtAnew) {
    auto prepare = [&] {
        clearProfiles();
        ASSERT_FALSE(writeSaveUnit(kPlayer, actionAt(3, 1000), BoardMode::ModeAction, SavedBoardChange::Replace,
                                   boardBytes(1)));
    };
    auto save = [] { writeSaveUnit(kPlayer, actionAt(4, 1800), BoardMode::ModeAction, SavedBoardChange::Forget); };
    const KillCounts counts = killDuringSaves(200, prepare, save);
    EXPECT_EQ(counts.mixed, 0);
    EXPECT_GT(counts.before, 0);
    EXPECT_GT(counts.after, 0);
}

}  // namespace
