#pragma once
// The pieces of the menus' panels and dialogs, in the look of the main
// menu: titled panels, arrow buttons, and the recessed wells a list or a
// name field sits in.

#include <string>

#include "image.h"
#include "menu_art.h"

// A button plate with a gold triangle pointing up or down.
Image arrowButton(int width, int height, ButtonLook look, bool up);

// A recess of lighter velvet with a thin gold rim: the player list's rows
// and the name field lie in one, so the dark highlight and the cream text
// both stand out.
Image wellPicture(int width, int height);

// A gold-framed panel of about width x height pixels on its own picture
// (the frame 6 pixels in, room for the shadow right and below), with its
// title set in gold lettering centred `titleY` pixels below its top edge.
Image titledPanel(int width, int height, const std::string& title, int titleY = 34);
