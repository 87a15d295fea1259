// The options panel and the resume menu on the generated screen files:
// dragging a bar sets its volume as it moves, Escape turns the slide
// round, the full-screen box re-creates the display only for a change, and
// leaving a game goes through the confirmation, saving first.

#include <gtest/gtest.h>

#include "graphics/display.h"
#include "screen_test_support.h"
#include "sound/sound_system.h"
#include "ui/checkbox_control.h"
#include "ui/progress_control.h"

namespace {

using namespace screentest;

class OptionsTest : public ScreenTest {
protected:
    // The options panel from the main menu, `settleMs` after the click.
    OptionsScreen& openOptions(int settleMs = 1500) {
        writePlayers({"Ann"}, 0);
        manager->showScreen("mainmenu", 1);
        step(500);
        clickControl("options");
        auto* options = dynamic_cast<OptionsScreen*>(current());
        step(settleMs);
        return *options;
    }
};

TEST_F(OptionsTest, TheMusicBarSetsTheVolumeWhileItIsDragged) {
    setCategoryVolume(0.8f, SND_VOLUME_MUSIC);
    OptionsScreen& options = openOptions();
    ASSERT_EQ(options.panelOffset(), 0.0f);
    auto* bar = dynamic_cast<ProgressControl*>(options.findChild("music"));
    ASSERT_NE(bar, nullptr);
    EXPECT_FLOAT_EQ(bar->value(), 0.8f) << "the bar shows the volume in force";

    const int left = bar->barOrigin(), y = bar->y + bar->ys / 2;
    send(platform::WM_MOUSEMOVE, left + bar->barWidth() / 2, y);
    send(platform::WM_LBUTTONDOWN, left + bar->barWidth() / 2, y, platform::MK_LBUTTON);
    EXPECT_NEAR(getCategoryVolume(SND_VOLUME_MUSIC), 0.5f, 0.01f);
    send(platform::WM_MOUSEMOVE, left + bar->barWidth() / 4, y + 30);  // off the bar, still held
    EXPECT_NEAR(getCategoryVolume(SND_VOLUME_MUSIC), 0.25f, 0.01f);
    send(platform::WM_LBUTTONUP, left + bar->barWidth() / 4, y + 30);
    send(platform::WM_MOUSEMOVE, left, y);
    EXPECT_NEAR(getCategoryVolume(SND_VOLUME_MUSIC), 0.25f, 0.01f) << "released, the bar stays";
}

TEST_F(OptionsTest, EscapeWhileSlidingInTurnsThePanelRound) {
    OptionsScreen* options = &openOptions(100);
    const float coming = options->panelOffset();
    ASSERT_LT(coming, SlidingPanelScreen::kStartOffset);
    ASSERT_GT(coming, 0.0f);
    key(platform::VK_ESCAPE);
    step(20);
    EXPECT_GT(options->panelOffset(), coming) << "going back out";
    step(2000);
    EXPECT_EQ(currentName(), "mainmenu");
}

TEST_F(OptionsTest, FullScreenIsRecreatedOnlyForAChangeAndTheCursorBoxIsTheOpposite) {
    OptionsScreen& options = openOptions();
    auto* full = dynamic_cast<CheckboxControl*>(options.findChild("fullscreen"));
    auto* custom = dynamic_cast<CheckboxControl*>(options.findChild("custom"));
    ASSERT_NE(full, nullptr);
    ASSERT_NE(custom, nullptr);
    EXPECT_EQ(full->value, 0);
    EXPECT_EQ(custom->value, 1) << "NOTCustom 0: the game's own cursor";

    // Told the value it already has, nothing happens, not even when the
    // display disagrees with the setting.
    SetDisplay(800, 600, 16, 1);
    options.onCommand(full);
    EXPECT_EQ(gameSettings().fullScreen, 0);
    EXPECT_EQ(displayFullScreenFlag(), 1);

    SetDisplay(800, 600, 16, 0);
    clickControl("fullscreen");
    EXPECT_EQ(full->value, 1);
    EXPECT_EQ(gameSettings().fullScreen, 1);
    EXPECT_EQ(displayFullScreenFlag(), 1);
    clickControl("fullscreen");
    EXPECT_EQ(gameSettings().fullScreen, 0);
    EXPECT_EQ(displayFullScreenFlag(), 0);

    clickControl("custom");
    EXPECT_EQ(gameSettings().NOTCustom, 1);
}

TEST_F(OptionsTest, LeavingAGameSavesItAndAsksFirst) {
    writePlayers({"Ann"}, 0);
    manager->showScreen("game", 1);
    manager->showOverlay("resumemenu");
    step(1500);
    clickControl("mainmenu");
    EXPECT_EQ(game().saves(), 1);
    ASSERT_EQ(currentName(), "confirm_dlg");

    // "cancel" goes back to the resume menu at rest.
    clickControl("cancel");
    ASSERT_EQ(currentName(), "resumemenu");
    step(20);
    EXPECT_EQ(dynamic_cast<OptionsScreen*>(current())->panelOffset(), 0.0f);

    clickControl("mainmenu");
    clickControl("ok");
    auto* dialog = dynamic_cast<ConfirmDialog*>(current());
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->closing());
    clickControl("cancel");
    EXPECT_EQ(currentName(), "confirm_dlg") << "closing takes nothing more";
    step(480);
    EXPECT_EQ(currentName(), "confirm_dlg");
    step(20);
    ASSERT_EQ(currentName(), "mainmenu");
    EXPECT_EQ(dynamic_cast<MainMenuScreen*>(current())->fadeTimer(), -MainMenuScreen::kFadeMs);
}

TEST_F(OptionsTest, ContinuingTheSavedQuestStartsItAtItsLevelAfterTheFade) {
    writePlayers({"Ann"}, 0);
    game().setLevel(7);
    manager->showScreen("mainmenu", 1);
    manager->showOverlay("continue");
    clickControl("ok");
    step(500);
    EXPECT_EQ(currentName(), "game");
    EXPECT_EQ(game().calls, std::vector<std::string>{"quest 7"});
}

}  // namespace
