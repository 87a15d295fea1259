// The board's tick as a whole: one move wave by wave, the countdown and its
// warnings, the goal, time-up, and the hover animation.

#include <algorithm>

#include "board_test_support.h"
#include "graphics/sprite.h"

namespace {

using namespace boardtest;

// Swapping cells 12 and 17 makes 0 0 0 along the bottom row. Once those are
// gone, columns 0..2 drop by one and the bottom row reads 3 6 6 6 2: a second
// wave made by the fall alone. The hole keeps the three new pieces out of one
// line, so whatever they are born as, they add nothing to that wave.
const std::vector<std::string> kCascade = {
    "1#312",
    "23123",
    "36071",
    "00662",
};

TEST(Tick, AMoveRunsWaveByWave) {
    TestBoard t;
    t->setKestTable({0, 0, 0, 0, 0, 1, 0, 1, 0, 0});
    seedBoardRandom(3);
    t.load(kCascade);
    t.drag(12, 17);

    int wave1Tick = -1, fallTick = -1;
    bool idle = false;
    for (int tick = 1; tick < 400 && !idle; ++tick) {
        idle = t.idleTick();
        if (wave1Tick < 0 && t.log.count("wave 0 of 3") == 1) {
            wave1Tick = tick;
            // Scored in the very tick that found the line, pieces just hit.
            EXPECT_EQ(t->pieceAt(15)->state, PieceState::Dying);
            EXPECT_EQ(t->waveCount(), 1);
            EXPECT_TRUE(t->busy());
        }
        if (fallTick < 0 && t->pieceAt(17) && t->pieceAt(17)->state == PieceState::Falling) {
            fallTick = tick;
            EXPECT_EQ(t.host.chain, 1) << "each fall after a removal raises the chain bonus";
            EXPECT_EQ(t.log.count("wave 1 of 3"), 0);
        }
    }
    ASSERT_TRUE(idle);
    ASSERT_GT(wave1Tick, 0);
    ASSERT_GT(fallTick, wave1Tick);

    std::vector<std::string> order;
    for (const auto& e : t.log.entries)
        if ((e.rfind("sound", 0) == 0 && e.rfind("sound select", 0) != 0) || e.rfind("wave", 0) == 0)
            order.push_back(e);
    const std::vector<std::string> expected = {"sound swap", "wave 0 of 3", "sound row", "sound fall", "wave 1 of 3",
                                               "sound row3"};
    ASSERT_GE(order.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(order.begin(), order.begin() + 6), expected);

    // At rest the move's counters and the chain bonus are back at 0.
    EXPECT_EQ(t->waveCount(), 0);
    EXPECT_EQ(t->moveRemoved(), 0);
    EXPECT_EQ(t.host.chain, 0);
    EXPECT_EQ(t->pieces().size(), t->cellCount() - 1);
    EXPECT_EQ(pieceBookkeepingFault(*t), "");
}

TEST(Tick, DyingPiecesShrinkAwayAndTheirCellsFreeThem) {
    TestBoard t(BoardMode::ModePuzzle);
    t.load({"000", "123"});
    t->tick(kTick);
    Piece* p = t->pieceAt(0);
    ASSERT_EQ(p->state, PieceState::Dying);
    // 44 down to 10 at 0.1 pixels per ms: 340 ms, seventeen steps.
    for (int i = 0; i < 16; ++i) t->tick(kTick);
    EXPECT_FALSE(p->dead);
    EXPECT_NEAR(p->width, 12.0f, 0.01f);
    EXPECT_EQ(t->pieces().size(), 6);
    t->tick(kTick);
    EXPECT_EQ(t->pieceAt(0), nullptr);
    EXPECT_EQ(t->pieces().size(), 3);
}

TEST(Tick, WarningsSoundOncePerSecondInTheLastFifteenOfAQuestLevelOnly) {
    TestBoard t(BoardMode::ModeQuest);
    t.load({"1234", "3412"});
    t->setTime(15100);
    for (int i = 0; i < 160; ++i) t->tick(kTick);
    EXPECT_EQ(t->timeLeft(), 15100 - 160 * kTick);
    EXPECT_EQ(t.log.count("sound warning"), 3);
    EXPECT_EQ(t.log.count("tutorial 1 at 274,550"), 4);

    // Action and cube cannot run out of time: their clock stands still, so
    // neither the warning nor the last seconds' tutorial ever comes.
    for (BoardMode mode : {BoardMode::ModeAction, BoardMode::ModeCube, BoardMode::ModePuzzle}) {
        TestBoard other(mode);
        other.load({"1234", "3412"});
        other->setTime(15100);
        for (int i = 0; i < 3000; ++i) other->tick(kTick);
        EXPECT_EQ(other.log.count("sound warning"), 0);
        EXPECT_EQ(other.log.starting("tutorial 1").size(), 0u);
        EXPECT_EQ(other->timeLeft(), 15100);
    }
}

TEST(Tick, QuestTimeRunningOutRaisesTimeUpInsteadOfTheHint) {
    TestBoard t(BoardMode::ModeQuest);
    t.load({"0010", "2345"});
    t->setCell(5, true, CoatSingle);
    t->setTime(60);
    t->tick(kTick);
    t->tick(kTick);
    EXPECT_FALSE(t.host.timeUp);
    t->tick(kTick);
    EXPECT_TRUE(t.host.timeUp);
    const auto hintsOffered = t.log.starting("tutorial 0").size();
    EXPECT_EQ(hintsOffered, 2u);
    for (int i = 0; i < 10; ++i) t->tick(kTick);
    EXPECT_EQ(t.log.starting("tutorial 0").size(), hintsOffered);
    EXPECT_FALSE(t.host.levelComplete);
}

TEST(Tick, QuestGoalPlaysDoneOnceAndCompletesTheLevelAtRest) {
    TestBoard t(BoardMode::ModeQuest);
    t.load({"0010", "2345"});
    t->tick(kTick);
    EXPECT_TRUE(t->goalReached());
    EXPECT_TRUE(t.host.levelComplete);
    t->tick(kTick);
    EXPECT_EQ(t.log.count("sound done"), 1);
    EXPECT_EQ(t.log.count("stop music"), 1);
}

TEST(Tick, PuzzleGoalIsAnEmptyBoard) {
    TestBoard t(BoardMode::ModePuzzle);
    t.load({"000"});
    ASSERT_GT(t.runUntilIdle(), 0);
    t->tick(kTick);
    EXPECT_EQ(t->pieces().size(), 0);
    EXPECT_TRUE(t->goalReached());
    EXPECT_TRUE(t.host.levelComplete);
}

TEST(Tick, HoveredPieceSpinsUpAndSettlesBack) {
    TestBoard t;
    t.load({"0010", "2345"});
    t->onMouseMove(t.centreX(5), t.centreY(5));
    for (int i = 0; i < 10; ++i) t->tick(kTick);
    Piece* p = t->pieceAt(5);
    EXPECT_GT(p->wobble, 10.0f);
    EXPECT_LE(p->wobble, 20.0f);
    EXPECT_TRUE(p->onDynamicLayer);
    EXPECT_GT(p->animClock, 0);
    Sprite scratch;
    t->drawStatic(scratch, false);
    EXPECT_FALSE(t->needsRedraw());
    t->onMouseMove(0, 0);
    for (int i = 0; i < 60; ++i) t->tick(kTick);
    EXPECT_EQ(p->wobble, 0.0f);
    EXPECT_FALSE(p->onDynamicLayer);
    EXPECT_TRUE(t->needsRedraw());
}

}  // namespace
