// The game screen's file "data\menu\game.ini" and the pictures its controls
// name: the back picture (border, action scene and panel), the numbers the
// game writes on the panel's plates, the time bar, the wand's button, the
// goal plates and the buttons of the panel's foot and of the puzzle.
//
// Every control of every mode is in the one file; the game shows and hides
// them by mode. Listed bottom to top: the back picture, the plates, the
// numbers, the bar, then the buttons, so a button is hit before anything
// under it.

#include <string>
#include <vector>

#include "game_screen_layout.h"
#include "generators.h"
#include "hud_art.h"
#include "menu_art.h"
#include "picture_output.h"
#include "screen_file.h"

namespace {

using namespace gamelayout;

constexpr const char* kBackPath = "data\\menu\\game_back.jpg";

std::string number(int n) { return std::to_string(n); }

// A static the game writes a number on, centred in the plate under it.
Control numberText(const std::string& section, const ScreenRect& plate) {
    return {section,
            {{"type", "static"},
             {"x", number(plate.x)},
             {"y", number(plate.y)},
             {"xs", number(plate.w)},
             {"ys", number(plate.h)}}};
}

Control placedButton(const std::string& section, const std::string& caption, const std::string& stem,
                     const ScreenRect& at) {
    return button(section, caption, stem, at.x, at.y);
}

void writeHudPictures(AssetTree& tree) {
    writeBackground(tree, kBackPath, gameBackFrame(tree));
    writePicture(tree, "data\\menu\\live_plate.tga", livePlate(tree), PictureFormat::Tga32);
    writePicture(tree, "data\\menu\\puzzle_plate.tga", puzzlePlate(tree), PictureFormat::Tga32);
    writePicture(tree, "data\\menu\\timebar_full.tga", loadingBar(kTimeBar.w, kTimeBar.h, true), PictureFormat::Tga32);
    writePicture(tree, "data\\menu\\timebar_empty.tga", loadingBar(kTimeBar.w, kTimeBar.h, false),
                 PictureFormat::Tga32);
    writePicture(tree, "data\\menu\\button_wand.tga", wandButton(ButtonLook::Normal), PictureFormat::Tga32);
    writePicture(tree, "data\\menu\\button_wand_a.tga", wandButton(ButtonLook::Active), PictureFormat::Tga32);
    writePicture(tree, "data\\menu\\button_wand_p.tga", wandButton(ButtonLook::Pressed), PictureFormat::Tga32);
    writeButtonSet(tree, "data\\menu\\button_hud", kMenuButton.w, kMenuButton.h, -1);
    writeButtonSet(tree, "data\\menu\\button_hud_small", kUndoButton.w, kUndoButton.h, -1);
}

std::vector<Control> gameControls() {
    Control timebar{"timebar",
                    {{"type", "progress"},
                     {"x", number(kTimeBar.x)},
                     {"y", number(kTimeBar.y)},
                     {"leftpath", "data\\menu\\timebar_full.tga"},
                     {"rightpath", "data\\menu\\timebar_empty.tga"},
                     // Shown, never dragged; drawn every frame as the time runs.
                     {"btabstop", "0"},
                     {"bnotstatic", "1"}}};
    Control magic{"magic",
                  {{"type", "button"},
                   {"x", number(kWandButton.x)},
                   {"y", number(kWandButton.y)},
                   {"path", "data\\menu\\button_wand.tga"},
                   {"path_a", "data\\menu\\button_wand_a.tga"},
                   {"path_p", "data\\menu\\button_wand_p.tga"}}};
    return {
        staticPicture("back", kBackPath, 0, 0),
        staticPicture("puzzle_plat", "data\\menu\\puzzle_plate.tga", kPuzzlePlate.x, kPuzzlePlate.y),
        staticPicture("live_plate", "data\\menu\\live_plate.tga", kLivePlate.x, kLivePlate.y),
        numberText("level", kLevelPlate),
        numberText("score", kScorePlate),
        numberText("lifes", kLivesPlate),
        numberText("mw", kWandCountPlate),
        timebar,
        magic,
        placedButton("undo", "Undo", "data\\menu\\button_hud_small", kUndoButton),
        placedButton("reset", "Reset", "data\\menu\\button_hud_small", kResetButton),
        placedButton("menu", "Menu", "data\\menu\\button_hud", kMenuButton),
        placedButton("help", "Help", "data\\menu\\button_hud", kHelpButton),
    };
}

}  // namespace

void generateGameScreen(AssetTree& tree) {
    writeHudPictures(tree);
    const std::vector<Control> controls = gameControls();
    tree.writeText("data\\menu\\game.ini", screenFile(tree, "game", controls));
    std::string names;
    for (const Control& c : controls) names += (names.empty() ? "" : ",") + c.section;
    tree.describe("screen", "data\\menu\\game.ini", "controls=" + names);
}
