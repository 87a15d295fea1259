// Locks, bad pieces, coatings and bonus plates as matches hit them, and the
// rainbow and teleport pieces as the player uses them.
//
// Boards are 100 pixels from the screen's top left, so the centre of the cell
// in column c, row r is (124 + 48c, 124 + 48r).

#include "board_test_support.h"

namespace {

using namespace boardtest;

// Every ordinary kind but 1, so no new piece can join a line of ones.
const std::array<std::uint8_t, kKestTableSize> kNoOnes{1, 0, 1, 1, 1, 1, 1, 1, 0, 0};

// Ticks until the host has scored a wave; false if none came.
bool tickUntilWave(TestBoard& t, int maxTicks = 500) {
    for (int i = 0; i < maxTicks; ++i) {
        t->tick(kTick);
        if (!t.log.starting("wave").empty()) return true;
    }
    return false;
}

TEST(Lock, MatchLowersALockOfTwoToOneAndOnlyTheOthersScore) {
    TestBoard t;
    t.load({"1113", "2424", "3535"}, {"0200", "0000", "0000"});
    t.recordEffects();
    t->setKestTable(kNoOnes);
    seedBoardRandom(1);
    t->tick(kTick);

    EXPECT_EQ(t.locks()[0], "0100");
    EXPECT_EQ(t->pieceAt(1)->state, PieceState::Idle);
    EXPECT_EQ(t.log.starting("event"), (std::vector<std::string>{"event 0 type 0", "event 2 type 0"}));
    EXPECT_EQ(t.log.count("sound block"), 1);
    EXPECT_EQ(t.log.starting("chunks"), (std::vector<std::string>{"chunks 1 at 172,124"}));
    EXPECT_EQ(t.log.count("sparks 7 at 172,124"), 1);
    // The lock's hit counts in the wave, but it throws no gem.
    EXPECT_EQ(t.host.lastWave.waveRemoved, 3);
    EXPECT_EQ(t.host.lastWave.removedByKind[1], 2);

    ASSERT_GT(t.runUntilIdle(), 0);
    EXPECT_EQ(t->kindAt(1), 1);
    EXPECT_EQ(t.locks()[0][1], '1');
}

TEST(Lock, LastLockBreaksIntoItsOwnChunks) {
    TestBoard t;
    t.load({"111", "234"}, {"100", "000"});
    t.recordEffects();
    t->tick(kTick);
    EXPECT_EQ(t.log.starting("chunks"), (std::vector<std::string>{"chunks 0 at 124,124"}));
    EXPECT_EQ(t->pieceAt(0)->lock, 0);
    EXPECT_EQ(t->pieceAt(0)->state, PieceState::Idle);
}

// The player's own line of bad pieces: a bare cell gains a layer, a cell with
// two layers or a bonus plate keeps what it has and the hit pays a plain event.
TEST(BadPiece, PlayersMatchCoatsBareCellsAndScoresOnlyWhereNothingCanBeAdded) {
    TestBoard t(BoardMode::ModeQuest);
    t.load({"8848", "2323", "4545"}, {}, {"3200", "0000", "0000"});
    t->setTime(600000);
    t.recordEffects();
    ASSERT_EQ(t->coatRemaining(), 5);
    t.drag(3, 2);
    ASSERT_TRUE(tickUntilWave(t));

    EXPECT_EQ(t->cell(0).coating(), CoatScoreBonus);
    EXPECT_EQ(t->cell(1).coating(), CoatDouble);
    EXPECT_EQ(t->cell(2).coating(), CoatSingle);
    EXPECT_EQ(t->coatRemaining(), 6);
    EXPECT_EQ(t.log.starting("event"), (std::vector<std::string>{"event 0 type 0", "event 1 type 0"}));
    EXPECT_EQ(t.log.count("sound bad"), 3);
    EXPECT_EQ(t.log.count("sound badremove"), 0);
    // Nothing flew off: the plate and the layers under bad pieces stay.
    EXPECT_TRUE(t.log.starting("coating").empty());
    EXPECT_EQ(t.log.count("sound bonus_score"), 0);
    EXPECT_EQ(t->pieceAt(2)->state, PieceState::Dying);
}

TEST(BadPiece, CascadeClearsBadPiecesWithTheirOwnSoundAndEvent) {
    TestBoard t;
    t.load({"823", "834", "111", "845"}, {}, {"000", "000", "000", "100"});
    seedBoardRandom(5);
    // The first wave is the row of ones; the bad pieces meet in the next.
    int ticks = 0;
    while (t.log.count("sound badremove") == 0 && ticks++ < 500) t->tick(kTick);
    EXPECT_EQ(t.log.starting("wave"), (std::vector<std::string>{"wave 0 of 3", "wave 1 of 3"}));
    EXPECT_EQ(t.log.count("sound bad"), 0);
    EXPECT_EQ(t.log.count("sound badremove"), 3);
    EXPECT_EQ(t.log.count("event 3 type 3"), 1);
    EXPECT_EQ(t.log.count("event 6 type 3"), 1);
    EXPECT_EQ(t.log.count("event 9 type 3"), 1);
    // The layer under the last one is not the bad piece's to take.
    EXPECT_EQ(t->cell(9).coating(), CoatSingle);
    EXPECT_EQ(t->coatRemaining(), 1);
}

// One line over every kind of cell: each clears what lies on top and sends
// it flying outward from the field's middle (x 196 here).
TEST(Coating, LineClearsPlatesAndLayersWithTheirFlightsSoundsAndEvents) {
    TestBoard t(BoardMode::ModeQuest);
    t.load({"1111", "2323", "4545"}, {}, {"3421", "0000", "0000"});
    t->setTime(600000);
    t.recordEffects();
    MagicWand wand;
    wand.startNewQuestGame();
    t.host.wand = &wand;
    ASSERT_EQ(t->coatRemaining(), 10);
    t->tick(kTick);

    EXPECT_EQ(t->coatRemaining(), 1);
    EXPECT_EQ(t->cell(0).coating(), CoatNone);
    EXPECT_EQ(t->cell(1).coating(), CoatNone);
    EXPECT_EQ(t->cell(2).coating(), CoatSingle);
    EXPECT_EQ(t->cell(3).coating(), CoatNone);
    EXPECT_EQ(t.log.starting("event"), (std::vector<std::string>{"event 0 type 2", "event 1 type 2",
                                                                 "event 2 type 1", "event 3 type 1"}));
    EXPECT_EQ(wand.count(), 6);
    EXPECT_EQ(t.log.starting("coating"),
              (std::vector<std::string>{"coating 2 at 124,124 dx 264", "coating 3 at 172,124 dx 312",
                                        "coating 1 at 220,124 dx 360", "coating 0 at 268,124 dx 408"}));
    EXPECT_EQ(t.log.starting("tutorial 2").size(), 4u);
    EXPECT_EQ(t.log.starting("glow"), (std::vector<std::string>{"glow 0 at 124,124", "glow 1 at 172,124"}));
    EXPECT_EQ(t.log.starting("burst20"), (std::vector<std::string>{"burst20 at 124,124"}));
    EXPECT_EQ(t.log.count("sound bonus_score"), 1);
    EXPECT_EQ(t.log.count("sound bonus_wand"), 1);
    EXPECT_EQ(t.log.count("wand gained"), 1);
    // The tutorial offer goes with the flight, before it.
    const auto& e = t.log.entries;
    const auto at = [&](const std::string& s) { return std::find(e.begin(), e.end(), s) - e.begin(); };
    EXPECT_LT(at("tutorial 2 at 124,124"), at("coating 2 at 124,124 dx 264"));

    // The layers' "flycell" sounds once, in the next tick; the plates have none.
    EXPECT_EQ(t.log.count("flycell"), 0);
    t->tick(kTick);
    EXPECT_EQ(t.log.count("flycell"), 1);
    t->tick(kTick);
    EXPECT_EQ(t.log.count("flycell"), 1);
}

TEST(Coating, LevelWhoseOnlyCoatingIsAPlateIsWonWhenItIsCleared) {
    TestBoard t(BoardMode::ModeQuest);
    t.load({"1112", "2343", "3454", "4565"}, {}, {"0300", "0000", "0000", "0000"});
    t->setTime(600000);
    ASSERT_EQ(t->coatRemaining(), 3);
    seedBoardRandom(9);
    ASSERT_GT(t.runUntilIdle(), 0);
    EXPECT_EQ(t->coatRemaining(), 0);
    EXPECT_TRUE(t->goalReached());
    EXPECT_TRUE(t.host.levelComplete);
}

// Puzzle mode keeps no score, yet everything else a hit does still happens.
TEST(Coating, PuzzleModeQueuesNoEventsButClearsAndCoats) {
    TestBoard t(BoardMode::ModePuzzle);
    t.load({"1111", "8882", "2323"}, {}, {"3421", "0000", "0000"});
    MagicWand wand;
    wand.startNewQuestGame();
    t.host.wand = &wand;
    t->tick(kTick);
    EXPECT_TRUE(t.log.starting("event").empty());
    EXPECT_EQ(t->cell(0).coating(), CoatNone);
    EXPECT_EQ(t->cell(2).coating(), CoatSingle);
    EXPECT_EQ(t->cell(4).coating(), CoatSingle);
    EXPECT_EQ(t->cell(6).coating(), CoatSingle);
    EXPECT_EQ(wand.count(), 6);
    EXPECT_EQ(t.host.lastWave.waveRemoved, 7);
}

// A teleport chance makes teleports of ordinary kinds only, never of bad
// pieces, and never during set-up.
TEST(Birth, TeleportsComeByTheirChanceAndKeepTheirKind) {
    TestBoard t;
    t->setKestTable({1, 1, 1, 1, 1, 1, 1, 1, 1, 0});
    t->setBonusTable({200, 0, 0, 0, 0});
    seedBoardRandom(3);
    int teleports = 0;
    for (int i = 0; i < 4000; ++i) {
        const Piece* p = t->spawnPiece(false);
        if (p->special != SpecialTeleport) continue;
        ++teleports;
        EXPECT_LT(p->kind, KindBad);
    }
    EXPECT_NEAR(teleports, 800, 150);
    // With both chances equal the rainbow is drawn first, so teleports come
    // only from the pieces that did not become rainbows.
    t->setBonusTable({250, 250, 0, 0, 0});
    int rainbows = 0;
    teleports = 0;
    for (int i = 0; i < 4000; ++i) {
        const Piece* p = t->spawnPiece(false);
        rainbows += p->special == SpecialRaduga;
        teleports += p->special == SpecialTeleport;
    }
    EXPECT_NEAR(rainbows, 960, 150);
    EXPECT_NEAR(teleports, 720, 150);
    for (int i = 0; i < 200; ++i) EXPECT_EQ(t->spawnPiece(true)->special, SpecialNone);
}

TEST(Rainbow, NextToAnotherRainbowNothingHappens) {
    TestBoard t;
    t.load({"1234", "3412"});
    t->putPiece(1, KindRaduga, SpecialRaduga);
    t->putPiece(2, KindRaduga, SpecialRaduga);
    // Dragging an armed rainbow does not swap it.
    t->onLeftPress(t.centreX(1), t.centreY(1));
    ASSERT_TRUE(t->radugaArmed());
    t->onMouseMove(t.centreX(1) - 30, t.centreY(1));
    t->onLeftRelease();
    EXPECT_FALSE(t->busy());
    EXPECT_EQ(t->selected(), 1);
    t.click(2);
    EXPECT_FALSE(t->busy());
    EXPECT_FALSE(t->radugaArmed());
    EXPECT_EQ(t->selected(), -1);
    EXPECT_EQ(t.kinds()[0], "1rr4");
    EXPECT_EQ(t.log.count("sound raduga"), 0);
    EXPECT_EQ(t.log.count("sound swap"), 0);
}

TEST(Rainbow, TakesTheKindOfARedNeighbourAndIsBornAgain) {
    TestBoard t;
    t.load({"0051", "2323"});
    t->putPiece(2, KindRaduga, SpecialRaduga);
    t.click(2);
    t.click(1);
    const Piece* p = t->pieceAt(2);
    EXPECT_EQ(p->kind, 0);
    EXPECT_EQ(p->special, SpecialNone);
    EXPECT_EQ(p->state, PieceState::Birth);
    EXPECT_EQ(p->width, 0.0f);
    EXPECT_EQ(p->timer, 0);
    EXPECT_TRUE(t->cell(2).changed());
    EXPECT_TRUE(t->busy());
    EXPECT_FALSE(t->radugaArmed());
    EXPECT_EQ(t.log.count("sound raduga"), 1);
    // No swap: the red piece stays where it was, and the new line goes.
    EXPECT_EQ(t.kinds()[0], "0001");
    EXPECT_TRUE(tickUntilWave(t));
    EXPECT_EQ(t.log.starting("event"),
              (std::vector<std::string>{"event 0 type 0", "event 1 type 0", "event 2 type 0"}));
    EXPECT_EQ(t.log.count("sound swapback"), 0);
}

TEST(Rainbow, ChangeThatMakesNoLineIsNotUndoneAndAFarPressOnlyDisarms) {
    TestBoard t;
    t.load({"1r23", "3412"});
    t->putPiece(1, KindRaduga, SpecialRaduga);
    t.click(1);
    t.click(3);
    EXPECT_FALSE(t->busy());
    EXPECT_EQ(t->selected(), -1) << "the far cell is not selected either";
    EXPECT_EQ(t->kindAt(1), KindRaduga);
    t.click(1);
    t.click(5);
    EXPECT_EQ(t->kindAt(1), 4);
    ASSERT_GT(t.runUntilIdle(), 0);
    EXPECT_EQ(t.kinds(), (std::vector<std::string>{"1423", "3412"}));
    EXPECT_EQ(t.log.count("sound swapback"), 0);
    EXPECT_TRUE(t.log.starting("tutorial 3").empty());
}

TEST(Rainbow, SwapsLikeAnyPieceFromANeighbourAndThreeInALineMatch) {
    TestBoard t;
    t.load({"1.2.", "3412", "2341"});
    t->putPiece(1, KindRaduga, SpecialRaduga);
    t->putPiece(3, KindRaduga, SpecialRaduga);
    t->putPiece(6, KindRaduga, SpecialRaduga);
    t.recordEffects();
    t.click(2);
    t.click(6);
    EXPECT_EQ(t->swapOrigin(), 6);
    EXPECT_EQ(t.log.count("sound swap"), 1);
    ASSERT_TRUE(tickUntilWave(t));
    EXPECT_EQ(t.log.starting("event"),
              (std::vector<std::string>{"event 1 type 0", "event 2 type 0", "event 3 type 0"}));
    EXPECT_EQ(t.log.count("sparks 10 at 220,124"), 1);
    EXPECT_EQ(t.host.lastWave.removedByKind, (std::array<int, 8>{})) << "rainbows throw no gems";
}

// No fall follows a rainbow that makes no line, so nothing else would notice
// that it took the board's last move.
TEST(Rainbow, ChangeThatLeavesNoMoveEndsTheLevelAsUnplayable) {
    for (const char* below : {"341", "345"}) {
        TestBoard t;
        t.load({"012", below, "670"});
        t->putPiece(0, KindRaduga, SpecialRaduga);
        t.click(0);
        t.click(1);
        ASSERT_GT(t.runUntilIdle(), 0);
        EXPECT_EQ(t.kinds()[0], "112");
        EXPECT_EQ(t.host.unplayable, std::string(below) == "345" ? 1 : 0) << below;
        // Only once: the next rest is an ordinary one.
        t.idleTick();
        EXPECT_LE(t.host.unplayable, 1);
    }
    TestBoard puzzle(BoardMode::ModePuzzle);
    puzzle.load({"012", "345", "670"});
    puzzle->putPiece(0, KindRaduga, SpecialRaduga);
    puzzle.click(0);
    puzzle.click(1);
    puzzle.runUntilIdle();
    EXPECT_EQ(puzzle.host.unplayable, 0);
    EXPECT_EQ(puzzle.log.count("no moves"), 1) << "puzzle mode has its own notice";
}

TEST(Teleport, ArmedTeleportIgnoresHolesAndLocksThenTradesWithARainbowAnywhere) {
    TestBoard t;
    t.load({"1234", "3#12", "2341"}, {"0000", "0010", "0000"});
    t->putPiece(0, 1, SpecialTeleport);
    t->putPiece(11, KindRaduga, SpecialRaduga);
    Piece* traveller = t->pieceAt(0);
    Piece* rainbow = t->pieceAt(11);
    t.click(0);
    ASSERT_TRUE(t->teleportArmed());
    t.click(5);
    t.click(6);
    EXPECT_TRUE(t->teleportArmed());
    EXPECT_EQ(t->selected(), 0);
    EXPECT_TRUE(t->cell(0).selected());
    // Dragging does nothing while it is armed (unarmed, this would swap the
    // selection with its right neighbour).
    t->onLeftPress(t.centreX(6), t.centreY(6));
    t->onMouseMove(t.centreX(6) + 30, t.centreY(6));
    t->onLeftRelease();
    EXPECT_FALSE(t->busy());
    EXPECT_TRUE(t->teleportArmed());

    t.click(11);
    EXPECT_FALSE(t->teleportArmed());
    EXPECT_EQ(t->selected(), -1);
    EXPECT_EQ(t->pieceAt(0), rainbow);
    EXPECT_EQ(t->pieceAt(11), traveller);
    EXPECT_EQ(traveller->special, SpecialNone);
    EXPECT_EQ(traveller->state, PieceState::TeleportOut);
    EXPECT_EQ(rainbow->state, PieceState::TeleportOut);
    EXPECT_EQ(traveller->moveTarget, 11.0f);
    EXPECT_EQ(rainbow->moveTarget, 0.0f);
    EXPECT_TRUE(t->cell(0).changed());
    EXPECT_TRUE(t->cell(11).changed());
    EXPECT_TRUE(t->moveMade());
    EXPECT_TRUE(t->busy());
    EXPECT_EQ(t.log.count("sound teleport"), 1);

    // They shrink where they stood, then are born in their new cells.
    const float startX = traveller->x;
    t->tick(kTick);
    EXPECT_EQ(traveller->width, 42.0f);
    EXPECT_EQ(traveller->x, startX);
    int ticks = 0;
    while (traveller->state == PieceState::TeleportOut && ticks++ < 100) t->tick(kTick);
    EXPECT_EQ(traveller->state, PieceState::Birth);
    EXPECT_EQ(traveller->x, static_cast<float>(t.centreX(11)));
    EXPECT_EQ(traveller->y, static_cast<float>(t.centreY(11)));
    EXPECT_EQ(rainbow->x, static_cast<float>(t.centreX(0)));
    ASSERT_GT(t.runUntilIdle(), 0);
    EXPECT_EQ(t.kinds(), (std::vector<std::string>{"r234", "3#12", "2341"}));
    EXPECT_EQ(t.log.count("sound swap"), 0);
    EXPECT_EQ(t.log.count("sound swapback"), 0);
}

TEST(Teleport, PiecesBornInALineAreMatchedAfterwards) {
    TestBoard t;
    t.load({"1154", "3412", "2341"});
    t->putPiece(2, 5, SpecialTeleport);
    t.click(2);
    t.click(6);
    EXPECT_EQ(t.kinds()[0], "1114");
    EXPECT_EQ(t->kindAt(6), 5);
    ASSERT_TRUE(tickUntilWave(t));
    EXPECT_EQ(t.log.starting("event"),
              (std::vector<std::string>{"event 0 type 0", "event 1 type 0", "event 2 type 0"}));
}

}  // namespace
