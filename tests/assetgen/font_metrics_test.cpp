// The fonts' metrics must agree with their pictures, read back the way the
// game's scanner reads them, and stay inside what the format can hold.

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <string>
#include <vector>

#include "asset_tree.h"
#include "font_generator.h"
#include "generators.h"
#include "po_catalogue.h"
#include "temp_dir.h"

namespace {

// The game's number scanner: skip to a digit or "-", read an optional minus
// and digits, then skip the run of digits, "." and "-" that follows.
std::vector<int> scanNumbers(const std::string& text) {
    std::vector<int> out;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (i < n) {
        while (i < n && !(std::isdigit(static_cast<unsigned char>(text[i])) || text[i] == '-')) ++i;
        if (i >= n) break;
        std::size_t j = i;
        const bool negative = text[j] == '-';
        if (negative) ++j;
        long value = 0;
        while (j < n && std::isdigit(static_cast<unsigned char>(text[j]))) value = value * 10 + (text[j++] - '0');
        out.push_back(static_cast<int>(negative ? -value : value));
        while (i < n && (std::isdigit(static_cast<unsigned char>(text[i])) || text[i] == '.' || text[i] == '-')) ++i;
    }
    return out;
}

const std::vector<std::pair<std::string, BitmapFont>>& fonts() {
    static const std::vector<std::pair<std::string, BitmapFont>> built = [] {
        std::vector<std::pair<std::string, BitmapFont>> out;
        for (const GameFont& f : fontDesigns()) out.emplace_back(f.path, buildBitmapFont(f.recipe));
        return out;
    }();
    return built;
}

}  // namespace

TEST(FontMetrics, TheScannerReadsNegativeNumbersAndSkipsFractions) {
    EXPECT_EQ(scanNumbers("3 24 2\r\n65 10 0 -2 12 -1"), (std::vector<int>{3, 24, 2, 65, 10, 0, -2, 12, -1}));
    EXPECT_EQ(scanNumbers("x1.5y-7"), (std::vector<int>{1, -7}));
}

TEST(FontMetrics, EveryCharacterFrom33To255HasAGlyphInsideThePicture) {
    ASSERT_EQ(fonts().size(), 5u);
    for (const auto& [path, font] : fonts()) {
        SCOPED_TRACE(path);
        EXPECT_TRUE(font.problems.empty()) << font.problems.front();
        ASSERT_EQ(font.glyphs.size(), 223u);
        ASSERT_GT(font.lineHeight, 0);
        // The game counts variants as picture height / line height.
        EXPECT_EQ(font.image.height, font.lineHeight * font.variants);
        for (std::size_t i = 0; i < font.glyphs.size(); ++i) {
            const GlyphPlacement& g = font.glyphs[i];
            EXPECT_EQ(g.code, static_cast<int>(33 + i));
            EXPECT_GE(g.width, 1);
            EXPECT_LE(g.width, 127) << "code " << g.code;
            EXPECT_GE(g.before, -128);
            EXPECT_LE(g.before, 127);
            EXPECT_GE(g.after, -128);
            EXPECT_LE(g.after, 127);
            EXPECT_GE(g.x, 0);
            EXPECT_LE(g.x + g.width, font.image.width) << "code " << g.code;
            EXPECT_EQ(g.y, 0);
        }
    }
}

TEST(FontMetrics, InkLiesOnlyInsideGlyphCellsAndEveryCharacterHasInk) {
    for (const auto& [path, font] : fonts()) {
        SCOPED_TRACE(path);
        std::vector<int> owner(font.image.width, -1);
        for (std::size_t i = 0; i < font.glyphs.size(); ++i)
            for (int x = font.glyphs[i].x; x < font.glyphs[i].x + font.glyphs[i].width; ++x) {
                EXPECT_EQ(owner[x], -1) << "glyph cells overlap at column " << x;
                owner[x] = static_cast<int>(i);
            }
        std::vector<int> ink(font.glyphs.size(), 0);
        for (int y = 0; y < font.image.height; ++y)
            for (int x = 0; x < font.image.width; ++x) {
                if ((font.image.at(x, y) >> 24) == 0) continue;
                ASSERT_GE(owner[x], 0) << "ink outside every glyph at column " << x;
                ++ink[owner[x]];
            }
        for (std::size_t i = 0; i < font.glyphs.size(); ++i) {
            const int code = font.glyphs[i].code;
            const bool printable = characterOfByte(code) != 0 && code != 160;
            if (printable) {
                EXPECT_GT(ink[i], 0) << "code " << code << " draws nothing";
            }
        }
    }
}

