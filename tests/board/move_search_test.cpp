// The move search on each of its patterns, with and without locks, for lines
// and for cube squares; and the test for standing lines.

#include "board_test_support.h"

namespace {

using namespace boardtest;

struct PatternCase {
    const char* name;
    std::vector<std::string> rows;
    int move;
    int blocker;  // a cell whose lock leaves no move
};

// Each board holds exactly one move; the filler kinds make no other.
const std::vector<PatternCase> kLinePatterns = {
    // Along a row: X X _ X and X _ X X.
    {"row, gap third", {"0010"}, encodeMove(2, 3), 3},
    {"row, gap second", {"0100"}, encodeMove(0, 1), 0},
    // Along a column.
    {"column, gap third", {"0", "0", "1", "0"}, encodeMove(2, 3), 2},
    {"column, gap second", {"0", "1", "0", "0"}, encodeMove(0, 1), 1},
    // A column line made by a horizontal swap (two wide, three tall).
    {"column by row swap: lowest", {"01", "02", "30"}, encodeMove(4, 5), 4},
    {"column by row swap: top", {"01", "20", "30"}, encodeMove(0, 1), 1},
    {"column by row swap: middle", {"01", "20", "03"}, encodeMove(2, 3), 3},
    {"column by row swap, right kind: lowest", {"10", "20", "03"}, encodeMove(4, 5), 5},
    {"column by row swap, right kind: top", {"10", "02", "03"}, encodeMove(0, 1), 0},
    {"column by row swap, right kind: middle", {"10", "02", "30"}, encodeMove(2, 3), 2},
    // A row line made by a vertical swap (three wide, two tall).
    {"row by column swap: right", {"001", "230"}, encodeMove(2, 5), 2},
    {"row by column swap: left", {"012", "300"}, encodeMove(0, 3), 3},
    {"row by column swap: middle", {"010", "203"}, encodeMove(1, 4), 4},
    {"row by column swap, lower kind: right", {"120", "003"}, encodeMove(2, 5), 5},
    {"row by column swap, lower kind: middle", {"102", "030"}, encodeMove(1, 4), 1},
    {"row by column swap, lower kind: left", {"100", "023"}, encodeMove(0, 3), 0},
};

std::vector<std::string> lockAt(const std::vector<std::string>& rows, int cell) {
    std::vector<std::string> locks(rows.size(), std::string(rows[0].size(), '0'));
    const int w = static_cast<int>(rows[0].size());
    locks[static_cast<std::size_t>(cell / w)][static_cast<std::size_t>(cell % w)] = '1';
    return locks;
}

TEST(MoveSearch, EachLinePatternFindsItsSwapAndALockBlocksIt) {
    for (const PatternCase& c : kLinePatterns) {
        TestBoard t;
        t.load(c.rows);
        ASSERT_FALSE(t->hasLine()) << c.name;
        EXPECT_EQ(t->findMove(), c.move) << c.name;
        t.load(c.rows, lockAt(c.rows, c.blocker));
        EXPECT_EQ(t->findMove(), kNoMove) << c.name << " with cell " << c.blocker << " locked";
    }
}

TEST(MoveSearch, ALockedPieceInTheLineItselfDoesNotBlockTheMove) {
    TestBoard t;
    t.load({"0010"}, {"0100"});
    EXPECT_EQ(t->findMove(), encodeMove(2, 3));
}

TEST(MoveSearch, RowsAreSearchedBeforeColumns) {
    TestBoard t;
    // Row 3 and column 4 each hold a move; the row's is returned.
    t.load({"12345", "23415", "34526", "00105"});
    EXPECT_EQ(t->findMove(), encodeMove(17, 18));
}

TEST(MoveSearch, HoleInTheCornerOfAWindowStillLetsTheOtherKindMatch) {
    TestBoard t;
    t.load({"#0", "20", "03"});
    EXPECT_EQ(t->findMove(), encodeMove(4, 5));
}

// The same kind at the window's top right as at its top left: a hole stops
// the left kind's swap of the middle row, the right kind's swap of the bottom
// row makes the same column.
TEST(MoveSearch, SameKindOnBothTopCellsStillFindsTheOtherSwap) {
    TestBoard t;
    t.load({"00", "#0", "01"});
    EXPECT_EQ(t->findMove(), encodeMove(4, 5));
    t.load({"0#0", "002"});
    EXPECT_EQ(t->findMove(), encodeMove(2, 5));
}

TEST(MoveSearch, NoMoveOnAStuckBoard) {
    TestBoard t;
    t.load({"0123", "4567", "0123", "4567"});
    EXPECT_EQ(t->findMove(), kNoMove);
    EXPECT_FALSE(t->hasLine());
}

const std::vector<PatternCase> kCubePatterns = {
    // Two wide, three tall, vertical swaps.
    {"square below, top right drops", {"10", "02", "00"}, encodeMove(1, 3), 3},
    {"square below, top left drops", {"01", "20", "00"}, encodeMove(0, 2), 2},
    {"square above, bottom left rises", {"00", "20", "01"}, encodeMove(2, 4), 2},
    {"square above, bottom right rises", {"00", "02", "10"}, encodeMove(3, 5), 3},
    // Three wide, two tall, horizontal swaps.
    {"square left, top right moves in", {"010", "002"}, encodeMove(1, 2), 1},
    {"square left, bottom right moves in", {"001", "020"}, encodeMove(4, 5), 4},
    {"square right, top left moves in", {"010", "200"}, encodeMove(0, 1), 1},
    {"square right, bottom left moves in", {"100", "020"}, encodeMove(3, 4), 4},
};

TEST(CubeSearch, EachPatternFindsItsSwapAndMarksTheSquare) {
    for (const PatternCase& c : kCubePatterns) {
        TestBoard t(BoardMode::ModeCube);
        t.load(c.rows);
        ASSERT_FALSE(t->hasLine()) << c.name;
        EXPECT_EQ(t->findMove(), c.move) << c.name;
        int marked = 0;
        for (int i = 0; i < t->cellCount(); ++i) {
            if (t->cell(i).cubeHint()) {
                ++marked;
                EXPECT_EQ(t->kindAt(i), 0) << c.name;
            }
        }
        EXPECT_EQ(marked, 4) << c.name;
    }
}

TEST(CubeSearch, SwappedPiecesMustBeMovableButTheSquareMayHoldALock) {
    for (const PatternCase& c : kCubePatterns) {
        TestBoard t(BoardMode::ModeCube);
        t.load(c.rows, lockAt(c.rows, c.blocker));
        EXPECT_EQ(t->findMove(), kNoMove) << c.name;
    }
    TestBoard t(BoardMode::ModeCube);
    t.load({"10", "02", "00"}, {"00", "00", "10"});
    EXPECT_EQ(t->findMove(), encodeMove(1, 3));
    EXPECT_TRUE(t->cell(4).cubeHint());
}

TEST(CubeSearch, HasLineMeansAStandingSquare) {
    TestBoard t(BoardMode::ModeCube);
    t.load({"001", "001", "221"});
    EXPECT_TRUE(t->hasLine());
    t.load({"000", "121", "000"});
    EXPECT_FALSE(t->hasLine());
}

// The search agrees with trying every swap on thousands of random boards:
// whatever it finds is a real move, and it misses one only where a lock
// hides it from the patterns.
TEST(MoveSearch, AgreesWithTryingEverySwap) {
    seedBoardRandom(99);
    for (int round = 0; round < 2000; ++round) {
        const bool cube = round % 4 == 3;
        TestBoard t(cube ? BoardMode::ModeCube : BoardMode::ModeAction);
        const int w = 3 + boardRandomBelow(6), h = 3 + boardRandomBelow(6);
        const int kinds = cube ? 3 : 5;
        std::vector<std::string> rows(static_cast<std::size_t>(h), std::string(static_cast<std::size_t>(w), '0'));
        for (auto& row : rows)
            for (char& ch : row) {
                const int r = boardRandomBelow(20);
                ch = r == 0 ? '#' : r == 1 ? '.' : char('0' + boardRandomBelow(kinds));
            }
        t.load(rows);
        if (t->hasLine()) continue;

        bool anyMove = false;
        for (int a = 0; a < t->cellCount() && !anyMove; ++a) {
            for (const int b : {a + 1, a + w}) {
                if (!t->isAdjacent(a, b) || !t->movable(a) || !t->movable(b)) continue;
                const int ka = t->kindAt(a), kb = t->kindAt(b);
                t->pieceAt(a)->kind = kb;
                t->pieceAt(b)->kind = ka;
                anyMove = anyMove || t->hasLine();
                t->pieceAt(a)->kind = ka;
                t->pieceAt(b)->kind = kb;
            }
        }
        const int move = t->findMove();
        EXPECT_EQ(move != kNoMove, anyMove) << "round " << round;
        if (move == kNoMove) continue;
        const int a = moveFirst(move), b = moveSecond(move);
        ASSERT_TRUE(t->isAdjacent(a, b));
        ASSERT_TRUE(t->movable(a) && t->movable(b));
        const int ka = t->kindAt(a), kb = t->kindAt(b);
        t->pieceAt(a)->kind = kb;
        t->pieceAt(b)->kind = ka;
        EXPECT_TRUE(t->hasLine()) << "round " << round << " move " << move;
    }
}

}  // namespace
