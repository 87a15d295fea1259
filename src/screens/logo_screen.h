#pragma once
// LogoScreen ("logo"): the title screen the game starts on. Its loading bar
// ("loading") fills while start-up preloads the other screens, and its
// "start" button, hidden until then, leads to the main menu; Enter and
// Space press it too. The menu music starts whenever it is shown.

#include "ui/screen.h"

class LogoScreen : public Screen {
public:
    int onCommand(UiElement* source) override;
    void onShow() override;
    int keyDown(int key, platform::LParam lParam) override;
};
