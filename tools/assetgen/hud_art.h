#pragma once
// The game screen's own pictures: the gold border round the whole screen,
// the right-hand panel of each mode with its labels and the plates the game
// writes its numbers on, the wand's button in its socket, the plates that
// tell action, cube and puzzle players their goal, and the tutorial panel.
// Same velvet and gold as the menus.

#include <string>

#include "asset_tree.h"
#include "image.h"
#include "menu_art.h"

enum class PanelMode { Quest, Puzzle, Action, Cube };

// The mode's right-hand panel (150 x 570, drawn at 635, 15), its labels in
// the tree's language. Painted once per run and language.
const Image& rightPanel(AssetTree& tree, PanelMode mode);

// The back picture (800 x 600): the border, the action scene and the
// action panel. The other modes draw their scene and panel over it; action
// shows it as it is. Painted once per run and language.
const Image& gameBackFrame(AssetTree& tree);

// The plate action and cube show where quest shows lives and wands, and the
// puzzle's plate under its two buttons.
Image livePlate(AssetTree& tree);
Image puzzlePlate(AssetTree& tree);

// The wand's button: a jewel-round button holding the wand, sized to sit in
// the socket painted into the quest panel.
Image wandButton(ButtonLook look);

// The tutorial panel: a velvet card in a gold frame whose pointer ends on
// the spot the entry is about.
Image tutorialPanel();

// A label in the panel's engraved style, trimmed to its ink.
Image panelLabel(const std::string& text, int pixelSize);
