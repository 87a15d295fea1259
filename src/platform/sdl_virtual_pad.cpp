#include "platform/sdl_virtual_pad.h"

#include <cstdio>

namespace platform {
namespace {

// A press lasts two frames, as a quick tap does.
constexpr std::uint32_t kPressMs = 40;

SDL_GameControllerButton sdlButton(PadButton button) {
    switch (button) {
    case PadButton::A: return SDL_CONTROLLER_BUTTON_A;
    case PadButton::B: return SDL_CONTROLLER_BUTTON_B;
    case PadButton::X: return SDL_CONTROLLER_BUTTON_X;
    case PadButton::Y: return SDL_CONTROLLER_BUTTON_Y;
    case PadButton::Start: return SDL_CONTROLLER_BUTTON_START;
    case PadButton::Back: return SDL_CONTROLLER_BUTTON_BACK;
    case PadButton::LeftShoulder: return SDL_CONTROLLER_BUTTON_LEFTSHOULDER;
    case PadButton::RightShoulder: return SDL_CONTROLLER_BUTTON_RIGHTSHOULDER;
    case PadButton::Up: return SDL_CONTROLLER_BUTTON_DPAD_UP;
    case PadButton::Down: return SDL_CONTROLLER_BUTTON_DPAD_DOWN;
    case PadButton::Left: return SDL_CONTROLLER_BUTTON_DPAD_LEFT;
    case PadButton::Right: return SDL_CONTROLLER_BUTTON_DPAD_RIGHT;
    }
    return SDL_CONTROLLER_BUTTON_A;
}

}  // namespace

bool playableInWindow(const std::vector<ScriptCommand>& commands, std::string& error) {
    for (const ScriptCommand& c : commands) {
        using Kind = ScriptCommand::Kind;
        if (c.kind == Kind::Wait || c.kind == Kind::Pad || c.kind == Kind::Quit) continue;
        error = "line " + std::to_string(c.line) + ": in a window a script may hold only wait, pad and quit lines";
        return false;
    }
    return true;
}

VirtualPadScript::VirtualPadScript(std::vector<ScriptCommand> commands) : commands_(std::move(commands)) {}

VirtualPadScript::~VirtualPadScript() { detach(); }

void VirtualPadScript::run(std::uint32_t nowMs, MessageQueue& queue) {
    if (!started_) {
        started_ = true;
        dueMs_ = nowMs;
    }
    while (nowMs >= dueMs_) {
        // A release gets frames of its own before the next press, or SDL
        // would see the button held throughout.
        if (letGo()) {
            dueMs_ = nowMs + kPressMs;
            return;
        }
        if (next_ >= commands_.size()) return;
        runCommand(commands_[next_++], nowMs, queue);
    }
}

void VirtualPadScript::runCommand(const ScriptCommand& command, std::uint32_t nowMs, MessageQueue& queue) {
    using Action = ScriptCommand::PadAction;
    switch (command.kind) {
    case ScriptCommand::Kind::Wait:
        dueMs_ = nowMs + static_cast<std::uint32_t>(command.milliseconds);
        return;
    case ScriptCommand::Kind::Quit:
        queue.post(WM_CLOSE);
        return;
    default:
        break;
    }
    if (command.padAction == Action::Attach) return attach();
    if (command.padAction == Action::Detach) return detach();
    if (!joystick_) return;  // as with a real pad: nothing plugged in, nothing pressed
    if (command.padAction == Action::Stick) {
        SDL_JoystickSetVirtualAxis(joystick_, SDL_CONTROLLER_AXIS_LEFTX, Sint16(command.stickX * 32767 / 100));
        SDL_JoystickSetVirtualAxis(joystick_, SDL_CONTROLLER_AXIS_LEFTY, Sint16(command.stickY * 32767 / 100));
        stickHeld_ = true;
        dueMs_ = nowMs + static_cast<std::uint32_t>(command.milliseconds);
        return;
    }
    heldButton_ = sdlButton(command.padButton);
    SDL_JoystickSetVirtualButton(joystick_, heldButton_, 1);
    dueMs_ = nowMs + kPressMs;
}

void VirtualPadScript::attach() {
    if (joystick_) return;
    SDL_VirtualJoystickDesc desc;
    SDL_zero(desc);
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    // Every button and axis of a standard pad, in SDL's own order, so that
    // each index is the game controller's.
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_DPAD_RIGHT + 1;
    desc.button_mask = (1u << desc.nbuttons) - 1;
    desc.axis_mask = (1u << desc.naxes) - 1;
    desc.name = "Shardfall script pad";
    deviceIndex_ = SDL_JoystickAttachVirtualEx(&desc);
    if (deviceIndex_ >= 0) joystick_ = SDL_JoystickOpen(deviceIndex_);
    if (!joystick_) std::fprintf(stderr, "shardfall: cannot attach the script's pad: %s\n", SDL_GetError());
}

void VirtualPadScript::detach() {
    if (!joystick_) return;
    const SDL_JoystickID id = SDL_JoystickInstanceID(joystick_);
    SDL_JoystickClose(joystick_);
    joystick_ = nullptr;
    // The device index may have moved since it was plugged in.
    for (int i = 0; i < SDL_NumJoysticks(); ++i)
        if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
    heldButton_ = -1;
    stickHeld_ = false;
}

bool VirtualPadScript::letGo() {
    if (!joystick_) return false;
    const bool held = heldButton_ >= 0 || stickHeld_;
    if (heldButton_ >= 0) SDL_JoystickSetVirtualButton(joystick_, heldButton_, 0);
    if (stickHeld_) {
        SDL_JoystickSetVirtualAxis(joystick_, SDL_CONTROLLER_AXIS_LEFTX, 0);
        SDL_JoystickSetVirtualAxis(joystick_, SDL_CONTROLLER_AXIS_LEFTY, 0);
    }
    heldButton_ = -1;
    stickHeld_ = false;
    return held;
}

}  // namespace platform
