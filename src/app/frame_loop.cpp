#include "app/frame_loop.h"

#include "app/shell_state.h"
#include "graphics/display.h"
#include "platform/backend.h"
#include "platform/headless_backend.h"
#include "platform/system_services.h"
#include "platform/window_messages.h"

using namespace platform;

ShellState& shell() {
    static ShellState state;
    return state;
}

void startFrameTimer() {
    ShellState& s = shell();
    s.msPerCounterTick = 1000.0f / static_cast<float>(performanceFrequency());
    s.lastCounter = performanceCounter();
}

int frameStep() {
    ShellState& s = shell();
    float elapsed = 0.0f;
    if (s.lastCounter >= 0) {
        const std::int64_t now = performanceCounter();
        const std::int64_t difference = now - s.lastCounter;
        s.lastCounter = now;
        elapsed = static_cast<float>(difference) * s.msPerCounterTick;
        // A stall (a window drag, a disk wait) costs at most five steps.
        if (elapsed > 100.0f) elapsed = 100.0f;
        elapsed *= s.speedFactor;
    }
    s.timeAccumulator += elapsed;
    Backend* b = backend();
    // In a window a frame is drawn only when the game has moved on: until the
    // next 20 ms step is due there is nothing new to show, and presenting the
    // same picture again would only keep a core busy. The loop sleeps instead.
    if (s.timeAccumulator < 20.0f && b && !b->isHeadless() && s.screenManager) {
        sleepMilliseconds(static_cast<std::uint32_t>(20.0f - s.timeAccumulator) + 1);
        return 0;
    }
    if (Sprite* frame = BackBuffer()) frame->FillRect(0, 0, 800, 600, 0xFF000000u);

    while (s.timeAccumulator >= 20.0f) {
        if (s.screenManager && s.screenManager->update(20) != 0) return 1;
        s.timeAccumulator -= 20.0f;
    }
    if (!s.screenManager) return 1;

    s.screenManager->draw();
    PresentFrame();
    sleepMilliseconds(1);
    if (b) b->frameDone();
    return 0;
}

namespace {

// The harness's reasons to end a run, checked once per frame.
bool runIsOver(const RunLimits& limits, std::uint32_t startTick) {
    if (limits.runMs >= 0 && static_cast<long>(tickCount() - startTick) >= limits.runMs) return true;
    if (limits.stopWhenScriptEnds) {
        auto* headless = dynamic_cast<HeadlessBackend*>(backend());
        if (headless && headless->scriptFinished()) return true;
    }
    return false;
}

}  // namespace

void runMessageLoop(const RunLimits& limits, SingleInstanceListener* instance, FrameWatcher* watcher) {
    ShellState& s = shell();
    const std::uint32_t startTick = tickCount();
    bool closing = false;
    while (s.gb_hWnd) {
        Message message;
        if (peekMessage(message)) {
            if (message.message == WM_QUIT) break;
            translateMessage(message);
            dispatchMessage(message);
            continue;
        }
        if (instance && instance->raiseRequested()) {
            if (Backend* b = backend()) b->raiseWindow();
            continue;
        }
        if (!s.active) {
            waitMessage();
        } else if (frameStep() != 0) {
            sendMessage(WM_CLOSE);
        } else if (!closing) {
            if (watcher) watcher->afterFrame(tickCount());
            if (runIsOver(limits, startTick)) {
                // Close the window as a user would; shutdown and write-back follow.
                closing = true;
                sendMessage(WM_CLOSE);
            }
        }
    }
}
