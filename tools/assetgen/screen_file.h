#pragma once
// Writing the game's screen files (data\menu\NAME.ini): the [main] section
// with the screen's size and its controls in order (the last drawn on top
// and hit first), then one section per control with its keys in the order
// given. Shared by every generator that makes a screen.

#include <string>
#include <utility>
#include <vector>

#include "asset_tree.h"
#include "image.h"

// One control section of a screen file, keys in the order written.
struct Control {
    std::string section;
    std::vector<std::pair<std::string, std::string>> keys;
    // The caption is in the tree's language already: a line of a paragraph
    // said whole, then broken into lines.
    bool captionSaid = false;
};

// Where a screen lies: [main] "x", "y", "xs", "ys". Its controls' places
// are relative to its corner.
struct ScreenPlace {
    int x = 0, y = 0, width = 800, height = 600;
};

// One control's section of the screen file `screen` (data\menu\SCREEN.ini);
// its caption ("name") is said in the tree's language, shown as
// "SCREEN/SECTION", and written with the fonts' word gaps.
std::string controlSection(AssetTree& tree, const std::string& screen, const Control& control);
// The text of a screen file; by default a full-picture one.
std::string screenFile(AssetTree& tree, const std::string& screen, const std::vector<Control>& controls,
                       const ScreenPlace& place = {});
// Writes "data\menu\NAME.ini" and describes it in the manifest.
void writeScreen(AssetTree& tree, const std::string& name, const std::vector<Control>& controls);

Control staticPicture(const std::string& section, const std::string& path, int x, int y);
// A static caption in the static font: centred in the rectangle, or, with
// `leftAligned`, starting at x and centred on y + ys / 2.
Control caption(const std::string& section, const std::string& text, int x, int y, int xs, int ys,
                bool leftAligned = false);
// A caption in the menu font centred on (cx, cy): a button without
// pictures that never takes the mouse, for headings that change while
// their panel stays the same (the help book's pages).
Control heading(const std::string& section, const std::string& text, int cx, int cy, int width);
// A button whose three pictures are "<stem>.tga", "<stem>_a.tga" and "<stem>_p.tga".
Control button(const std::string& section, const std::string& caption, const std::string& stem, int x, int y);

// Backgrounds are opaque paintings: JPEG, no alpha image. Large series can
// go on the contact sheet on their own terms (`onSheet` false).
void writeBackground(AssetTree& tree, const std::string& gamePath, const Image& picture, bool onSheet = true);
// The three pictures of a menu button plate (normal, under the mouse,
// pressed), with a gem of that kind inset at the left, or none for -1.
void writeButtonSet(AssetTree& tree, const std::string& stem, int width, int height, int gemKind);
