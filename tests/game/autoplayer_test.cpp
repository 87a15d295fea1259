// The autoplayer: it goes for the coating, and it plays a level to its end
// on the real board.

#include <gtest/gtest.h>

#include "board/board.h"
#include "game/autoplayer.h"

namespace {

// Two swaps make a line in the top row: cells 2 and 3 (zeros on the left)
// and cells 6 and 7 (twos on the right); the bottom row stops the rest.
std::unique_ptr<Board> twoChoices(const std::vector<int>& coated) {
    auto board = std::make_unique<Board>(nullptr, nullptr);
    board->setMode(BoardMode::ModeQuest);
    board->setGeometry(0, 0, 8, 2);
    const int kinds[16] = {0, 0, 1, 0, 2, 2, 3, 2, 4, 5, 6, 7, 4, 5, 6, 7};
    for (int i = 0; i < 16; ++i) {
        bool coat = false;
        for (int c : coated) coat = coat || c == i;
        board->setCell(i, true, coat ? CoatSingle : CoatNone);
        board->putPiece(i, kinds[i]);
    }
    return board;
}

TEST(Autoplayer, PrefersTheLineOverTheCoating) {
    for (int round = 0; round < 8; ++round) {
        std::uint32_t seed = static_cast<std::uint32_t>(round);
        const AutoplayMove right = chooseAutoplayMove(*twoChoices({4, 5}), seed);
        EXPECT_EQ(right.type, AutoplayMove::Type::Swap);
        EXPECT_EQ(right.from, 6);
        EXPECT_EQ(right.to, 7);
        EXPECT_TRUE(right.clearsCoating);
        const AutoplayMove left = chooseAutoplayMove(*twoChoices({0, 1}), seed);
        EXPECT_EQ(left.from, 2);
        EXPECT_EQ(left.to, 3);
    }
}

TEST(Autoplayer, TakesTheWandToACoatingNoLineReaches) {
    // Only the left swap makes a line, and the coating lies far right.
    auto board = twoChoices({15});
    board->putPiece(6, 3);
    board->putPiece(7, 1);
    std::uint32_t seed = 1;
    const AutoplayMove withWand = chooseAutoplayMove(*board, seed, true);
    EXPECT_EQ(withWand.type, AutoplayMove::Type::Wand);
    EXPECT_EQ(withWand.from, 15);
    const AutoplayMove without = chooseAutoplayMove(*board, seed, false);
    EXPECT_EQ(without.type, AutoplayMove::Type::Swap);
}

TEST(Autoplayer, PlaysAnOpenLevelToItsGoalAtAHumanPace) {
    MapData level;
    level.w = 6;
    level.h = 6;
    level.timeSeconds = 300;
    for (int k = 0; k < 5; ++k) level.kests[static_cast<std::size_t>(k)] = 1;
    level.cells.assign(36, MapCell{1, 0, 0, kMapNoPiece});
    for (int i : {14, 15, 20, 21}) level.cells[static_cast<std::size_t>(i)].coating = CoatSingle;
    const AutoplayResult r = playQuestLevel(level, 5);
    EXPECT_TRUE(r.won);
    EXPECT_EQ(r.coatingLeft, 0);
    EXPECT_GE(r.moves, 2);
    // Each move waits two seconds of rest first.
    EXPECT_GE(r.timeUsedMs, 2000 * r.moves);
    EXPECT_LT(r.timeUsedMs, 300000);

    // With no time to speak of the level is lost when the clock runs out.
    level.timeSeconds = 1;
    const AutoplayResult lost = playQuestLevel(level, 5);
    EXPECT_FALSE(lost.won);
    EXPECT_EQ(lost.timeUsedMs, 1000);
}

}  // namespace
