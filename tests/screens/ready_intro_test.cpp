// The level intro on the generated screen file: the label of each level,
// the banner giving way to "GO!", the clicks that cut it short, the
// presentation of a relic's new part, the tutorial card's wait, and what
// starting the level hands to the game (the card, the tip).

#include <gtest/gtest.h>

#include <cmath>

#include "screen_test_support.h"
#include "screens/level_tips.h"
#include "screens/tip_dialog.h"

namespace {

using namespace screentest;

class IntroTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        manager->showScreen("game", 1);
    }
    ReadyIntroScreen& showIntro(int level) {
        game().level_ = level;
        return overlay<ReadyIntroScreen>("readyintro");
    }
    // Steps until the banner has gone and "GO!" begins; the ms it took.
    int stepToGo(ReadyIntroScreen& intro) {
        int ms = 0;
        while (!intro.goPhase() && ms < 10000) {
            manager->update(20);
            ms += 20;
        }
        return ms;
    }
    bool started() const { return manager->currentScreen() != nullptr && currentName() != "readyintro"; }
};

TEST(IntroLabel, TheQuestShowsEpisodeAndLevelOtherModesTheNumber) {
    EXPECT_EQ(introLabel("LEVEL", true, 1), "LEVEL 1-1");
    EXPECT_EQ(introLabel("LEVEL", true, 5), "LEVEL 1-5");
    EXPECT_EQ(introLabel("LEVEL", true, 7), "LEVEL 2-2");
    EXPECT_EQ(introLabel("LEVEL", true, 12), "LEVEL 3-1");
    EXPECT_EQ(introLabel("LEVEL", true, 24), "LEVEL 4-7");
    EXPECT_EQ(introLabel("LEVEL", true, 25), "LEVEL 5-1");
    EXPECT_EQ(introLabel("LEVEL", true, 33), "LEVEL 6-1");
    EXPECT_EQ(introLabel("LEVEL", true, 40), "LEVEL 6-8");
    EXPECT_EQ(introLabel("LEVEL", false, 7), "LEVEL 7");
    EXPECT_EQ(introLabel("LEVEL", false, 123), "LEVEL 123");
}

TEST_F(IntroTest, TheBannerGivesWayToGoWhichSwellsSettlesRestsAndStartsTheLevel) {
    ReadyIntroScreen& intro = showIntro(7);
    EXPECT_EQ(intro.label(), "LEVEL 2-2");
    EXPECT_EQ(intro.banner().letter(0).x, 196);
    EXPECT_EQ(intro.relaxMs(), 600) << "from the screen file";
    EXPECT_EQ(intro.centreX(), 432);

    // The banner comes in, holds 1.1 s and pops away: about 2.8 s.
    const int bannerMs = stepToGo(intro);
    EXPECT_GT(bannerMs, 2000);
    EXPECT_LT(bannerMs, 3500);

    // "GO!": up to 115 % at 320 ms, full size at 400 ms.
    for (int ms = 0; ms < 320; ms += 20) manager->update(20);
    const int fullWidth = renderLetters("GO!")->width();
    EXPECT_NEAR(intro.pictureWidth(), fullWidth * 1.15, 1);
    for (int ms = 320; ms < 400; ms += 20) manager->update(20);
    EXPECT_NEAR(intro.pictureWidth(), fullWidth, 1);
    EXPECT_EQ(intro.relaxLeft(), 600);

    // Then it rests its 600 ms, and the level starts.
    step(600);
    EXPECT_FALSE(started());
    step(60);
    EXPECT_TRUE(started());
    EXPECT_EQ(currentName(), "game");
    EXPECT_EQ(game().calls, std::vector<std::string>{"setLevelRunning"});
}

TEST_F(IntroTest, AClickInTheBannerSkipsToGoAndASecondClickStartsTheLevel) {
    ReadyIntroScreen& intro = showIntro(3);
    step(200);
    click(100, 100);
    EXPECT_TRUE(intro.goPhase());
    EXPECT_EQ(currentName(), "readyintro");
    step(100);
    EXPECT_GT(intro.pictureWidth(), 0) << "GO! is on its way in";
    click(100, 100);
    EXPECT_EQ(currentName(), "game");
    EXPECT_EQ(game().calls, std::vector<std::string>{"setLevelRunning"});

    // Late in the banner (its clock past 400 ms) "GO!" stands whole at once
    // and only the rest is left; a right click does nothing.
    ReadyIntroScreen& again = showIntro(4);
    step(1000);
    send(platform::WM_RBUTTONDOWN, 100, 100);
    EXPECT_FALSE(again.goPhase());
    click(100, 100);
    manager->update(20);
    EXPECT_GT(again.pictureWidth(), 0);
    EXPECT_EQ(again.relaxLeft(), 580);
}

