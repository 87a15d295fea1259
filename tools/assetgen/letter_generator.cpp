// The big lettering of banners and flow screens: one picture per character,
// named as src/screens/letter_files.h says. The game looks a character up in
// any letter case, so one set of capitals serves both cases. Every letter
// has the same height (they are set side by side, top-aligned) and its own
// width. A language whose big texts use accented capitals gets a whole set
// of its own, taller by the accents, so the English letters stay as they are.
//
// The size is set by the widest banners: "PUZZLE SOLVED!" from x = 120
// and "LEVEL COMPLETE!" from x = 40 end left of the side panel (x = 635)
// even while their last letter pops up to 130 %. The digits share one
// width, the 40 pixels the level result counts its bonus in, so the
// counted figures and the number set from them line up.

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>

#include "font_generator.h"
#include "generators.h"
#include "image_files.h"
#include "menu_art.h"
#include "glyph_renderer.h"
#include "paint.h"
#include "picture_output.h"
#include "screens/letter_files.h"
#include "text_layout.h"

namespace {

constexpr int kLetterPixelSize = 42;
constexpr int kDigitWidth = 40;

// The banners' gold, its edge and shadow drawn a little finer for the
// size, so the letters keep close together.
TextStyle letterStyle() {
    TextStyle s = goldLetteringStyle();
    s.outlineWidth = 2.2f;
    s.shadowBlur = 1.0f;
    return s;
}

}  // namespace

std::vector<std::pair<char, Image>> letterPictures(std::string_view extra) {
    std::vector<std::pair<char, Image>> out;
    const std::string characters = std::string(kBigLetterSet) + std::string(extra);
    GlyphFace face(findFontFile("Vollkorn-Black.ttf"), kLetterPixelSize);
    if (!face.valid()) return out;
    const TextStyle style = letterStyle();
    // Room for the outline, and for the shadow falling right and down.
    const Padding pad = stylePadding(style);
    const int left = pad.left, top = pad.top, right = pad.right, bottom = pad.bottom;
    int maxTop = 0, maxBottom = 0;
    std::vector<GlyphCoverage> glyphs;
    for (char c : characters) {
        glyphs.push_back(face.render(static_cast<unsigned char>(c), true));
        maxTop = std::max(maxTop, glyphs.back().top);
        maxBottom = std::max(maxBottom, glyphs.back().height - glyphs.back().top);
    }
    const int height = top + maxTop + maxBottom + bottom;
    const int capHeight = face.capHeight();
    for (std::size_t i = 0; i < characters.size(); ++i) {
        const GlyphCoverage& g = glyphs[i];
        const bool digit = std::isdigit(static_cast<unsigned char>(characters[i])) != 0;
        const int inked = g.width + left + right;
        const int width = digit ? std::max(kDigitWidth, inked) : inked;
        const int inkLeft = left + (width - inked) / 2;
        out.emplace_back(characters[i], styleGlyph(g, style, width, height, inkLeft, top + maxTop, capHeight));
    }
    return out;
}

namespace {

// Letters set side by side, top-aligned, 30 pixels per space, the way the
// banners put them together.
Image letterLine(const std::vector<std::pair<char, Image>>& letters, const std::string& text) {
    int width = 0, height = 0;
    auto find = [&](char c) -> const Image* {
        const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        for (const auto& [k, picture] : letters)
            if (k == upper) return &picture;
        return nullptr;
    };
    for (char c : text) {
        if (c == ' ') {
            width += 30;
        } else if (const Image* p = find(c)) {
            width += p->width;
            height = std::max(height, p->height);
        }
    }
    Image out(std::max(width, 1), std::max(height, 1));
    int x = 0;
    for (char c : text) {
        if (c == ' ') {
            x += 30;
        } else if (const Image* p = find(c)) {
            drawOver(out, *p, x, 0);
            x += p->width;
        }
    }
    return out;
}

// Every font and the letters on the game's velvet, for people to judge.
Image textPreview(const std::vector<std::pair<char, Image>>& letters) {
    Image page(800, 600);
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            page.at(x, y) = packArgb(withAlpha(lerp(hexColour(0x24103A), hexColour(0x12081E), y / 600.0f), 1));
    int y = 8;
    auto put = [&](const Image& line, int x) {
        drawOver(page, line, x, y);
        y += line.frameHeight() + 2;
    };
    const std::vector<GameFont> fonts = fontDesigns();
    // Set as the game sets our texts: words parted by the fonts' gap.
    auto sample = [](const BitmapFont& font, const std::string& text, int variant = 0) {
        return drawSample(font, withWordGaps(text), variant);
    };
    const BitmapFont menu = buildBitmapFont(fonts[0].recipe);
    for (int v = 0; v < 3; ++v) put(sample(menu, v == 0 ? "New game - Options" : v == 1 ? "Play on (hovered)" : "Quit (pressed)", v), 16);
    put(sample(buildBitmapFont(fonts[1].recipe), "Player: Anna - Score 12,340 - Level 2-3 - \xC9t\xE9 \xC5ngstr\xF6m"), 16);
    put(sample(buildBitmapFont(fonts[2].recipe), "+30 +180 +1,000 - Press any key"), 16);
    const BitmapFont help = buildBitmapFont(fonts[3].recipe);
    put(sample(help, "Swap two neighbouring gems to line up three or more alike."), 16);
    put(sample(help, "Locked gems stay put: match them once for each chain."), 16);
    put(sample(buildBitmapFont(fonts[4].recipe), "Super combo!"), 16);
    put(letterLine(letters, "Level 2-3"), 196 - 20);
    put(letterLine(letters, "Level complete!"), 40);
    put(letterLine(letters, "No moves!"), 260);
    put(letterLine(letters, "Go! 12,500"), 200);
    return page;
}

}  // namespace

void generateLetters(AssetTree& tree) {
    // A language without accented big texts reads the shared set.
    const std::string extra = tree.language().empty() ? std::string() : accentedLettersUsed(tree);
    if (!tree.language().empty() && extra.empty()) return;
    const auto letters = letterPictures(extra);
    if (letters.size() != kBigLetterSet.size() + extra.size()) {
        std::fprintf(stderr, "assetgen: the letter face Vollkorn-Black.ttf is not installed\n");
        tree.reportFailure();
        return;
    }
    for (const auto& [c, picture] : letters)
        writePicture(tree, letterFile(static_cast<unsigned char>(c)), picture, PictureFormat::Tga32,
                     std::string("letter ") + c);
    tree.writeFile("review/text_preview.png", encodePng(textPreview(letters)));
}
