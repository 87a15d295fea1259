#pragma once
// A pad SDL makes itself, played from a script's pad lines in a window: its
// presses take the whole way a real pad's take (SDL's game-controller
// events, plugging in and out, the pad input), so a test can play the real
// program in a real window with a pad. The script of a windowed run may hold
// only wait, pad and quit lines; waits are real milliseconds.

#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/script.h"
#include "platform/window_messages.h"

namespace platform {

// Whether every command can be played in a window; otherwise false with the
// line that cannot.
bool playableInWindow(const std::vector<ScriptCommand>& commands, std::string& error);

class VirtualPadScript {
public:
    explicit VirtualPadScript(std::vector<ScriptCommand> commands);
    ~VirtualPadScript();
    VirtualPadScript(const VirtualPadScript&) = delete;
    VirtualPadScript& operator=(const VirtualPadScript&) = delete;

    // Plays what is due at `nowMs` (SDL's ticks); the first call starts the
    // clock. A quit line closes the window.
    void run(std::uint32_t nowMs, MessageQueue& queue);

private:
    void runCommand(const ScriptCommand& command, std::uint32_t nowMs, MessageQueue& queue);
    void attach();
    void detach();
    // Lets go of what was held; whether anything was.
    bool letGo();

    std::vector<ScriptCommand> commands_;
    std::size_t next_ = 0;
    bool started_ = false;
    std::uint32_t dueMs_ = 0;
    int deviceIndex_ = -1;
    SDL_Joystick* joystick_ = nullptr;
    // What is held until dueMs_: a button pressed, or the stick.
    int heldButton_ = -1;
    bool stickHeld_ = false;
};

}  // namespace platform
