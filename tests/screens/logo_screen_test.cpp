// The title screen: the publisher's button needs its shortcut file, and
// showing the screen restarts its controls' clocks.

#include <gtest/gtest.h>

#include "screens/logo_screen.h"
#include "ui/ui_test_support.h"

namespace {

using namespace uitest;
using namespace platform;

class LogoScreenTest : public UiTest {
protected:
    Screen* logo() {
        dir.write("b.tga", flatTga(100, 40, 0xFF0000));
        dir.write("data/menu/logo.ini",
                  "[main]\r\n0=start\r\n1=brimvale\r\n"
                  "[start]\r\ntype=button\r\nx=100\r\ny=100\r\npath=b.tga\r\n"
                  "[brimvale]\r\ntype=button\r\nx=300\r\ny=100\r\npath=b.tga\r\n");
        manager = std::make_unique<ScreenManager>();
        manager->factory().add("logo", [] { return std::make_unique<LogoScreen>(); });
        return manager->showScreen("logo", 1);
    }
};

// "start" leading to the main menu is walked by every real-program scenario.
TEST_F(LogoScreenTest, PublisherButtonWithoutItsShortcutDoesNothing) {
    Screen* screen = logo();
    click(350, 120);
    EXPECT_EQ(manager->currentScreen(), screen);
}

TEST_F(LogoScreenTest, ShowingRestartsTheClocks) {
    Screen* screen = logo();
    for (int i = 0; i < 10; ++i) manager->update(20);
    EXPECT_EQ(screen->findChild("start")->clock, 200);
    manager->showScreen("mainmenu", 1);
    manager->showScreen("logo", 1);
    EXPECT_EQ(screen->findChild("start")->clock, 0);
}

}  // namespace
