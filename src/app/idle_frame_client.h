#pragma once
// The frame client the shell runs while no screen framework is linked in:
// it takes input and time and draws nothing, so the window stays open and
// black until it is closed.

#include "app/frame_client.h"

class IdleFrameClient : public FrameClient {
public:
    void handleWindowMessage(std::uint32_t, platform::WParam, platform::LParam) override {}
    int update(int) override { return 0; }
    void draw() override {}
};
