// The tutorial cards during play: which may open when, that none repeats
// within a game, that the game stands still while one is open, and the
// level intro's preview of the first one.

#include "game_screen_test_support.h"

namespace {

using namespace gametest;

TEST_F(GameScreenTest, ANewGameShowsTheFirstMoveCardOnceAndTheClockWaitsWhileItIsOpen) {
    game->newQuest(1);
    passIntro();
    const int timeLeft = game->board().timeLeft();
    run(kTick);
    const TutorialPanel& panel = game->tutorialPanel();
    ASSERT_TRUE(panel.isOpen());
    EXPECT_EQ(panel.text()[0], "tutorial.ini 0.0");
    EXPECT_EQ(panel.text()[4], "tutorial.ini 0.4");
    // It points at a move: the hint point of the move's first cell.
    const int move = game->board().findMove();
    ASSERT_NE(move, kNoMove);
    EXPECT_EQ(panel.x(), game->board().tutorialPointOf(move).x);

    run(5000);
    EXPECT_TRUE(panel.isOpen());
    EXPECT_EQ(panel.clock(), TutorialPanel::kOpenMs);
    EXPECT_EQ(game->board().timeLeft(), timeLeft - kTick);
    closePanel();
    run(1000);
    EXPECT_LT(game->board().timeLeft(), timeLeft - 900);

    // The next level of the same game does not explain it again.
    type("shatter");
    ASSERT_TRUE(runUntilShown("levelcomplete"));
    countLevelOn();
    passIntro();
    run(1000);
    EXPECT_FALSE(panel.isOpen());
    EXPECT_TRUE(game->tutorialShown(TutorialEntry::FirstMove));
}

TEST_F(GameScreenTest, ContinuedGamesAndLaterLevelsSkipTheCardsThatBelongToTheStart) {
    // Continued: the first move and the coatings count as explained.
    ProgressRecord record;
    record.quest.level = 1;
    record.quest.lives = 3;
    writeProgress(record);
    game->startQuest(1);
    EXPECT_TRUE(game->tutorialShown(TutorialEntry::FirstMove));
    EXPECT_TRUE(game->tutorialShown(TutorialEntry::Coating));
    EXPECT_FALSE(game->offerTutorial(100, 100, TutorialEntry::FirstMove));
    EXPECT_FALSE(game->offerTutorial(100, 100, TutorialEntry::Coating));
    EXPECT_FALSE(game->hasIntroTutorial());

    // A swap that makes no line is explained on level 1 only, the last
    // seconds up to level 10 only.
    game->newQuest(2);
    EXPECT_FALSE(game->offerTutorial(100, 100, TutorialEntry::FailedSwap));
    game->newQuest(11);
    EXPECT_TRUE(game->tutorialShown(TutorialEntry::LastSeconds));
    game->setLevel(11);
    EXPECT_FALSE(game->offerTutorial(274, 550, TutorialEntry::LastSeconds));
    game->newQuest(1);
    game->setLevel(12);  // a game from level 1 that has come this far
    EXPECT_FALSE(game->offerTutorial(274, 550, TutorialEntry::LastSeconds));
    game->setLevel(1);
    EXPECT_TRUE(game->offerTutorial(200, 200, TutorialEntry::FailedSwap));
    EXPECT_FALSE(game->offerTutorial(200, 200, TutorialEntry::FailedSwap));

    // Cube games read their own texts.
    game->startCube();
    game->resetTutorials(true);
    ASSERT_TRUE(game->offerTutorial(300, 100, TutorialEntry::Coating));
    EXPECT_EQ(game->tutorialPanel().text()[1], "tutcube.ini 2.1");
    EXPECT_EQ(game->tutorialPanel().y(), 100);
}

TEST_F(GameScreenTest, TheIntroPreviewsTheFirstMoveCardAndHandsItOverOpen) {
    game->newQuest(1);
    ASSERT_TRUE(game->hasIntroTutorial());
    ASSERT_TRUE(runUntilShown("readyintro", 2000));
    // Half grown in, the card is drawn faint; it takes no part in play yet.
    target->FillRect(0, 0, 800, 600, 0xFF000000u);
    game->drawIntroTutorial(*target, 0.5f);
    EXPECT_FALSE(game->tutorialPanel().isOpen());
    current()->closeOverlay();
    game->setTutorialValue(1.0f);
    EXPECT_TRUE(game->levelRunning());
    ASSERT_TRUE(game->tutorialPanel().isOpen());
    EXPECT_EQ(game->tutorialPanel().clock(), TutorialPanel::kOpenMs);
    EXPECT_FALSE(game->hasIntroTutorial());
    // A click closes it and play begins.
    click(10, 10);
    run(200);
    EXPECT_FALSE(game->tutorialPanel().isOpen());
}

// Wherever on the board a card points, it keeps off the side panel and the
// gem collector's rings, and its pointer (turned with it) still ends on the
// spot's cell. In the open middle it stands where it always stood.
TEST(TutorialCardPlace, TheCardKeepsOffTheHudAndStillPointsAtItsCell) {
    constexpr int kWidth = 256, kHeight = 144;
    // The spots of the widest board's cells (20 pixels into each), and the
    // time bar's.
    std::vector<std::pair<int, int>> spots = {{274, 550}};
    for (int y = 84; y <= 500; y += 4)
        for (int x = 260; x <= 596; x += 4) spots.push_back({x, y});
    for (const auto& [x, y] : spots) {
        const CardPlace place = placeCard(x, y, kWidth, kHeight);
        SCOPED_TRACE(std::to_string(x) + "," + std::to_string(y));
        EXPECT_LE(place.left + kWidth, TutorialPanel::kHudLeft);
        EXPECT_GE(place.top, TutorialPanel::kHudTop);
        const int endX = place.left + (place.mirrored ? kWidth - 1 - CardPlace::kSpotX : CardPlace::kSpotX);
        const int endY = place.top + (place.below ? kHeight - 1 - CardPlace::kSpotY : CardPlace::kSpotY);
        // The spot lies 20 pixels into its cell, so the cell is reached
        // from 20 before it to 28 after.
        EXPECT_GE(endX, x - 20);
        EXPECT_LT(endX, x + 28);
        EXPECT_EQ(endY, y);
    }
    const CardPlace middle = placeCard(400, 400, kWidth, kHeight);
    EXPECT_EQ(middle.left, 400 - 58);
    EXPECT_EQ(middle.top, 400 - 140);
    EXPECT_FALSE(middle.mirrored || middle.below);
}

}  // namespace
