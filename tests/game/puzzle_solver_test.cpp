// The puzzle solver on boards small enough to check by hand.

#include <gtest/gtest.h>

#include "board/board.h"
#include "game/puzzle_solver.h"

namespace {

// One row per string: a digit a piece, '.' empty, '#' a hole; locks as
// "kind:lock" are set afterwards.
PuzzlePosition position(const std::vector<std::string>& rows) {
    PuzzlePosition p;
    p.h = static_cast<int>(rows.size());
    p.w = static_cast<int>(rows[0].size());
    for (const std::string& row : rows)
        for (char c : row) {
            p.active.push_back(c != '#');
            p.kind.push_back(static_cast<std::int8_t>(c >= '0' && c <= '9' ? c - '0' : kNoKind));
            p.lock.push_back(0);
        }
    return p;
}

TEST(PuzzleSolver, FindsTheOneSwapThatWinsAndCountsFirstMoves) {
    PuzzleSolver solver;
    // Swapping cells 2 and 3 makes two lines at once; no other swap makes any.
    const PuzzleReport r = solver.solve(position({"001011"}));
    ASSERT_TRUE(r.solvable);
    ASSERT_EQ(r.solution.size(), 1u);
    EXPECT_EQ(r.solution[0].from, 2);
    EXPECT_EQ(r.solution[0].to, 3);
    EXPECT_EQ(r.firstMoves, 1);
    EXPECT_EQ(r.winningFirstMoves, 1);
}

TEST(PuzzleSolver, ASwapWithoutALineIsNoMoveAndLeftoversAreUnsolvable) {
    PuzzleSolver solver;
    const PuzzlePosition p = position({"0010"});
    PuzzlePosition after;
    EXPECT_FALSE(solver.play(p, {0, 1}, after)) << "same kinds";
    EXPECT_FALSE(solver.play(p, {1, 2}, after)) << "the board swaps it back";
    EXPECT_TRUE(solver.play(p, {2, 3}, after));
    EXPECT_EQ(after.pieceCount(), 1);
    const PuzzleReport r = solver.solve(p);
    EXPECT_FALSE(r.solvable);
    EXPECT_FALSE(r.exhausted);
}

// A lock takes one hit and stays; the pieces above a hole stay above it.
TEST(PuzzleSolver, LocksAndHolesFollowTheBoardsRules) {
    PuzzleSolver solver;
    PuzzlePosition p = position({"1..",
                                 "#..",
                                 "001",
                                 "110"});
    p.lock[6] = 1;  // the left 0 of row 2
    PuzzlePosition after;
    // Swapping cells 8 and 11 makes two lines: row 3 goes, row 2 goes but
    // for its locked piece, which only opens and then falls into row 3.
    ASSERT_TRUE(solver.play(p, {8, 11}, after));
    EXPECT_EQ(after.pieceCount(), 2);
    EXPECT_EQ(after.kind[9], 0);
    EXPECT_EQ(after.lock[9], 0) << "the lock broke, the piece stayed";
    EXPECT_EQ(after.kind[0], 1) << "the hole below holds the piece up";
}

}  // namespace
