#pragma once
// Writing screen files (data\menu\NAME.ini): the [main] section with the
// screen's place and its list of controls, then one section per control
// with its keys in the order given; and the button pictures they name.
// Every screen generator builds its files from these.

#include <string>
#include <utility>
#include <vector>

class AssetTree;

// One control section of a screen file, keys in the order written.
struct Control {
    std::string section;
    std::vector<std::pair<std::string, std::string>> keys;
};

struct ScreenPlace {
    int x = 0, y = 0, width = 800, height = 600;
};

std::string screenFile(const std::vector<Control>& controls, const ScreenPlace& place = {});

Control staticPicture(const std::string& section, const std::string& path, int x, int y);

// A button whose three pictures are "<stem>.tga", "<stem>_a.tga" and "<stem>_p.tga".
Control button(const std::string& section, const std::string& caption, const std::string& stem, int x, int y);

// A caption in the static font centred in the rectangle.
Control caption(const std::string& section, const std::string& text, int x, int y, int width, int height);

// A line of text starting at x, centred vertically on y (drawn in the
// screen's caption font).
Control textLine(const std::string& section, const std::string& text, int x, int y);

// A caption in the menu font centred on (cx, cy): a button without
// pictures that never takes the mouse, used for headings.
Control heading(const std::string& section, const std::string& text, int cx, int cy, int width);

// Writes "data\menu\NAME.ini" for a full-picture screen and describes it
// in the manifest.
void writeScreen(AssetTree& tree, const std::string& name, const std::vector<Control>& controls);

// The three pictures of such a button: a menu plate in its normal, hovered
// and pressed looks, with a gem of that piece kind at its left (-1: none).
void writeButtonSet(AssetTree& tree, const std::string& stem, int width, int height, int gemKind);
