#pragma once
// Setting running text for the game's bitmap fonts: widths measured the way
// the game's text drawing measures them, and paragraphs broken into lines
// that fit a width. The screen generators lay out their texts with it, so
// no line runs past its panel.
//
// Word gaps: the game advances half a line height for a space, which in
// our fonts (tall cells, with room for outlines and glows) is the width of
// three letters. Every font therefore has a blank glyph of one word gap at
// the no-break space (byte 0xA0), and every text set in a font is written
// with that byte between its words (`withWordGaps`). Sources keep plain
// spaces; the conversion happens when a file is written. Texts set in the
// big letters keep their spaces, which the letters' own rule sets 30
// pixels wide.

#include <string>
#include <vector>

struct BitmapFont;

// The byte between the words of every text set in a font.
constexpr char kWordGap = '\xA0';

// The text with each space turned into the word gap.
std::string withWordGaps(std::string text);
// A space or the word gap: where words part, for wrapping and counting.
bool isWordBreak(char c);

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

// The words of a text: the runs between spaces or word gaps, empty ones
// left out.
std::vector<std::string> wordsOf(const std::string& text);

// The paragraph broken into lines no wider than maxWidth, its words joined
// by word gaps; a single word wider than that stands alone on its line.
std::vector<std::string> wrapText(const TextMeasure& measure, const std::string& text, int maxWidth);

// The help font (help pages and tips), built once.
const BitmapFont& helpFont();
