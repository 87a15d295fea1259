// The board played from the keyboard: the ring's steps over holes, and the
// picks, swaps and special pieces keyed in, each judged by what the board
// did with them (the same sounds, swaps back and tutorial offers a mouse
// gets). Boards are at (100, 100), as in the board's own tests.

#include <deque>
#include <random>
#include <set>

#include "board/board_test_support.h"
#include "game/board_keyboard_cursor.h"
#include "platform/win_messages.h"

namespace {

using namespace boardtest;
using Direction = BoardKeyboardCursor::Direction;
constexpr Direction kDirections[] = {Direction::Left, Direction::Right, Direction::Up, Direction::Down};

// One move: cells 2 and 3 make 0 0 0 along the top row. The ring first
// shows on cell 5, the cell nearest the middle.
const std::vector<std::string> kOneMove = {"0010", "2345", "4523"};

void press(BoardKeyboardCursor& ring, TestBoard& t, platform::WParam key) {
    EXPECT_TRUE(ring.keyDown(static_cast<int>(key), *t));
}

// The ring shown on `cell`, nothing picked.
void ringTo(BoardKeyboardCursor& ring, TestBoard& t, int cell) {
    if (!ring.shown(*t)) press(ring, t, platform::VK_RIGHT);
    ASSERT_EQ(ring.cell(), 5);
    const BoardGeometry& g = t->geometry();
    while (g.row(ring.cell()) > g.row(cell)) press(ring, t, platform::VK_UP);
    while (g.column(ring.cell()) < g.column(cell)) press(ring, t, platform::VK_RIGHT);
    while (g.column(ring.cell()) > g.column(cell)) press(ring, t, platform::VK_LEFT);
    ASSERT_EQ(ring.cell(), cell);
}

TEST(KeyboardRing, StepsSkipHolesKeepToTheLineAndStopAtTheEdge) {
    TestBoard t;
    // 0 1 # 2 3
    // 4 # # # 5
    // # 6 7 1 0
    t.load({"01#23", "4###5", "#6710"});
    EXPECT_EQ(BoardKeyboardCursor::step(*t, 1, Direction::Right), 3);
    EXPECT_EQ(BoardKeyboardCursor::step(*t, 3, Direction::Left), 1);
    EXPECT_EQ(BoardKeyboardCursor::step(*t, 4, Direction::Right), 4);
    EXPECT_EQ(BoardKeyboardCursor::step(*t, 11, Direction::Down), 11);
    // Nothing straight up from 12: the nearest cell up and aside.
    EXPECT_EQ(BoardKeyboardCursor::step(*t, 12, Direction::Up), 1);
    EXPECT_EQ(BoardKeyboardCursor::step(*t, 5, Direction::Down), 11);
    EXPECT_EQ(BoardKeyboardCursor::step(*t, 9, Direction::Up), 4);
}

TEST(KeyboardRing, EveryCellOfAnyShapeCanBeReached) {
    std::mt19937 random(7);
    for (int trial = 0; trial < 300; ++trial) {
        const int w = 2 + int(random() % 13), h = 2 + int(random() % 9);
        std::vector<std::string> rows(static_cast<std::size_t>(h), std::string(static_cast<std::size_t>(w), '0'));
        for (auto& row : rows)
            for (char& c : row) c = random() % 3 == 0 ? '#' : char('0' + random() % 8);
        TestBoard t;
        t.load(rows);
        std::set<int> active;
        for (int cell = 0; cell < w * h; ++cell)
            if (t->cell(cell).active()) active.insert(cell);
        if (active.empty()) continue;
        const int start = *active.begin();
        std::set<int> reached{start};
        std::deque<int> queue{start};
        while (!queue.empty()) {
            const int cell = queue.front();
            queue.pop_front();
            for (Direction d : kDirections) {
                const int next = BoardKeyboardCursor::step(*t, cell, d);
                ASSERT_TRUE(active.count(next)) << "the ring left the board";
                if (reached.insert(next).second) queue.push_back(next);
            }
        }
        ASSERT_EQ(reached, active) << "trial " << trial;
    }
}

TEST(KeyboardRing, TheFirstKeyOnlyShowsTheRing) {
    TestBoard t;
    t.load(kOneMove);
    BoardKeyboardCursor ring;
    EXPECT_FALSE(ring.shown(*t));
    EXPECT_FALSE(ring.keyDown('Q', *t));
    press(ring, t, platform::VK_SPACE);
    EXPECT_TRUE(ring.shown(*t));
    EXPECT_EQ(ring.cell(), 5);
    EXPECT_EQ(t->selected(), -1) << "nothing picked by the key that showed the ring";
    press(ring, t, platform::VK_LEFT);
    EXPECT_EQ(ring.cell(), 4);
    // The mouse hides it; it comes back where it was.
    ring.hide();
    press(ring, t, platform::VK_LEFT);
    EXPECT_EQ(ring.cell(), 4);
    // A board of another shape, where that cell is a hole: the ring is gone
    // until the next key, which shows it nearest the middle.
    t.load({"0#2", "3#5", "678"});
    EXPECT_FALSE(ring.shown(*t));
    press(ring, t, platform::VK_UP);
    EXPECT_EQ(ring.cell(), 3);
}

TEST(KeyboardRing, ALockedNeighbourSwapsBackWithItsSoundAndTutorial) {
    TestBoard t;
    t.load(kOneMove, {"0001", "0000", "0000"});
    BoardKeyboardCursor ring;
    ringTo(ring, t, 2);
    press(ring, t, platform::VK_SPACE);
    EXPECT_EQ(t->selected(), 2);
    EXPECT_EQ(t.log.count("sound select_kest at " + std::to_string(t.centreX(2))), 1);
    press(ring, t, platform::VK_RIGHT);
    EXPECT_TRUE(t->busy()) << "the drag's swap, not the click's silence";
    EXPECT_EQ(ring.cell(), 2);
    ASSERT_GT(t.runUntilIdle(), 0);
    EXPECT_EQ(t.log.count("sound swapback"), 1);
    EXPECT_EQ(t.log.starting("tutorial 3").size(), 1u);
    EXPECT_EQ(t.kinds(), kOneMove);
    EXPECT_TRUE(t.log.starting("wave").empty());
}

TEST(KeyboardRing, EnterAgainPutsThePieceDownAndArrowsThenMoveTheRing) {
    TestBoard t;
    t.load(kOneMove);
    BoardKeyboardCursor ring;
    ringTo(ring, t, 2);
    press(ring, t, platform::VK_RETURN);
    EXPECT_EQ(t->selected(), 2);
    press(ring, t, platform::VK_RETURN);
    EXPECT_EQ(t->selected(), -1);
    press(ring, t, platform::VK_RIGHT);
    EXPECT_EQ(ring.cell(), 3);
    EXPECT_FALSE(t->busy());
    // A piece picked with the mouse: the first arrow swaps it at once.
    ring.hide();
    t.click(6);
    press(ring, t, platform::VK_DOWN);
    EXPECT_TRUE(t->busy());
    EXPECT_EQ(ring.cell(), 6);
}

TEST(KeyboardRing, ATeleportWaitsForItsTargetAndARainbowTakesTheNeighbourAnArrowPointsAt) {
    TestBoard t;
    t.load(kOneMove);
    t->pieceAt(0)->special = SpecialTeleport;
    BoardKeyboardCursor ring;
    ringTo(ring, t, 0);
    press(ring, t, platform::VK_SPACE);
    EXPECT_TRUE(t->teleportArmed());
    press(ring, t, platform::VK_DOWN);
    press(ring, t, platform::VK_DOWN);
    press(ring, t, platform::VK_RIGHT);
    EXPECT_EQ(ring.cell(), 9);
    EXPECT_EQ(t->selected(), 0);
    EXPECT_FALSE(t->busy());
    press(ring, t, platform::VK_SPACE);
    EXPECT_EQ(t.log.count("sound teleport"), 1);
    ASSERT_GT(t.runUntilIdle(), 0);
    EXPECT_EQ(t->kindAt(9), 0);

    TestBoard r;
    r.load(kOneMove);
    r->putPiece(7, KindRaduga, SpecialRaduga);
    BoardKeyboardCursor rainbowRing;
    press(rainbowRing, r, platform::VK_RIGHT);
    press(rainbowRing, r, platform::VK_RIGHT);
    press(rainbowRing, r, platform::VK_RIGHT);
    ASSERT_EQ(rainbowRing.cell(), 7);
    press(rainbowRing, r, platform::VK_SPACE);
    EXPECT_TRUE(r->radugaArmed());
    press(rainbowRing, r, platform::VK_UP);
    EXPECT_EQ(r.log.count("sound raduga"), 1);
    EXPECT_EQ(r->kindAt(7), 0) << "the kind of the piece above";
    EXPECT_EQ(rainbowRing.cell(), 7);
}

TEST(KeyboardHint, TheHintKeyShowsItAtTheNextRest) {
    TestBoard t;
    t.load(kOneMove);
    t->requestHint();
    t->tick(kTick);
    EXPECT_EQ(t.log.count("sound help"), 1);
    EXPECT_FALSE(t->hintRequested());
    EXPECT_EQ(t->pieceAt(2)->hintPhase, 1);
    // Once shown, the next one waits the usual ten seconds again.
    for (int i = 0; i < 400; ++i) t->tick(kTick);
    EXPECT_EQ(t.log.count("sound help"), 1);
}

}  // namespace
