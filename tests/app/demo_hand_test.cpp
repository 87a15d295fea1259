// The demo's hand as the game receives it: window messages from the
// headless backend, at a person's pace. A drag glides to the piece, waits
// before pressing, carries the pointer over in small steps and lets go on
// the neighbour; nothing jumps, and the whole takes the time a hand takes.

#include <cstdlib>
#include <vector>

#include <gtest/gtest.h>

#include "app/demo_hand.h"
#include "platform/headless_backend.h"
#include "platform/window_messages.h"

namespace {

using namespace platform;

struct Received {
    std::uint32_t message = 0;
    int x = 0, y = 0;
    int atMs = 0;
};

// Runs the hand frame by frame until it is done; what reached the queue.
std::vector<Received> run(DemoHand& hand, HeadlessBackend& backend) {
    std::vector<Received> got;
    messageQueue().clear();
    for (int ms = 0; ms < 10000 && hand.busy(); ms += 20) {
        hand.step(20, backend);
        Message m;
        while (messageQueue().take(m)) got.push_back({m.message, mouseX(m.lParam), mouseY(m.lParam), ms});
    }
    return got;
}

TEST(DemoHand, DragsAPieceOntoItsNeighbourAtAPersonsPace) {
    HeadlessBackend backend;
    DemoHand hand;
    hand.drag(100, 100, 148, 100);
    const std::vector<Received> got = run(hand, backend);
    ASSERT_FALSE(hand.busy());

    int down = -1, up = -1, moves = 0;
    for (std::size_t i = 0; i < got.size(); ++i) {
        if (got[i].message == WM_LBUTTONDOWN) down = int(i);
        if (got[i].message == WM_LBUTTONUP) up = int(i);
        if (got[i].message == WM_MOUSEMOVE) ++moves;
    }
    ASSERT_GE(down, 1);
    ASSERT_GT(up, down);
    EXPECT_EQ(got[size_t(down)].x, 100);
    EXPECT_EQ(got[size_t(down)].y, 100);
    EXPECT_EQ(got[size_t(up)].x, 148);
    EXPECT_EQ(got[size_t(up)].y, 100);
    // The press waits after the pointer has arrived.
    EXPECT_GE(got[size_t(down)].atMs - got[size_t(down) - 1].atMs, DemoHand::kAimMs - 20);
    // Between press and release the pointer glides over several frames,
    // never jumping more than half a cell at once.
    int glideFrames = 0, lastX = 100;
    for (int i = down + 1; i < up; ++i) {
        if (got[size_t(i)].message != WM_MOUSEMOVE) continue;
        ++glideFrames;
        EXPECT_LE(std::abs(got[size_t(i)].x - lastX), 24);
        lastX = got[size_t(i)].x;
    }
    EXPECT_GE(glideFrames, DemoHand::kShortestGlideMs / 20 / 2);
    EXPECT_GE(moves, 10) << "the way from the middle of the picture to the piece is glided too";
    EXPECT_GE(got[size_t(up)].atMs - got[size_t(down)].atMs, DemoHand::kHoldMs + DemoHand::kShortestGlideMs - 40);
    // The backend knows where the pointer is, so the game draws its cursor there.
    int x = 0, y = 0;
    ASSERT_TRUE(backend.cursorPosition(x, y));
    EXPECT_EQ(x, 148);
}

}  // namespace
