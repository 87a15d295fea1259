#pragma once
// The frame loop: fixed 20 ms logic steps, one drawing per frame, and the
// message loop that runs frames whenever no message is waiting.

#include <cstdint>

// One pass of the frame loop; non-zero when the program must close.
int frameStep();

// Reads the counter frequency and primes the timer, so the first frame
// measures from now.
void startFrameTimer();

// Limits for a run of the harness: stop after `runMs` of game time (-1: no
// limit), and stop when the headless script has finished if there is no limit.
struct RunLimits {
    long runMs = -1;
    bool stopWhenScriptEnds = false;
};

class SingleInstanceListener {
public:
    virtual ~SingleInstanceListener() = default;
    // True when another copy asked this one to come forward.
    virtual bool raiseRequested() = 0;
};

// What runs beside the game once per pass of the loop, after the frame: the
// demo's hand and the screenshots taken along the way.
class FrameWatcher {
public:
    virtual ~FrameWatcher() = default;
    // `nowMs` is the tick count: virtual time when headless.
    virtual void afterFrame(std::uint32_t nowMs) = 0;
};

// Runs until WM_QUIT is taken or the window is gone.
void runMessageLoop(const RunLimits& limits, SingleInstanceListener* instance, FrameWatcher* watcher = nullptr);
