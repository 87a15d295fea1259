// Falling and birth: what stops a fall, where new pieces appear and when,
// how they grow, and puzzle boards that do not refill.

#include "board_test_support.h"

namespace {

using namespace boardtest;

TEST(Falling, PiecesFallIntoTheGapAndNewOnesAreBornAbove) {
    TestBoard t;
    t.load({"1", "2", "."});
    Piece* upper = t->pieceAt(0);
    Piece* lower = t->pieceAt(1);
    t->startFall();
    EXPECT_EQ(t->pieceAt(2), lower);
    EXPECT_EQ(t->pieceAt(1), upper);
    EXPECT_EQ(lower->state, PieceState::Falling);
    EXPECT_EQ(lower->moveTarget, float(t.centreY(2)));
    EXPECT_FLOAT_EQ(lower->vy, t->tuning().fallVelocity);
    EXPECT_TRUE(t->cell(2).changed());
    ASSERT_NE(t->pieceAt(0), nullptr);
    EXPECT_EQ(t->pieceAt(0)->state, PieceState::Birth);

    for (int i = 0; i < 50; ++i) t->tick(kTick);
    EXPECT_EQ(lower->y, float(t.centreY(2)));
    EXPECT_EQ(upper->y, float(t.centreY(1)));
    EXPECT_EQ(lower->state, PieceState::Idle);
    EXPECT_EQ(t.log.count("sound fall"), 1);
    EXPECT_GT(t.audio->birthCalls, 0);
}

TEST(Falling, AFallFromTwoRowsStartsTwiceAsFast) {
    TestBoard t(BoardMode::ModePuzzle);
    t.load({"1", ".", "."});
    Piece* p = t->pieceAt(0);
    t->startFall();
    EXPECT_EQ(t->pieceAt(2), p);
    EXPECT_FLOAT_EQ(p->vy, 2 * t->tuning().fallVelocity);
}

TEST(Falling, LockedPieceStopsTheFallAndTheGapBelowIsRefilled) {
    TestBoard t;
    t.load({"1", "2", "."}, {"0", "1", "0"});
    Piece* top = t->pieceAt(0);
    Piece* locked = t->pieceAt(1);
    t->startFall();
    EXPECT_EQ(t->pieceAt(0), top);
    EXPECT_EQ(t->pieceAt(1), locked);
    EXPECT_EQ(top->state, PieceState::Idle);
    ASSERT_NE(t->pieceAt(2), nullptr);
    EXPECT_EQ(t->pieceAt(2)->state, PieceState::Birth);
}

TEST(Falling, HoleStopsTheFall) {
    TestBoard t;
    t.load({"1", "#", "."});
    Piece* top = t->pieceAt(0);
    t->startFall();
    EXPECT_EQ(t->pieceAt(0), top);
    EXPECT_EQ(t->pieceAt(2)->state, PieceState::Birth);
    EXPECT_EQ(t->pieceAt(1), nullptr);
}

TEST(Falling, PuzzleModeLeavesEmptiedCellsEmpty) {
    TestBoard t(BoardMode::ModePuzzle);
    t.load({"12", "3.", ".4"});
    t->startFall();
    ASSERT_GT(t.runUntilIdle(), 0);
    EXPECT_EQ(t.kinds(), (std::vector<std::string>{"..", "12", "34"}));
}

// Delays of 5 * ((row - col) * 4 - index - 10) ms: on a board wider than four
// they grow to the right and downward, so the top left appears first.
TEST(Birth, DelaysGrowAwayFromTheTopLeft) {
    TestBoard t;
    t.load({"........", "........", "........"});
    t->startFall();
    const auto delay = [&](int cell) { return t->pieceAt(cell)->timer; };
    EXPECT_EQ(delay(0), -50);
    EXPECT_EQ(delay(1), -75);
    EXPECT_EQ(delay(8), -70);
    EXPECT_EQ(delay(23), 5 * ((2 - 7) * 4 - 23 - 10));
    for (int i = 1; i < t->cellCount(); ++i) EXPECT_LT(delay(i), delay(0)) << i;
    for (int r = 0; r < 3; ++r)
        for (int c = 1; c < 8; ++c) EXPECT_LT(delay(r * 8 + c), delay(r * 8 + c - 1));
}

TEST(Birth, PieceWaitsThenGrowsPastFullSizeAndSettles) {
    TestBoard t;
    t.load({".", "1"});
    t->startFall();
    Piece* p = t->pieceAt(0);
    ASSERT_EQ(p->timer, -50);
    EXPECT_EQ(p->width, 0.0f);
    t->tick(kTick);
    t->tick(kTick);
    t->tick(kTick);  // the delay has run out: 10 ms
    EXPECT_EQ(p->width, 0.0f);
    EXPECT_EQ(t.audio->birthCalls, 0);
    // 250 ms into the growth: past the peak of 1.15 at 240, settling back.
    for (int i = 0; i < 12; ++i) t->tick(kTick);
    EXPECT_EQ(p->timer, 250);
    EXPECT_NEAR(p->width, (1.75f - 0.75f * 250 / 300) * kPieceSize, 0.01f);
    EXPECT_GT(p->width, kPieceSize);
    EXPECT_EQ(p->state, PieceState::Birth);
    for (int i = 0; i < 3; ++i) t->tick(kTick);
    EXPECT_EQ(p->state, PieceState::Idle);
    EXPECT_EQ(p->width, kPieceSize);
}

TEST(Birth, NewPiecesUseOnlyAllowedKinds) {
    TestBoard t;
    t->setKestTable({0, 0, 1, 0, 0, 1, 0, 0, 0, 0});
    seedBoardRandom(7);
    for (int i = 0; i < 200; ++i) {
        const int k = t->spawnPiece(false)->kind;
        EXPECT_TRUE(k == 2 || k == 5) << k;
    }
}

TEST(Birth, BadPiecesOnlyDuringPlayAndRainbowsByTheirChance) {
    TestBoard t;
    t->setKestTable({1, 1, 1, 1, 1, 1, 1, 1, 1, 0});
    t->setBonusTable({0, 100, 0, 0, 0});
    seedBoardRandom(11);
    int bad = 0, rainbow = 0;
    for (int i = 0; i < 4000; ++i) {
        const Piece* p = t->spawnPiece(false);
        bad += p->kind == KindBad;
        if (p->special == SpecialRaduga) {
            ++rainbow;
            EXPECT_EQ(p->kind, KindRaduga);
        }
    }
    EXPECT_GT(bad, 0);
    EXPECT_NEAR(rainbow, 400, 120);
    for (int i = 0; i < 500; ++i) {
        const Piece* p = t->spawnPiece(true);
        EXPECT_LT(p->kind, KindBad);
        EXPECT_EQ(p->special, SpecialNone);
    }
}

TEST(Birth, ALevelWithoutOrdinaryKindsStillDeals) {
    TestBoard t;
    t->setKestTable({0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    for (int i = 0; i < 50; ++i) EXPECT_LT(t->spawnPiece(true)->kind, KindBad);
}

}  // namespace
