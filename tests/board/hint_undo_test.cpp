// The automatic hint, the puzzle no-moves notice and puzzle undo.

#include "board_test_support.h"
#include "graphics/sprite.h"

namespace {

using namespace boardtest;

// One move: cells 2 and 3 make 0 0 0 along the top row.
const std::vector<std::string> kOneMove = {"0010", "2345", "4523"};

TEST(Hint, ShowsAfterTenIdleSecondsOnTheMovesPair) {
    TestBoard t;
    t.load(kOneMove);
    for (int i = 0; i < 500; ++i) t->tick(kTick);
    EXPECT_EQ(t->idleTime(), 10000);
    EXPECT_EQ(t.log.count("sound help"), 0);
    t->tick(kTick);
    EXPECT_EQ(t.log.count("sound help"), 1);
    EXPECT_EQ(t->idleTime(), 0);
    // The first cell of the pair starts half a cycle later than the second.
    EXPECT_EQ(t->pieceAt(2)->hintHalf, 1);
    EXPECT_EQ(t->pieceAt(3)->hintHalf, 0);
    EXPECT_EQ(t->hintFrom().x, t->cell(2).px() + 20);
    EXPECT_EQ(t->hintTo().y, t->cell(3).py() + 20);
    EXPECT_EQ(t.log.starting("tutorial 0")[0],
              "tutorial 0 at " + std::to_string(t->cell(2).px() + 20) + "," + std::to_string(t->cell(2).py() + 20));

    // Both play the help animation for one 750 ms cycle, the first half a
    // cycle ahead, so the two pulse in turn.
    Piece* first = t->pieceAt(2);
    Piece* second = t->pieceAt(3);
    t->tick(kTick);
    EXPECT_EQ(first->hintPhase, 2);
    EXPECT_EQ(second->hintPhase, 2);
    EXPECT_EQ(first->animClock - second->animClock, 375);
    EXPECT_TRUE(first->onDynamicLayer);
    for (int i = 0; i < 36; ++i) t->tick(kTick);
    EXPECT_EQ(second->hintPhase, 2);
    t->tick(kTick);
    EXPECT_EQ(first->hintPhase, 0);
    EXPECT_EQ(second->hintPhase, 0);
    t->tick(kTick);
    EXPECT_FALSE(first->onDynamicLayer);
}

TEST(Hint, NotWhileOneOfItsCellsIsSelected) {
    TestBoard t;
    t.load(kOneMove);
    t->onLeftPress(t.centreX(3), t.centreY(3));
    t->onLeftRelease();
    for (int i = 0; i < 800; ++i) t->tick(kTick);
    EXPECT_EQ(t.log.count("sound help"), 0);
    // Selecting elsewhere lets it come.
    t->onLeftPress(t.centreX(8), t.centreY(8));
    t->tick(kTick);
    EXPECT_EQ(t.log.count("sound help"), 1);
}

// The tutorial's first entry is offered at the hint; when the panel opens,
// play pauses there and the rest of the idle tick does not run.
TEST(Hint, AnOpenedTutorialEndsTheTick) {
    TestBoard t(BoardMode::ModeQuest);
    t.host.tutorialOpens = true;
    t.load(kOneMove);
    for (int i = 0; i < 600; ++i) t->tick(kTick);
    EXPECT_EQ(t->idleTime(), 0);
    EXPECT_EQ(t.log.count("sound help"), 0);
    EXPECT_FALSE(t.host.levelComplete);
    t.host.tutorialOpens = false;
    t->tick(kTick);
    EXPECT_TRUE(t.host.levelComplete);
}

TEST(NoMoves, PuzzleBoardWithoutAMoveShowsTheNoticeAndUndoTakesItAway) {
    TestBoard t(BoardMode::ModePuzzle);
    const std::vector<std::string> opening = {"1230", "4510", "2304"};
    t.load(opening);
    // The one move clears the right column; what is left has none.
    t.drag(10, 11);
    ASSERT_GT(t.runUntilIdle(), 0);
    ASSERT_EQ(t.log.count("no moves"), 1);
    EXPECT_EQ(t.host.overlay.updatedMs, 0);
    EXPECT_EQ(t->noMovesOverlay(), &t.host.overlay);
    t->tick(kTick);
    EXPECT_EQ(t.log.count("no moves"), 1) << "opened once and kept";
    EXPECT_EQ(t.host.overlay.updatedMs, kTick);
    Sprite target;
    t->drawDynamic(target);
    EXPECT_EQ(t.host.overlay.draws, 1);
    t->onLeftPress(t.centreX(0), t.centreY(0));
    EXPECT_EQ(t->selected(), -1) << "presses are ignored under the notice";

    ASSERT_TRUE(t->undo());
    EXPECT_EQ(t->noMovesOverlay(), nullptr);
    EXPECT_EQ(t.kinds(), opening);
}

TEST(NoMoves, OtherModesNeverShowIt) {
    TestBoard t(BoardMode::ModeAction);
    t.load({"0123", "4567"});
    for (int i = 0; i < 10; ++i) t->tick(kTick);
    EXPECT_EQ(t.log.count("no moves"), 0);
}

// Three swaps, each making a line; the third breaks a lock.
TEST(Undo, ThreeTimesRestoresTheOpeningKindsAndLocksAndAFourthDoesNothing) {
    TestBoard t(BoardMode::ModePuzzle);
    const std::vector<std::string> opening = {"00102232", "44547767", "12345670"};
    const std::vector<std::string> openingLocks = {"00000000", "10000002", "00000000"};
    t.load(opening, openingLocks);
    for (const auto& [a, b] : std::vector<std::pair<int, int>>{{2, 3}, {6, 7}, {10, 11}}) {
        t.drag(a, b);
        ASSERT_GT(t.runUntilIdle(), 0);
        t->tick(kTick);
    }
    EXPECT_EQ(t->undoCount(), 3);
    EXPECT_EQ(t->pieceAt(8)->lock, 0);
    EXPECT_NE(t.kinds(), opening);

    for (int i = 0; i < 3; ++i) EXPECT_TRUE(t->undo()) << i;
    EXPECT_EQ(t.kinds(), opening);
    EXPECT_EQ(t.locks(), openingLocks);
    EXPECT_EQ(t->undoCount(), 0);
    EXPECT_FALSE(t->undo());
    EXPECT_EQ(t.kinds(), opening);
    EXPECT_EQ(pieceBookkeepingFault(*t), "");
    for (int i = 0; i < t->cellCount(); ++i) {
        EXPECT_EQ(t->pieceAt(i)->state, PieceState::Idle);
        EXPECT_EQ(t->pieceAt(i)->x, float(t.centreX(i)));
    }
}

TEST(Undo, OnlyInPuzzleModeAndNotWhileBusy) {
    TestBoard t(BoardMode::ModePuzzle);
    t.load(kOneMove);
    t.drag(2, 3);
    EXPECT_FALSE(t->undo()) << "busy";
    ASSERT_GT(t.runUntilIdle(), 0);
    EXPECT_TRUE(t->undo());

    TestBoard action;
    action.load(kOneMove);
    action.drag(2, 3);
    action.runUntilIdle();
    EXPECT_FALSE(action->undo());
}

// A swap that is still waiting for its result when undo comes is undone by
// the undo alone, not swapped back on top of it.
TEST(Undo, RightAfterTheSwapRestsIsNotFollowedByASwapBack) {
    TestBoard t(BoardMode::ModePuzzle);
    const std::vector<std::string> rows = {"1234", "3412"};
    t.load(rows);
    t.drag(1, 2);
    while (t->busy()) t->tick(kTick);
    ASSERT_EQ(t->swapOrigin(), 1);
    ASSERT_TRUE(t->undo());
    t.runUntilIdle();
    t->tick(kTick);
    EXPECT_EQ(t.kinds(), rows);
    EXPECT_EQ(t.log.count("sound swapback"), 0);
}

// Undo rewrites pieces in place, so the specials must come back with the
// kinds: the rainbow stays a rainbow, the teleport stays on its piece.
TEST(Undo, RestoresRainbowAndTeleportPieces) {
    TestBoard t(BoardMode::ModePuzzle);
    t.load({"00103", "45678"});
    t->pieceAt(4)->kind = KindRaduga;
    t->pieceAt(4)->special = SpecialRaduga;
    t->pieceAt(3)->special = SpecialTeleport;
    // A swap from the neighbour moves the teleport piece along.
    t->startSwap(2, 3);
    ASSERT_GT(t.runUntilIdle(), 0);
    t->tick(kTick);
    ASSERT_TRUE(t->undo());
    ASSERT_NE(t->pieceAt(4), nullptr);
    EXPECT_EQ(t->pieceAt(4)->special, SpecialRaduga);
    EXPECT_EQ(t->kindAt(4), KindRaduga);
    EXPECT_EQ(t->pieceAt(3)->special, SpecialTeleport);
    EXPECT_EQ(t->pieceAt(2)->special, SpecialNone);
}

}  // namespace
