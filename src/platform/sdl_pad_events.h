#pragma once
// The SDL side of the pads: game controllers opened as they are plugged in
// and closed as they go, their buttons and left stick handed to PadInput.

#include <SDL.h>

#include <cstdint>

namespace platform {

class MessageQueue;

// Starts SDL's game-controller support; false when it is not to be had
// (the game then simply has no pads).
bool startPadSupport();

// Takes a controller event (plugging in, pulling out, a button, the left
// stick); false for any other event.
bool translatePadEvent(const SDL_Event& event, MessageQueue& queue);

// The arrow a pad holds repeats; called once for every pump of events.
void tickPads(MessageQueue& queue, std::uint32_t nowMs);

}  // namespace platform
