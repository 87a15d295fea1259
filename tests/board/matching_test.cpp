// Match detection on hand-built boards: runs, shared cells, the skip of lines
// with pieces on the move, cube squares, and locked pieces in a line.

#include "board_test_support.h"

namespace {

using namespace boardtest;

TEST(Matching, RunOfFiveHitsEachCellOnce) {
    TestBoard t;
    t.load({"00000", "12121", "34343"});
    EXPECT_EQ(t->detectMatches(false), 5);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(t->pieceAt(i)->state, PieceState::Dying) << i;
    EXPECT_EQ(t->pieceAt(5)->state, PieceState::Idle);
    EXPECT_EQ(t->removedByKind(0), 5);
    EXPECT_EQ(t->waveRemoved(), 5);
    EXPECT_EQ(t.log.starting("event").size(), 5u);
    EXPECT_TRUE(t->moveMade());
}

// The corner of an L lies in a column run and a row run: it is hit twice, so
// its kind counts six toward the gems, but it is removed (and scored) once.
TEST(Matching, SharedCellOfAnLIsHitTwice) {
    TestBoard t;
    t.load({"012", "034", "000"});
    EXPECT_EQ(t->detectMatches(false), 6);
    EXPECT_EQ(t->removedByKind(0), 6);
    EXPECT_EQ(t->waveRemoved(), 5);
    EXPECT_EQ(t->moveRemoved(), 5);
    // Columns are walked before rows, each run from its start.
    EXPECT_EQ(t.log.starting("event"),
              (std::vector<std::string>{"event 0 type 0", "event 3 type 0", "event 6 type 0", "event 7 type 0",
                                        "event 8 type 0"}));
}

TEST(Matching, LineWithAPieceOnItsWayIsSkippedWhole) {
    TestBoard t;
    t.load({"000", "123"});
    t->markChanged(1);
    EXPECT_EQ(t->detectMatches(false), 0);
    EXPECT_FALSE(t->moveMade());

    // A changed cell elsewhere does not stop this line.
    t.load({"000", "123"});
    t->markChanged(4);
    EXPECT_EQ(t->detectMatches(false), 3);
}

TEST(Matching, HolesAndEmptyCellsBreakRuns) {
    TestBoard t;
    t.load({"00#00", "0.0.0"});
    EXPECT_EQ(t->detectMatches(false), 0);
    EXPECT_FALSE(t->hasLine());
    EXPECT_EQ(t->kindAt(2), kNoKind);
    EXPECT_EQ(t->kindAt(6), kNoKind);
}

TEST(Matching, CubeSquareHitsItsFourCellsInOrder) {
    TestBoard t(BoardMode::ModeCube);
    t.load({"001", "002", "345"});
    EXPECT_EQ(t->detectMatches(false), 4);
    EXPECT_EQ(t.log.starting("event"),
              (std::vector<std::string>{"event 0 type 0", "event 1 type 0", "event 4 type 0", "event 3 type 0"}));
}

TEST(Matching, CubeModeMatchesSquaresNotLines) {
    TestBoard t(BoardMode::ModeCube);
    t.load({"000", "123", "456"});
    EXPECT_EQ(t->detectMatches(false), 0);
    EXPECT_FALSE(t->hasLine());
}

TEST(Matching, OverlappingSquaresHitSharedCellsAgain) {
    TestBoard t(BoardMode::ModeCube);
    t.load({"000", "000", "123"});
    EXPECT_EQ(t->detectMatches(false), 8);
    EXPECT_EQ(t->removedByKind(0), 8);
    EXPECT_EQ(t->waveRemoved(), 6);
}

TEST(Matching, LockedPieceTakesTheHitAndStays) {
    TestBoard t;
    t.load({"000", "123"}, {"020", "000"});
    t.host.chain = 4;
    EXPECT_EQ(t->detectMatches(false), 3);
    Piece* locked = t->pieceAt(1);
    EXPECT_EQ(locked->lock, 1);
    EXPECT_EQ(locked->state, PieceState::Idle);
    EXPECT_EQ(t->pieceAt(0)->state, PieceState::Dying);
    EXPECT_EQ(t->pieceAt(2)->state, PieceState::Dying);
    EXPECT_TRUE(t->cell(1).hitThisTick());
    EXPECT_EQ(t.log.count("sound block"), 1);
    EXPECT_EQ(t.log.count("event 1 type 0"), 0);
    EXPECT_EQ(t->waveRemoved(), 3);
    EXPECT_EQ(t.host.chain, 5);
}

TEST(Matching, PuzzleModeQueuesNoScore) {
    TestBoard t(BoardMode::ModePuzzle);
    t.load({"000", "123"});
    EXPECT_EQ(t->detectMatches(false), 3);
    EXPECT_TRUE(t.log.starting("event").empty());
    EXPECT_EQ(t->waveRemoved(), 3);
}

TEST(Matching, ImmediateRemovalFreesPiecesOfBothPasses) {
    TestBoard t;
    t.load({"012", "034", "000"});
    const int before = t->pieces().size();
    EXPECT_GT(t->detectMatches(true), 0);
    // The column goes first and takes the corner; the row then holds two.
    EXPECT_EQ(t.kinds(), (std::vector<std::string>{".12", ".34", ".00"}));
    EXPECT_EQ(t->pieces().size(), before - 3);
    EXPECT_FALSE(t->moveMade());
}

}  // namespace
