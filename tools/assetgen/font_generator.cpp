// The five fonts the game loads at start-up: the menu font (three
// colourings for normal, hovered and pressed buttons), the static font, the
// dark font (score pop-ups over the board), the help font and the large
// combo font (JPEG colour with its alpha image).

#include "font_generator.h"

#include <algorithm>
#include <cstdio>

#include "generators.h"
#include "image_files.h"
#include "paint.h"
#include "picture_output.h"

namespace {

constexpr int kFirstCode = 33;
constexpr int kLastCode = 255;
constexpr int kMaxGlyphWidth = 127;  // the metrics keep widths in a signed byte

std::string metricsPathOf(const std::string& picturePath) {
    const std::size_t dot = picturePath.find_last_of('.');
    const std::size_t slash = picturePath.find_last_of('\\');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return picturePath + ".fh";
    return picturePath.substr(0, dot) + ".fh";
}

// Lays the variants' rows into wider blocks so a person can read them.
Image wrappedForReview(const BitmapFont& font, int maxWidth) {
    std::vector<std::pair<int, int>> rows;  // first glyph, end glyph
    int start = 0, width = 0;
    for (std::size_t i = 0; i < font.glyphs.size(); ++i) {
        const int w = font.glyphs[i].width + 1;
        if (width + w > maxWidth && width > 0) {
            rows.push_back({start, static_cast<int>(i)});
            start = static_cast<int>(i);
            width = 0;
        }
        width += w;
    }
    rows.push_back({start, static_cast<int>(font.glyphs.size())});
    const int blockHeight = font.lineHeight * font.variants;
    Image out(maxWidth, blockHeight * static_cast<int>(rows.size()));
    for (std::size_t r = 0; r < rows.size(); ++r) {
        int x = 0;
        for (int i = rows[r].first; i < rows[r].second; ++i) {
            const GlyphPlacement& g = font.glyphs[i];
            for (int v = 0; v < font.variants; ++v)
                for (int y = 0; y < font.lineHeight; ++y)
                    for (int dx = 0; dx < g.width; ++dx)
                        out.at(x + dx, static_cast<int>(r) * blockHeight + v * font.lineHeight + y) =
                            font.image.at(g.x + dx, g.y + v * font.lineHeight + y);
            x += g.width + 1;
        }
    }
    return out;
}

TextStyle goldStyle(std::uint32_t top, std::uint32_t middle, std::uint32_t bottom, float shine,
                    std::uint32_t outline, float outlineWidth) {
    TextStyle s;
    s.fillTop = hexColour(top);
    s.fillMiddle = hexColour(middle);
    s.fillBottom = hexColour(bottom);
    s.shine = shine;
    s.outline = hexColour(outline);
    s.outlineWidth = outlineWidth;
    return s;
}

// The face's own space, widened a little: outlines and glows make our
// letters heavier than the face alone, and a gap of a third of the pixel
// size keeps the words apart at a glance.
int wordGapOf(const GlyphFace& face, const FontRecipe& recipe) {
    const int space = face.render(' ').advance + recipe.tracking;
    return std::max(space, (recipe.pixelSize + 1) / 3);
}

}  // namespace

std::string BitmapFont::metricsText() const {
    std::string text = std::to_string(variants) + " " + std::to_string(lineHeight) + " " +
                       std::to_string(glyphs.size()) + "\r\n";
    for (const GlyphPlacement& g : glyphs) {
        char line[96];
        std::snprintf(line, sizeof line, "%d %d %d %d %d %d\r\n", g.code, g.x, g.y, g.before, g.width, g.after);
        text += line;
    }
    return text;
}

