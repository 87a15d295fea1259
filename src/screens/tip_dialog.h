#pragma once
// TipDialog: the small dialog that introduces a new element of the game the
// first time a player meets it ("tiptile_dlg", "tipscore_dlg", ... each a
// screen file with its own picture and text). Its "show" box, when ticked
// as the player presses "ok", switches off every later tip for the rest of
// the run (and for the player, whose progress file keeps the setting).
// Enter, Space and Escape close it as "ok" does.

#include <string>

#include "screens/dimmed_dialog.h"

class TipDialog : public DimmedDialog {
public:
    // The screen file, then the text beside the box ([game] "dontshowtips").
    void load(const char* file, const char* section) override;
    // The box shows whether tips are already off.
    void onShow() override;
    int onCommand(UiElement* source) override;
    int keyDown(int key, platform::LParam lParam) override;
    // The dialog over the dimmed game, then the text beside the box.
    void draw(int ox, int oy, Sprite& target) override;

private:
    std::string dontShowText_;
};
