// The game screen leading levels from their fade-in to the screen after
// them, in every mode: what each level deals, how it is labelled, how it is
// won or lost, and where the game goes when there is no next level.

#include <algorithm>

#include "game/level_rules.h"
#include "graphics/sprite_loading.h"
#include "game_screen_test_support.h"

namespace {

using namespace gametest;

std::vector<int> allowedKinds(const KestTable& table) {
    std::vector<int> kinds;
    for (int k = 0; k < kOrdinaryKinds; ++k)
        if (table[static_cast<std::size_t>(k)] != 0) kinds.push_back(k);
    return kinds;
}

TEST(LevelRules, LabelsKindsAndTargets) {
    EXPECT_EQ(levelLabel(BoardMode::ModeQuest, 12), "3-1");
    EXPECT_EQ(levelLabel(BoardMode::ModeQuest, 33), "6-1");
    EXPECT_EQ(levelLabel(BoardMode::ModeQuest, 7), "2-2");
    EXPECT_EQ(levelLabel(BoardMode::ModeQuest, 40), "6-8");
    EXPECT_EQ(levelLabel(BoardMode::ModeAction, 12), "12");

    // The first k of the row, in the row's order; the bad piece's entry kept.
    const auto order = kindOrderForLevel(7);
    EXPECT_EQ(std::vector<int>(order.begin(), order.begin() + actionKindCount(7)),
              (std::vector<int>{1, 2, 4, 7, 3, 0}));
    KestTable map{1, 1, 1, 1, 1, 1, 1, 1, 1, 0};
    const KestTable level7 = kindTableForLevel(map, 7, actionKindCount(7));
    EXPECT_EQ(allowedKinds(level7), (std::vector<int>{0, 1, 2, 3, 4, 7}));
    EXPECT_EQ(level7[KindBad], 1);

    EXPECT_EQ(actionKindCount(5), 5);
    EXPECT_EQ(actionKindCount(16), 8);
    EXPECT_EQ(actionKindCount(99), 8);
    EXPECT_EQ(cubeKindCount(2), 2);
    EXPECT_EQ(cubeKindCount(9), 3);
    EXPECT_EQ(cubeKindCount(19), 4);
    EXPECT_EQ(cubeKindCount(29), 5);
    EXPECT_EQ(cubeKindCount(49), 7);
    EXPECT_EQ(cubeKindCount(50), 8);
    EXPECT_EQ(progressTarget(1), 900);
}

TEST_F(GameScreenTest, ActionAndCubeLevelsDealTheirKindsAndChancesFromTheSavedLevel) {
    ProgressRecord record;
    record.action.level = 7;
    record.cube.level = 12;
    writeProgress(record);

    game->startAction();
    EXPECT_EQ(game->level(), 7);
    EXPECT_EQ(allowedKinds(game->board().kestTable()), (std::vector<int>{0, 1, 2, 3, 4, 7}));
    EXPECT_EQ(game->target(), 1260);
    // Every piece dealt is one of the six.
    const std::vector<int> six{0, 1, 2, 3, 4, 7};
    for (int c = 0; c < game->board().cellCount(); ++c) {
        const int kind = game->board().kindAt(c);
        if (kind == kNoKind) continue;
        EXPECT_NE(std::find(six.begin(), six.end(), kind), six.end()) << kind;
    }

    game->startCube();
    EXPECT_EQ(game->board().bonusTable()[0], 0);  // no teleports below level 13
    EXPECT_EQ(game->board().bonusTable()[1], 50);
    EXPECT_EQ(allowedKinds(game->board().kestTable()).size(), 4u);

    record.cube.level = 13;
    writeProgress(record);
    game->startCube();
    EXPECT_EQ(game->board().bonusTable()[0], 30);
    EXPECT_EQ(game->board().bonusTable()[1], 50);
}

TEST_F(GameScreenTest, AQuestLevelFadesInOpensItsIntroThenPlaysAndIsLabelledByEpisode) {
    game->newQuest(12);
    EXPECT_STREQ(game->findChild("level")->caption(), "3-1");
    EXPECT_EQ(game->lives(), 5);
    EXPECT_EQ(game->wands(), 5);
    EXPECT_EQ(game->fadeClock(), -GameScreen::kFadeMs);
    EXPECT_FALSE(game->findChild("undo")->visible);
    EXPECT_TRUE(game->findChild("magic")->visible);

    // 480 ms into the fade the board has not moved and no intro is up.
    const int timeLeft = game->board().timeLeft();
    run(480);
    EXPECT_EQ(currentName(), "game");
    EXPECT_EQ(game->board().timeLeft(), timeLeft);
    passIntro();
    EXPECT_TRUE(game->levelRunning());
    run(1000);
    EXPECT_EQ(game->board().timeLeft(), timeLeft - 1000);

    game->newQuest(33);
    EXPECT_STREQ(game->findChild("level")->caption(), "6-1");
}

TEST_F(GameScreenTest, PlayingOnWithinAnEpisodeOffersTheRelicsStageBeforeAtTheEpisodesSpot) {
    Sprite* picture = nullptr;
    int x = 0, y = 0;
    game->newQuest(5);
    passIntro();
    type("shatter");
    ASSERT_TRUE(runUntilShown("levelcomplete"));
    countLevelOn();
    // Level 6 opens episode 2: there is no stage before it to show.
    EXPECT_STREQ(game->findChild("level")->caption(), "2-1");
    EXPECT_FALSE(game->previousLevelPicture(picture, x, y));

    passIntro();
    type("shatter");
    ASSERT_TRUE(runUntilShown("levelcomplete"));
    countLevelOn();
    EXPECT_STREQ(game->findChild("level")->caption(), "2-2");
    ASSERT_TRUE(game->previousLevelPicture(picture, x, y));
    EXPECT_EQ(picture, GetSprite("data\\BACK\\2\\kest00.jpg"));
    EXPECT_EQ(x, 6);
    EXPECT_EQ(y, 141);

    // Other modes have no relic.
    game->startAction();
    EXPECT_FALSE(game->previousLevelPicture(picture, x, y));
}

TEST_F(GameScreenTest, TimeRunningOutShowsTimeUpWhileLivesRemainAndGameOverWithoutThem) {
    game->newQuest(1);
    passIntro();
    type("dusk");
    ASSERT_TRUE(runUntilShown("timeup"));
    EXPECT_FALSE(game->timeUp());  // handed over: the flag is down again

    // The time-up screen takes a life and plays the level again.
    loseLife();
    current()->closeOverlay();
    game->restartLevel();
    passIntro();
    type("LastGasp");
    ASSERT_TRUE(runUntilShown("gameover"));
    EXPECT_EQ(game->lives(), 0);

    // A saved game with no lives left comes back with none, and its next
    // time-up is the end of the game.
    game->saveProfile();
    manager->showScreen("game", 1);
    game->startQuest(1);
    EXPECT_EQ(game->lives(), 0);
    passIntro();
    type("seventeen");  // not a word: nothing happens
    type("ebb");
    EXPECT_EQ(game->board().timeLeft(), 17000);
    // Under 16 seconds the card about the last seconds stops the clock once.
    run(2100);
    ASSERT_TRUE(game->tutorialPanel().isOpen());
    closePanel();
    ASSERT_TRUE(runUntilShown("gameover"));
}

TEST_F(GameScreenTest, WinningTheLastQuestLevelWinsTheQuestAndEntersTheTableAboveAnEqualScore) {
    GameSettings& settings = gameSettings();
    for (int i = 0; i < 10; ++i) {
        const char name[3] = {'p', char('0' + i), '\0'};
        setHighScoreName(settings.highScoreTable[static_cast<std::size_t>(i)], name);
        settings.highScoreTable[static_cast<std::size_t>(i)].score = 100000 - 10000 * i;
    }
    game->newQuest(40);
    passIntro();
    game->setScore(70000);  // equal to the fourth place
    type("shatter");
    ASSERT_TRUE(runUntilShown("levelcomplete"));
    countLevelOn();
    EXPECT_EQ(currentName(), "winquest");
    EXPECT_STREQ(settings.highScoreTable[3].name, kPlayer);
    EXPECT_EQ(settings.highScoreTable[3].score, 70000);
    EXPECT_STREQ(settings.highScoreTable[4].name, "p3");
    EXPECT_STREQ(settings.highScoreTable[9].name, "p8");
    EXPECT_EQ(readProgress().quest.level, 41);
    EXPECT_EQ(readProgress().highestQuestLevel, 41);
    EXPECT_FALSE(dir.exists("data/profiles/testerquest.map"));
}

TEST_F(GameScreenTest, WithEveryPuzzleSolvedThePuzzleButtonOpensTheFirstAgain) {
    ProgressRecord record;
    record.puzzleLevel = 31;  // what is saved after the last puzzle
    writeProgress(record);
    game->startPuzzle();
    EXPECT_EQ(game->level(), 1);
    EXPECT_TRUE(game->findChild("undo")->visible);
}

TEST_F(GameScreenTest, WithoutANextLevelFileAPuzzleWinsThePuzzlesAndAQuestGoesToTheMenu) {
    ProgressRecord record;
    record.puzzleLevel = 30;
    writeProgress(record);
    game->startPuzzle();
    EXPECT_EQ(game->level(), 30);
    EXPECT_TRUE(game->findChild("undo")->visible);
    EXPECT_FALSE(game->findChild("timebar")->visible);
    passIntro();
    type("shatter");
    ASSERT_TRUE(runUntilShown("puzzlesolved"));
    countLevelOn();
    EXPECT_EQ(currentName(), "winpuzzle");

    manager->showScreen("game", 1);
    game->newQuest(38);
    passIntro();
    type("leap");  // four on and won: 42 has no file
    ASSERT_TRUE(runUntilShown("levelcomplete"));
    countLevelOn();
    EXPECT_EQ(currentName(), "mainmenu");
}

TEST_F(GameScreenTest, HudButtonsOpenTheMenusAndThePuzzleResetDealsAgainWithoutAnIntro) {
    game->startAction();
    passIntro();
    click(700, 475);  // "help"
    EXPECT_EQ(currentName(), "helpmenu");
    EXPECT_EQ(dynamic_cast<StandInScreen*>(current())->page, 4);
    current()->closeOverlay();
    manager->handleWindowMessage(WM_KEYDOWN, 27, 0);
    EXPECT_EQ(currentName(), "resumemenu");
    current()->closeOverlay();

    game->startPuzzle();
    passIntro();
    const std::size_t intros = std::count(shown.begin(), shown.end(), "readyintro");
    click(700, 535);  // "reset"
    EXPECT_TRUE(game->levelRunning());
    EXPECT_EQ(game->fadeClock(), 0);
    run(200);
    EXPECT_EQ(std::count(shown.begin(), shown.end(), "readyintro"), static_cast<long>(intros));
}

TEST_F(GameScreenTest, TheWandArmsFromItsBoxAndIsSpentOnAPiece) {
    game->newQuest(1);
    passIntro();
    click(710, 315);  // "magic"
    EXPECT_TRUE(game->wandArmed());
    EXPECT_EQ(manager->cursorIndex, 1);
    // A wand on a piece: one fewer, put down, the box off again.
    const Board& b = game->board();
    int cell = 0;
    while (!b.movable(cell)) ++cell;
    click(b.geometry().centreX(cell), b.geometry().centreY(cell));
    EXPECT_EQ(game->wands(), 4);
    EXPECT_FALSE(game->wandArmed());
    EXPECT_EQ(manager->cursorIndex, 0);
    EXPECT_STREQ(game->findChild("mw")->caption(), "4");
}

TEST_F(GameScreenTest, ActionProgressReachesTheBarInStepsFixedForTheRun) {
    game->startAction();
    passIntro();
    game->keeper().addScore(0);
    // Points of a wave wait as pending progress and reach the bar step by step.
    WaveTally wave;
    for (int i = 0; i < 30; ++i) game->queueScoreEvent(i, 0);
    game->scoreWave(wave);
    const float pending = game->keeper().progressPending();
    ASSERT_GT(pending, 3.0f);
    run(kTick);
    EXPECT_FLOAT_EQ(game->progressStep(), 900.0f / 300.0f);
    EXPECT_FLOAT_EQ(game->progress(), 3.0f);
    closePanel();
    // Later levels keep the step the run started with.
    game->setLevel(10);
    game->nextLevel();
    passIntro();
    EXPECT_FLOAT_EQ(game->progressStep(), 3.0f);
}

}  // namespace
