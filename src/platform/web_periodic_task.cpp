#include "platform/periodic_task.h"

#include <emscripten/emscripten.h>
#include <emscripten/eventloop.h>

#include <algorithm>

// The page gives the game one thread. An interval timer of the page takes
// the thread's place: the browser runs it whenever the game yields, which
// the frame loop does at least once a frame, and also while the game waits
// inactive, so the sound's streams stay fed either way.

namespace platform {
namespace {

// The longest wait between two steps of any task, for the page to read: a
// stream's ring holds 0.74 s of sound, so a longer wait would be heard.
double lastStepMs = -1.0, longestWaitMs = 0.0;

void runStep(void* task) {
    const double now = emscripten_get_now();
    if (lastStepMs >= 0.0) longestWaitMs = std::max(longestWaitMs, now - lastStepMs);
    lastStepMs = now;
    (*static_cast<std::function<void()>*>(task))();
}

}  // namespace

extern "C" EMSCRIPTEN_KEEPALIVE double shardfall_longest_step_wait_ms() {
    const double longest = longestWaitMs;
    longestWaitMs = 0.0;
    return longest;
}

void PeriodicTask::start(std::uint32_t periodMs, std::function<void()> step) {
    if (running_) return;
    step_ = std::move(step);
    periodMs_ = periodMs;
    running_ = true;
    lastStepMs = -1.0;
    step_();
    timer_ = emscripten_set_interval(runStep, double(periodMs), &step_);
}

void PeriodicTask::loop() {}

void PeriodicTask::stop() {
    if (!running_) return;
    emscripten_clear_interval(timer_);
    running_ = false;
}

}  // namespace platform