TEST_F(IntroTest, ARelicsNewPartIsPresentedUnskippablyFadingOutComingBackAndBursting) {
    EXPECT_EQ(presentFade(0), 0);
    EXPECT_EQ(presentFade(1349), 254);
    EXPECT_EQ(presentFade(2249), 18);
    // Just after 2250 the formula overshoots: the part stands fully opaque.
    EXPECT_LT(presentFade(2260), 0);
    EXPECT_EQ(presentFade(2699), 255);

    Sprite part;
    ASSERT_TRUE(part.createPixels(40, 40));
    part.FillRect(0, 0, 40, 40, 0xFFFF0000u);
    game().previous = &part;
    game().previousX = 100;
    game().previousY = 120;
    ReadyIntroScreen& intro = showIntro(3);
    ASSERT_TRUE(intro.presenting());
    EXPECT_EQ(intro.clock(), 0);

    // The part alone: the sparks flying round it are taken away first.
    auto partPixel = [&] {
        effectLayer()->removeAllEffects();
        clearTarget();
        manager->draw(0, 0, *target);
        return uitest::pixelAt(*target, 120, 140);
    };
    EXPECT_EQ(partPixel(), uitest::kRed);
    step(800);
    const std::uint16_t faded = partPixel();
    EXPECT_NE(faded, uitest::kRed);
    EXPECT_NE(faded, 0);
    click(300, 300);
    EXPECT_FALSE(intro.goPhase()) << "the presentation cannot be skipped";
    step(1460);  // 2260 ms
    EXPECT_GT(effectLayer()->effectCount(), 0) << "sparks circle it";
    EXPECT_EQ(partPixel(), uitest::kRed);
    step(460);
    EXPECT_FALSE(intro.presenting());
    EXPECT_FALSE(intro.goPhase()) << "the banner comes next";

    // A tip level presenting a part opens its tip when the level starts.
    gameSettings().showTips = true;
    stepToGo(intro);
    click(300, 300);
    EXPECT_EQ(currentName(), "tipscore_dlg");
}

TEST_F(IntroTest, TheTutorialCardGrowsInForHalfASecondAndIsHandedToPlayFullyOpen) {
    game().tutorial = true;
    ReadyIntroScreen& intro = showIntro(1);
    EXPECT_EQ(intro.clock(), 2700);
    manager->draw(0, 0, *target);
    step(260);
    manager->draw(0, 0, *target);
    ASSERT_EQ(game().tutorialValues.size(), 2u);
    EXPECT_FLOAT_EQ(game().tutorialValues[0], 0.0f);
    EXPECT_NEAR(game().tutorialValues[1], 0.52f, 1e-4) << "twice the pace of the clock";
    step(260);
    EXPECT_TRUE(intro.tutorialDone());
    EXPECT_FALSE(intro.goPhase()) << "the banner follows";

    gameSettings().showTips = false;
    stepToGo(intro);
    click(300, 300);
    EXPECT_EQ(currentName(), "game") << "tips are off";
    EXPECT_EQ(game().calls, std::vector<std::string>{"setTutorialValue 1.0"});
}

TEST_F(IntroTest, TipsOpenOnTheLevelsThatBringSomethingNew) {
    gameSettings().showTips = true;
    // The first level of episode 4 brings the locks: no part is presented
    // there and no card shown, but its tip opens.
    showIntro(18);
    click(300, 300);
    click(300, 300);
    EXPECT_EQ(currentName(), "tiplocked_dlg");

    manager->showScreen("game", 1);
    showIntro(2);
    click(300, 300);
    click(300, 300);
    EXPECT_EQ(currentName(), "game") << "level 2 has no tip";

    // A tip level entered without anything new (continued from a save)
    // keeps its tip for the next time.
    showIntro(4);
    click(300, 300);
    click(300, 300);
    EXPECT_EQ(currentName(), "game");

    // Outside the quest there are no tips.
    game().mode_ = BoardMode::ModeAction;
    ReadyIntroScreen& action = showIntro(1);
    EXPECT_EQ(action.label(), "LEVEL 1");
    EXPECT_EQ(action.banner().letter(0).x, 176);
    click(300, 300);
    click(300, 300);
    EXPECT_EQ(currentName(), "game");
}

}  // namespace
