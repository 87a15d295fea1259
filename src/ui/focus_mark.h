#pragma once
// The focus mark: the frame a control wears while the keyboard's focus is on
// it (Tab in the menus and dialogs). A rounded band of gold like the panels'
// rims, with the small gold diamond of the game's rules above and below, set
// a little outside the control between two dark lines, so it reads on any
// background and never covers the control's own picture. Its gold breathes
// slowly, the way the board's rings do.

class Sprite;

// Around the rectangle (x, y, w, h); `clock` (ms) drives the breathing.
// Nothing for an empty rectangle.
void drawFocusMark(Sprite& target, int x, int y, int w, int h, int clock);
