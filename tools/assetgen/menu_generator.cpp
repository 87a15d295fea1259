// The title screen and the main menu: their screen files (in data\menu)
// and their art. The title screen ("logo") shows the lettering over a
// string of gems, the loading bar the start-up fills, and the "start"
// button that appears when it is done. The main menu ("mainmenu") sets the
// title and a fall of gems beside a gold-framed panel holding the player's
// name and the buttons.
//
// The publisher's buttons ("brimvale", "tell", "more", "subscribe") open
// shortcut files we do not ship, so they are not in the layouts: a button
// that does nothing is worse than none.

#include <cmath>
#include <string>
#include <vector>

#include "gem_drawing.h"
#include "generators.h"
#include "image_files.h"
#include "menu_art.h"
#include "picture_output.h"
#include "screen_file.h"
#include "spoken_text.h"

namespace {

constexpr float kPi = 3.14159265f;
constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;

// The coloured light a stone throws on the cloth around it.
Rgb piecePaletteGlow(int kind) { return piecePalette(kind).body * 0.55f; }

// ---- The title screen -------------------------------------------------

constexpr int kBarX = 200, kBarY = 436, kBarWidth = 400, kBarHeight = 26;
constexpr int kStartWidth = 220, kStartHeight = 56;
constexpr int kStartX = (kScreenWidth - kStartWidth) / 2, kStartY = 488;

Image logoBackground(AssetTree& tree) {
    Image back = velvetBackdrop(kScreenWidth, kScreenHeight, 400, 200);
    addBloom(back, 400, 150, 210, hexColour(0x6A3A10), 0.55f);
    addBloom(back, 400, 300, 260, hexColour(0x2A1040), 0.5f);
    placeCentred(back, titleLettering(112), 400, 142);
    placeCentred(back,
                 spokenLettering(tree,
                                 {"logo/tagline", "A cascade of gems", "the line under the game's name on the title",
                                  "Vollkorn-Italic.ttf", 26, 440},
                                 engravedStyle(0xFFF4D8, 0xE8C890)),
                 400, 222);
    drawGoldRule(back, 250, 550, 252);

    // The eight stones in a shallow arch, as if caught mid-fall.
    const int kinds[8] = {1, 5, 2, 0, 4, 3, 6, 7};
    for (int i = 0; i < 8; ++i) {
        const float t = i / 7.0f;
        const float cx = 148 + 504 * t;
        const float cy = 340 - 34 * std::sin(kPi * t);
        const float scale = i % 2 ? 1.3f : 1.55f;
        const int size = static_cast<int>(62 * scale) + 8;
        addBloom(back, cx, cy, 26 * scale, piecePaletteGlow(kinds[i]), 0.35f);
        drawFallTrail(back, cx, cy, 60.0f * scale, 9.0f * scale, piecePalette(kinds[i]).light * 0.5f);
        placeCentred(back, decorativeGem(kinds[i], scale, size, 0.8f), cx, cy);
    }
    // A quiet tray under the bar and the button.
    drawGoldPanel(back, 170, 418, 460, 140, 18);
    return back;
}

void generateLogo(AssetTree& tree) {
    writeBackground(tree, "data\\menu\\logo_back.jpg", logoBackground(tree));
    writePicture(tree, "data\\menu\\bar_empty.tga", loadingBar(kBarWidth, kBarHeight, false), PictureFormat::Tga32);
    writePicture(tree, "data\\menu\\bar_full.tga", loadingBar(kBarWidth, kBarHeight, true), PictureFormat::Tga32);
    writeButtonSet(tree, "data\\menu\\button_start", kStartWidth, kStartHeight, -1);

    Control loading{"loading",
                    {{"type", "progress"},
                     {"x", std::to_string(kBarX)},
                     {"y", std::to_string(kBarY)},
                     {"leftpath", "data\\menu\\bar_full.tga"},
                     {"rightpath", "data\\menu\\bar_empty.tga"},
                     {"btabstop", "0"}}};
    const std::vector<Control> controls = {
        staticPicture("back", "data\\menu\\logo_back.jpg", 0, 0),
        loading,
        button("start", "Start", "data\\menu\\button_start", kStartX, kStartY),
    };
    tree.writeText("data\\menu\\logo.ini", screenFile(tree, "logo", controls));
    tree.describe("screen", "data\\menu\\logo.ini", "controls=back,loading,start");
}

// ---- The main menu ----------------------------------------------------

constexpr int kPanelX = 345, kPanelY = 40, kPanelWidth = 340, kPanelHeight = 525;
// The player's name lies where a click opens the player list.
constexpr int kNameLeft = 360, kNameTop = 80, kNameRight = 665, kNameBottom = 170;
constexpr int kModeX = 385, kModeY = 184, kModeWidth = 260, kModeHeight = 52, kModeStep = 60;
constexpr int kSmallWidth = 125, kSmallHeight = 44;
constexpr int kSmallLeft = 385, kSmallRight = 520, kSmallTop = 450, kSmallStep = 52;

Image mainMenuBackground(AssetTree& tree) {
    Image back = velvetBackdrop(kScreenWidth, kScreenHeight, 175, 240);
    addBloom(back, 175, 84, 150, hexColour(0x5A3010), 0.5f);
    placeCentred(back, titleLettering(58), 175, 82);
    drawGoldRule(back, 50, 300, 128);

    // A fall of stones down the left, in two streams, nearer and larger
    // towards the bottom.
    const int kinds[8] = {3, 5, 0, 7, 1, 4, 6, 2};
    for (int i = 0; i < 8; ++i) {
        // Two streams that drift apart a little as they fall.
        const float cx = (i % 2 ? 226.0f : 122.0f) + (i % 2 ? 1.0f : -1.0f) * 3.0f * i;
        const float cy = 178.0f + i * 50.0f;
        const float scale = 1.05f + 0.1f * i;
        const int size = static_cast<int>(62 * scale) + 8;
        addBloom(back, cx, cy, 24 * scale, piecePaletteGlow(kinds[i]), 0.3f);
        drawFallTrail(back, cx, cy, 70.0f * scale, 9.0f * scale, piecePalette(kinds[i]).light * 0.45f);
        placeCentred(back, decorativeGem(kinds[i], scale, size, 0.8f), cx, cy);
    }

    drawGoldPanel(back, kPanelX, kPanelY, kPanelWidth, kPanelHeight, 20);
    // The name plate.
    Image plate = menuButton(kNameRight - kNameLeft - 10, kNameBottom - kNameTop - 6, ButtonLook::Pressed);
    drawOver(back, plate, kNameLeft + 5, kNameTop + 3);
    placeCentred(back,
                 spokenLettering(tree,
                                 {"mainmenu/playerlabel", "Player", "the label over the player's name in the main menu",
                                  "Vollkorn-Italic.ttf", 19, kNameRight - kNameLeft - 30},
                                 engravedStyle(0xF4E2B8, 0xC89A50)),
                 (kNameLeft + kNameRight) / 2.0f, kNameTop + 24);
    drawGoldRule(back, kPanelX + 40, kPanelX + kPanelWidth - 40, 433);
    return back;
}

void generateMainMenu(AssetTree& tree) {
    writeBackground(tree, "data\\menu\\mainmenu_back.jpg", mainMenuBackground(tree));
    const char* modes[4][3] = {{"quest", "Quest", "0"}, {"puzzle", "Puzzle", "3"}, {"action", "Action", "6"},
                               {"cube", "Cube", "1"}};
    for (const auto& mode : modes)
        writeButtonSet(tree, std::string("data\\menu\\button_") + mode[0], kModeWidth, kModeHeight, std::stoi(mode[2]));
    writeButtonSet(tree, "data\\menu\\button_small", kSmallWidth, kSmallHeight, -1);

    std::vector<Control> controls = {staticPicture("back", "data\\menu\\mainmenu_back.jpg", 0, 0)};
    // The name is written by the menu when it is shown; centred in the
    // plate below its label.
    controls.push_back({"name",
                        {{"type", "static"},
                         {"x", std::to_string(kNameLeft)},
                         {"y", std::to_string(kNameTop + 36)},
                         {"xs", std::to_string(kNameRight - kNameLeft)},
                         {"ys", std::to_string(kNameBottom - kNameTop - 44)}}});
    for (int i = 0; i < 4; ++i)
        controls.push_back(button(modes[i][0], modes[i][1], std::string("data\\menu\\button_") + modes[i][0], kModeX,
                                  kModeY + i * kModeStep));
    const std::string small = "data\\menu\\button_small";
    controls.push_back(button("options", "Options", small, kSmallLeft, kSmallTop));
    controls.push_back(button("scores", "Scores", small, kSmallRight, kSmallTop));
    controls.push_back(button("rules", "Rules", small, kSmallLeft, kSmallTop + kSmallStep));
    controls.push_back(button("exit", "Exit", small, kSmallRight, kSmallTop + kSmallStep));
    tree.writeText("data\\menu\\mainmenu.ini", screenFile(tree, "mainmenu", controls));
    tree.describe("screen", "data\\menu\\mainmenu.ini",
                  "controls=back,name,quest,puzzle,action,cube,options,scores,rules,exit");
}

}  // namespace

void generateMenus(AssetTree& tree) {
    generateLogo(tree);
    generateMainMenu(tree);
}