namespace {

// Every character of the font as the face draws it, and how far the ink of
// the tallest rises above the baseline and the deepest falls below it.
struct RenderedGlyphs {
    std::vector<GlyphCoverage> glyphs;  // from kFirstCode
    int maxTop = 0, maxBottom = 0;
};

RenderedGlyphs renderGlyphs(GlyphFace& face, const FontRecipe& recipe) {
    RenderedGlyphs r;
    for (int code = kFirstCode; code <= kLastCode; ++code) {
        r.glyphs.push_back(face.render(characterOfByte(code), recipe.liningFigures));
        const GlyphCoverage& g = r.glyphs.back();
        if (g.width > 0) {
            r.maxTop = std::max(r.maxTop, g.top);
            r.maxBottom = std::max(r.maxBottom, g.height - g.top);
        }
    }
    return r;
}

// The cell's middle lies kButtonCaptionDrop below the plate's; the words'
// middle, halfway between the capitals' and the small letters' (captions
// are mostly small letters after a capital), should lie on the plate's.
// Rows go below the baseline (or above the accents) until both fit.
void centreCapsOnPlates(BitmapFont& font, int& baseline, GlyphFace& face, int inkBelow) {
    const int wordMiddle = (face.capHeight() + face.render('x').top + 2) / 4;
    for (int height = font.lineHeight;; ++height) {
        const int wanted = height / 2 - kButtonCaptionDrop + wordMiddle;
        if (wanted >= baseline && height - wanted >= inkBelow) {
            font.lineHeight = height;
            baseline = wanted;
            return;
        }
    }
}

GlyphPlacement placeGlyph(int code, int x, const GlyphCoverage& g, const Padding& pad, int tracking, int wordGap) {
    GlyphPlacement p;
    p.code = code;
    p.x = x;
    if (g.width > 0) {
        p.width = g.width + pad.left + pad.right;
        p.before = g.left - pad.left;
        p.after = g.advance + tracking - p.before - p.width;
    } else if (characterOfByte(code) != 0) {
        // A character without ink, the no-break space: the word gap of
        // every text we set in this font (see text_layout.h).
        p.width = 1;
        p.after = wordGap - 1;
    } else {
        // No character at all: takes no room.
        p.width = 1;
        p.after = -1;
    }
    return p;
}

// Placement along one row, and what the game's font reader would refuse.
void placeGlyphs(BitmapFont& font, const RenderedGlyphs& r, const Padding& pad, int tracking, int wordGap) {
    int x = 0;
    for (int code = kFirstCode; code <= kLastCode; ++code) {
        const GlyphPlacement p = placeGlyph(code, x, r.glyphs[code - kFirstCode], pad, tracking, wordGap);
        if (p.width > kMaxGlyphWidth)
            font.problems.push_back("glyph " + std::to_string(code) + " is " + std::to_string(p.width) +
                                    " pixels wide");
        if (p.before < -128 || p.before > 127 || p.after < -128 || p.after > 127)
            font.problems.push_back("glyph " + std::to_string(code) + " spacing out of range");
        font.glyphs.push_back(p);
        x += p.width + 1;
    }
    font.image = Image(x, font.lineHeight * font.variants);
}

// One row of the picture for each style variant.
void paintVariants(BitmapFont& font, const RenderedGlyphs& r, const FontRecipe& recipe, const Padding& pad,
                   int baseline, int capHeight) {
    for (int v = 0; v < font.variants; ++v) {
        for (const GlyphPlacement& p : font.glyphs) {
            const GlyphCoverage& g = r.glyphs[p.code - kFirstCode];
            if (g.width == 0) continue;
            const Image cell =
                styleGlyph(g, recipe.variants[v], p.width, font.lineHeight, pad.left, baseline, capHeight);
            for (int y = 0; y < font.lineHeight; ++y)
                for (int cx = 0; cx < p.width; ++cx) font.image.at(p.x + cx, v * font.lineHeight + y) = cell.at(cx, y);
        }
    }
}

}  // namespace

BitmapFont buildBitmapFont(const FontRecipe& recipe) {
    BitmapFont font;
    font.variants = static_cast<int>(recipe.variants.size());
    const std::string file = findFontFile(recipe.fontFile);
    GlyphFace face(file, recipe.pixelSize);
    if (!face.valid()) {
        font.problems.push_back("font file " + recipe.fontFile + " is not installed");
        return font;
    }
    Padding pad;
    for (const TextStyle& s : recipe.variants) pad = widest(pad, stylePadding(s));
    const RenderedGlyphs rendered = renderGlyphs(face, recipe);
    const int capHeight = face.capHeight();
    int baseline = pad.top + rendered.maxTop;
    font.lineHeight = baseline + rendered.maxBottom + pad.bottom;
    if (recipe.capsCentredOnPlates) centreCapsOnPlates(font, baseline, face, rendered.maxBottom + pad.bottom);
    placeGlyphs(font, rendered, pad, recipe.tracking, wordGapOf(face, recipe));
    paintVariants(font, rendered, recipe, pad, baseline, capHeight);
    return font;
}

Image drawSample(const BitmapFont& font, const std::string& text, int variant) {
    int width = 8;
    for (unsigned char c : text) {
        if (c < 33) {
            width += font.lineHeight / 2;
            continue;
        }
        const GlyphPlacement& g = font.glyphs[c - kFirstCode];
        width += g.before + g.width + g.after;
    }
    Image out(std::max(width + 16, 1), font.lineHeight);
    int x = 8;
    for (unsigned char c : text) {
        if (c < 33) {
            x += font.lineHeight / 2;
            continue;
        }
        const GlyphPlacement& g = font.glyphs[c - kFirstCode];
        Image cell(g.width, font.lineHeight);
        for (int y = 0; y < font.lineHeight; ++y)
            for (int cx = 0; cx < g.width; ++cx)
                cell.at(cx, y) = font.image.at(g.x + cx, g.y + variant * font.lineHeight + y);
        drawOver(out, cell, x + g.before, 0);
        x += g.before + g.width + g.after;
    }
    return out;
}

namespace {

// A style with a drop shadow `dx`, `dy` pixels away.
TextStyle shadowed(TextStyle s, int dx, int dy, float blur, float opacity) {
    s.shadowDx = dx;
    s.shadowDy = dy;
    s.shadowBlur = blur;
    s.shadowOpacity = opacity;
    return s;
}

}  // namespace

