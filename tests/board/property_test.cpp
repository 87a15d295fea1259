// Properties over thousands of random boards and random moves: pieces are
// owned and placed consistently at every tick, and an idle board holds no
// line and, where it refills, always a move.

#include <random>

#include "board_test_support.h"

namespace {

using namespace boardtest;

struct RandomLevel {
    BoardMode mode;
    int w, h;
};

// Deals a random level: shape, holes, map locks, coatings, kinds.
RandomLevel dealRandom(TestBoard& t, std::mt19937& random) {
    const auto pick = [&](int n) { return static_cast<int>(random() % static_cast<std::uint32_t>(n)); };
    static constexpr BoardMode kModes[] = {BoardMode::ModeQuest, BoardMode::ModePuzzle, BoardMode::ModeAction,
                                           BoardMode::ModeCube};
    RandomLevel level{kModes[pick(4)], 3 + pick(8), 3 + pick(8)};
    t->setMode(level.mode);
    t->clearLevel();
    t->setGeometry(kX0, kY0, level.w, level.h);
    std::array<std::uint8_t, kKestTableSize> kinds{};
    const int kindCount = level.mode == BoardMode::ModeCube ? 2 + pick(4) : 3 + pick(6);
    for (int k = 0; k < kindCount; ++k) kinds[static_cast<std::size_t>(k)] = 1;
    kinds[KindBad] = pick(3) == 0;
    t->setKestTable(kinds);
    t->setBonusTable({static_cast<std::uint8_t>(pick(3) * 40), static_cast<std::uint8_t>(pick(3) * 40), 0, 0, 0});
    t->setTime(600000);
    for (int i = 0; i < level.w * level.h; ++i)
        t->setCell(i, pick(8) != 0, pick(6) == 0 ? CoatSingle : CoatNone, pick(12) == 0 ? 1 + pick(2) : 0);
    t->fillEmptyCells();
    if (level.mode == BoardMode::ModePuzzle) {
        t->applyFileLocks();
    } else {
        t->setupFill();
    }
    return level;
}

TEST(Properties, RandomBoardsAndMovesKeepTheirPromises) {
    std::mt19937 random(2024);
    seedBoardRandom(2024);
    int boards = 0, moves = 0, idleChecks = 0;
    for (int round = 0; round < 2000; ++round) {
        TestBoard t;
        const RandomLevel level = dealRandom(t, random);
        if (t.host.unplayable) continue;
        ++boards;
        const bool refills = level.mode != BoardMode::ModePuzzle;
        for (int m = 0; m < 3; ++m) {
            // Run to the next idle tick, checking the pieces at every tick.
            bool idle = false;
            for (int tick = 0; tick < 3000 && !idle; ++tick) {
                idle = t.idleTick();
                const std::string fault = pieceBookkeepingFault(*t);
                ASSERT_EQ(fault, "") << "round " << round << " tick " << tick;
                if (t.host.unplayable) break;
            }
            if (t.host.unplayable) break;
            ASSERT_TRUE(idle) << "round " << round << ": the board never came to rest";
            ++idleChecks;
            ASSERT_FALSE(t->hasLine()) << "round " << round;
            if (refills) {
                ASSERT_NE(t->findMove(), kNoMove) << "round " << round;
            }

            // Any swap of two neighbours, or the search's move.
            const int found = t->findMove();
            int a = static_cast<int>(random() % static_cast<std::uint32_t>(t->cellCount()));
            int b = random() % 2 ? a + 1 : a + level.w;
            if (found != kNoMove && random() % 2) a = moveFirst(found), b = moveSecond(found);
            if (!t->isAdjacent(a, b)) continue;
            t->startSwap(a, b);
            ++moves;
        }
    }
    EXPECT_GT(boards, 1500);
    EXPECT_GT(moves, 3000);
    EXPECT_GT(idleChecks, 5000);
}

}  // namespace
