// The screen framework: screen files, switching screens, input routing,
// focus and clicks, the cursor, and the typed words.

#include <gtest/gtest.h>

#include <cstring>

#include "config/game_settings.h"
#include "graphics/sprite_loading.h"
#include "platform/headless_backend.h"
#include "ui/button_control.h"
#include "ui/typed_history.h"
#include "ui_test_support.h"

namespace {

using namespace uitest;
using namespace platform;

// Two 40 x 40 buttons, the second overlapping the first's lower right.
const char* kOverlapping =
    "[main]\r\n0=red\r\n1=blue\r\n"
    "[red]\r\ntype=button\r\nx=10\r\ny=10\r\npath=red.tga\r\n"
    "[blue]\r\ntype=Button\r\nx=30\r\ny=30\r\npath=blue.tga\r\n";

class ScreenManagerTest : public UiTest {
protected:
    void writePictures() {
        dir.write("red.tga", flatTga(40, 40, 0xFF0000));
        dir.write("blue.tga", flatTga(40, 40, 0x0000FF));
    }
};

TEST_F(ScreenManagerTest, LaterControlIsDrawnOnTopAndHitFirstWithStrictEdges) {
    writePictures();
    dir.write("data/menu/test.ini", kOverlapping);
    recordingManager();
    Screen* screen = show("test");
    ASSERT_EQ(screen->childCount(), 2);
    EXPECT_STREQ(screen->child(0)->name(), "blue");  // the first child is the last in the file

    screen->draw(0, 0, *target);
    EXPECT_EQ(pixelAt(*target, 20, 20), kRed);
    EXPECT_EQ(pixelAt(*target, 45, 45), kBlue);  // the overlap shows the later one
    EXPECT_EQ(screen->hitTest(45, 45), screen->findChild("BLUE"));

    UiElement* red = screen->findChild("red");
    EXPECT_EQ(screen->hitTest(10, 20), nullptr);  // left edge
    EXPECT_EQ(screen->hitTest(20, 10), nullptr);  // top edge
    EXPECT_EQ(screen->hitTest(11, 11), red);
    EXPECT_EQ(screen->hitTest(49, 20), red);
    EXPECT_EQ(screen->hitTest(50, 20), nullptr);  // right edge: x + xs
}

TEST_F(ScreenManagerTest, ControlListEndsAtTheFirstGapAndSkipsUnknownTypes) {
    dir.write("data/menu/test.ini",
              "[main]\r\n0=a\r\n1=b\r\n2=c\r\n4=d\r\n"
              "[a]\r\ntype=static\r\n[b]\r\ntype=slider\r\n[c]\r\ntype=edit\r\n[d]\r\ntype=button\r\n");
    recordingManager();
    Screen* screen = show("test");
    ASSERT_EQ(screen->childCount(), 2);
    EXPECT_NE(screen->findChild("a"), nullptr);
    EXPECT_EQ(screen->findChild("b"), nullptr);
    EXPECT_NE(screen->findChild("c"), nullptr);
    EXPECT_EQ(screen->findChild("d"), nullptr);
}

TEST_F(ScreenManagerTest, PositionsAreRelativeToTheScreenAndMissingFileGivesAnEmptyScreen) {
    dir.write("data/menu/test.ini", "[main]\r\nx=100\r\ny=50\r\n0=a\r\n[a]\r\ntype=static\r\nx=5\r\ny=6\r\n");
    recordingManager();
    Screen* screen = show("test");
    EXPECT_EQ(screen->findChild("a")->x, 105);
    EXPECT_EQ(screen->findChild("a")->y, 56);
    Screen* missing = manager->showScreen("nothing", 1);
    ASSERT_NE(missing, nullptr);
    EXPECT_EQ(missing->childCount(), 0);
    EXPECT_STREQ(missing->name(), "nothing");
    EXPECT_EQ(manager->showScreen("", 1), nullptr);
    EXPECT_EQ(manager->currentScreen(), missing);
}

TEST_F(ScreenManagerTest, ClickFiresOnReleaseOverTheButtonOnly) {
    writePictures();
    dir.write("data/menu/test.ini", kOverlapping);
    recordingManager();
    RecordingScreen* screen = show("test");
    auto* red = dynamic_cast<ButtonControl*>(screen->findChild("red"));

    send(WM_MOUSEMOVE, 20, 20);
    EXPECT_TRUE(red->focused());
    send(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
    EXPECT_TRUE(red->pressed());
    EXPECT_TRUE(manager->leftHeld());
    send(WM_LBUTTONUP, 20, 20);
    EXPECT_EQ(screen->commands, std::vector<std::string>{"red"});

    // Press, leave, come back, release: the press was dropped on leaving.
    send(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
    send(WM_MOUSEMOVE, 200, 200, MK_LBUTTON);
    EXPECT_FALSE(red->focused());
    EXPECT_FALSE(red->pressed());
    send(WM_MOUSEMOVE, 20, 20, MK_LBUTTON);
    send(WM_LBUTTONUP, 20, 20);
    EXPECT_EQ(screen->commands.size(), 1u);
    EXPECT_FALSE(manager->leftHeld());

    // Keys and characters with nothing under the mouse go nowhere.
    send(WM_MOUSEMOVE, 300, 300);
    manager->handleWindowMessage(WM_KEYDOWN, 'A', 0);
    manager->handleWindowMessage(WM_CHAR, 'a', 0);
    EXPECT_EQ(screen->focusedChild(), nullptr);
}

TEST_F(ScreenManagerTest, OneScreenPerNameAndShowingRunsOnShow) {
    recordingManager();
    Screen* first = manager->showScreen("test", 0);
    EXPECT_EQ(manager->showScreen("TEST", 0), first);
    EXPECT_EQ(manager->childCount(), 1);
    auto* screen = dynamic_cast<RecordingScreen*>(first);
    EXPECT_EQ(screen->shows, 0);
    EXPECT_EQ(manager->currentScreen(), nullptr);

    EXPECT_EQ(manager->showScreen("test", 1), first);
    EXPECT_EQ(screen->shows, 1);
    EXPECT_EQ(manager->showScreen("test", 1), first);  // again: hidden and shown again
    EXPECT_EQ(screen->hides, 1);
    EXPECT_EQ(screen->shows, 2);
}

TEST_F(ScreenManagerTest, OverlayShowsAFrozenPictureAndReturns) {
    dir.write("red.tga", flatTga(40, 40, 0xFF0000));
    dir.write("data/menu/test.ini", "[main]\r\n0=a\r\n[a]\r\ntype=static\r\nx=10\r\ny=10\r\npath=red.tga\r\n");
    recordingManager();
    RecordingScreen* below = show("test");
    below->findChild("a")->clock = 1234;
    Screen* overlay = manager->showOverlay("other");
    ASSERT_NE(overlay, nullptr);
    EXPECT_EQ(manager->currentScreen(), overlay);
    EXPECT_EQ(overlay->underlyingScreen(), below);
    ASSERT_NE(overlay->snapshot(), nullptr);
    EXPECT_EQ(pixelAt(*overlay->snapshot(), 20, 20), kRed);

    manager->draw(0, 0, *target);  // the overlay draws the picture underneath first
    EXPECT_EQ(pixelAt(*target, 20, 20), kRed);

    overlay->closeOverlay();
    EXPECT_EQ(manager->currentScreen(), below);
    EXPECT_EQ(below->shows, 2);
    EXPECT_EQ(below->findChild("a")->clock, 0);
    EXPECT_EQ(overlay->snapshot(), nullptr);
    EXPECT_EQ(overlay->underlyingScreen(), nullptr);

    // An overlay of the current screen over itself stays a plain show.
    Screen* same = manager->showOverlay("test");
    EXPECT_EQ(same->underlyingScreen(), nullptr);
    EXPECT_EQ(same->snapshot(), nullptr);
}

// The headless backend with the mouse where the test puts it.
class MouseBackend : public HeadlessBackend {
public:
    bool cursorPosition(int& x, int& y) const override {
        x = mx;
        y = my;
        return true;
    }
    int mx = 0, my = 0;
};

TEST_F(ScreenManagerTest, SoftwareCursorOnlyWithoutNotCustom) {
    dir.write("data/custom_cursor.jpg", "");  // unreadable: the first record has no picture
    dir.write("data/magic_wand.tga", flatTga(8, 8, 0x00FF00));
    auto owned = std::make_unique<MouseBackend>();
    MouseBackend* mouse = owned.get();
    installBackend(std::move(owned));
    recordingManager();
    manager->load(nullptr, nullptr);
    manager->cursorIndex = 1;
    mouse->mx = 100;
    mouse->my = 100;
    send(WM_MOUSEMOVE, 100, 100);

    gameSettings().NOTCustom = 1;
    manager->update(20);
    EXPECT_FALSE(manager->mouseInside());
    EXPECT_TRUE(mouse->systemCursorShown());
    manager->draw(0, 0, *target);
    EXPECT_EQ(pixelAt(*target, 100 - 13 + 2, 100 - 13 + 2), 0);

    gameSettings().NOTCustom = 0;
    manager->update(20);
    EXPECT_TRUE(manager->mouseInside());
    EXPECT_FALSE(mouse->systemCursorShown());
    manager->draw(0, 0, *target);
    EXPECT_EQ(pixelAt(*target, 100 - 13 + 2, 100 - 13 + 2), kGreen);  // hot spot 13, 13

    // A cursor without a picture leaves the system's.
    manager->cursorIndex = 0;
    manager->update(20);
    EXPECT_TRUE(mouse->systemCursorShown());

    // Outside the picture the system cursor is back.
    manager->cursorIndex = 1;
    mouse->mx = 801;
    manager->update(20);
    EXPECT_FALSE(manager->mouseInside());
    EXPECT_TRUE(mouse->systemCursorShown());

    gameSettings() = GameSettings{};
    manager.reset();
    installBackend(nullptr);
}

TEST_F(ScreenManagerTest, TypedWordsMatchInEitherCaseAndQuitCloses) {
    recordingManager();
    show("test");
    resetTypedHistory();
    EXPECT_FALSE(manager->typedWordMatches("gems"));
    for (char c : std::string("xxGeMS")) manager->handleWindowMessage(WM_CHAR, static_cast<unsigned char>(c), 0);
    EXPECT_TRUE(manager->typedWordMatches("gems"));
    EXPECT_STREQ(lastMatchedWord(), "gems");
    EXPECT_EQ(typedWordCounter(), 0);
    EXPECT_TRUE(manager->typedWordMatches("GEMS"));  // a match leaves the history alone
    EXPECT_FALSE(manager->typedWordMatches("gem"));
    EXPECT_FALSE(manager->typedWordMatches(""));
    EXPECT_FALSE(manager->typedWordMatches(std::string(32, 'x').c_str()));
    // The history holds 31 characters; older ones fall out.
    for (int i = 0; i < 31; ++i) manager->handleWindowMessage(WM_CHAR, 'z', 0);
    EXPECT_FALSE(manager->typedWordMatches("gems"));
    EXPECT_EQ(std::strlen(typedHistory()), 31u);

    EXPECT_EQ(manager->update(20), 0);
    manager->requestQuit();
    EXPECT_EQ(manager->update(20), 1);
}

}  // namespace
