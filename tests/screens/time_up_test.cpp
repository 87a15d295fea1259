// The time-up and game-over questions on the generated screen files: what
// showing them does to the game (a life, the save, the saved board, the
// high-score table and the fresh start), the zoom, hold and slide before
// they take an answer, and where each answer leads.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "screen_test_support.h"
#include "screens/time_up_screen.h"

namespace {

using namespace screentest;

class TimeUpTest : public ScreenTest {
protected:
    // The game as the current screen with the question over it.
    TimeUpScreen& showOver(const char* name, int lives, int score, int wands) {
        manager->showScreen("game", 1);
        game().setLives(lives);
        game().setScore(score);
        game().setWands(wands);
        return *dynamic_cast<TimeUpScreen*>(manager->showOverlay(name));
    }
    // The whole zoom and hold, to the first update of the slide.
    int zoomAndHoldMs(const TimeUpScreen& screen) const {
        const int zoom = int(std::ceil(screen.picture()->width() / TimeUpScreen::kZoomPixelsPerMs / 20.0)) * 20;
        return zoom + TimeUpScreen::kHoldMs + 20;
    }
    void setTable(const std::vector<std::pair<const char*, int>>& entries) {
        auto& table = gameSettings().highScoreTable;
        table = {};
        for (std::size_t i = 0; i < entries.size(); ++i) {
            setHighScoreName(table[i], entries[i].first);
            table[i].score = entries[i].second;
        }
    }
    std::string table() const {
        std::string out;
        for (const HighScoreEntry& e : gameSettings().highScoreTable)
            if (e.name[0]) out += std::string(e.name) + " " + std::to_string(e.score) + ", ";
        return out;
    }
};

TEST_F(TimeUpTest, TimeUpTakesALifeAndTheBoardThenTakesYesOnlyOnceTheQuestionHasCome) {
    dir.write(profilePath("Ann", ProfileFile::QuestBoard), "saved board");
    TimeUpScreen& screen = showOver("timeup", 3, 1200, 4);
    EXPECT_EQ(game().lives(), 2);
    EXPECT_EQ(game().calls, std::vector<std::string>{"save 1 2 1200 4"});
    EXPECT_FALSE(dir.exists(profilePath("Ann", ProfileFile::QuestBoard))) << "the level starts again from its file";
    ASSERT_NE(screen.picture(), nullptr) << "the words in big letters";
    ASSERT_GT(screen.picture()->width(), 200);

    step(100);
    EXPECT_FLOAT_EQ(screen.pictureWidth(), 160.0f) << "1.6 pixels per millisecond";
    manager->draw(0, 0, *target);
    // Still zooming: the answers are not there to be given, nor pressed.
    UiElement* yes = screen.findChild("yes");
    send(platform::WM_MOUSEMOVE, yes->x + 20, yes->y + 20);
    send(platform::WM_LBUTTONDOWN, yes->x + 20, yes->y + 20, platform::MK_LBUTTON);
    EXPECT_FALSE(yes->pressed());
    send(platform::WM_LBUTTONUP, yes->x + 20, yes->y + 20);
    clickControl("no");
    EXPECT_EQ(screen.answer(), 0);

    step(zoomAndHoldMs(screen) - 120);
    EXPECT_FALSE(screen.panelComing()) << "the words hold for 2300 ms";
    EXPECT_FLOAT_EQ(screen.pictureWidth(), float(screen.picture()->width()));
    clickControl("yes");
    EXPECT_EQ(screen.answer(), 0);
    step(20);
    ASSERT_TRUE(screen.panelComing());
    EXPECT_LT(screen.panelOffset(), -900.0f) << "the controls come down from far above";
    step(1500);
    EXPECT_EQ(screen.panelOffset(), 0.0f);

    clickControl("yes");
    EXPECT_EQ(screen.answer(), 1);
    step(500);
    EXPECT_EQ(currentName(), "timeup") << "darkening for half a second";
    step(20);
    EXPECT_EQ(currentName(), "game");
    EXPECT_EQ(game().calls.back(), "restart");
    EXPECT_EQ(game().lives(), 2) << "the restart costs nothing more";
}

TEST_F(TimeUpTest, NoLeavesForTheMainMenu) {
    TimeUpScreen& screen = showOver("timeup", 2, 0, 5);
    step(zoomAndHoldMs(screen) + 1500);
    clickControl("no");
    step(520);
    EXPECT_EQ(currentName(), "mainmenu");
    EXPECT_EQ(game().calls, std::vector<std::string>{"save 1 1 0 5"}) << "no restart";
}

TEST_F(TimeUpTest, GameOverPutsAScoreEqualToTheFirstAboveItAndStartsThePlayerAfresh) {
    setTable({{"Bo", 5000}, {"Cy", 4000}});
    dir.write(profilePath("Ann", ProfileFile::QuestBoard), "saved board");
    showOver("gameover", 0, 5000, 2);
    EXPECT_EQ(table(), "Ann 5000, Bo 5000, Cy 4000, ");
    EXPECT_EQ(game().score(), 0);
    EXPECT_EQ(game().lives(), 5);
    EXPECT_EQ(game().wands(), 5);
    EXPECT_EQ(game().calls, (std::vector<std::string>{"save 1 -1 5000 2", "save 1 5 0 5"}));
    EXPECT_FALSE(dir.exists(profilePath("Ann", ProfileFile::QuestBoard)));
}

// Where a score lands in the table, and that one below all ten is left
// out, is the table's own rule (config's insert tests).
TEST_F(TimeUpTest, TimeUpAloneNeverTouchesTheTable) {
    setTable({{"Bo", 5000}});
    showOver("timeup", 3, 50000, 5);
    EXPECT_EQ(table(), "Bo 5000, ");
    EXPECT_EQ(game().score(), 50000);
}

}  // namespace
