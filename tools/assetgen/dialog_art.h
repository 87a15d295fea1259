#pragma once
// The pieces of the menus' panels and dialogs, in the look of the main
// menu: a gold-framed velvet panel on its own (with transparent corners and
// its shadow) to slide over any screen, check boxes, arrow buttons, and
// the recessed wells a list or a name field sits in.

#include <string>

#include "asset_tree.h"
#include "image.h"
#include "menu_art.h"

// A gold-framed panel of w x h pixels inside a picture that also holds its
// shadow: the picture is w + kPanelShadow wide and h + kPanelShadow high,
// the panel at (0, 0).
constexpr int kPanelShadow = 16;
Image panelPicture(int width, int height);

// A square plate of the button look; ticked, a gold check mark on it.
Image checkBoxPicture(int size, ButtonLook look, bool ticked);

// A button plate with a gold triangle pointing up or down.
Image arrowButton(int width, int height, ButtonLook look, bool up);

// A recess of lighter velvet with a thin gold rim: the player list's rows
// and the name field lie in one, so the dark highlight and the cream text
// both stand out.
Image wellPicture(int width, int height);

// A panel with its title set in gold lettering centred `titleY` pixels
// below its top edge; the heading of every panel and dialog. The title is
// said in the tree's language as `context` and must fit inside the rims.
Image titledPanel(AssetTree& tree, const std::string& context, int width, int height, const std::string& title,
                  int titleY = 34);
