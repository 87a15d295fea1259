#include "platform/sdl_pad_events.h"

#include <cstdio>

#include "platform/pad_input.h"

namespace platform {
namespace {

bool buttonFromSdl(Uint8 button, PadButton& out) {
    switch (button) {
    case SDL_CONTROLLER_BUTTON_A: out = PadButton::A; return true;
    case SDL_CONTROLLER_BUTTON_B: out = PadButton::B; return true;
    case SDL_CONTROLLER_BUTTON_X: out = PadButton::X; return true;
    case SDL_CONTROLLER_BUTTON_Y: out = PadButton::Y; return true;
    case SDL_CONTROLLER_BUTTON_START: out = PadButton::Start; return true;
    case SDL_CONTROLLER_BUTTON_BACK: out = PadButton::Back; return true;
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER: out = PadButton::LeftShoulder; return true;
    case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER: out = PadButton::RightShoulder; return true;
    case SDL_CONTROLLER_BUTTON_DPAD_UP: out = PadButton::Up; return true;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN: out = PadButton::Down; return true;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT: out = PadButton::Left; return true;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: out = PadButton::Right; return true;
    default: return false;
    }
}

void openController(int deviceIndex) {
    SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
    if (!controller) {
        std::fprintf(stderr, "shardfall: cannot open game controller %d: %s\n", deviceIndex, SDL_GetError());
        return;
    }
    const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller));
    padInput().attach(static_cast<int>(id));
}

void closeController(SDL_JoystickID id, MessageQueue& queue) {
    if (SDL_GameController* controller = SDL_GameControllerFromInstanceID(id)) SDL_GameControllerClose(controller);
    padInput().detach(static_cast<int>(id), queue);
}

}  // namespace

bool startPadSupport() {
    // Pads keep working while another window has the focus only if the
    // player wants that; a game in the background should not be steered.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "0");
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        std::fprintf(stderr, "shardfall: no game controller support: %s\n", SDL_GetError());
        return false;
    }
    return true;
}

bool translatePadEvent(const SDL_Event& event, MessageQueue& queue) {
    switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED:
        // Pads already plugged in at start arrive this way too.
        openController(event.cdevice.which);
        return true;
    case SDL_CONTROLLERDEVICEREMOVED:
        closeController(event.cdevice.which, queue);
        return true;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP: {
        PadButton button;
        if (buttonFromSdl(event.cbutton.button, button))
            padInput().button(static_cast<int>(event.cbutton.which), button,
                              event.type == SDL_CONTROLLERBUTTONDOWN, queue, event.cbutton.timestamp);
        return true;
    }
    case SDL_CONTROLLERAXISMOTION: {
        const auto axis = static_cast<SDL_GameControllerAxis>(event.caxis.axis);
        if (axis != SDL_CONTROLLER_AXIS_LEFTX && axis != SDL_CONTROLLER_AXIS_LEFTY) return true;
        SDL_GameController* controller = SDL_GameControllerFromInstanceID(event.caxis.which);
        if (!controller) return true;
        padInput().stick(static_cast<int>(event.caxis.which),
                         SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTX),
                         SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTY), queue,
                         event.caxis.timestamp);
        return true;
    }
    default:
        return false;
    }
}

void tickPads(MessageQueue& queue, std::uint32_t nowMs) { padInput().tick(queue, nowMs); }

}  // namespace platform
