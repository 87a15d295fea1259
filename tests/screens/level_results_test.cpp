// The screens after a level on the generated screen files: the quest's
// tally of the time bonus, the result panel and where its buttons lead, the
// puzzle's result, the no-moves notice the board holds, and the win
// screens' confetti.

#include <gtest/gtest.h>

#include <functional>

#include "screen_test_support.h"
#include "game/progress_file.h"
#include "screens/episode_opener.h"

namespace {

using namespace screentest;

// The quest map as the result screen sees it.
class RecordingMap : public Screen, public EpisodeOpener {
public:
    void openFinishedEpisode(int episode) override { opened.push_back(episode); }
    std::vector<int> opened;
};

class ResultsTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        manager->factory().add("questmap", [] { return std::make_unique<RecordingMap>(); });
        manager->showScreen("game", 1);
    }
    LevelCompleteScreen& showResult(int level) {
        game().level_ = level;
        return overlay<LevelCompleteScreen>("levelcomplete");
    }
    void stepUntil(const std::function<bool()>& condition, int limitMs = 20000) {
        for (int t = 0; t < limitMs && !condition(); t += 20) manager->update(20);
        ASSERT_TRUE(condition());
    }
    // The result panel resting at its place, its buttons live.
    void stepToRestingPanel(LevelCompleteScreen& result) {
        stepUntil([&] { return result.done() && result.slideOffset() == 0.0f; });
    }
    std::string caption(const char* control) { return manager->currentScreen()->findChild(control)->caption(); }
};

TEST_F(ResultsTest, ABonusOf2020IsCountedIn250sWhileTheTimeBarDrainsThenFliesIntoTheScore) {
    ProgressControl bar;
    bar.setValue(0.4f);
    RecordingGame& g = game();
    g.bar = &bar;
    g.bonus = 2020;  // 30.4 seconds left
    g.levelSeconds = 60;
    g.levelScore_ = 1000;
    g.gemPoints_ = 1250;
    g.gems_ = 3;
    g.usedSeconds = 125;
    g.score_ = 5000;
    LevelCompleteScreen& result = showResult(3);

    // Shown: the bonus is in the score already, the level counts as
    // finished and saved as the next one.
    EXPECT_EQ(g.calls,
              (std::vector<std::string>{"addScoreUnshown 2020", "save 4 5 7020 5", "markSaved"}));
    EXPECT_EQ(g.level_, 4);
    EXPECT_EQ(g.maxLevel_, 4);
    EXPECT_EQ(caption("name"), "Ann");
    EXPECT_EQ(caption("levelscore"), "3,020");
    EXPECT_EQ(caption("gempoints"), "1,250");
    EXPECT_EQ(caption("time"), "2 : 05");
    EXPECT_EQ(caption("kests"), "3");

    // After the banner the label grows in; then seven updates count.
    stepUntil([&] { return result.counting(); });
    stepUntil([&] { return result.counted() != 500; });
    std::vector<int> counts = {result.counted()};
    EXPECT_NEAR(bar.value(), (2020 - 750) / 3000.0f, 1e-5);
    for (int i = 0; i < 7; ++i) {
        manager->update(20);
        counts.push_back(result.counted());
    }
    EXPECT_EQ(counts, (std::vector<int>{750, 1000, 1250, 1500, 1750, 2000, 2020, 2020}));
    EXPECT_FLOAT_EQ(bar.value(), 0.0f);

    // The pause, the flight, and the score shown once the number lands.
    EXPECT_FALSE(result.flying());
    step(760);
    EXPECT_TRUE(result.flying());
    EXPECT_FALSE(g.called("addScore 0"));
    stepUntil([&] { return result.done(); });
    EXPECT_TRUE(g.called("addScore 0"));
    EXPECT_EQ(g.score_, 7020);
    EXPECT_EQ(result.labelWidth(), 0.0f);
}

TEST_F(ResultsTest, ActionHasNoBonusThePanelSlidesInAtOnceAndNextWaitsForItToRest) {
    dir.write(profilePath("Ann", ProfileFile::ActionBoard), "saved action board");
    dir.write(profilePath("Ann", ProfileFile::QuestBoard), "saved quest board");
    RecordingGame& g = game();
    g.mode_ = BoardMode::ModeAction;
    g.usedSeconds = 600;
    LevelCompleteScreen& result = showResult(2);
    EXPECT_EQ(caption("time"), "10 : 00");
    EXPECT_EQ(g.calls, (std::vector<std::string>{"save 3 5 0 5", "markSaved"})) << "no bonus";
    EXPECT_FALSE(dir.exists(profilePath("Ann", ProfileFile::ActionBoard))) << "the finished level's board is gone";
    EXPECT_TRUE(dir.exists(profilePath("Ann", ProfileFile::QuestBoard)));

    // A click while the banner runs does nothing; when it ends the panel
    // comes at once, without a count.
    clickControl("next");
    stepUntil([&] { return result.done(); });
    EXPECT_FALSE(result.leaving());
    EXPECT_EQ(result.counted(), 500);
    EXPECT_LT(result.slideOffset(), -900.0f);
    EXPECT_TRUE(manager->currentScreen()->findChild("mainmenu")->visible);

    // While it slides "next" is not taken.
    step(100);
    ASSERT_LT(result.slideOffset(), 0.0f);
    clickControl("next");
    EXPECT_FALSE(result.leaving());
    stepToRestingPanel(result);
    clickControl("next");
    EXPECT_TRUE(result.leaving());
    clickControl("mainmenu");  // too late: the first answer stands
    step(480);
    EXPECT_EQ(currentName(), "levelcomplete") << "the picture darkens for half a second";
    step(20);
    EXPECT_EQ(currentName(), "game");
    EXPECT_TRUE(g.called("next 3"));
}

