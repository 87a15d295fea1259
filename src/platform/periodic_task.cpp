#include "platform/periodic_task.h"

#include <chrono>

namespace platform {

void PeriodicTask::start(std::uint32_t periodMs, std::function<void()> step) {
    if (running_) return;
    step_ = std::move(step);
    periodMs_ = periodMs;
    stopping_ = false;
    running_ = true;
    thread_ = std::thread([this] { loop(); });
}

void PeriodicTask::loop() {
    std::unique_lock<std::mutex> lock(mutex_);
    // Ordinary priority is enough for the sound: the mixing itself runs in
    // the audio device's thread, and a stream's ring holds 0.74 s, so a late
    // step goes unheard.
    while (!stopping_) {
        lock.unlock();
        step_();
        lock.lock();
        wake_.wait_for(lock, std::chrono::milliseconds(periodMs_), [this] { return stopping_; });
    }
}

void PeriodicTask::stop() {
    if (!running_) return;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
    running_ = false;
}

}  // namespace platform
