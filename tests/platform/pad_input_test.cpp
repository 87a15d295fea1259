// What a pad sends the game: the keys, their repeat while a direction is
// held, and what happens when pads come and go.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/pad_input.h"
#include "platform/window_messages.h"

namespace {

using namespace platform;

// The queue as "down KEY" / "up KEY" words, emptied.
std::vector<std::string> drain(MessageQueue& queue) {
    std::vector<std::string> out;
    Message m;
    while (queue.take(m)) {
        const bool repeat = m.message == WM_KEYDOWN && (m.lParam & KEY_WAS_DOWN);
        out.push_back(std::string(m.message == WM_KEYDOWN ? (repeat ? "again " : "down ") : "up ") +
                      std::to_string(m.wParam));
    }
    return out;
}

std::string key(const char* what, WParam vk) { return std::string(what) + " " + std::to_string(vk); }

TEST(PadInput, AHeldDirectionRepeatsUntilLetGo) {
    PadInput pads;
    MessageQueue queue;
    pads.attach(7);
    pads.button(7, PadButton::Right, true, queue, 1000);
    pads.tick(queue, 1000 + PadInput::kFirstRepeatMs - 1);
    EXPECT_EQ(drain(queue), std::vector<std::string>{key("down", VK_RIGHT)});
    pads.tick(queue, 1000 + PadInput::kFirstRepeatMs);
    pads.tick(queue, 1000 + PadInput::kFirstRepeatMs + PadInput::kRepeatMs - 1);
    pads.tick(queue, 1000 + PadInput::kFirstRepeatMs + PadInput::kRepeatMs);
    EXPECT_EQ(drain(queue), (std::vector<std::string>{key("again", VK_RIGHT), key("again", VK_RIGHT)}));
    pads.button(7, PadButton::Right, false, queue, 2000);
    pads.tick(queue, 5000);
    EXPECT_EQ(drain(queue), std::vector<std::string>{key("up", VK_RIGHT)});
}

TEST(PadInput, TheStickLeansPastItsDeadZoneAlongItsLongerAxis) {
    PadInput pads;
    MessageQueue queue;
    pads.attach(1);
    noteKeyboardOrMouseInput();
    pads.stick(1, PadInput::kStickDeadZone, 0, queue, 0);
    EXPECT_TRUE(drain(queue).empty());
    EXPECT_FALSE(lastInputFromPad()) << "a stick at rest is no input";
    pads.stick(1, 20000, -30000, queue, 0);
    pads.stick(1, -32768, 1000, queue, 10);
    pads.stick(1, 0, 0, queue, 20);
    EXPECT_EQ(drain(queue), (std::vector<std::string>{key("down", VK_UP), key("up", VK_UP), key("down", VK_LEFT),
                                                     key("up", VK_LEFT)}));
    EXPECT_TRUE(lastInputFromPad());
}

TEST(PadInput, OnlyTheLeadingPadGoingAwayPausesAndItsHeldKeyIsLetGo) {
    PadInput pads;
    MessageQueue queue;
    pads.attach(1);
    pads.attach(2);
    pads.button(2, PadButton::A, true, queue, 0);
    pads.button(2, PadButton::A, false, queue, 0);
    pads.button(1, PadButton::Down, true, queue, 0);
    EXPECT_EQ(pads.leader(), 1) << "the last pad used leads";
    drain(queue);
    pads.detach(2, queue);
    EXPECT_TRUE(drain(queue).empty());
    pads.detach(1, queue);
    EXPECT_EQ(drain(queue), (std::vector<std::string>{key("up", VK_DOWN), key("down", VK_PAUSE), key("up", VK_PAUSE)}));
    EXPECT_EQ(pads.count(), 0);
    // A button of a pad no longer there sends nothing.
    pads.button(1, PadButton::B, true, queue, 0);
    EXPECT_TRUE(drain(queue).empty());
}

}  // namespace
