// The keyboard's way through a screen: Tab and Shift+Tab walk the controls
// the mouse could focus, in file order and round the end, with a mark drawn
// around the one reached; Enter presses it as a click would; Left and Right
// move a marked bar; the mouse takes the mark away and Enter is the
// screen's again.

#include <gtest/gtest.h>

#include <algorithm>

#include "ui/checkbox_control.h"
#include "ui/progress_control.h"
#include "ui_test_support.h"

namespace {

using namespace uitest;
using namespace platform;

// Four buttons in a row, the second disabled, the third hidden by the
// screen; then a check box and a volume bar.
const char* kRow =
    "[main]\r\n0=back\r\n1=a\r\n2=off\r\n3=hidden\r\n4=d\r\n5=box\r\n6=bar\r\n"
    "[back]\r\ntype=static\r\npath=blue.tga\r\nx=0\r\ny=0\r\n"
    "[a]\r\ntype=button\r\nx=100\r\ny=100\r\npath=red.tga\r\n"
    "[off]\r\ntype=button\r\nx=200\r\ny=100\r\npath=red.tga\r\n"
    "[hidden]\r\ntype=button\r\nx=300\r\ny=100\r\npath=red.tga\r\n"
    "[d]\r\ntype=button\r\nx=400\r\ny=100\r\npath=red.tga\r\n"
    "[box]\r\ntype=checkbox\r\nx=100\r\ny=200\r\npath=red.tga\r\npath_p=green.tga\r\n"
    "[bar]\r\ntype=progress\r\nx=100\r\ny=300\r\nleftpath=green.tga\r\nrightpath=red.tga\r\n";

// Remembers the keys that reach the screen itself.
class KeyScreen : public RecordingScreen {
public:
    int keyDown(int key, LParam lParam) override {
        keys.push_back(key);
        return RecordingScreen::keyDown(key, lParam);
    }
    std::vector<int> keys;
};

class KeyboardFocusTest : public UiTest {
protected:
    KeyScreen& open() {
        dir.write("red.tga", flatTga(40, 40, 0xFF0000));
        dir.write("green.tga", flatTga(40, 40, 0x00FF00));
        dir.write("blue.tga", flatTga(600, 400, 0x0000FF));
        dir.write("data/menu/keys.ini", kRow);
        manager = std::make_unique<ScreenManager>();
        manager->factory().add("keys", [] { return std::make_unique<KeyScreen>(); });
        auto* screen = dynamic_cast<KeyScreen*>(manager->showScreen("keys", 1));
        screen->findChild("off")->enabled = false;
        screen->findChild("hidden")->visible = false;
        return *screen;
    }
    void key(WParam vk) {
        manager->handleWindowMessage(WM_KEYDOWN, vk, packKeyLParam(false, false));
        manager->handleWindowMessage(WM_KEYUP, vk, packKeyLParam(true, false));
    }
    void shiftTab() {
        manager->handleWindowMessage(WM_KEYDOWN, VK_SHIFT, 0);
        key(VK_TAB);
        manager->handleWindowMessage(WM_KEYUP, VK_SHIFT, 0);
    }
    const char* marked(const Screen& screen) const {
        const UiElement* control = screen.keyMarkedControl();
        return control ? control->name() : "";
    }
};

TEST_F(KeyboardFocusTest, TabWalksTheControlsInFileOrderSkippingThoseTheMouseCouldNotFocus) {
    KeyScreen& screen = open();
    EXPECT_STREQ(marked(screen), "");
    const char* forward[] = {"a", "d", "box", "bar", "a"};
    for (const char* name : forward) {
        key(VK_TAB);
        EXPECT_STREQ(marked(screen), name);
        EXPECT_EQ(screen.focusedChild(), screen.findChild(name));
    }
    EXPECT_TRUE(screen.findChild("a")->focused());
    EXPECT_FALSE(screen.findChild("bar")->keyMarked()) << "the mark left with the focus";
    shiftTab();
    EXPECT_STREQ(marked(screen), "bar");
    shiftTab();
    EXPECT_STREQ(marked(screen), "box");
    // Shift is up again: Tab goes forward.
    key(VK_TAB);
    EXPECT_STREQ(marked(screen), "bar");
    // Tab never reaches the screen's own keys (Shift does).
    EXPECT_EQ(std::count(screen.keys.begin(), screen.keys.end(), int(VK_TAB)), 0);

    // From the control under the mouse, the walk goes on from there.
    send(WM_MOUSEMOVE, 420, 120);
    EXPECT_STREQ(marked(screen), "");
    key(VK_TAB);
    EXPECT_STREQ(marked(screen), "box");
}

TEST_F(KeyboardFocusTest, EnterPressesTheMarkedControlAsAClickWould) {
    KeyScreen& screen = open();
    key(VK_TAB);
    key(VK_RETURN);
    EXPECT_EQ(screen.commands, std::vector<std::string>{"a"});
    EXPECT_FALSE(screen.findChild("a")->pressed());

    key(VK_TAB);
    key(VK_TAB);
    auto* box = dynamic_cast<CheckboxControl*>(screen.findChild("box"));
    ASSERT_NE(box, nullptr);
    key(VK_RETURN);
    EXPECT_EQ(box->value, 1);
    key(VK_RETURN);
    EXPECT_EQ(box->value, 0);
    EXPECT_EQ(screen.commands, (std::vector<std::string>{"a", "box", "box"}));

    // A bar takes no Enter (the screen gets it), but Left and Right move it.
    key(VK_TAB);
    auto* bar = dynamic_cast<ProgressControl*>(screen.findChild("bar"));
    ASSERT_NE(bar, nullptr);
    bar->setValue(0.5f);
    key(VK_RIGHT);
    key(VK_RIGHT);
    EXPECT_NEAR(bar->value(), 0.6f, 1e-4);
    for (int i = 0; i < 30; ++i) key(VK_LEFT);
    EXPECT_EQ(bar->value(), 0.0f);
    EXPECT_EQ(screen.commands.size(), 3u + 32u);
    key(VK_RETURN);
    EXPECT_EQ(screen.keys, std::vector<int>{int(VK_RETURN)});

    // A marked control switched off since leaves Enter to the screen too.
    key(VK_TAB);
    EXPECT_STREQ(marked(screen), "a");
    screen.findChild("a")->enabled = false;
    key(VK_RETURN);
    EXPECT_EQ(screen.keys, (std::vector<int>{int(VK_RETURN), int(VK_RETURN)}));
}

TEST_F(KeyboardFocusTest, TheMarkIsDrawnAroundTheControlAndTheMouseTakesItAway) {
    KeyScreen& screen = open();
    screen.draw(0, 0, *target);
    // Just outside "a" (100..140) the blue background shows.
    EXPECT_EQ(pixelAt(*target, 96, 120), kBlue);
    key(VK_TAB);
    clearTarget();
    screen.draw(0, 0, *target);
    EXPECT_NE(pixelAt(*target, 96, 120), kBlue) << "the mark's gold band";
    EXPECT_NE(pixelAt(*target, 120, 96), kBlue);
    EXPECT_EQ(pixelAt(*target, 120, 120), kRed) << "the button itself is not covered";
    EXPECT_EQ(pixelAt(*target, 396, 120), kBlue) << "no mark on the other buttons";

    // The mouse moves, even onto the marked button: the mark goes, the
    // focus follows the mouse, and Enter goes to the screen.
    send(WM_MOUSEMOVE, 120, 120);
    EXPECT_STREQ(marked(screen), "");
    EXPECT_TRUE(screen.findChild("a")->focused());
    clearTarget();
    screen.draw(0, 0, *target);
    EXPECT_EQ(pixelAt(*target, 96, 120), kBlue);
    key(VK_RETURN);
    EXPECT_TRUE(screen.commands.empty());
    EXPECT_EQ(screen.keys, std::vector<int>{int(VK_RETURN)});
}

}  // namespace
