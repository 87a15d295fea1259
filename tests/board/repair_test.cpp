// Dealing a level and keeping a refilled board playable.

#include "board_test_support.h"

namespace {

using namespace boardtest;

// A level as the map loader leaves it: shape, map locks, no pieces yet.
void dealLevel(TestBoard& t, int w, int h, const std::vector<int>& holes, const std::vector<int>& lockedCells) {
    t->clearLevel();
    ASSERT_TRUE(t->setGeometry(kX0, kY0, w, h));
    for (int i = 0; i < w * h; ++i) t->setCell(i, true);
    for (int i : holes) t->setCell(i, false);
    for (int i : lockedCells) t->setCell(i, true, CoatNone, 2);
    t->fillEmptyCells();
}

TEST(SetupFill, DealsABoardWithAMoveAndNoLine) {
    for (const BoardMode mode : {BoardMode::ModeQuest, BoardMode::ModeAction, BoardMode::ModeCube}) {
        for (std::uint32_t seed = 1; seed <= 200; ++seed) {
            seedBoardRandom(seed);
            TestBoard t(mode);
            if (mode == BoardMode::ModeCube) t->setKestTable({1, 1, 1, 0, 0, 0, 0, 0, 0, 0});
            dealLevel(t, 8, 9, {0, 7, 36}, {20, 21, 50});
            ASSERT_TRUE(t->setupFill()) << seed;
            EXPECT_FALSE(t->hasLine()) << seed;
            EXPECT_NE(t->findMove(), kNoMove) << seed;
            EXPECT_EQ(t->pieceAt(20)->lock, 2);
            EXPECT_EQ(t->pieceAt(50)->lock, 2);
            for (int i = 0; i < t->cellCount(); ++i) {
                if (!t->cell(i).active()) continue;
                ASSERT_NE(t->pieceAt(i), nullptr);
                EXPECT_EQ(t->pieceAt(i)->y, float(t.centreY(i)));
            }
            EXPECT_EQ(pieceBookkeepingFault(*t), "");
            EXPECT_EQ(t.host.unplayable, 0);
        }
    }
}

TEST(SetupFill, GivesUpOnALevelThatCanNeverHaveAMove) {
    TestBoard t;
    t->setKestTable({0, 0, 0, 1, 0, 0, 0, 0, 0, 0});
    dealLevel(t, 4, 4, {}, {});
    EXPECT_FALSE(t->setupFill());
    EXPECT_EQ(t.host.unplayable, 1);

    TestBoard tiny;
    dealLevel(tiny, 2, 1, {}, {});
    EXPECT_FALSE(tiny->setupFill());

    TestBoard locked;
    dealLevel(locked, 3, 1, {}, {0, 1, 2});
    EXPECT_FALSE(locked->setupFill());
}

TEST(EnsurePlayable, ReRollsNewPiecesUntilAMoveExists) {
    seedBoardRandom(5);
    TestBoard t;
    t.load({"0012", "3456"});
    Piece* newPiece = t->pieceAt(3);
    newPiece->kind = 7;
    newPiece->state = PieceState::Birth;
    ASSERT_EQ(t->findMove(), kNoMove);
    t->ensurePlayable();
    // Only 0 in the new piece's cell makes the row 0 0 _ 0.
    EXPECT_EQ(newPiece->kind, 0);
    EXPECT_EQ(t.kinds(), (std::vector<std::string>{"0010", "3456"}));
    EXPECT_EQ(t.host.unplayable, 0);
}

TEST(EnsurePlayable, KeepsTheKindTableAndTheRainbow) {
    seedBoardRandom(8);
    TestBoard t;
    t->setKestTable({0, 1, 0, 0, 0, 0, 1, 0, 0, 0});
    t.load({"0", "1", "2"});
    Piece* a = t->pieceAt(0);
    Piece* rainbow = t->pieceAt(1);
    a->state = rainbow->state = PieceState::Birth;
    rainbow->kind = KindRaduga;
    rainbow->special = SpecialRaduga;
    t->ensurePlayable();
    EXPECT_EQ(t.host.unplayable, 1);
    EXPECT_TRUE(a->kind == 1 || a->kind == 6) << a->kind;
    EXPECT_EQ(rainbow->kind, KindRaduga);
}

TEST(EnsurePlayable, AStandingLineIsEnough) {
    TestBoard t;
    t.load({"000", "123"});
    Piece* p = t->pieceAt(3);
    p->state = PieceState::Birth;
    t->ensurePlayable();
    EXPECT_EQ(p->kind, 1);
    EXPECT_EQ(t.host.unplayable, 0);
}

// Only kind 2 can be born, and the locked pieces below offer no move: every
// refill of the top row is a line, which falls and is refilled again. The
// board must come to rest, and the level end by the rule for a board that
// cannot be made playable.
TEST(EnsurePlayable, ABoardWhoseRefillsOnlyEverLineUpComesToRest) {
    seedBoardRandom(3);
    TestBoard t;
    t->setKestTable({0, 0, 1, 0, 0, 0, 0, 0, 0, 0});
    t.load({"222", "013", "130"}, {"000", "111", "111"});
    EXPECT_GT(t.runUntilIdle(20000), 0);
    EXPECT_EQ(t.host.unplayable, 1);
    EXPECT_LE(t.log.starting("wave ").size(), 40u);
    // At rest it stays so.
    for (int i = 0; i < 100; ++i) ASSERT_TRUE(t.idleTick());
    EXPECT_EQ(t.host.unplayable, 1);
}

}  // namespace
