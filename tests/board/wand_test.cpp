// The magic wand: the HUD control's presses, and the wand used on the board
// through a host that keeps its wands in a MagicWand as the game screen does.

#include "board_test_support.h"

namespace {

using namespace boardtest;

TEST(MagicWand, ControlStaysUnpressedWithoutWands) {
    MagicWand wand;
    EXPECT_FALSE(wand.enabled());
    const WandPress press = wand.press(true);
    EXPECT_FALSE(press.controlPressed);
    EXPECT_EQ(press.cursorIndex, 0);
    EXPECT_FALSE(wand.armed());
}

TEST(MagicWand, ControlArmsWhenSwitchedOnAndDisarmsWhenSwitchedOff) {
    MagicWand wand;
    wand.startNewQuestGame();
    EXPECT_EQ(wand.count(), 5);
    EXPECT_TRUE(wand.enabled());
    WandPress press = wand.press(true);
    EXPECT_TRUE(press.controlPressed);
    EXPECT_EQ(press.cursorIndex, 1);
    EXPECT_TRUE(wand.armed());
    press = wand.press(false);
    EXPECT_FALSE(press.controlPressed);
    EXPECT_EQ(press.cursorIndex, 0);
    EXPECT_FALSE(wand.armed());
    EXPECT_EQ(wand.count(), 5) << "arming costs nothing";
}

TEST(MagicWand, UsingTheLastWandDisablesTheControlAndCountsNeverGoNegative) {
    MagicWand wand;
    wand.setCount(1);
    wand.press(true);
    wand.used();
    EXPECT_EQ(wand.count(), 0);
    EXPECT_FALSE(wand.armed());
    EXPECT_EQ(wand.cursorIndex(), 0);
    EXPECT_FALSE(wand.enabled());
    wand.used();
    EXPECT_EQ(wand.count(), 0);
    wand.gained();
    EXPECT_TRUE(wand.enabled());
    // A profile's count is taken as far as it makes sense.
    wand.setCount(-7);
    EXPECT_EQ(wand.count(), 0);
    wand.setCount(1 << 30);
    EXPECT_EQ(wand.count(), MagicWand::kMaxWands);
    wand.gained();
    EXPECT_EQ(wand.count(), MagicWand::kMaxWands);
}

// A board in action mode whose host holds five armed wands.
struct WandBoard : TestBoard {
    MagicWand wand;
    WandBoard() {
        wand.startNewQuestGame();
        host.wand = &wand;
        recordEffects();
    }
    void arm() { ASSERT_TRUE(wand.press(true).controlPressed); }
};

TEST(Wand, OnADoubleCoatingLeavesOneLayerAndScoresNothing) {
    WandBoard t;
    t.load({"1234", "3412", "1234"}, {}, {"0000", "0200", "0000"});
    // One new piece of a kind the board does not hold can make no line.
    t->setKestTable({0, 0, 0, 0, 0, 0, 1, 1, 0, 0});
    seedBoardRandom(2);
    t.arm();
    t.click(5);

    const Piece* victim = t->pieceAt(5);
    ASSERT_NE(victim, nullptr);
    EXPECT_EQ(victim->state, PieceState::Dying);
    EXPECT_TRUE(t->cell(5).changed());
    EXPECT_TRUE(t->cell(5).hitThisTick());
    EXPECT_EQ(t->cell(5).coating(), CoatSingle);
    EXPECT_EQ(t->coatRemaining(), 1);
    EXPECT_TRUE(t->busy());
    EXPECT_TRUE(t->moveMade());
    EXPECT_EQ(t.host.chain, -1);
    EXPECT_EQ(t->waveRemoved(), 0);
    EXPECT_EQ(t->moveRemoved(), 0);
    EXPECT_EQ(t->removedByKind(4), 0);
    EXPECT_EQ(t->selected(), -1) << "the wand selects nothing";
    EXPECT_EQ(t.wand.count(), 4);
    EXPECT_FALSE(t.wand.armed());
    EXPECT_EQ(t.log.count("sound magic"), 1);
    EXPECT_EQ(t.log.count("wand used"), 1);
    EXPECT_EQ(t.log.starting("coating"), (std::vector<std::string>{"coating 1 at 172,172 dx 312"}));
    EXPECT_TRUE(t.log.starting("sparks").empty());
    EXPECT_TRUE(t.log.starting("glow").empty());

    // The hole fills as after any removal, and the lone piece scores nothing.
    t->tick(kTick);
    EXPECT_EQ(t.log.count("flycell"), 1);
    ASSERT_GT(t.runUntilIdle(), 0);
    EXPECT_TRUE(t.log.starting("event").empty());
    EXPECT_TRUE(t.log.starting("wave").empty());
    EXPECT_NE(t->kindAt(5), kNoKind);
}

TEST(Wand, ClearsPlatesWithoutGlowsAndAWandPlateGivesTheWandBack) {
    WandBoard t;
    t.load({"1234", "3412", "1234"}, {}, {"3000", "0000", "0004"});
    t->setKestTable({0, 0, 0, 0, 0, 0, 1, 1, 0, 0});
    seedBoardRandom(2);
    ASSERT_EQ(t->coatRemaining(), 7);
    t.arm();
    t.click(0);
    EXPECT_EQ(t->coatRemaining(), 4);
    EXPECT_EQ(t.log.starting("coating"), (std::vector<std::string>{"coating 2 at 124,124 dx 264"}));
    EXPECT_EQ(t.log.starting("burst20"), (std::vector<std::string>{"burst20 at 124,124"}));
    EXPECT_EQ(t.log.count("sound bonus_score"), 1);
    EXPECT_EQ(t.wand.count(), 4);
    ASSERT_GT(t.runUntilIdle(), 0);

    t.log.entries.clear();
    t.arm();
    t.click(11);
    EXPECT_EQ(t->coatRemaining(), 0);
    EXPECT_EQ(t.wand.count(), 4) << "used one, gained one";
    EXPECT_EQ(t.log.count("wand gained"), 1);
    EXPECT_EQ(t.log.count("sound bonus_wand"), 1);
    EXPECT_EQ(t.log.starting("coating"), (std::vector<std::string>{"coating 3 at 268,220 dx 408"}));
    EXPECT_TRUE(t.log.starting("glow").empty());
    ASSERT_GT(t.runUntilIdle(), 0);
    EXPECT_TRUE(t.log.starting("event").empty());
    EXPECT_EQ(t.log.count("flycell"), 0) << "plates do not sound like layers";
}

TEST(Wand, LockedPiecesHolesAndTheSelectionAreNotItsTargets) {
    WandBoard t;
    t.load({"1234", "3#12", "1234"}, {"0000", "0010", "0000"});
    t.click(0);
    t.arm();
    t.click(5);
    t.click(6);
    t.click(0);
    EXPECT_TRUE(t.wand.armed());
    EXPECT_EQ(t.wand.count(), 5);
    EXPECT_EQ(t->pieceAt(6)->lock, 1);
    EXPECT_FALSE(t->busy());
    // The press on the selected cell let go of the selection, as always.
    EXPECT_EQ(t->selected(), -1);

    // A selection made before arming is dropped when the wand strikes.
    t.wand.press(false);
    t.click(1);
    t.arm();
    t.click(3);
    EXPECT_EQ(t->selected(), -1);
    EXPECT_FALSE(t->cell(1).selected());
    EXPECT_FALSE(t->pieceAt(1)->selectedFast);
    EXPECT_EQ(t->pieceAt(3)->state, PieceState::Dying);
}

TEST(Wand, UnarmedOrWithoutWandsAPressIsAnOrdinaryOne) {
    WandBoard t;
    t.load({"1234", "3412"});
    t.wand.setCount(0);
    EXPECT_FALSE(t.wand.press(true).controlPressed);
    t.click(2);
    EXPECT_EQ(t->selected(), 2);
    EXPECT_EQ(t->pieceAt(2)->state, PieceState::Idle);
    EXPECT_EQ(t.log.count("sound magic"), 0);
}

// The fall after the wand raises the chain bonus back to where a move starts,
// so the line it brings down is worth no more than a first line.
TEST(Wand, CascadeItSetsOffIsScoredWithoutAChainBonus) {
    WandBoard t;
    t.load({"213", "141", "324"});
    t.arm();
    t.click(4);
    int ticks = 0;
    while (t.log.starting("wave").empty() && ticks++ < 500) t->tick(kTick);
    EXPECT_EQ(t.log.starting("wave"), (std::vector<std::string>{"wave 0 of 3"}));
    EXPECT_EQ(t.host.chainAtWave, 0);
    EXPECT_EQ(t.log.starting("event"),
              (std::vector<std::string>{"event 3 type 0", "event 4 type 0", "event 5 type 0"}));
}

}  // namespace
