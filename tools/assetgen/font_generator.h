#pragma once
// The game's bitmap fonts: every character 33..255 in one row per colour
// variant (variants stacked, one line height apart, as the text drawing
// expects), and the ".fh" metrics beside the picture.

#include <string>
#include <vector>

#include "glyph_renderer.h"
#include "image.h"

struct GlyphPlacement {
    int code = 0;
    int x = 0, y = 0;                      // top-left in the picture (first variant)
    int before = 0, width = 0, after = 0;  // spacing as the text drawing adds it
};

struct BitmapFont {
    Image image;  // straight alpha; variants stacked vertically
    int lineHeight = 0;
    int variants = 1;
    std::vector<GlyphPlacement> glyphs;  // one per code 33..255, in order
    std::vector<std::string> problems;   // anything that would not fit the format

    // The metrics file: "variants lineHeight count", then per glyph
    // "code x y before width after".
    std::string metricsText() const;
};

// The game draws a button's caption centred this many pixels below the
// middle of its picture (a caption without a picture on its middle).
constexpr int kButtonCaptionDrop = 4;

struct FontRecipe {
    std::string fontFile;  // file name under the system font folders
    int pixelSize = 16;
    std::vector<TextStyle> variants;
    int tracking = 0;  // extra pixels after every glyph
    bool liningFigures = false;
    // Set for the font of button captions: the cell is cut so that words
    // drawn that far below a plate's middle stand in its middle.
    bool capsCentredOnPlates = false;
};

BitmapFont buildBitmapFont(const FontRecipe& recipe);

// A line of text drawn with a font the way the game draws it (variant 0).
Image drawSample(const BitmapFont& font, const std::string& text, int variant = 0);

struct GameFont {
    std::string path;  // as the game spells it
    bool jpeg = false;
    FontRecipe recipe;
};
// The five fonts the game loads at start-up.
std::vector<GameFont> fontDesigns();
// The game font of that path, built as the font generator builds it (for
// review pictures that show text as the game will draw it).
BitmapFont buildGameFont(const std::string& gamePath);
