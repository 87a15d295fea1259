#pragma once
// EditControl ("edit"): one line of text of at most nine characters (the
// player names), with a blinking caret the arrow keys, Home and End move.
// The caption is the text being edited. It makes no sound on focus.
//
// A full field says so: a gold rim lights round the text once it holds
// nine characters, and a character refused for want of room flashes it red.

#include "ui/ui_element.h"

class EditControl : public UiElement {
public:
    static constexpr int kMaxLength = 9;

    // Common keys, then "path" (the background); without a size it is ten
    // spaces wide and one line high in the static font.
    void load(const char* file, const char* section) override;
    void draw(int ox, int oy, Sprite& target) override;
    // Replaces the text and puts the caret at its end.
    void setText(const char* text) override;
    // Inserts a character (32..255) at the caret while the text is short
    // enough; 1 when taken.
    int charInput(int character, platform::LParam lParam) override;
    // Backspace, Delete, Left, Right, Home, End; 1 when handled.
    int keyDown(int key, platform::LParam lParam) override;

    int caret() const { return caret_; }
    int length() const;

private:
    void eraseAt(int index);
    void drawFullRim(int left, int top, Sprite& target) const;

    int caret_ = 0;       // 0..length
    int refusedAt_ = -1;  // the clock when a character last found no room
};
