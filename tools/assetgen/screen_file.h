#pragma once
// A screen file as the game reads it ("data\menu\NAME.ini"): [main] with the
// screen's rectangle and the list of its control sections, then one section
// per control, keys in the order written. The screen generators describe
// their controls with these helpers and write the pictures the controls name.

#include <string>
#include <utility>
#include <vector>

#include "asset_tree.h"
#include "image.h"

// One control section of a screen file.
struct Control {
    std::string section;
    std::vector<std::pair<std::string, std::string>> keys;
};

// The whole file for an 800 x 600 screen, controls in drawing order (the
// last one is drawn on top and hit first).
std::string screenFile(const std::vector<Control>& controls);

Control staticPicture(const std::string& section, const std::string& path, int x, int y);
// A button whose three pictures are "<stem>.tga", "<stem>_a.tga" and "<stem>_p.tga".
Control button(const std::string& section, const std::string& caption, const std::string& stem, int x, int y);

// Backgrounds are opaque paintings: JPEG, no alpha image. Large series can
// go on the contact sheet on their own terms (`onSheet` false).
void writeBackground(AssetTree& tree, const std::string& gamePath, const Image& picture, bool onSheet = true);
// The normal, hovered and pressed pictures of a button (see `button`).
void writeButtonSet(AssetTree& tree, const std::string& stem, int width, int height, int gemKind);
