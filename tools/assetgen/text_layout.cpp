#include "text_layout.h"

#include <algorithm>

#include "font_generator.h"

namespace {

constexpr int kFirstCode = 33;

}  // namespace

std::string withWordGaps(std::string text) {
    for (char& c : text)
        if (c == ' ') c = kWordGap;
    return text;
}

bool isWordBreak(char c) { return c == ' ' || c == kWordGap; }

int TextMeasure::width(const std::string& text) const {
    int width = 0;
    for (unsigned char c : text) {
        const int index = c - kFirstCode;
        if (c < kFirstCode || index >= static_cast<int>(font_.glyphs.size())) {
            width += font_.lineHeight / 2;
            continue;
        }
        const GlyphPlacement& g = font_.glyphs[index];
        width += g.before + g.width + g.after;
    }
    return width;
}

int TextMeasure::lineHeight() const { return font_.lineHeight; }

std::vector<std::string> wordsOf(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    for (char c : text) {
        if (!isWordBreak(c)) {
            word += c;
        } else if (!word.empty()) {
            words.push_back(word);
            word.clear();
        }
    }
    if (!word.empty()) words.push_back(word);
    return words;
}

std::vector<std::string> wrapText(const TextMeasure& measure, const std::string& text, int maxWidth) {
    std::vector<std::string> lines;
    std::string line;
    for (const std::string& word : wordsOf(text)) {
        const std::string longer = line.empty() ? word : line + kWordGap + word;
        if (!line.empty() && measure.width(longer) > maxWidth) {
            lines.push_back(line);
            line = word;
        } else {
            line = longer;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

const BitmapFont& helpFont() {
    static const BitmapFont font = [] {
        for (const GameFont& f : fontDesigns()) {
            if (f.path == "DATA\\fonts\\font_help.tga") return buildBitmapFont(f.recipe);
        }
        return BitmapFont();
    }();
    return font;
}
