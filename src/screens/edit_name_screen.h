#pragma once
// EditNameScreen ("editname"): types the name of a new player into "edit"
// (nine characters). Every key typed goes to the field whatever the mouse
// is over; Enter or "ok" adds the player, Escape or "cancel" closes. When
// the list has no room left it says so in "message" and stays open.
//
// A player whose last input came from a pad gets the letter grid below the
// dialog: the arrows move its mark and Enter takes a letter, a space, a
// delete or done, all through the same field and its nine-character limit.

#include "screens/dimmed_dialog.h"
#include "screens/letter_grid.h"

class EditNameScreen : public DimmedDialog {
public:
    void load(const char* file, const char* section) override;
    void onShow() override;
    int onCommand(UiElement* source) override;
    int keyDown(int key, platform::LParam lParam) override;
    int charInput(int character, platform::LParam lParam) override;
    int mouseEvent(platform::WParam wParam, platform::LParam lParam) override;
    void draw(int ox, int oy, Sprite& target) override;
    bool takesArrowKey(int) const override { return true; }

private:
    void accept();
    void close();
    // The grid's Enter: what the marked cell types.
    void takeGridCell(platform::LParam lParam);

    LetterGrid grid_;

    SoundGroup* sound_ = nullptr;
};
