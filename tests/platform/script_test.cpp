#include "platform/script.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/latin1_text.h"
#include "platform/window_messages.h"

namespace {

using platform::ScriptCommand;
using Kind = ScriptCommand::Kind;

TEST(Script, ParsesEveryCommand) {
    std::vector<ScriptCommand> commands;
    std::string error;
    ASSERT_TRUE(platform::parseScript("# a comment\n"
                                      "wait 30\r\n"
                                      "  move 10 -20\n"
                                      "down 1 2 right\n"
                                      "up 3 4\n"
                                      "click 5 6\n"
                                      "key a\nkey ESC\nkey F12\nkey ALT+ENTER\nkey space\n"
                                      "type Hi there\n"
                                      "shot out.png\n"
                                      "\n"
                                      "quit\n",
                                      commands, error))
        << error;
    ASSERT_EQ(commands.size(), 13u);
    EXPECT_EQ(commands[0].kind, Kind::Wait);
    EXPECT_EQ(commands[0].milliseconds, 30);
    EXPECT_EQ(commands[1].kind, Kind::Move);
    EXPECT_EQ(commands[1].y, -20);
    EXPECT_TRUE(commands[2].right);
    EXPECT_FALSE(commands[3].right);
    EXPECT_EQ(commands[4].kind, Kind::Click);
    EXPECT_EQ(commands[5].virtualKey, 'A');
    EXPECT_EQ(commands[5].typedChar, 'a');
    EXPECT_EQ(commands[6].virtualKey, platform::VK_ESCAPE);
    EXPECT_EQ(commands[7].virtualKey, platform::VK_F12);
    EXPECT_TRUE(commands[8].altHeld);
    EXPECT_EQ(commands[8].virtualKey, platform::VK_RETURN);
    EXPECT_EQ(commands[9].typedChar, ' ');
    EXPECT_EQ(commands[10].text, "Hi there");
    EXPECT_EQ(commands[11].text, "out.png");
    EXPECT_EQ(commands[12].kind, Kind::Quit);
    EXPECT_EQ(commands[12].line, 15);
}

TEST(Script, BadLinesAreNamed) {
    const char* bad[] = {"wait", "wait -1", "wait 1x", "move 1", "move 1 2 right", "down 1 2 left",
                         "key NOPE", "key F13", "shot", "quit now", "dance 1", "click 99999 0",
                         "pad", "pad z", "pad a b", "pad stick 1 2", "pad stick 101 0 10", "pad stick 0 0 -5",
                         "pad attach now"};
    for (const char* line : bad) {
        std::vector<ScriptCommand> commands;
        std::string error;
        EXPECT_FALSE(platform::parseScript(std::string("wait 20\n") + line + "\n", commands, error)) << line;
        EXPECT_NE(error.find("line 2"), std::string::npos) << error;
    }
}

TEST(Script, TypedTextIsLatin1) {
    EXPECT_EQ(platform::utf8ToLatin1("A\xC3\xA9\xE2\x82\xAC" "b"), "A\xE9" "b");  // e-acute kept, euro sign dropped
    EXPECT_EQ(platform::utf8ToLatin1("\xC3"), "");                                // cut sequence dropped
}

// Shift is held around the key, as a keyboard sends it: Shift+Tab walks
// the menus backwards.
TEST(Script, ShiftIsHeldAroundTheKey) {
    std::vector<ScriptCommand> commands;
    std::string error;
    ASSERT_TRUE(platform::parseScript("key SHIFT+TAB\nkey shift+w\nkey TAB\n", commands, error)) << error;
    ASSERT_EQ(commands.size(), 3u);
    EXPECT_TRUE(commands[0].shiftHeld);
    EXPECT_EQ(commands[0].virtualKey, platform::VK_TAB);
    EXPECT_TRUE(commands[1].shiftHeld);
    EXPECT_EQ(commands[1].virtualKey, 'W');
    EXPECT_FALSE(commands[2].shiftHeld);
    EXPECT_FALSE(platform::parseScript("key SHIFT+\n", commands, error));

    platform::MessageQueue queue;
    platform::postKeyPress(queue, commands[0]);
    std::vector<std::pair<std::uint32_t, platform::WParam>> sent;
    platform::Message m;
    while (queue.take(m)) sent.emplace_back(m.message, m.wParam);
    const std::vector<std::pair<std::uint32_t, platform::WParam>> expected = {
        {platform::WM_KEYDOWN, platform::VK_SHIFT},
        {platform::WM_KEYDOWN, platform::VK_TAB},
        {platform::WM_KEYUP, platform::VK_TAB},
        {platform::WM_KEYUP, platform::VK_SHIFT}};
    EXPECT_EQ(sent, expected);
}

TEST(MousePacking, NegativePositionsSurvive) {
    const auto l = platform::packMousePosition(-5, 700);
    EXPECT_EQ(platform::mouseX(l), -5);
    EXPECT_EQ(platform::mouseY(l), 700);
    EXPECT_EQ(static_cast<std::uint32_t>(platform::packMousePosition(3, 2)), 0x00020003u);
}

}  // namespace
