// The big lettering of banners and flow screens: one picture per character,
// "data\letters\%c.tga". The game looks a character up in any letter case,
// so one set of capitals serves both cases. Every letter has the same
// height (they are set side by side, top-aligned) and its own width.

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

namespace {

// Letters, digits and the punctuation the banner texts use ("Level 2-3",
// "Level complete!", "Go!", "No more moves", scores).
const std::string kLetterSet = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-!?.,':+";

}  // namespace

std::vector<std::pair<char, Image>> letterPictures() {
    std::vector<std::pair<char, Image>> out;
    GlyphFace face(findFontFile("Vollkorn-Black.ttf"), 54);
    if (!face.valid()) return out;
    const TextStyle style = goldLetteringStyle();
    // Room for the outline, and for the shadow falling right and down.
    const Padding pad = stylePadding(style);
    const int left = pad.left, top = pad.top, right = pad.right, bottom = pad.bottom;
    int maxTop = 0, maxBottom = 0;
    std::vector<GlyphCoverage> glyphs;
    for (char c : kLetterSet) {
        glyphs.push_back(face.render(static_cast<unsigned char>(c), true));
        maxTop = std::max(maxTop, glyphs.back().top);
        maxBottom = std::max(maxBottom, glyphs.back().height - glyphs.back().top);
    }
    const int height = top + maxTop + maxBottom + bottom;
    const int capHeight = face.capHeight();
    for (std::size_t i = 0; i < kLetterSet.size(); ++i) {
        const GlyphCoverage& g = glyphs[i];
        const int width = g.width + left + right;
        out.emplace_back(kLetterSet[i], styleGlyph(g, style, width, height, left, top + maxTop, capHeight));
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
    const BitmapFont menu = buildBitmapFont(fonts[0].recipe);
    for (int v = 0; v < 3; ++v) put(drawSample(menu, v == 0 ? "New game   Options" : v == 1 ? "Play on (hovered)" : "Quit (pressed)", v), 16);
    put(drawSample(buildBitmapFont(fonts[1].recipe), "Player: Anna   Score 12,340   Level 2-3   \xC9t\xE9 \xC5ngstr\xF6m"), 16);
    put(drawSample(buildBitmapFont(fonts[2].recipe), "+30  +180  +1,000   Press any key"), 16);
    const BitmapFont help = buildBitmapFont(fonts[3].recipe);
    put(drawSample(help, "Swap two neighbouring stones to line up three or more alike."), 16);
    put(drawSample(help, "Locked stones stay put: match them once for each chain."), 16);
    put(drawSample(buildBitmapFont(fonts[4].recipe), "Super combo!"), 16);
    put(letterLine(letters, "Level 2-3"), 196 - 20);
    put(letterLine(letters, "Level complete!"), 40);
    put(letterLine(letters, "No more moves"), 60);
    put(letterLine(letters, "Go! 12,500"), 200);
    return page;
}

}  // namespace

void generateLetters(AssetTree& tree) {
    const auto letters = letterPictures();
    if (letters.size() != kLetterSet.size()) {
        std::fprintf(stderr, "assetgen: the letter face Vollkorn-Black.ttf is not installed\n");
        tree.reportFailure();
        return;
    }
    for (const auto& [c, picture] : letters)
        writePicture(tree, std::string("data\\letters\\") + c + ".tga", picture, PictureFormat::Tga32,
                     std::string("letter ") + c);
    tree.writeFile("review/text_preview.png", encodePng(textPreview(letters)));
}
