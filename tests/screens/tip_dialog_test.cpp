// The tips: a dialog's "show" box says whether tips are already off, and
// ticking it before "ok" turns every later tip off for the run.

#include <gtest/gtest.h>

#include <string>

#include "config/game_settings.h"
#include "screens/level_tips.h"
#include "screens/tip_dialog.h"
#include "ui/checkbox_control.h"
#include "ui/ui_test_support.h"

namespace {

using namespace uitest;
using namespace platform;

constexpr int kBoxX = 310, kBoxY = 310, kOkX = 420, kOkY = 320;

class TipDialogTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        savedShowTips_ = gameSettings().showTips;
        gameSettings().showTips = true;
        dir.write("box.tga", flatTga(20, 20, 0x303030));
        dir.write("ticked.tga", flatTga(20, 20, 0xFFFF00));
        dir.write("ok.tga", flatTga(60, 40, 0x402040));
        const std::string dialog =
            "[main]\r\n0=show\r\n1=ok\r\n"
            "[show]\r\ntype=checkbox\r\nx=300\r\ny=300\r\npath=box.tga\r\npath_p=ticked.tga\r\n"
            "[ok]\r\ntype=button\r\nx=400\r\ny=300\r\npath=ok.tga\r\n";
        for (const LevelTip& tip : levelTips()) dir.write(std::string("data/menu/") + tip.screen + ".ini", dialog);
        recordingManager();
        for (const LevelTip& tip : levelTips())
            manager->factory().add(tip.screen, [] { return std::make_unique<TipDialog>(); });
        show("test");
    }
    void TearDown() override {
        gameSettings().showTips = savedShowTips_;
        UiTest::TearDown();
    }
    // What the level intro does when a level starts.
    void startLevel(int level) {
        const char* tip = tipScreenForLevel(level);
        if (tip && gameSettings().showTips) manager->showOverlay(tip);
    }
    std::string current() const { return manager->currentScreen()->name(); }
    int box() const {
        return dynamic_cast<CheckboxControl*>(manager->currentScreen()->findChild("show"))->value;
    }

private:
    bool savedShowTips_ = true;
};

TEST_F(TipDialogTest, ATickedTipStopsEveryLaterTip) {
    startLevel(1);
    ASSERT_EQ(current(), "tiptile_dlg");
    EXPECT_EQ(box(), 0);
    click(kOkX, kOkY);  // closed without the box: tips stay on
    EXPECT_EQ(current(), "test");
    EXPECT_TRUE(gameSettings().showTips);

    startLevel(2);  // no tip on this level
    EXPECT_EQ(current(), "test");
    startLevel(3);
    ASSERT_EQ(current(), "tipscore_dlg");
    click(kBoxX, kBoxY);
    EXPECT_EQ(box(), 1);
    click(kBoxX, kBoxY);  // changed its mind
    click(kBoxX, kBoxY);  // and back again
    EXPECT_TRUE(gameSettings().showTips) << "only ok decides";
    click(kOkX, kOkY);
    EXPECT_EQ(current(), "test");
    EXPECT_FALSE(gameSettings().showTips);

    for (int level = 4; level <= 40; ++level) {
        startLevel(level);
        EXPECT_EQ(current(), "test") << "level " << level;
    }
    // Shown anyway, a tip says that tips are off.
    manager->showOverlay("tipbad_dlg");
    EXPECT_EQ(box(), 1);
}

}  // namespace
