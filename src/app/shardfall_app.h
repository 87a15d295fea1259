#pragma once
// The program from entry to exit: configuration, the single-instance check,
// the window, start-up of every subsystem, the message loop, write-back and
// shutdown.

#include <functional>
#include <memory>

#include "app/frame_client.h"

class ScreenFactory;
class ScreenManager;

struct AppHooks {
    // Makes the screen manager; tests put a recording double here.
    std::function<std::unique_ptr<FrameClient>()> makeScreenManager;
    // With the real screen manager: takes the client the frame loop would
    // drive and gives back the one it drives, so a test build can watch
    // every step and frame of the real game.
    std::function<std::unique_ptr<FrameClient>(std::unique_ptr<FrameClient>, ScreenManager&)> wrapScreenManager;
};

// Process entry. Returns 0 whenever the game ran (or another copy was
// raised); 1 when it could not start at all, 2 for a bad command line.
int runShardfall(int argc, const char* const* argv, const AppHooks& hooks = {});
