#pragma once
// Setting running text for the game's bitmap fonts: widths measured the way
// the game's text drawing measures them, and paragraphs broken into lines
// that fit a width. The screen generators lay out their texts with it, so
// no line runs past its panel.

#include <string>
#include <vector>

struct BitmapFont;

class TextMeasure {
public:
    explicit TextMeasure(const BitmapFont& font) : font_(font) {}
    // Pixels the game advances over the text (a byte below 33 advances
    // half the line height).
    int width(const std::string& text) const;
    int lineHeight() const;

private:
    const BitmapFont& font_;
};

// The words of a text: the runs between spaces, empty ones left out.
std::vector<std::string> wordsOf(const std::string& text);

// The paragraph broken at spaces into lines no wider than maxWidth; a
// single word wider than that stands alone on its line.
std::vector<std::string> wrapText(const TextMeasure& measure, const std::string& text, int maxWidth);

// The help font (help pages and tips), built once.
const BitmapFont& helpFont();
