#pragma once
// The frame loop's view of the screen manager: window input goes to it,
// logic steps go to it, and each frame it draws the current screen (and the
// cursor) at the top-left of the back buffer.

#include <memory>

#include "app/frame_client.h"
#include "ui/screen_manager.h"

class ScreenManagerClient : public FrameClient {
public:
    // Makes the manager with every screen class of the game registered.
    ScreenManagerClient();

    void handleWindowMessage(std::uint32_t message, platform::WParam wParam, platform::LParam lParam) override;
    int update(int milliseconds) override;
    void draw() override;

    ScreenManager& manager() { return *manager_; }

private:
    std::unique_ptr<ScreenManager> manager_;
};

// Registers the classes of the screens that have behaviour of their own.
void registerScreenClasses(ScreenFactory& factory);

// Start-up's preload behind the logo screen's loading bar: the heavy
// screens are made while the bar advances, then "start" appears. Each step
// paints the frame at once, without taking any input.
void preloadScreens(ScreenManager& manager);
