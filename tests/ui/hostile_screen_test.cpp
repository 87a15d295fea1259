// A screen file written to break the loader: more controls than it takes,
// pictures that are not there, sizes and positions at the ends of the
// integer range, names longer than their fields, and prompts that name
// themselves. It must load, draw what it can and take input.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ui/button_control.h"
#include "ui_test_support.h"

namespace {

using namespace uitest;
using namespace platform;

std::string hostileScreenFile() {
    const std::string longName(600, 'n');
    // [main] goes last: every key read walks the file from its start, and
    // the list of 1200 entries would make each one slow.
    std::string list = "[main]\r\nxs=99999999999\r\nys=-5\r\n";
    std::string text;
    // 1200 entries, of which only the first thousand are read. Past the
    // first eight they share five sections, one of each type: many controls
    // of one name.
    for (int i = 0; i < 1200; ++i) {
        list += std::to_string(i);
        list += i < 8 ? "=c" : "=t";
        list += std::to_string(i < 8 ? i : i % 5);
        list += "\r\n";
    }
    text += "[c0]\r\ntype=button\r\nx=-2147483648\r\ny=2147483647\r\nxs=2147483647\r\nys=2147483647\r\n"
            "path=missing.tga\r\nphase=-2147483648\r\nprompt=c0\r\n";
    text += "[c1]\r\ntype=static\r\npath=" + std::string(300, 'p') + ".tga\r\nname=" + std::string(1000, 'x') +
            "\r\nlength=-5\r\nperiod=0\r\nphase=2147483647\r\n";
    text += "[c2]\r\ntype=progress\r\nleftpath=missing.tga\r\nx=-100\r\nbtabstop=1\r\n";
    text += "[c3]\r\ntype=checkbox\r\nvalue=7\r\nprompt=c4\r\n";
    text += "[c4]\r\ntype=edit\r\nxs=-5\r\nys=-5\r\nprompt=c3\r\n";
    text += "[c5]\r\ntype=" + std::string(100, 't') + "\r\n";
    // A picture stretched far beyond the picture's edge.
    text += "[c6]\r\ntype=static\r\nx=300\r\ny=300\r\npath=red.tga\r\nxs=4000000\r\n";
    // A control whose section name is longer than the name field, whose
    // prompt leads back to the button naming it.
    text += "[c7]\r\ntype=button\r\nprompt=" + longName + "\r\nname=" + std::string(2000, 'k') + "\r\n";
    text += "[" + longName + "]\r\ntype=button\r\nprompt=c7\r\nx=1\r\n";
    const char* types[] = {"static", "button", "checkbox", "progress", "edit"};
    for (int t = 0; t < 5; ++t)
        text += "[t" + std::to_string(t) + "]\r\ntype=" + types[t] + "\r\nx=" + std::to_string(t * 150) +
                "\r\ny=-" + std::to_string(t * 40) + "\r\nxs=" + std::to_string(t * 100000) + "\r\nname=control " +
                std::to_string(t) + "\r\npath=missing" + std::to_string(t) + ".tga\r\n";
    return text + list;
}

class HostileScreenTest : public UiTest {};

TEST_F(HostileScreenTest, LoadsDrawsAndTakesInputWithoutHarm) {
    dir.write("red.tga", flatTga(40, 40, 0xFF0000));
    dir.write("data/menu/test.ini", hostileScreenFile());
    recordingManager();
    testing::internal::CaptureStderr();  // the missing pictures are reported there
    RecordingScreen* screen = show("test");
    testing::internal::GetCapturedStderr();
    ASSERT_NE(screen, nullptr);
    // c5's unknown type is skipped: 999 controls of the first thousand entries.
    EXPECT_EQ(screen->childCount(), 999);

    const UiElement* text = screen->findChild("c1");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::strlen(text->caption()), UiElement::kCaptionSize - 1u);
    auto* prompted = dynamic_cast<ButtonControl*>(screen->findChild("c7"));
    ASSERT_NE(prompted, nullptr);
    ASSERT_NE(prompted->prompt(), nullptr);
    EXPECT_EQ(prompted->prompt()->prompt(), nullptr);  // prompts of prompts are not followed
    EXPECT_EQ(std::strlen(prompted->prompt()->name()), UiElement::kNameSize - 1u);

    for (int step = 0; step < 60; ++step) EXPECT_EQ(manager->update(20), 0);
    manager->draw(0, 0, *target);
    // The one control with a real picture is drawn, stretched to the edge.
    EXPECT_EQ(pixelAt(*target, 320, 302), kRed);
    EXPECT_EQ(pixelAt(*target, 799, 339), kRed);

    for (int x : {-32768, -1, 0, 5, 400, 799, 32767}) {
        send(WM_MOUSEMOVE, x, x / 2);
        send(WM_LBUTTONDOWN, x, x / 2, MK_LBUTTON);
        send(WM_MOUSEMOVE, -x, x);
        send(WM_LBUTTONUP, -x, x);
        manager->handleWindowMessage(WM_CHAR, 'q', 0);
        manager->handleWindowMessage(WM_KEYDOWN, VK_DELETE, 0);
    }
    manager->draw(0, 0, *target);
    screen->renderStatic(1);
}

}  // namespace
