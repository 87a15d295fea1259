// The mouse on the board: selecting, the drag threshold, drags at the edges,
// clicks, and the swap back of a swap that made no line.

#include "board_test_support.h"

namespace {

using namespace boardtest;

// No lines and no matches from any single drag on the middle cell's row.
const std::vector<std::string> kPlain = {"1234", "3412", "1234"};

TEST(Input, PressSelectsAndPlaysThePannedSelectSound) {
    TestBoard t;
    t.load(kPlain);
    t->onLeftPress(t.centreX(5), t.centreY(5));
    EXPECT_EQ(t->selected(), 5);
    EXPECT_TRUE(t->cell(5).selected());
    EXPECT_TRUE(t->pieceAt(5)->selectedFast);
    EXPECT_TRUE(t->ringShown());
    EXPECT_EQ(t->ring().x, t->cell(5).px());
    EXPECT_EQ(t.log.entries, (std::vector<std::string>{"sound select_kest at " + std::to_string(t.centreX(5))}));
}

TEST(Input, DragOfTwentyPixelsDoesNothingAndTwentyOneSwaps) {
    TestBoard t;
    t.load(kPlain);
    const int x = t.centreX(5), y = t.centreY(5);
    t->onLeftPress(x, y);
    t->onMouseMove(x + 20, y);
    t->onMouseMove(x, y + 20);
    t->onMouseMove(x - 20, y - 20);
    EXPECT_FALSE(t->busy());
    EXPECT_EQ(t->selected(), 5);
    t->onMouseMove(x + 21, y);
    EXPECT_TRUE(t->busy());
    EXPECT_EQ(t->selected(), -1);
    EXPECT_EQ(t->swapOrigin(), 5);
    EXPECT_EQ(t->kindAt(5), 1);
    EXPECT_EQ(t->kindAt(6), 4);
    EXPECT_EQ(t.log.count("sound swap"), 1);
    // The button is still held, but the swap is spent.
    t->onMouseMove(x + 60, y);
    EXPECT_EQ(t.log.count("sound swap"), 1);
}

TEST(Input, DragsReachEachNeighbour) {
    struct Case {
        int dx, dy, target;
    };
    for (const Case c : {Case{25, 0, 6}, Case{-25, 0, 4}, Case{0, 25, 9}, Case{0, -25, 1}, Case{25, 25, 6}}) {
        TestBoard t;
        t.load(kPlain);
        const int x = t.centreX(5), y = t.centreY(5);
        t->onLeftPress(x, y);
        t->onMouseMove(x + c.dx, y + c.dy);
        EXPECT_EQ(t->cell(5).swapPartner(), c.target) << c.dx << "," << c.dy;
    }
}

TEST(Input, DragsOffTheBoardFromItsEdgesDoNothing) {
    struct Case {
        int cell, dx, dy;
    };
    for (const Case c : {Case{3, 30, 0}, Case{4, -30, 0}, Case{1, 0, -30}, Case{9, 0, 30}}) {
        TestBoard t;
        t.load(kPlain);
        const int x = t.centreX(c.cell), y = t.centreY(c.cell);
        t->onLeftPress(x, y);
        t->onMouseMove(x + c.dx, y + c.dy);
        EXPECT_FALSE(t->busy()) << c.cell;
        EXPECT_EQ(t->selected(), c.cell);
    }
}

TEST(Input, DragOntoAHoleOrEmptyCellDoesNothing) {
    TestBoard t;
    t.load({"12#", "3.4"});
    t->onLeftPress(t.centreX(1), t.centreY(1));
    t->onMouseMove(t.centreX(1) + 30, t.centreY(1));
    t->onMouseMove(t.centreX(1), t.centreY(1) + 30);
    EXPECT_FALSE(t->busy());
}

TEST(Input, ClicksSelectMoveTheSelectionAndSwap) {
    TestBoard t;
    t.load(kPlain, {"0000", "0010", "0000"});
    const auto click = [&](int cell) {
        t->onLeftPress(t.centreX(cell), t.centreY(cell));
        t->onLeftRelease();
    };
    click(0);
    click(0);
    EXPECT_EQ(t->selected(), -1) << "clicking the selected cell deselects it";
    click(0);
    click(6);
    EXPECT_EQ(t->selected(), 0) << "a locked piece cannot be selected";
    t->onLeftPress(50, 50);
    EXPECT_EQ(t->selected(), 0) << "a press beside the board changes nothing";
    click(10);
    EXPECT_EQ(t->selected(), 10) << "a click away from the selection moves it";
    EXPECT_FALSE(t->cell(0).selected());
    click(11);
    EXPECT_EQ(t->selected(), -1);
    EXPECT_TRUE(t->busy());
    // The cell clicked second is the one swapped back.
    EXPECT_EQ(t->swapOrigin(), 11);
}

TEST(Input, RightPressDeselectsEvenWhileBusy) {
    TestBoard t;
    t.load(kPlain);
    t->onLeftPress(t.centreX(0), t.centreY(0));
    t->startSwap(9, 10);
    ASSERT_TRUE(t->busy());
    t->onRightPress(0, 0);
    EXPECT_EQ(t->selected(), -1);
    EXPECT_FALSE(t->ringShown());
}

TEST(Input, PressesAreIgnoredOnceTheLevelIsComplete) {
    TestBoard t;
    t.load(kPlain);
    t.host.levelComplete = true;
    t->onLeftPress(t.centreX(0), t.centreY(0));
    EXPECT_EQ(t->selected(), -1);
    EXPECT_TRUE(t.log.entries.empty());
}

TEST(SwapBack, SwapWithoutALineIsReversedWithSwapback) {
    TestBoard t;
    t.load(kPlain);
    const Piece* a = t->pieceAt(5);
    const Piece* b = t->pieceAt(6);
    t.drag(5, 6);
    ASSERT_GT(t.runUntilIdle(), 0);
    EXPECT_EQ(t.kinds(), kPlain);
    EXPECT_EQ(t->pieceAt(5), a);
    EXPECT_EQ(t->pieceAt(6), b);
    EXPECT_EQ(a->x, float(t.centreX(5)));
    EXPECT_EQ(t->swapOrigin(), -1);
    EXPECT_EQ(t.log.starting("sound swap"), (std::vector<std::string>{"sound swap", "sound swap", "sound swapback"}));
    EXPECT_EQ(t.log.count("tutorial 3 at " + std::to_string(t.centreX(5)) + "," + std::to_string(t.centreY(5))), 1);
    EXPECT_TRUE(t.log.starting("wave").empty());
}

TEST(SwapBack, PiecesTradeCellsAtOnceAndArriveAtTheSwapSpeed) {
    TestBoard t;
    t.load(kPlain);
    Piece* a = t->pieceAt(5);
    t->startSwap(5, 6);
    EXPECT_EQ(t->pieceAt(6), a);
    EXPECT_TRUE(t->cell(5).changed());
    EXPECT_EQ(a->state, PieceState::Swapping);
    EXPECT_EQ(a->moveDir, 0);
    EXPECT_EQ(t->pieceAt(5)->moveDir, 2);
    // 48 pixels at 0.4 pixels per ms: past the target after 121 ms, so in the
    // seventh 20 ms step.
    for (int i = 0; i < 6; ++i) t->tick(kTick);
    EXPECT_EQ(a->state, PieceState::Swapping);
    t->tick(kTick);
    EXPECT_EQ(a->state, PieceState::Idle);
    EXPECT_EQ(a->x, float(t.centreX(6)));
}

TEST(SwapBack, SwapWithALockedPieceMovesNothingAndSwapsBack) {
    TestBoard t;
    t.load(kPlain, {"0000", "0010", "0000"});
    t->onLeftPress(t.centreX(5), t.centreY(5));
    t->onMouseMove(t.centreX(5) + 30, t.centreY(5));
    EXPECT_TRUE(t->busy());
    EXPECT_EQ(t.log.count("sound swap"), 0);
    ASSERT_GT(t.runUntilIdle(), 0);
    EXPECT_EQ(t.kinds(), kPlain);
    EXPECT_EQ(t.log.count("sound swapback"), 1);
}

TEST(SwapBack, PuzzleSwapBackDropsItsSnapshot) {
    TestBoard t(BoardMode::ModePuzzle);
    t.load(kPlain);
    t.drag(5, 6);
    EXPECT_EQ(t->undoCount(), 1);
    ASSERT_GT(t.runUntilIdle(), 0);
    EXPECT_EQ(t->undoCount(), 0);
}

TEST(SwapBack, SwapThatMakesALineIsFinal) {
    TestBoard t;
    t.load({"0010", "2345", "4523"});
    t.drag(2, 3);
    ASSERT_GT(t.runUntilIdle(), 0);
    EXPECT_EQ(t.log.count("sound swapback"), 0);
    EXPECT_EQ(t.log.count("wave 0 of 3"), 1);
}

// The swap's motion ends in one tick and its verdict comes in the next; a
// press or a drag in between must not start a swap that takes the failed
// one's place.
TEST(Input, NothingGetsBetweenAFailedSwapAndItsReversal) {
    for (const BoardMode mode : {BoardMode::ModeAction, BoardMode::ModePuzzle}) {
        TestBoard t(mode);
        t.load(kPlain);
        t.drag(5, 6);
        for (int i = 0; i < 500 && t->busy(); ++i) t->tick(kTick);
        ASSERT_FALSE(t->busy());
        ASSERT_EQ(t->swapOrigin(), 5);
        t.drag(1, 2);
        t.click(9);
        t.click(10);
        ASSERT_GT(t.runUntilIdle(), 0);
        EXPECT_EQ(t.kinds(), kPlain);
        EXPECT_EQ(t.log.count("sound swap"), 2);
        EXPECT_EQ(t.log.count("sound swapback"), 1);
        // The press after it works again (a puzzle without a move shows its
        // no-moves overlay instead).
        if (mode == BoardMode::ModePuzzle) continue;
        t.drag(1, 2);
        EXPECT_EQ(t->swapOrigin(), 1);
    }
}

}  // namespace
