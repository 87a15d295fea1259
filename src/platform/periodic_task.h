#pragma once
// Work that runs on its own at a fixed period beside the game, such as the
// sound's 50 ms step that keeps streams fed and fades moving. Natively it is
// a thread of its own; in the browser, which gives the game no threads, a
// timer of the page runs it between the frames. Either way the step never
// runs twice at once, and never again once stop() has returned.

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

namespace platform {

class PeriodicTask {
public:
    PeriodicTask() = default;
    ~PeriodicTask() { stop(); }
    PeriodicTask(const PeriodicTask&) = delete;
    PeriodicTask& operator=(const PeriodicTask&) = delete;

    // Runs `step` now and then every `periodMs` until stop(). Does nothing
    // while the task runs already.
    void start(std::uint32_t periodMs, std::function<void()> step);
    // Waits for a step under way to finish.
    void stop();
    bool running() const { return running_; }

private:
    void loop();

    std::function<void()> step_;
    std::uint32_t periodMs_ = 0;
    bool running_ = false;
    // The thread, natively; the page's timer in the browser.
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable wake_;
    [[maybe_unused]] bool stopping_ = false;
    [[maybe_unused]] long timer_ = 0;
};

}  // namespace platform
