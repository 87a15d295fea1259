#pragma once
// The shell's process-wide state: the window, the frame timing, and the
// screen manager it drives. Settings read from game.ini live in
// config/game_settings.h, where the menus can reach them.

#include <cstdint>
#include <memory>
#include <optional>

#include "platform/backend.h"

#include "app/frame_client.h"

struct ShellState {
    std::intptr_t gb_hWnd = 0;  // the game window; 0 before creation and after destruction
    int active = 1;             // frames run only while the application is active
    std::intptr_t cursor = 0;   // the system cursor from "DATA\game.cur"
    std::uint32_t randomSeed = 0;

    float msPerCounterTick = 0.0f;
    std::int64_t lastCounter = 0;
    float timeAccumulator = 0.0f;
    float speedFactor = 1.0f;

    std::unique_ptr<FrameClient> screenManager;

    // The real window as it was when it closed, for the next run
    // (window_position.h); none in a headless run.
    std::optional<platform::WindowPlacement> closedWindow;
};

ShellState& shell();