TEST_F(ResultsTest, TheLastLevelOfAnEpisodeLeadsToTheQuestMapOtherLevelsToTheNext) {
    LevelCompleteScreen& result = showResult(5);
    stepToRestingPanel(result);
    clickControl("next");
    step(500);
    EXPECT_EQ(currentName(), "questmap");
    auto* map = dynamic_cast<RecordingMap*>(manager->currentScreen());
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->opened, std::vector<int>{2});
    EXPECT_FALSE(game().called("next 6"));

    manager->showScreen("game", 1);
    LevelCompleteScreen& again = showResult(6);
    stepToRestingPanel(again);
    clickControl("next");
    step(500);
    EXPECT_EQ(currentName(), "game");
    EXPECT_TRUE(game().called("next 7"));
    EXPECT_EQ(map->opened, std::vector<int>{2});
}

TEST_F(ResultsTest, AfterTheLastQuestLevelOnlyNextRemainsAndMainMenuFadesIn) {
    game().maxLevel_ = 40;
    LevelCompleteScreen& result = showResult(40);
    EXPECT_EQ(game().level_, 41);
    EXPECT_EQ(game().maxLevel_, 41);
    EXPECT_FALSE(manager->currentScreen()->findChild("mainmenu")->visible);
    EXPECT_TRUE(manager->currentScreen()->findChild("next")->visible);
    const int alone = manager->currentScreen()->findChild("next")->x;

    // Any other level offers the way to the menu, which fades in; "next"
    // is back beside it, and alone it stood in the middle of the two.
    manager->showScreen("game", 1);
    LevelCompleteScreen& other = showResult(9);
    EXPECT_TRUE(manager->currentScreen()->findChild("mainmenu")->visible);
    const int menuX = manager->currentScreen()->findChild("mainmenu")->x;
    const int beside = manager->currentScreen()->findChild("next")->x;
    EXPECT_GT(beside, menuX);
    EXPECT_EQ(alone, (menuX + beside) / 2);
    stepToRestingPanel(other);
    clickControl("mainmenu");
    step(500);
    ASSERT_EQ(currentName(), "mainmenu");
    EXPECT_LT(dynamic_cast<MainMenuScreen*>(manager->currentScreen())->fadeTimer(), 0);
    EXPECT_FALSE(game().called("next 10"));
    (void)result;
}

TEST_F(ResultsTest, APuzzleResultTakesNoKeyForItsFirstSecondAndAHalf) {
    game().mode_ = BoardMode::ModePuzzle;
    game().level_ = 4;
    PuzzleSolvedScreen& solved = overlay<PuzzleSolvedScreen>("puzzlesolved");
    EXPECT_EQ(game().calls, std::vector<std::string>{"save 5 5 0 5"});
    step(1400);
    key('A');
    click(400, 300);
    step(20);
    EXPECT_FALSE(solved.leaving());
    step(120);
    ASSERT_TRUE(solved.anyKey());
    key(platform::VK_SPACE);
    EXPECT_TRUE(solved.leaving());
    step(480);
    EXPECT_EQ(currentName(), "puzzlesolved");
    step(20);
    EXPECT_EQ(currentName(), "game");
    EXPECT_TRUE(game().called("next 5"));

    // Shown again it starts over.
    PuzzleSolvedScreen& again = overlay<PuzzleSolvedScreen>("puzzlesolved");
    EXPECT_FALSE(again.anyKey());
    EXPECT_FALSE(again.leaving());
}

TEST_F(ResultsTest, TheNoMovesNoticeIsAnOverlayTheBoardDrawsNeverTheCurrentScreen) {
    auto* overlay = dynamic_cast<BoardOverlay*>(manager->showScreen("nomovespuzzle", 0));
    ASSERT_NE(overlay, nullptr);
    EXPECT_EQ(currentName(), "game");
    auto* notice = dynamic_cast<NoMovesScreen*>(overlay);
    ASSERT_NE(notice->picture(), nullptr);
    overlay->update(20);
    overlay->draw(*target);
    // The letters lie across the middle of the notice, centred on x = 430.
    const int half = notice->picture()->width() / 2;
    EXPECT_LT(uitest::countInRow(*target, 150, 430 - half, 430 + half, 0), 2 * half - 50);
    EXPECT_GT(uitest::countInRow(*target, 150, 0, 60, 0), 50) << "clear far to the left";
}

TEST_F(ResultsTest, TheWinScreensThrowConfettiWhileShownAndLeadToTheMenu) {
    auto* win = dynamic_cast<WinScreen*>(manager->showScreen("winpuzzle", 1));
    ASSERT_NE(win, nullptr);
    EXPECT_EQ(effectLayer()->emitterCount(), 10);
    step(1000);
    EXPECT_GT(effectLayer()->effectCount(), 0) << "confetti falls";
    manager->showScreen("game", 1);
    EXPECT_EQ(effectLayer()->emitterCount(), 0) << "the slots are free for the game";
    for (int i = 0; i < 10; ++i) EXPECT_EQ(win->confettiSlot(i), -1);

    // A key on the puzzles' win screen: the menu, fading in.
    manager->showScreen("winpuzzle", 1);
    key('X');
    ASSERT_EQ(currentName(), "mainmenu");
    EXPECT_EQ(dynamic_cast<MainMenuScreen*>(manager->currentScreen())->fadeTimer(), -500);
    step(600);
    EXPECT_EQ(currentName(), "mainmenu");

    // After the quest the menu opens the best scores once it has faded in.
    manager->showScreen("winquest", 1);
    click(10, 10);
    ASSERT_EQ(currentName(), "mainmenu");
    step(400);
    EXPECT_EQ(currentName(), "mainmenu");
    step(200);
    EXPECT_EQ(currentName(), "highscores");
}

}  // namespace
