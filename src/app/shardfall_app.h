#pragma once
// The program from entry to exit: configuration, the single-instance check,
// the window, start-up of every subsystem, the message loop, write-back and
// shutdown.

#include <functional>
#include <memory>

#include "app/frame_client.h"

class ScreenFactory;

struct AppHooks {
    // Makes the screen manager; tests put a recording double here.
    std::function<std::unique_ptr<FrameClient>()> makeScreenManager;
    // With the real screen manager: called once its screens are registered
    // and before they preload, so a test build can add screens of its own.
    std::function<void(ScreenFactory&)> addScreens;
};

// Process entry. Returns 0 whenever the game ran (or another copy was
// raised); 1 when it could not start at all, 2 for a bad command line.
int runShardfall(int argc, const char* const* argv, const AppHooks& hooks = {});
