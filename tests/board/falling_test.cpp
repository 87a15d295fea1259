// Falling and birth: what stops a fall, where new pieces appear and when,
// how they grow, and puzzle boards that do not refill.

#include "board_test_support.h"
#include "board/board_tuning.h"
#include "config/ini_store.h"
#include "temp_dir.h"

namespace {

using namespace boardtest;

TEST(Falling, PiecesFallIntoTheGapAndNewOnesAreBornAbove) {
    TestBoard t;
    t.load({"1", "2", "."});
    Piece* upper = t->pieceAt(0);
    Piece* lower = t->pieceAt(1);
    t->startFall();
    EXPECT_EQ(t->pieceAt(2), lower);
    EXPECT_EQ(t->pieceAt(1), upper);
    EXPECT_EQ(lower->state, PieceState::Falling);
    EXPECT_EQ(lower->moveTarget, float(t.centreY(2)));
    EXPECT_FLOAT_EQ(lower->vy, t->tuning().fallVelocity);
    EXPECT_TRUE(t->cell(2).changed());
    ASSERT_NE(t->pieceAt(0), nullptr);
    EXPECT_EQ(t->pieceAt(0)->state, PieceState::Birth);

    for (int i = 0; i < 50; ++i) t->tick(kTick);
    EXPECT_EQ(lower->y, float(t.centreY(2)));
    EXPECT_EQ(upper->y, float(t.centreY(1)));
    EXPECT_EQ(lower->state, PieceState::Idle);
    EXPECT_EQ(t.log.count("sound fall"), 1);
    EXPECT_GT(t.audio->birthCalls, 0);
}

TEST(Falling, AFallFromTwoRowsStartsTwiceAsFast) {
    TestBoard t(BoardMode::ModePuzzle);
    t.load({"1", ".", "."});
    Piece* p = t->pieceAt(0);
    t->startFall();
    EXPECT_EQ(t->pieceAt(2), p);
    EXPECT_FLOAT_EQ(p->vy, 2 * t->tuning().fallVelocity);
}

TEST(Falling, LockedPieceStopsTheFallAndTheGapBelowIsRefilled) {
    TestBoard t;
    t.load({"1", "2", "."}, {"0", "1", "0"});
    Piece* top = t->pieceAt(0);
    Piece* locked = t->pieceAt(1);
    t->startFall();
    EXPECT_EQ(t->pieceAt(0), top);
    EXPECT_EQ(t->pieceAt(1), locked);
    EXPECT_EQ(top->state, PieceState::Idle);
    ASSERT_NE(t->pieceAt(2), nullptr);
    EXPECT_EQ(t->pieceAt(2)->state, PieceState::Birth);
}

TEST(Falling, HoleStopsTheFall) {
    TestBoard t;
    t.load({"1", "#", "."});
    Piece* top = t->pieceAt(0);
    t->startFall();
    EXPECT_EQ(t->pieceAt(0), top);
    EXPECT_EQ(t->pieceAt(2)->state, PieceState::Birth);
    EXPECT_EQ(t->pieceAt(1), nullptr);
}

TEST(Falling, PuzzleModeLeavesEmptiedCellsEmpty) {
    TestBoard t(BoardMode::ModePuzzle);
    t.load({"12", "3.", ".4"});
    t->startFall();
    ASSERT_GT(t.runUntilIdle(), 0);
    EXPECT_EQ(t.kinds(), (std::vector<std::string>{"..", "12", "34"}));
}

// Delays of 5 * ((row - col) * 4 - index - 10) ms: on a board wider than four
// they grow to the right and downward, so the top left appears first.
TEST(Birth, DelaysGrowAwayFromTheTopLeft) {
    TestBoard t;
    t.load({"........", "........", "........"});
    t->startFall();
    const auto delay = [&](int cell) { return t->pieceAt(cell)->timer; };
    EXPECT_EQ(delay(0), -50);
    EXPECT_EQ(delay(1), -75);
    EXPECT_EQ(delay(8), -70);
    EXPECT_EQ(delay(23), 5 * ((2 - 7) * 4 - 23 - 10));
    for (int i = 1; i < t->cellCount(); ++i) EXPECT_LT(delay(i), delay(0)) << i;
    for (int r = 0; r < 3; ++r)
        for (int c = 1; c < 8; ++c) EXPECT_LT(delay(r * 8 + c), delay(r * 8 + c - 1));
}

TEST(Birth, PieceWaitsThenGrowsPastFullSizeAndSettles) {
    TestBoard t;
    t.load({".", "1"});
    t->startFall();
    Piece* p = t->pieceAt(0);
    ASSERT_EQ(p->timer, -50);
    EXPECT_EQ(p->width, 0.0f);
    t->tick(kTick);
    t->tick(kTick);
    t->tick(kTick);  // the delay has run out: 10 ms
    EXPECT_EQ(p->width, 0.0f);
    EXPECT_EQ(t.audio->birthCalls, 0);
    // 250 ms into the growth: past the peak of 1.15 at 240, settling back.
    for (int i = 0; i < 12; ++i) t->tick(kTick);
    EXPECT_EQ(p->timer, 250);
    EXPECT_NEAR(p->width, (1.75f - 0.75f * 250 / 300) * kPieceSize, 0.01f);
    EXPECT_GT(p->width, kPieceSize);
    EXPECT_EQ(p->state, PieceState::Birth);
    for (int i = 0; i < 3; ++i) t->tick(kTick);
    EXPECT_EQ(p->state, PieceState::Idle);
    EXPECT_EQ(p->width, kPieceSize);
}

// The game's data tunes the speeds, the birth time and with it the delays
// before a birth; values no board could move at keep the board's own, and
// a birth time past ten seconds is held there, so its delays stay in range.
TEST(Birth, TheDataTunesItsTimeAndItsDelaysAndHostileValuesKeepTheBoardMoving) {
    TempDir dir;
    ScopedChdir inDir(dir.path());
    const auto tuned = [&](const std::string& properties) {
        dir.write("data/common.ini", "[properties]\r\n" + properties);
        iniReleaseCache();
        return BoardTuning::fromCommonIni();
    };
    const BoardTuning game = tuned("kest_velocity=0.65\r\nfall_velocity=0.3\r\ndying_velocity=0.25\r\nbirth_time=100\r\n");
    EXPECT_FLOAT_EQ(game.kestVelocity, 0.65f);
    EXPECT_FLOAT_EQ(game.fallVelocity, 0.3f);
    EXPECT_EQ(game.birthMs, 100);

    EventLog log;
    RecordingHost host(log);
    Board board(&host, std::make_unique<RecordingAudio>(log), game);
    board.setMode(BoardMode::ModeAction);
    ASSERT_TRUE(board.setGeometry(kX0, kY0, 8, 2));
    for (int i = 0; i < 16; ++i) board.setCell(i, true, 0, 0);
    const char* const kinds = "0003434312121212";
    for (int i = 0; i < 16; ++i) board.putPiece(i, kinds[i] - '0');
    board.tick(kTick);
    Piece* dying = board.pieceAt(0);
    ASSERT_EQ(dying->state, PieceState::Dying);
    // 44 pixels down to 10 at 0.25 a ms: seven steps instead of seventeen.
    for (int i = 0; i < 6; ++i) board.tick(kTick);
    EXPECT_FALSE(dying->dead);
    board.tick(kTick);
    EXPECT_EQ(board.pieceAt(0), nullptr);
    for (int i = 0; i < 5 && !board.pieceAt(0); ++i) board.tick(kTick);
    ASSERT_NE(board.pieceAt(2), nullptr);
    EXPECT_EQ(board.pieceAt(0)->timer, -50 / 3);
    EXPECT_EQ(board.pieceAt(2)->timer, -100 / 3);

    const BoardTuning hostile = tuned("kest_velocity=-1\r\nfall_velocity=fast\r\ndying_velocity=0\r\nbirth_time=2147483647\r\n");
    EXPECT_FLOAT_EQ(hostile.kestVelocity, BoardTuning{}.kestVelocity);
    EXPECT_FLOAT_EQ(hostile.fallVelocity, BoardTuning{}.fallVelocity);
    EXPECT_FLOAT_EQ(hostile.dyingVelocity, BoardTuning{}.dyingVelocity);
    EXPECT_EQ(hostile.birthMs, 10000);
    Board slow(&host, std::make_unique<RecordingAudio>(log), hostile);
    slow.setMode(BoardMode::ModeAction);
    ASSERT_TRUE(slow.setGeometry(kX0, kY0, 8, 2));
    for (int i = 0; i < 16; ++i) slow.setCell(i, true, 0, 0);
    slow.startFall();
    EXPECT_EQ(slow.pieceAt(15)->timer, 5 * ((1 - 7) * 4 - 15 - 10) * 10000 / 300);
    iniReleaseCache();
}

TEST(Birth, NewPiecesUseOnlyAllowedKinds) {
    TestBoard t;
    t->setKestTable({0, 0, 1, 0, 0, 1, 0, 0, 0, 0});
    seedBoardRandom(7);
    for (int i = 0; i < 200; ++i) {
        const int k = t->spawnPiece(false)->kind;
        EXPECT_TRUE(k == 2 || k == 5) << k;
    }
}

TEST(Birth, BadPiecesOnlyDuringPlayAndRainbowsByTheirChance) {
    TestBoard t;
    t->setKestTable({1, 1, 1, 1, 1, 1, 1, 1, 1, 0});
    t->setBonusTable({0, 100, 0, 0, 0});
    seedBoardRandom(11);
    int bad = 0, rainbow = 0;
    for (int i = 0; i < 4000; ++i) {
        const Piece* p = t->spawnPiece(false);
        bad += p->kind == KindBad;
        if (p->special == SpecialRaduga) {
            ++rainbow;
            EXPECT_EQ(p->kind, KindRaduga);
        }
    }
    EXPECT_GT(bad, 0);
    EXPECT_NEAR(rainbow, 400, 120);
    for (int i = 0; i < 500; ++i) {
        const Piece* p = t->spawnPiece(true);
        EXPECT_LT(p->kind, KindBad);
        EXPECT_EQ(p->special, SpecialNone);
    }
}

TEST(Birth, ALevelWithoutOrdinaryKindsStillDeals) {
    TestBoard t;
    t->setKestTable({0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    for (int i = 0; i < 50; ++i) EXPECT_LT(t->spawnPiece(true)->kind, KindBad);
}

}  // namespace
