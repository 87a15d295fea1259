// The platform's periodic task, which carries the sound's 50 ms step: it
// steps at once and then again and again, never runs two steps at once, and
// is still once stop() has returned, so the state a step walks may go.

#include "platform/periodic_task.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

TEST(PeriodicTask, StepsUntilStoppedAndNeverAfter) {
    platform::PeriodicTask task;
    std::atomic<int> steps{0}, inside{0}, overlaps{0};
    task.start(1, [&] {
        if (inside.fetch_add(1) != 0) ++overlaps;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
        inside.fetch_sub(1);
        ++steps;
    });
    // A second start while running changes nothing.
    task.start(1, [&] { ++overlaps; });
    for (int i = 0; i < 5000 && steps.load() < 5; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    task.stop();
    EXPECT_FALSE(task.running());
    const int stoppedAt = steps.load();
    EXPECT_GE(stoppedAt, 5);
    EXPECT_EQ(inside.load(), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(steps.load(), stoppedAt);
    EXPECT_EQ(overlaps.load(), 0);

    // It starts again after a stop, and its destructor stops it.
    std::atomic<int> again{0};
    {
        platform::PeriodicTask second;
        second.start(1, [&] { ++again; });
        for (int i = 0; i < 5000 && again.load() < 2; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    const int afterDestruction = again.load();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(again.load(), afterDestruction);
}

}  // namespace