TEST(FontMetrics, TheMetricsFileReadsBackAsBuilt) {
    for (const auto& [path, font] : fonts()) {
        SCOPED_TRACE(path);
        const std::vector<int> n = scanNumbers(font.metricsText());
        ASSERT_EQ(n.size(), 3 + 6 * font.glyphs.size());
        EXPECT_EQ(n[1], font.lineHeight);
        EXPECT_EQ(n[2], static_cast<int>(font.glyphs.size()));
        for (std::size_t i = 0; i < font.glyphs.size(); ++i) {
            const GlyphPlacement& g = font.glyphs[i];
            const int* v = &n[3 + 6 * i];
            EXPECT_EQ((std::vector<int>{v[0], v[1], v[2], v[3], v[4], v[5]}),
                      (std::vector<int>{g.code, g.x, g.y, g.before, g.width, g.after}));
        }
    }
}

TEST(FontMetrics, TheMenuFontHasThreeColourings) {
    const BitmapFont& menu = fonts()[0].second;
    EXPECT_EQ(menu.variants, 3);
    // The colourings differ (normal, hovered, pressed).
    const GlyphPlacement& a = menu.glyphs['A' - 33];
    auto pixel = [&](int variant) {
        std::uint64_t sum = 0;
        for (int y = 0; y < menu.lineHeight; ++y)
            for (int x = a.x; x < a.x + a.width; ++x) sum += menu.image.at(x, variant * menu.lineHeight + y);
        return sum;
    };
    EXPECT_NE(pixel(0), pixel(1));
    EXPECT_NE(pixel(1), pixel(2));
}

TEST(Letters, EveryBannerCharacterExistsAtOneHeight) {
    const auto letters = letterPictures();
    const std::string needed = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-!";
    for (char c : needed) {
        bool found = false;
        for (const auto& [k, picture] : letters) found = found || k == c;
        EXPECT_TRUE(found) << c;
    }
    ASSERT_FALSE(letters.empty());
    for (const auto& [c, picture] : letters) EXPECT_EQ(picture.height, letters.front().second.height) << c;

    // A language's own set adds its accents (an E acute, an opening !)
    // after the shared characters, every picture a cell taller by the
    // accents, the shared letters as wide as before.
    const auto accented = letterPictures("\xC9\xA1");
    ASSERT_EQ(accented.size(), letters.size() + 2);
    EXPECT_EQ(accented[letters.size()].first, '\xC9');
    EXPECT_GT(accented.front().second.height, letters.front().second.height);
    for (std::size_t i = 0; i < accented.size(); ++i) {
        EXPECT_EQ(accented[i].second.height, accented.front().second.height) << i;
        if (i < letters.size()) {
            EXPECT_EQ(accented[i].second.width, letters[i].second.width) << letters[i].first;
        }
    }
}

// A translation's banner with an accent gets its language a set of letters
// of its own; one with a letter no set has (there is no capital sharp s)
// stops the build instead of leaving a gap in the banner.
TEST(Letters, ATranslationsAccentsGetLettersOfTheirOwn) {
    TempDir dir;
    auto translate = [&](const char* root, const char* banner) {
        PoCatalogue catalogue;
        std::string error;
        EXPECT_TRUE(PoCatalogue::parse(std::string("msgctxt \"levelcomplete\"\nmsgid \"LEVEL COMPLETE!\"\nmsgstr \"") +
                                           banner + "\"\n",
                                       catalogue, error))
            << error;
        AssetTree tree((dir.path() / root).string());
        tree.beginLanguage("data\\lang\\fr", catalogue);
        generateTexts(tree);
        generateLetters(tree);
        tree.endLanguage();
        return tree.failures();
    };
    EXPECT_EQ(translate("accented", "NIVEAU R\xC3\xA9USSI!"), 0);
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "accented/data/lang/fr/letters/c9.tga"));
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "accented/data/lang/fr/letters/a.tga"));
    EXPECT_EQ(translate("plain", "NIVEAU REUSSI!"), 0);
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "plain/data/lang/fr/language.ini"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "plain/data/lang/fr/letters"));
    EXPECT_GT(translate("sharp", "STRA\xC3\x9F" "E!"), 0);
}
