// Screen points to cells and neighbours.

#include "board/board_geometry.h"
#include "board_test_support.h"

namespace {

TEST(Geometry, CellAtEdges) {
    const BoardGeometry g{250, 70, 8, 9};
    EXPECT_EQ(g.cellAt(250, 70), 0);
    EXPECT_EQ(g.cellAt(249, 100), -1);
    EXPECT_EQ(g.cellAt(300, 69), -1);
    // The column term takes one pixel off, so a cell's right edge is still
    // in it; the row term does not.
    EXPECT_EQ(g.cellAt(250 + 48, 70), 0);
    EXPECT_EQ(g.cellAt(250 + 49, 70), 1);
    EXPECT_EQ(g.cellAt(250 + 48 * 8, 70), 7);
    EXPECT_EQ(g.cellAt(250 + 48 * 8 + 1, 70), -1);
    EXPECT_EQ(g.cellAt(260, 70 + 48), 8);
    EXPECT_EQ(g.cellAt(260, 70 + 48 * 9 - 1), 64);
    EXPECT_EQ(g.cellAt(260, 70 + 48 * 9), -1);
    EXPECT_EQ(g.centreX(9), 250 + 48 + 24);
}

TEST(Geometry, NeighboursAreOrthogonalAndWithinRows) {
    const BoardGeometry g{0, 0, 4, 3};
    EXPECT_TRUE(g.isAdjacent(5, 6));
    EXPECT_TRUE(g.isAdjacent(5, 1));
    EXPECT_TRUE(g.isAdjacent(5, 9));
    EXPECT_FALSE(g.isAdjacent(3, 4)) << "end of one row, start of the next";
    EXPECT_FALSE(g.isAdjacent(5, 10)) << "diagonal";
    EXPECT_FALSE(g.isAdjacent(5, 5));
    EXPECT_FALSE(g.isAdjacent(11, 12));
    EXPECT_FALSE(g.isAdjacent(-1, 0));
}

TEST(Geometry, BoardRefusesMoreThan140Cells) {
    boardtest::TestBoard t;
    EXPECT_TRUE(t->setGeometry(0, 0, 14, 10));
    EXPECT_FALSE(t->setGeometry(0, 0, 15, 10));
    EXPECT_FALSE(t->setGeometry(0, 0, 0, 5));
    EXPECT_EQ(t->width(), 14);
}

}  // namespace
