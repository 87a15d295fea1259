#pragma once
// DeleteDialogScreen ("deletedialog"): asks in "question" whether to delete
// the player selected in the list; "yes" or Enter deletes, "no" or Escape
// keeps.

#include "screens/dimmed_dialog.h"

class DeleteDialogScreen : public DimmedDialog {
public:
    void load(const char* file, const char* section) override;
    void onShow() override;
    int onCommand(UiElement* source) override;
    int keyDown(int key, platform::LParam lParam) override;

private:
    void answer(bool yes);

    SoundGroup* sound_ = nullptr;
};
