// Scoring on real boards: what a wave is worth, how the chain bonus carries
// it through a cascade, the gems of big matches, the queue's limit, the
// combo banner, the bonus lives and puzzle mode's silence.

#include <gtest/gtest.h>

#include "board/board_random.h"
#include "scoring_test_support.h"

namespace {

using namespace boardtest;
using namespace scoringtest;

// A cascade: swapping the 2 and the 1 of column 1 lines up three 1s in row
// 3; their removal drops column 0's 6s onto the 6 in row 4, a second line.
const std::vector<std::string> kTwoWaves = {
    "743",
    "654",
    "632",
    "121",
    "615",
};

TEST(Scoring, AWaveOfThreeScoresThirtyAndTheNextWaveOfTheMoveSixty) {
    ScoringBoard t(BoardMode::ModeAction);
    seedBoardRandom(7);
    t.load(kTwoWaves);
    t.drag(10, 13);
    ASSERT_GE(t.runUntilIdle(), 0);
    ASSERT_GE(t.scoring.wavePoints.size(), 2u);
    EXPECT_EQ(t.log.starting("wave")[0], "wave 0 of 3");
    EXPECT_EQ(t.log.starting("wave")[1], "wave 1 of 3");
    EXPECT_EQ(t.scoring.wavePoints[0], 30);
    EXPECT_EQ(t.scoring.wavePoints[1], 60);
    // Every piece's points rose from its own cell: the first wave's three
    // were row 3's, 10 each.
    EXPECT_EQ(t.log.count("float +10" + at(t.centreX(9), t.centreY(9))), 1);
    EXPECT_EQ(t.log.count("float +20" + at(t.centreX(12), t.centreY(12))), 1);
    EXPECT_EQ(t.keeper.levelScore(), t.keeper.score());
    EXPECT_EQ(t.display.shownScore, t.keeper.score());
    // Resting again, the chain starts over for the next move.
    EXPECT_EQ(t.keeper.chainBonus(), 0);
    // Action mode: every event and a tenth of its points wait for the bar.
    EXPECT_GT(t.keeper.progressPending(), 0.0f);
}

TEST(Scoring, ALockInTheLineRaisesTheWorthOfTheRestOfItsWave) {
    ScoringBoard t(BoardMode::ModeAction);
    seedBoardRandom(5);
    t.load({"3453", "1111", "4534"}, {"0000", "0100", "0000"});
    t->tick(kTick);
    ASSERT_EQ(t.scoring.wavePoints.size(), 1u);
    EXPECT_EQ(t.log.starting("event").size(), 3u);  // the lock takes its hit unpaid
    EXPECT_EQ(t.scoring.wavePoints[0], 3 * 20);
    EXPECT_EQ(t->pieceAt(5)->lock, 0);
}

TEST(Scoring, EventValuesFollowTheirTypeAndTheWavesMultiplier) {
    ScoreKeeper keeper;
    keeper.newGame(BoardMode::ModeQuest);
    BoardGeometry geometry;
    // Three pieces on single coatings: 10 + 50 each.
    for (int cell = 0; cell < 3; ++cell) keeper.queueScoreEvent(cell, ScoreOnCoating);
    keeper.scoreWave({}, geometry);
    EXPECT_EQ(keeper.score(), 180);
    EXPECT_EQ(keeper.chainBonus(), 0);

    // A bonus plate and a bad piece in a cascade are worth the same at any depth.
    keeper.setChainBonus(5);
    keeper.queueScoreEvent(20, ScorePlate);
    keeper.queueScoreEvent(21, ScoreBadInCascade);
    keeper.queueScoreEvent(22, ScorePlain);
    keeper.scoreWave({}, geometry);
    EXPECT_EQ(keeper.score(), 180 + 500 + 100 + 60);
    EXPECT_EQ(keeper.chainBonus(), 5);
}

TEST(Scoring, TheWandsLoweredChainMakesAWaveWorthNothingAndNeverLessThanNothing) {
    ScoreKeeper keeper;
    keeper.newGame(BoardMode::ModeQuest);
    BoardGeometry geometry;
    keeper.setChainBonus(keeper.chainBonus() - 1);  // the wand was used
    for (int cell = 0; cell < 3; ++cell) keeper.queueScoreEvent(cell, ScorePlain);
    keeper.scoreWave({}, geometry);
    EXPECT_EQ(keeper.score(), 0);
    EXPECT_EQ(keeper.chainBonus(), -1);

    // Three bad pieces matched by the player queue nothing and drag the
    // chain down further; the cascade after them still gains, never loses.
    keeper.setChainBonus(-3);
    for (int cell = 0; cell < 3; ++cell) keeper.queueScoreEvent(cell, ScorePlain);
    keeper.scoreWave({}, geometry);
    EXPECT_EQ(keeper.score(), 0);
    keeper.queueScoreEvent(0, ScoreOnCoating);
    keeper.scoreWave({}, geometry);
    EXPECT_GE(keeper.score(), 0);
}

// Through the board: three pieces on single coatings pay 60 each, and the
// coatings are gone from the level's count.
TEST(Scoring, ALineOnSingleCoatingsPaysOneEightyThroughTheBoard) {
    ScoringBoard t(BoardMode::ModeQuest);
    seedBoardRandom(3);
    t.load({"3453", "1112", "4534"}, {}, {"0000", "1110", "0000"});
    ASSERT_EQ(t->coatRemaining(), 3);
    t->tick(kTick);
    ASSERT_FALSE(t.scoring.wavePoints.empty());
    EXPECT_EQ(t.scoring.wavePoints[0], 180);
    EXPECT_EQ(t->coatRemaining(), 0);
}

// The wand lowers the chain by one and the fall after its removal raises it
// again, as every fall does, so the cascade it sets off is worth what the
// player's own first line would be: 10 a piece.
TEST(Scoring, TheCascadeAfterTheWandPaysLikeAFirstLine) {
    ScoringBoard t(BoardMode::ModeAction);
    MagicWand wand;
    wand.startNewQuestGame();
    t.scoring.wand = &wand;
    seedBoardRandom(4);
    t.load({"214", "151", "323", "434"});
    t->setKestTable({0, 0, 0, 0, 0, 0, 1, 1, 0, 0});
    ASSERT_TRUE(wand.press(true).controlPressed);
    t.click(4);
    EXPECT_EQ(wand.count(), 4);
    ASSERT_GE(t.runUntilIdle(), 0);
    ASSERT_FALSE(t.scoring.wavePoints.empty());
    EXPECT_EQ(t.log.starting("wave")[0], "wave 0 of 3");
    EXPECT_EQ(t.scoring.wavePoints[0], 30);
}

TEST(Scoring, AWaveOfTwentyPaysAHundredAPieceAndTheQueueNeverPassesFifty) {
    ScoringBoard t(BoardMode::ModeAction);
    seedBoardRandom(11);
    t.load({"11111", "11111", "11111", "11111"});
    t->tick(kTick);  // the lines are found and scored at once
    ASSERT_EQ(t.scoring.wavePoints.size(), 1u);
    EXPECT_EQ(t.scoring.wavePoints[0], 20 * 100);
    EXPECT_EQ(t.log.count("float +100" + at(t.centreX(7), t.centreY(7))), 1);

    ScoringBoard big(BoardMode::ModeAction);
    seedBoardRandom(11);
    big.load(std::vector<std::string>(10, "222222"));
    big->tick(kTick);
    ASSERT_EQ(big.log.count("wave 0 of 60"), 1);
    // Sixty pieces, fifty events kept: the rest of the wave goes unpaid
    // rather than past the end of the queue.
    EXPECT_EQ(big.scoring.wavePoints[0], 50 * 100);
    EXPECT_EQ(big.keeper.eventCount(), 0);
}

struct GemCase {
    BoardMode mode;
    std::vector<std::string> rows;
    const char* expected;  // "gem small", "gem big" or nothing
};

TEST(Scoring, BigMatchesThrowGemsOfTheirSize) {
    const GemCase cases[] = {
        {BoardMode::ModeAction, {"3453", "1111", "4534"}, "gem small"},
        {BoardMode::ModeAction, {"34534", "11111", "45345"}, "gem big"},
        // An L of three and three: the corner is hit twice, six in all.
        {BoardMode::ModeAction, {"1345", "1534", "1113"}, "gem big"},
        {BoardMode::ModeAction, {"3453", "1114", "4534"}, nullptr},
        // Cube mode: two squares side by side hit eight times.
        {BoardMode::ModeCube, {"34534", "31114", "51113", "34534"}, "gem small"},
        {BoardMode::ModeCube, {"34534", "31145", "51134", "34534"}, nullptr},
    };
    for (const GemCase& c : cases) {
        SCOPED_TRACE(c.rows[1] + " / " + c.rows[2]);
        ScoringBoard t(c.mode);
        seedBoardRandom(3);
        t.load(c.rows);
        t->tick(kTick);
        ASSERT_EQ(t.scoring.wavePoints.size(), 1u);
        const auto gems = t.log.starting("gem");
        if (!c.expected) {
            EXPECT_TRUE(gems.empty());
            EXPECT_EQ(t.keeper.gemsCollected(), 0);
            continue;
        }
        ASSERT_EQ(gems.size(), 1u);
        EXPECT_EQ(gems[0].rfind(c.expected, 0), 0u) << gems[0];
        EXPECT_EQ(t.keeper.gemsCollected(), 1);
        const bool big = std::string(c.expected) == "gem big";
        EXPECT_EQ(t.collector.filled(), big ? 1 : 0);
    }
}

TEST(Scoring, TheGemThatFillsTheCollectorPaysTheGemBonusOnce) {
    ScoringBoard t(BoardMode::ModeAction);
    t.keeper.startLevel(1);  // three slots
    const BoardGeometry& geometry = t->geometry();
    WaveTally wave;
    wave.removedByKind[2] = 5;
    wave.gemSpot[2] = 300 + 1000 * 200;
    for (int i = 0; i < 4; ++i) t.keeper.scoreWave(wave, geometry);
    EXPECT_EQ(t.collector.filled(), 3);
    EXPECT_EQ(t.keeper.score(), 10000);
    EXPECT_EQ(t.keeper.levelScore(), 0);  // the bonus is the game's, not the level's
    EXPECT_EQ(t.keeper.gemsCollected(), 4);
    EXPECT_EQ(t.log.count("sound diamond_bonus"), 1);
    EXPECT_EQ(t.banner.text(), t.banner.textOf(BannerText::GemBonus));
    EXPECT_EQ(t.log.count("gem big at 300,200"), 4);
    // The gems' own tally holds the bonus and what landed gems pay, so with
    // the level's score it makes what the level added; a new level starts it
    // again.
    t.keeper.payGem(true, 0, 0);
    t.keeper.payGem(false, 0, 0);
    EXPECT_EQ(t.keeper.gemPoints(), 10000 + 1000 + 250);
    EXPECT_EQ(t.keeper.levelScore() + t.keeper.gemPoints(), t.keeper.score());
    t.keeper.resetLevelTally();
    EXPECT_EQ(t.keeper.gemPoints(), 0);
}

TEST(Scoring, TheComboBannerShowsOnTheThirdFifthSeventhAndNinthWave) {
    ScoringBoard t(BoardMode::ModeQuest);
    const BoardGeometry& geometry = t->geometry();
    const char* expected[] = {nullptr, nullptr, "combo1", nullptr, "combo2", nullptr, "combo3", nullptr, "combo4",
                              nullptr};
    for (int waveCount = 0; waveCount < 10; ++waveCount) {
        SCOPED_TRACE(waveCount);
        t.log.entries.clear();
        t.banner.end();
        WaveTally wave;
        wave.waveCount = waveCount;
        t.keeper.queueScoreEvent(0, ScorePlain);
        t.keeper.scoreWave(wave, geometry);
        const auto sounds = t.log.starting("sound combo");
        if (expected[waveCount]) {
            ASSERT_EQ(sounds.size(), 1u);
            EXPECT_EQ(sounds[0], std::string("sound ") + expected[waveCount]);
            EXPECT_TRUE(t.banner.running());
        } else {
            EXPECT_TRUE(sounds.empty());
            EXPECT_FALSE(t.banner.running());
        }
    }
}

TEST(Scoring, OneBonusLifePerCheckSoTwoStepsInOneWavePayTheSecondLater) {
    ScoringBoard t(BoardMode::ModeQuest);
    const BoardGeometry& geometry = t->geometry();
    EXPECT_EQ(t.keeper.lives(), 5);
    // A resumed game whose lives were not yet brought up to its score.
    t.keeper.restore(499800, 5);
    t.keeper.queueScoreEvent(0, ScorePlate);
    t.keeper.scoreWave({}, geometry);
    EXPECT_EQ(t.keeper.score(), 500300);
    EXPECT_EQ(t.keeper.lives(), 6);
    EXPECT_EQ(t.keeper.bonusLives(), 1);
    EXPECT_EQ(t.log.count("sound bonuslife"), 1);
    EXPECT_EQ(t.display.shownLives, 6);

    t.keeper.payGem(false, 0, 0);  // the next change of the score
    EXPECT_EQ(t.keeper.lives(), 7);
    EXPECT_EQ(t.keeper.bonusLives(), 2);
    t.keeper.payGem(false, 0, 0);
    EXPECT_EQ(t.keeper.lives(), 7);
    EXPECT_EQ(t.log.count("sound bonuslife"), 2);

    // Loading a level squares the account with the score.
    t.keeper.restore(760000, 2);
    t.keeper.levelLoaded();
    EXPECT_EQ(t.keeper.bonusLives(), 3);
    t.keeper.addScore(0);
    EXPECT_EQ(t.keeper.lives(), 2);

    // Other modes have no lives to give.
    ScoreKeeper action;
    action.newGame(BoardMode::ModeAction);
    action.addScore(300000);
    EXPECT_EQ(action.lives(), 0);
    EXPECT_EQ(action.bonusLives(), 0);
}

TEST(Scoring, PuzzleModeQueuesAndShowsNothingButStillThrowsGems) {
    ScoringBoard t(BoardMode::ModePuzzle);
    t.load({"34534", "11111", "45345"});
    t->tick(kTick);
    EXPECT_TRUE(t.log.starting("event").empty());
    EXPECT_EQ(t.keeper.eventCount(), 0);
    EXPECT_TRUE(t.log.starting("float").empty());
    EXPECT_EQ(t.log.count("wave 0 of 5"), 1);
    EXPECT_EQ(t.log.starting("gem big").size(), 1u);
    EXPECT_EQ(t.keeper.gemsCollected(), 1);
    EXPECT_EQ(t.collector.filled(), 0);
    EXPECT_EQ(t.keeper.score(), 0);

    // Deep waves show no banner either; a stray event is refused.
    t.keeper.queueScoreEvent(3, ScorePlain);
    WaveTally wave;
    wave.waveCount = 2;
    t.keeper.scoreWave(wave, t->geometry());
    EXPECT_FALSE(t.banner.running());
    EXPECT_EQ(t.keeper.score(), 0);
    // The gem lands and pays all the same.
    t.keeper.payGem(true, 400, 530);
    EXPECT_EQ(t.keeper.score(), 1000);
}

TEST(Scoring, TimeBonusAndTimeUsed) {
    EXPECT_EQ(timeBonus(BoardMode::ModeQuest, 30000), 2000);
    EXPECT_EQ(timeBonus(BoardMode::ModeQuest, 999), 49 + 500);
    EXPECT_EQ(timeBonus(BoardMode::ModeQuest, -20), 500);  // won in the step the clock ran out
    EXPECT_EQ(timeBonus(BoardMode::ModeAction, 30000), 0);
    EXPECT_EQ(timeUsedSeconds(BoardMode::ModeQuest, 120000, 30500, 999999), 89);
    EXPECT_EQ(timeUsedSeconds(BoardMode::ModeCube, 120000, 30500, 61999), 61);
    EXPECT_EQ(timeUsedSeconds(BoardMode::ModePuzzle, 120000, 30500, 61999), 0);
}

TEST(GemCollectorTest, SlotsGrowWithTheLevelAndAFullCollectorTakesNoMore) {
    const std::pair<int, int> steps[] = {{0, 3}, {1, 3}, {5, 3}, {6, 4}, {11, 4}, {12, 5}, {17, 5},
                                         {18, 6}, {24, 6}, {25, 7}, {32, 7}, {33, 8}, {40, 8}};
    for (const auto& [level, slots] : steps) EXPECT_EQ(GemCollector::slotsForLevel(level), slots) << level;

    EventLog log;
    ScoringEffects effects(log);
    GemCollector collector;
    collector.reset(6);  // four slots
    EXPECT_FALSE(collector.receive(&effects));
    EXPECT_FALSE(collector.receive(&effects));
    EXPECT_FALSE(collector.receive(&effects));
    EXPECT_TRUE(collector.receive(&effects));
    EXPECT_FALSE(collector.receive(&effects));  // full: no second bonus
    EXPECT_EQ(collector.filled(), 4);
    // Each filled slot sparkles where it lies: 48 apart, centred on 432 - 24.
    EXPECT_EQ(log.entries, (std::vector<std::string>{"burst10 at 336,40", "burst10 at 384,40", "burst10 at 432,40",
                                                     "burst10 at 480,40"}));
    EXPECT_EQ(collector.slotX(0, BoardMode::ModeAction), 398 - 96);
    EXPECT_EQ(collector.slotX(3, BoardMode::ModeQuest), 398 - 96 + 144 + 32);

    collector.restore(9);
    EXPECT_EQ(collector.filled(), 4);
    collector.restore(-2);
    EXPECT_EQ(collector.filled(), 0);
    collector.reset(1);
    EXPECT_EQ(collector.slots(), 3);
    EXPECT_EQ(collector.filled(), 0);
}

}  // namespace