std::vector<GameFont> fontDesigns() {
    std::vector<GameFont> fonts;
    // Menu buttons: warm gold, brighter with a glow when hovered, deeper
    // when pressed.
    {
        TextStyle normal = shadowed(goldStyle(0xFFF4C4, 0xF2C452, 0xB87A1A, 0.25f, 0x2A1204, 1.6f), 1, 2, 0.9f, 0.6f);
        TextStyle active = goldStyle(0xFFFFFF, 0xFFE47A, 0xF0A828, 0.35f, 0x3A1604, 1.6f);
        active.glow = hexColour(0xFFB030);
        active.glowRadius = 2.2f;
        active.glowOpacity = 0.75f;
        TextStyle pressed = shadowed(goldStyle(0xF6D27A, 0xD49026, 0x8A4E08, 0.1f, 0x200C02, 1.6f), 1, 1, 0.8f, 0.5f);
        fonts.push_back(
            {"DATA\\fonts\\fontmenu.tga", false, {"Vollkorn-Bold.ttf", 24, {normal, active, pressed}, 0, true, true}});
    }
    // Captions and entry fields: light cream, crisp dark edge.
    {
        TextStyle s = shadowed(goldStyle(0xFFFBEE, 0xF6EAD0, 0xE2CDA2, 0.0f, 0x12061A, 1.0f), 1, 1, 0.5f, 0.5f);
        fonts.push_back({"DATA\\fonts\\fontStatic.tga", false, {"DejaVuSans-Bold.ttf", 15, {s}, 0}});
    }
    // Score pop-ups and notes over the board: bright with a heavy dark edge,
    // readable on gems of every colour.
    {
        TextStyle s = shadowed(goldStyle(0xFFFFFF, 0xFFF0A0, 0xFFC040, 0.2f, 0x1A0800, 2.2f), 1, 2, 1.0f, 0.7f);
        fonts.push_back({"DATA\\fonts\\font_dark.tga", false, {"DejaVuSans-Bold.ttf", 18, {s}, 1, true}});
    }
    // Help pages and the tutorial panel: plain, calm reading type.
    {
        TextStyle s = shadowed(goldStyle(0xF8F0DE, 0xF2E6CC, 0xE6D6B4, 0.0f, 0x140A1C, 0.6f), 1, 1, 0.5f, 0.55f);
        fonts.push_back({"DATA\\fonts\\font_help.tga", false, {"DejaVuSans.ttf", 15, {s}, 0}});
    }
    // Combo banners: big gold display letters with a red-brown edge and a
    // fiery glow.
    {
        TextStyle s = goldStyle(0xFFFBE0, 0xFFD24A, 0xD8780E, 0.45f, 0x4A0C00, 3.0f);
        s.glow = hexColour(0xFF7A10);
        s.glowRadius = 3.0f;
        s.glowOpacity = 0.7f;
        s = shadowed(s, 2, 3, 1.2f, 0.6f);
        fonts.push_back({"DATA\\fonts\\combo.jpg", true, {"Vollkorn-Black.ttf", 50, {s}, 1, true}});
    }
    return fonts;
}

BitmapFont buildGameFont(const std::string& gamePath) {
    for (const GameFont& f : fontDesigns())
        if (f.path == gamePath) return buildBitmapFont(f.recipe);
    return {};
}

void generateFonts(AssetTree& tree) {
    for (const GameFont& f : fontDesigns()) {
        const BitmapFont font = buildBitmapFont(f.recipe);
        for (const std::string& problem : font.problems) {
            std::fprintf(stderr, "assetgen: %s: %s\n", f.path.c_str(), problem.c_str());
            tree.reportFailure();
        }
        if (font.glyphs.empty()) continue;
        const std::string name = lowerCase(f.path.substr(f.path.find_last_of('\\') + 1));
        const std::string details =
            writePicture(tree, f.path, font.image, f.jpeg ? PictureFormat::JpegAlphaImage : PictureFormat::Tga24AlphaImage,
                         name, false);
        tree.writeText(metricsPathOf(f.path), font.metricsText());
        std::string metrics = lowerCase(metricsPathOf(f.path));
        std::replace(metrics.begin(), metrics.end(), '\\', '/');
        tree.describe("font", f.path,
                      details + " lineheight=" + std::to_string(font.lineHeight) +
                          " variants=" + std::to_string(font.variants) +
                          " glyphs=" + std::to_string(font.glyphs.size()) + " metrics=" + metrics);
        tree.addToContactSheet(name, wrappedForReview(font, 1500));
        for (int v = 0; v < font.variants; ++v)
            tree.addToContactSheet(name + " sample " + std::to_string(v + 1),
                                   drawSample(font, "Shardfall: Level 2-3 complete! +1,250 \xC4\xD6\xDC \xE9\xE8\xEA", v));
    }
}
