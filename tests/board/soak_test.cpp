// The soak at a small size: every mode, a few hundred moves each.

#include "board_soak.h"
#include "board_test_support.h"

namespace {

class Soak : public ::testing::TestWithParam<BoardMode> {};

TEST_P(Soak, PlaysWithoutAStuckBoardOrBrokenBookkeeping) {
    const SoakReport r = runSoak(GetParam(), 150, 42);
    EXPECT_EQ(r.fault, "");
    EXPECT_EQ(r.moves, 150);
    EXPECT_GT(r.waves, 0);
    EXPECT_GT(r.randomSwaps, 0);
    EXPECT_GT(r.specialMoves, 0);
}

INSTANTIATE_TEST_SUITE_P(EveryMode, Soak,
                         ::testing::Values(BoardMode::ModeQuest, BoardMode::ModePuzzle, BoardMode::ModeAction,
                                           BoardMode::ModeCube),
                         [](const auto& info) { return std::string(boardModeName(info.param)); });

}  // namespace
