// Entering a finished quest's score into the ten-entry table.

#include <cstdio>

#include <gtest/gtest.h>

#include "config/game_settings.h"

namespace {

GameSettings tableOf(std::initializer_list<int> scores) {
    GameSettings s;
    int i = 0;
    for (int score : scores) {
        char name[16];
        std::snprintf(name, sizeof name, "p%d", i);
        setHighScoreName(s.highScoreTable[i], name);
        s.highScoreTable[i++].score = score;
    }
    return s;
}

TEST(HighScoreInsert, EqualScoreRanksAboveAndTheLastFallsOff) {
    GameSettings s = tableOf({900, 800, 700, 600, 500, 400, 300, 200, 100, 50});
    EXPECT_EQ(insertHighScore(s, "new", 900), 0);
    EXPECT_STREQ(s.highScoreTable[0].name, "new");
    EXPECT_STREQ(s.highScoreTable[1].name, "p0");
    EXPECT_EQ(s.highScoreTable[1].score, 900);
    EXPECT_STREQ(s.highScoreTable[9].name, "p8");  // p9 (50) fell off

    // 900 900 800 700 600 500 400 300 | 250 | 200; 100 falls off.
    EXPECT_EQ(insertHighScore(s, "mid", 250), 8);
    EXPECT_EQ(s.highScoreTable[7].score, 300);
    EXPECT_STREQ(s.highScoreTable[8].name, "mid");
    EXPECT_EQ(s.highScoreTable[9].score, 200);
}

TEST(HighScoreInsert, BelowAllTenChangesNothingAndLongNamesAreCut) {
    GameSettings s = tableOf({900, 800, 700, 600, 500, 400, 300, 200, 100, 50});
    const auto before = s.highScoreTable;
    EXPECT_EQ(insertHighScore(s, "low", 49), -1);
    for (int i = 0; i < 10; ++i) {
        EXPECT_STREQ(s.highScoreTable[i].name, before[i].name);
        EXPECT_EQ(s.highScoreTable[i].score, before[i].score);
    }
    EXPECT_EQ(insertHighScore(s, "a name of twenty chars", 50), 9);
    EXPECT_STREQ(s.highScoreTable[9].name, "a name of twent");
}

TEST(HighScoreInsert, AnEmptyTableTakesTheFirstScoreAtTheTop) {
    GameSettings s;
    EXPECT_EQ(insertHighScore(s, "first", 10), 0);
    EXPECT_EQ(insertHighScore(s, "second", 0), 1);  // free entries score 0
    EXPECT_STREQ(s.highScoreTable[1].name, "second");
    EXPECT_STREQ(s.highScoreTable[2].name, "");
}

}  // namespace
