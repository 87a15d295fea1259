#pragma once
// EditNameScreen ("editname"): types the name of a new player into "edit"
// (nine characters). Every key typed goes to the field whatever the mouse
// is over; Enter or "ok" adds the player, Escape or "cancel" closes. When
// the list has no room left it says so in "message" and stays open.

#include "screens/dimmed_dialog.h"

class EditNameScreen : public DimmedDialog {
public:
    void load(const char* file, const char* section) override;
    void onShow() override;
    int onCommand(UiElement* source) override;
    int keyDown(int key, platform::LParam lParam) override;
    int charInput(int character, platform::LParam lParam) override;
    int mouseEvent(platform::WParam wParam, platform::LParam lParam) override;

private:
    void accept();
    void close();

    SoundGroup* sound_ = nullptr;
};
