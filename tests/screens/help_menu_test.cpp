// The help book: pages read from help0.ini onward and drawn inside the
// sliding panel, turned with "prev" and "next" (each hidden where there is
// no page to turn to), "ok" closing it, and the game turning it to its
// mode's page through PagedScreen.

#include <gtest/gtest.h>

#include <string>

#include "screens/help_menu_screen.h"
#include "ui/ui_test_support.h"

namespace {

using namespace uitest;
using namespace platform;

// The panel lies at (100, 50); its buttons 40 pixels high along its foot.
constexpr int kPanelX = 100, kPanelY = 50;
constexpr int kPrevX = 110, kOkX = 310, kNextX = 510, kButtonY = 470;
// Each page shows a square of its own colour 10 pixels into the panel.
constexpr int kMarkX = kPanelX + 10 + 5, kMarkY = kPanelY + 10 + 5;
const std::uint32_t kPageColours[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0xFFFF00};
const std::uint16_t kPagePixels[] = {kRed, kGreen, kBlue, kWhite, rgb565(255, 255, 0)};

class HelpMenuTest : public UiTest {
protected:
    void writePanel() {
        dir.write("b.tga", flatTga(100, 40, 0x402040));
        dir.write("data/menu/helpmenu.ini",
                  "[main]\r\nx=100\r\ny=50\r\nxs=600\r\nys=460\r\n0=prev\r\n1=ok\r\n2=next\r\n"
                  "[prev]\r\ntype=button\r\nx=0\r\ny=410\r\npath=b.tga\r\n"
                  "[ok]\r\ntype=button\r\nx=200\r\ny=410\r\npath=b.tga\r\n"
                  "[next]\r\ntype=button\r\nx=400\r\ny=410\r\npath=b.tga\r\n");
    }
    void writePage(int n) {
        const std::string picture = "page" + std::to_string(n) + ".tga";
        dir.write(picture, flatTga(10, 10, kPageColours[n]));
        dir.write("data/menu/help" + std::to_string(n) + ".ini",
                  "[main]\r\n0=mark\r\n[mark]\r\ntype=static\r\nx=10\r\ny=10\r\npath=" + picture + "\r\n");
    }
    void startManager() {
        recordingManager();
        manager->factory().add("helpmenu", [] { return std::make_unique<HelpMenuScreen>(); });
        show("test");
    }
    HelpMenuScreen* openHelp() {
        auto* help = dynamic_cast<HelpMenuScreen*>(manager->showOverlay("helpmenu"));
        settle();
        return help;
    }
    void settle() {
        for (int i = 0; i < 100; ++i) manager->update(20);
    }
    // The page the frame shows, from its mark; -1 for none.
    int shownPage(int dx = 0) {
        clearTarget();
        manager->draw(0, 0, *target);
        const std::uint16_t pixel = pixelAt(*target, kMarkX + dx, kMarkY);
        for (int n = 0; n < 5; ++n) {
            if (pixel == kPagePixels[n]) return n;
        }
        return -1;
    }
    bool visible(HelpMenuScreen* help, const char* name) { return help->findChild(name)->visible; }
};

TEST_F(HelpMenuTest, TurnsThroughThePagesWithTheButtonsHiddenAtEitherEnd) {
    writePanel();
    for (int n = 0; n < 5; ++n) writePage(n);
    startManager();
    auto* help = dynamic_cast<HelpMenuScreen*>(manager->showOverlay("helpmenu"));
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->pageCount(), 5);

    // While it slides in, the page rides along with the panel.
    manager->update(20);
    const int offset = static_cast<int>(help->panelOffset() + 0.5f);
    ASSERT_GT(offset, 100);
    EXPECT_EQ(shownPage(offset), 0);
    EXPECT_EQ(shownPage(), -1);

    settle();
    EXPECT_EQ(shownPage(), 0);
    EXPECT_FALSE(visible(help, "prev"));
    EXPECT_TRUE(visible(help, "next"));
    for (int n = 1; n < 5; ++n) {
        click(kNextX, kButtonY);
        EXPECT_EQ(shownPage(), n);
        EXPECT_TRUE(visible(help, "prev"));
    }
    EXPECT_FALSE(visible(help, "next"));
    click(kNextX, kButtonY);  // a hidden button takes no clicks
    EXPECT_EQ(shownPage(), 4);

    for (int n = 3; n >= 0; --n) {
        click(kPrevX, kButtonY);
        EXPECT_EQ(shownPage(), n);
        EXPECT_TRUE(visible(help, "next"));
    }
    EXPECT_FALSE(visible(help, "prev"));
    click(kPrevX, kButtonY);
    EXPECT_EQ(shownPage(), 0);

    click(kNextX, kButtonY);
    click(kOkX, kButtonY);
    settle();
    EXPECT_STREQ(manager->currentScreen()->name(), "test");
    // The next opening starts at the first page again.
    openHelp();
    EXPECT_EQ(shownPage(), 0);
}

TEST_F(HelpMenuTest, TheGameTurnsToItsModesPageAfterOpeningIt) {
    writePanel();
    for (int n = 0; n < 5; ++n) writePage(n);
    startManager();
    // What the game screen does for a puzzle: open the panel by name, then
    // turn it through the interface, without knowing its class.
    Screen* opened = manager->showOverlay("helpmenu");
    auto* paged = dynamic_cast<PagedScreen*>(opened);
    ASSERT_NE(paged, nullptr);
    paged->setPage(3);
    settle();
    EXPECT_EQ(shownPage(), 3);
    EXPECT_TRUE(visible(static_cast<HelpMenuScreen*>(opened), "next"));
    // A page the book does not have leaves it where it is.
    paged->setPage(5);
    paged->setPage(-1);
    EXPECT_EQ(shownPage(), 3);
}

TEST_F(HelpMenuTest, ABookWithoutItsFirstPageHasNoPagesAtAll) {
    writePanel();
    writePage(1);
    writePage(2);
    startManager();
    HelpMenuScreen* help = openHelp();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->pageCount(), 0);
    help->setPage(1);
    EXPECT_EQ(shownPage(), -1);
    EXPECT_FALSE(visible(help, "prev"));
    EXPECT_FALSE(visible(help, "next"));
    click(kOkX, kButtonY);
    settle();
    EXPECT_STREQ(manager->currentScreen()->name(), "test");
}

TEST_F(HelpMenuTest, PagesEndAtTheFirstGapAndAtTen) {
    writePanel();
    writePage(0);
    writePage(1);
    writePage(3);
    for (int n = 0; n <= 10; ++n) {
        if (n > 4) dir.write("data/menu/help" + std::to_string(n) + ".ini", "[main]\r\n");
    }
    startManager();
    EXPECT_EQ(openHelp()->pageCount(), 2);

    for (int n = 2; n <= 4; ++n) writePage(n);
    iniReleaseCache();
    HelpMenuScreen fullBook;
    fullBook.load("data\\menu\\helpmenu.ini", "");
    EXPECT_EQ(fullBook.pageCount(), HelpMenuScreen::kMaxPages);
}

}  // namespace
