// The main menu on the generated screen files: the fade before a game,
// the strict bounds of the name, the name dialog when there is no player,
// and the confetti giving its emitter slots back to the game.

#include <gtest/gtest.h>

#include "screen_test_support.h"

namespace {

using namespace screentest;

class MainMenuTest : public ScreenTest {
protected:
    MainMenuScreen& showMenu() {
        auto* menu = dynamic_cast<MainMenuScreen*>(manager->showScreen("mainmenu", 1));
        step(500);  // the fade in from black
        return *menu;
    }
};

TEST_F(MainMenuTest, ActionClickedTwiceDuringTheFadeStartsOneGameHalfASecondAfterTheFirstClick) {
    writePlayers({"Ann"}, 0);
    MainMenuScreen& menu = showMenu();
    ASSERT_EQ(menu.fadeTimer(), 0);
    EXPECT_EQ(effectLayer()->emitterCount(), 10) << "confetti falls on the menu";

    clickControl("action");
    step(100);
    clickControl("action");
    clickControl("cube");
    step(380);
    EXPECT_EQ(currentName(), "mainmenu") << "still fading at 480 ms";
    step(40);
    EXPECT_EQ(currentName(), "game");
    EXPECT_EQ(game().calls, std::vector<std::string>{"action"});
    // The menu's confetti left with it: the game's first trail found a slot.
    EXPECT_GE(game().trailSlot, 0);
    EXPECT_EQ(effectLayer()->emitterCount(), 1);
    EXPECT_EQ(menu.fadeTimer(), -MainMenuScreen::kFadeMs) << "the next return fades in";

    // Back on the menu the confetti falls again, in the slots left.
    manager->showScreen("mainmenu", 1);
    EXPECT_EQ(effectLayer()->emitterCount(), EffectLayer::kEmitterSlots);
}

TEST_F(MainMenuTest, OnlyAClickStrictlyInsideTheNameOpensThePlayerList) {
    writePlayers({"Ann"}, 0);
    showMenu();
    EXPECT_STREQ(current()->findChild("name")->caption(), "Ann");
    for (auto [x, y] : {std::pair{360, 100}, {500, 80}, {665, 100}, {500, 170}}) {
        click(x, y);
        EXPECT_EQ(currentName(), "mainmenu") << x << "," << y;
    }
    click(361, 81);
    EXPECT_EQ(currentName(), "profilemenu");
}

TEST_F(MainMenuTest, WithoutAPlayerTheNameDialogOpensAtOnceWithoutCancel) {
    gameSettings().currentPlayerName.clear();  // no player yet
    manager->showScreen("mainmenu", 1);
    step(520);
    ASSERT_EQ(currentName(), "editname");
    UiElement* cancel = current()->findChild("cancel");
    ASSERT_NE(cancel, nullptr);
    EXPECT_FALSE(cancel->visible);
    EXPECT_FALSE(cancel->enabled);
    EXPECT_EQ(dir.read("profiles.ini"), "[main]\r\ncurrent=0\r\n");

    // Escape closes the dialog, and the menu asks again.
    key(platform::VK_ESCAPE);
    EXPECT_EQ(currentName(), "mainmenu");
    step(20);
    EXPECT_EQ(currentName(), "editname");

    // A name: the menu shows it.
    type("Z\xEB");  // e with diaeresis
    key(platform::VK_RETURN);
    ASSERT_EQ(currentName(), "mainmenu");
    EXPECT_EQ(gameSettings().currentPlayerName, "Z\xEB");
    EXPECT_STREQ(current()->findChild("name")->caption(), "Z\xEB");
    EXPECT_EQ(dir.read("profiles.ini"), "[main]\r\ncurrent=0\r\n[users]\r\n0=Z\xEB\r\n");
    EXPECT_TRUE(gameSettings().showTips);
}

}  // namespace
