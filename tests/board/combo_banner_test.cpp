// The combo banner: its texts from the language file, how it appears with
// sparks and sound, stands, rises and fades, and how it is cut short.

#include <gtest/gtest.h>

#include "board/combo_banner.h"
#include "graphics/font.h"
#include "scoring_test_support.h"
#include "ui/ui_test_support.h"

namespace {

using boardtest::EventLog;
using boardtest::RecordingAudio;
using scoringtest::ScoringEffects;

constexpr int kGlyphWidth = 10;
constexpr int kLineHeight = 20;

// White capitals 10 pixels wide with a pixel either side, opaque.
void makeFont(Font& font) {
    const int letters = 26;
    ASSERT_TRUE(font.createPixels(kGlyphWidth * letters, kLineHeight));
    ASSERT_TRUE(font.createAlphaPlane());
    font.clip = {0, 0, kGlyphWidth * letters, kLineHeight};
    font.FillRect(0, 0, kGlyphWidth * letters, kLineHeight, 0xFFFFFFFF);
    for (int i = 0; i < kGlyphWidth * letters * kLineHeight; ++i) font.alphaPlane()[i] = 255;
    font.lineHeight = kLineHeight;
    font.variantCount = 1;
    font.spaceAdvance = 6;
    for (int i = 0; i < letters; ++i) {
        GlyphMetrics& g = font.glyphs['A' + i];
        g.x = std::int16_t(i * kGlyphWidth);
        g.width = kGlyphWidth;
        g.before = 1;
        g.after = 1;
    }
}

class ComboBannerTest : public uitest::UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        dir.write("data/language.ini", "[game]\r\ncombo=COMBO\r\nsupercombo=SUPER COMBO\r\nultracombo=" +
                                           std::string(2000, 'U') + "\r\ngembonus=GEMS\r\n");
        makeFont(font);
        banner.setAudio(&audio);
        banner.setEffects(&effects);
        banner.setFont(&font);
        banner.loadTexts();
    }
    void run(int milliseconds) {
        for (int t = 0; t < milliseconds; t += 20) banner.update(20);
    }

    EventLog log;
    RecordingAudio audio{log};
    ScoringEffects effects{log};
    Font font;
    ComboBanner banner;
};

TEST_F(ComboBannerTest, TextsComeFromTheLanguageFileBoundedAndEmptyWhenMissing) {
    EXPECT_EQ(banner.textOf(BannerText::Combo), "COMBO");
    EXPECT_EQ(banner.textOf(BannerText::SuperCombo), "SUPER COMBO");
    EXPECT_EQ(banner.textOf(BannerText::UltraCombo).size(), std::size_t(ComboBanner::kMaxTextLength));
    EXPECT_EQ(banner.textOf(BannerText::Unbelievable), "");
    EXPECT_FALSE(banner.running());  // nothing shows before the first combo
}

TEST_F(ComboBannerTest, ShowingPlaysItsSoundAndBurstsAtBothEndsAndTheMiddle) {
    banner.show(BannerText::Combo);
    EXPECT_EQ(banner.clock(), 0);
    EXPECT_EQ(banner.text(), "COMBO");
    // Five letters of 12 and the margin of 16.
    EXPECT_EQ(banner.width(), 5 * 12 + 16);
    ASSERT_NE(banner.sprite(), nullptr);
    EXPECT_EQ(banner.sprite()->height(), kLineHeight);
    EXPECT_EQ(log.entries, (std::vector<std::string>{"sound combo1", "burst10 at 378,250", "burst10 at 454,250",
                                                     "burst20 at 416,250", "burst20 at 416,250"}));

    log.entries.clear();
    run(600);
    banner.show(BannerText::GemBonus);  // cuts the running banner short
    EXPECT_EQ(banner.clock(), 0);
    EXPECT_EQ(banner.text(), "GEMS");
    EXPECT_EQ(log.entries.front(), "sound diamond_bonus");
}

TEST_F(ComboBannerTest, ItStandsForASecondThenRisesAndFadesOverTheNext) {
    banner.show(BannerText::Combo);
    const int left = 416 - banner.width() / 2;
    const int letterX = left + 8 + 4;  // inside the C
    const int top = 250 - kLineHeight / 2;

    banner.draw(*target);
    EXPECT_EQ(uitest::pixelAt(*target, letterX, top + 5), uitest::kWhite);
    EXPECT_EQ(uitest::pixelAt(*target, left + 2, top + 5), 0) << "the margin stays transparent";

    run(1500);
    EXPECT_EQ(banner.rise(), 25);
    EXPECT_EQ(banner.opacity(), 127);
    clearTarget();
    banner.draw(*target);
    const std::uint16_t faded = uitest::pixelAt(*target, letterX, top - 25 + 5);
    EXPECT_NE(faded, 0);
    EXPECT_NE(faded, uitest::kWhite);
    EXPECT_EQ(uitest::pixelAt(*target, letterX, top + kLineHeight - 1), 0) << "it has left its place";

    run(500);
    EXPECT_FALSE(banner.running());
    EXPECT_EQ(banner.clock(), ComboBanner::kRunMs);
    clearTarget();
    banner.draw(*target);
    EXPECT_EQ(uitest::countInRow(*target, top + 5, 0, 800, 0) + uitest::countInRow(*target, top - 20, 0, 800, 0), 1600);
}

TEST_F(ComboBannerTest, SparksAreStrewnAcrossItsWidthWhileItRuns) {
    banner.show(BannerText::Combo);
    run(3000);
    // Half of every tenth of a second while it stands (the first starting
    // after the show), a fifth while it rises.
    EXPECT_EQ(effects.bannerSparks, 2 + 9 * 3 + 10 * 2);
    for (const auto& [x, y] : effects.sparkPoints) {
        EXPECT_LE(std::abs(x - 416), banner.width() / 2 + 0.01f);
        EXPECT_LE(y, 255 + 30);
        EXPECT_GE(y, 255 - 30 - 100);
    }
    EXPECT_LT(effects.sparkPoints.back().second, 225) << "late sparks rise with the banner";

    banner.show(BannerText::Combo);
    banner.end();
    const int before = effects.bannerSparks;
    run(200);
    EXPECT_EQ(effects.bannerSparks, before);
    EXPECT_FALSE(banner.running());
}

}  // namespace
