// The letters on the generated pictures: how a text is set, how each letter
// pops in and out over time, the gaps and the limit of twenty letters.

#include <gtest/gtest.h>

#include <cmath>

#include "screen_test_support.h"
#include "graphics/sprite_loading.h"
#include "screens/letter_banner.h"

namespace {

using namespace screentest;

int letterWidth(char c) {
    const std::string path = std::string("data\\letters\\") + c + ".tga";
    Sprite* picture = GetSprite(path.c_str());
    return picture ? picture->width() : -1;
}

using LetterArt = ScreenTest;

TEST_F(LetterArt, ATextIsSetSideBySideWithThirtyPixelsPerSpaceAndNothingForAMissingLetter) {
    const int a = letterWidth('A'), b = letterWidth('B');
    ASSERT_GT(a, 0);
    ASSERT_GT(b, 0);
    const auto line = renderLetters("A B");
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->width(), a + 30 + b);
    EXPECT_EQ(line->height(), GetSprite("data\\letters\\A.tga")->height());
    // Lower case finds the same pictures; a character without one adds nothing.
    EXPECT_EQ(renderLetters("a#b")->width(), a + b);
    EXPECT_EQ(renderLetters(""), nullptr);
    EXPECT_EQ(renderLetters("   "), nullptr) << "spaces alone have no height";
    EXPECT_EQ(renderLetters("#/\\"), nullptr);

    // The letters' own transparency is copied: the corner of "A" is clear,
    // its middle is not.
    ASSERT_TRUE(line->hasAlphaPlane());
    EXPECT_EQ(line->alphaPlane()[0], 0);
    const int middle = line->height() / 2 * line->width() + a / 2;
    EXPECT_GT(line->alphaPlane()[middle], 200);
    // The space between the letters stays clear.
    EXPECT_EQ(line->alphaPlane()[line->height() / 2 * line->width() + a + 15], 0);
}

TEST_F(LetterArt, EachLetterPopsToAHundredAndThirtyPercentAndSettlesEightyMillisecondsAfterTheOneBefore) {
    EXPECT_FLOAT_EQ(letterPopScale(0.0f), 0.0f);
    EXPECT_NEAR(letterPopScale(0.35f), 0.65f, 1e-5);
    EXPECT_NEAR(letterPopScale(0.7f), 1.3f, 1e-5);
    EXPECT_NEAR(letterPopScale(0.85f), 1.15f, 1e-5);
    EXPECT_NEAR(letterPopScale(1.0f), 1.0f, 1e-5);
    EXPECT_FLOAT_EQ(letterPopScale(3.0f), 1.0f);

    LetterBanner banner;
    banner.create("LEVEL 2-2", 196, 300, 1100);
    ASSERT_EQ(banner.letterCount(), 9);
    // Placed side by side from x = 196, the space 30 pixels wide.
    int x = 196;
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(banner.letter(i).x, x) << i;
        EXPECT_EQ(banner.letter(i).delay, 80 * i);
        x += banner.letter(i).sprite ? banner.letter(i).sprite->width() : 30;
    }
    EXPECT_EQ(banner.letter(5).sprite, nullptr);
    EXPECT_EQ(banner.letter(6).x, banner.letter(4).x + letterWidth('L') + 30);

    // 180 ms in: the first letter is near its peak (t = 0.72), the second
    // 100 ms into its pop, the third just begun, the fourth not yet.
    for (int i = 0; i < 9; ++i) banner.update(20);
    const int height = banner.letter(0).sprite->height();
    EXPECT_EQ(banner.letter(0).height, std::lround(height * letterPopScale(0.72f)));
    EXPECT_EQ(banner.letter(1).height, std::lround(height * letterPopScale(0.4f)));
    EXPECT_EQ(banner.letter(2).height, std::lround(height * letterPopScale(0.08f)));
    EXPECT_EQ(banner.letter(3).height, 0);
    EXPECT_GT(banner.letter(0).height, height) << "over its full size";
}

TEST_F(LetterArt, AfterItsHoldTheBannerPopsAwayFirstLetterFirstAndReportsItsEndOnce) {
    LetterBanner banner;
    banner.create("AB", 100, 300, 200);
    // Ten steps reach the hold; the eleventh turns the letters round at
    // 220 ms. The first is gone at 0 (eleven steps later), the second, 80
    // ms behind it, four steps after that.
    int endedAt = 0;
    for (int update = 1; update <= 40 && endedAt == 0; ++update) {
        if (banner.update(20)) endedAt = update;
        if (update == 22) {
            EXPECT_EQ(banner.letter(0).scale, 0.0f);
            EXPECT_GT(banner.letter(1).scale, 0.0f);
        }
    }
    EXPECT_EQ(endedAt, 26);
    EXPECT_TRUE(banner.reversed());

    // Restarted, it plays again from the beginning.
    banner.restart();
    EXPECT_FALSE(banner.update(20));
    EXPECT_FALSE(banner.reversed());
}

TEST_F(LetterArt, WithoutAHoldTheBannerStaysAndOnlyTwentyLettersAreKept) {
    LetterBanner banner;
    banner.create("PUZZLE SOLVED!", 120, 300, 0);
    for (int t = 0; t < 10000; t += 20) ASSERT_FALSE(banner.update(20)) << t;
    for (int i = 0; i < banner.letterCount(); ++i) EXPECT_FLOAT_EQ(banner.letter(i).scale, 1.0f) << i;

    banner.create("ABCDEFGHIJKLMNOPQRSTUVWXYZ", 0, 300, 100);
    EXPECT_EQ(banner.letterCount(), LetterBanner::kMaxLetters);
    EXPECT_NE(banner.letter(19).sprite, nullptr);
}

TEST_F(LetterArt, ALetterIsDrawnScaledAboutItsCentre) {
    LetterBanner banner;
    banner.create("O", 300, 200, 0);
    for (int i = 0; i < 20; ++i) banner.update(20);
    const LetterBanner::Letter& o = banner.letter(0);
    ASSERT_EQ(o.width, o.sprite->width());
    banner.draw(*target);
    // The letter's middle row: ink inside its box, nothing beyond it.
    const int left = 300, right = 300 + o.width;
    int inked = 0;
    for (int x = left; x < right; ++x) inked += uitest::pixelAt(*target, x, 200 - o.height / 4) != 0 ? 1 : 0;
    EXPECT_GT(inked, 4);
    EXPECT_EQ(uitest::countInRow(*target, 200, 0, left - 1, 0), left - 1);
    EXPECT_EQ(uitest::countInRow(*target, 200, right + 1, 800, 0), 800 - right - 1);
    // Shifted one step, everything moves 20 pixels left.
    clearTarget();
    banner.draw(*target, 1);
    EXPECT_EQ(uitest::countInRow(*target, 200, right - 19, 800, 0), 800 - right + 19);
}

}  // namespace
