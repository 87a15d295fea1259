#include "platform/periodic_task.h"

#include <emscripten/eventloop.h>

// The page gives the game one thread. An interval timer of the page takes
// the thread's place: the browser runs it whenever the game yields, which
// the frame loop does at least once a frame, and also while the game waits
// inactive, so the sound's streams stay fed either way.

namespace platform {
namespace {

void runStep(void* task) { (*static_cast<std::function<void()>*>(task))(); }

}  // namespace

void PeriodicTask::start(std::uint32_t periodMs, std::function<void()> step) {
    if (running_) return;
    step_ = std::move(step);
    periodMs_ = periodMs;
    running_ = true;
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
