#pragma once
// Lettering drawn into pictures in the language being written: the text is
// said through the tree (so it is in the template catalogue and translated
// in a language's run), set in a face and checked against the room its
// place has. A text that runs over is a failure of the generator that names
// it, so a long translation is caught before a player sees it cut.

#include <string>

#include "asset_tree.h"
#include "glyph_renderer.h"
#include "image.h"

struct Lettering {
    std::string context;  // what tells the text apart: "SCREEN/what"
    std::string english;
    std::string note;  // where it is drawn, for the translator
    std::string fontFile;
    int pixelSize = 0;
    int maxWidth = 0;  // pixels of the styled text; 0 for no limit
};

Image spokenLettering(AssetTree& tree, const Lettering& lettering, const TextStyle& style);
