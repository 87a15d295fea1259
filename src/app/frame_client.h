#pragma once
// What the frame loop drives: the screen manager, seen from the shell. It
// takes window input, advances in 20 ms steps and draws the frame. Tests put
// a recording double in its place.

#include "platform/win_messages.h"

class FrameClient {
public:
    virtual ~FrameClient() = default;
    // Window input the window procedure does not handle itself.
    virtual void handleWindowMessage(std::uint32_t message, platform::WParam wParam, platform::LParam lParam) = 0;
    // One logic step; non-zero closes the program.
    virtual int update(int milliseconds) = 0;
    // Draws the current screen (and the cursor) into the frame.
    virtual void draw() = 0;
};
