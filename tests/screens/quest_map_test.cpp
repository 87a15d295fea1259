// The quest map on the generated screen file: which episodes a player's
// progress opens and how they read, the offer to continue, the choice and
// its fade into the game, and an episode opening after its first level
// was reached.

#include <gtest/gtest.h>

#include "screen_test_support.h"
#include "screens/quest_map_screen.h"
#include "ui/button_control.h"

namespace {

using namespace screentest;
using uitest::pixelAt;

class QuestMapTest : public ScreenTest {
protected:
    QuestMapScreen& showMap() {
        return *dynamic_cast<QuestMapScreen*>(manager->showScreen("questmap", 1));
    }
    bool shown(const char* name) { return current()->findChild(name)->visible; }
    std::string prompt(int episode) {
        auto* button = dynamic_cast<ButtonControl*>(current()->findChild(("episode" + std::to_string(episode)).c_str()));
        return button && button->prompt() ? button->prompt()->caption() : "(none)";
    }
    // The episodes and markers shown, as "1 2 | 1" (buttons | markers).
    std::string openEpisodes() {
        std::string out;
        for (int e = 1; e <= 6; ++e)
            if (shown(("episode" + std::to_string(e)).c_str())) out += std::to_string(e) + " ";
        out += "|";
        for (int e = 1; e <= 6; ++e)
            if (shown(("episode" + std::to_string(e) + "_f").c_str())) out += " " + std::to_string(e);
        return out;
    }
    UiElement& control(const char* name) { return *current()->findChild(name); }
};

TEST_F(QuestMapTest, ANewPlayerHasTheFirstEpisodeToStartAndNoQuestion) {
    showMap();
    EXPECT_EQ(openEpisodes(), "1 |");
    EXPECT_EQ(prompt(1), "Start");
    EXPECT_STREQ(control("continue").caption(), "Continue");
    step(200);
    EXPECT_EQ(currentName(), "questmap") << "nothing saved, nothing to continue";

    clickControl("episode1");
    step(480);
    EXPECT_EQ(currentName(), "questmap") << "still fading out";
    step(20);
    EXPECT_EQ(currentName(), "game");
    EXPECT_EQ(game().calls, std::vector<std::string>{"new quest 1"});

    // Back on the map, "back" leads to the main menu.
    manager->showScreen("questmap", 1);
    clickControl("back");
    EXPECT_EQ(currentName(), "mainmenu");
}

TEST_F(QuestMapTest, EpisodeTwoJustReachedWithoutASavedBoardReadsStartAndGoesOnWithTheSavedQuest) {
    writeProgress(6, 6);
    showMap();
    EXPECT_EQ(openEpisodes(), "1 2 | 1");
    EXPECT_EQ(prompt(1), "Restart");
    EXPECT_EQ(prompt(2), "Start");
    EXPECT_EQ(game().level(), 6) << "the map hands the saved level to the game";

    // The saved quest is offered; declined, the map stays without asking again.
    step(20);
    ASSERT_EQ(currentName(), "continue");
    clickControl("cancel");
    EXPECT_EQ(currentName(), "questmap");
    step(200);
    EXPECT_EQ(currentName(), "questmap");
    // Starting the episode just reached goes on with the quest that reached
    // it, its score, lives and wands.
    clickControl("episode2");
    step(500);
    EXPECT_EQ(game().calls, std::vector<std::string>{"quest 6"});

    // With the level's board saved, the episode has been begun: choosing it
    // again starts it afresh.
    dir.write(profilePath("Ann", ProfileFile::QuestBoard), "saved board");
    writeProgress(6, 6);  // a save writes its progress after its board
    manager->showScreen("questmap", 1);
    EXPECT_EQ(prompt(2), "Restart");
    step(20);
    ASSERT_EQ(currentName(), "continue");
    clickControl("cancel");
    clickControl("episode2");
    step(500);
    EXPECT_EQ(game().calls.back(), "new quest 6");

    // Accepted, the dialog fades out and the saved quest goes on.
    manager->showScreen("questmap", 1);
    step(20);
    ASSERT_EQ(currentName(), "continue");
    clickControl("ok");
    step(520);
    EXPECT_EQ(currentName(), "game");
    EXPECT_EQ(game().calls.back(), "quest 6");
}

TEST_F(QuestMapTest, AFinishedQuestOffersANewGameFromLevelOneAndTakesOneChoice) {
    writeProgress(41, 41);
    showMap();
    EXPECT_EQ(openEpisodes(), "1 2 3 4 5 6 | 1 2 3 4 5 6");
    EXPECT_STREQ(control("continue").caption(), "New\xA0game");  // the fonts' word gap
    step(100);
    EXPECT_EQ(currentName(), "questmap") << "a won quest is not offered to continue";

    clickControl("continue");
    step(200);
    clickControl("episode4_f");  // too late: the first choice stands
    step(300);
    EXPECT_EQ(currentName(), "game");
    EXPECT_EQ(game().calls, std::vector<std::string>{"new quest 1"});

    // A marker chooses its episode like the button under it.
    manager->showScreen("questmap", 1);
    clickControl("episode4_f");
    step(500);
    EXPECT_EQ(game().calls.back(), "new quest 18");
}

TEST_F(QuestMapTest, AProgressFileWithoutQuestProgressOpensEpisodeOneOnly) {
    writeProgress(1, 0);
    QuestMapScreen& map = showMap();
    EXPECT_EQ(openEpisodes(), "1 |");
    EXPECT_EQ(prompt(1), "Start");
    EXPECT_TRUE(map.noProgress());
    step(100);
    EXPECT_EQ(currentName(), "questmap") << "no quest to continue";
    clickControl("continue");
    step(500);
    EXPECT_EQ(game().calls, std::vector<std::string>{"new quest 1"});
}

// Episode 3 opens: its window is hidden under the map, episode 2's open
// picture lies over its marker and fades, sparks circle, then the map over
// episode 3 fades away. Clicks wait for the end.
TEST_F(QuestMapTest, OpeningAnEpisodeRevealsItAndIgnoresTheMouseUntilDone) {
    writeProgress(12, 12);
    QuestMapScreen& map = showMap();
    map.setContinueAsked();
    map.openEpisode(3);
    ASSERT_TRUE(map.opening());

    auto& third = dynamic_cast<ButtonControl&>(control("episode3"));
    auto& second = dynamic_cast<ButtonControl&>(control("episode2"));
    auto& marker = dynamic_cast<ButtonControl&>(control("episode2_f"));
    Sprite& background = *control("background").image;
    Sprite& open = *second.stateImage(ButtonControl::kNormal);
    Sprite& finished = *marker.stateImage(ButtonControl::kNormal);
    // A point of episode 2's window where its open and finished pictures differ.
    int px = -1, py = -1;
    for (int y = 40; y < 120 && px < 0; y += 2)
        for (int x = 40; x < 130 && px < 0; x += 2)
            if (pixelAt(open, x, y) != pixelAt(finished, x, y)) px = x, py = y;
    ASSERT_GE(px, 0);
    const int cx = third.x + 86, cy = third.y + 78;
    ASSERT_NE(pixelAt(background, cx, cy), pixelAt(*third.stateImage(ButtonControl::kNormal), 86, 78));

    step(100);
    EXPECT_GT(effectLayer()->effectCount(), 0) << "sparks circle episode 2";
    effectLayer()->removeAllEffects();  // so they cover nothing looked at
    manager->draw(0, 0, *target);
    EXPECT_EQ(pixelAt(*target, cx, cy), pixelAt(background, cx, cy)) << "episode 3 still hidden";
    EXPECT_EQ(pixelAt(*target, second.x + px, second.y + py), pixelAt(open, px, py));
    click(cx, cy);
    click(second.x + 86, second.y + 78);
    EXPECT_EQ(map.chosen(), 0);

    step(1500);  // 1600 ms: episode 2's open picture has faded
    effectLayer()->removeAllEffects();
    clearTarget();
    manager->draw(0, 0, *target);
    EXPECT_EQ(pixelAt(*target, second.x + px, second.y + py), pixelAt(finished, px, py));
    EXPECT_EQ(pixelAt(*target, cx, cy), pixelAt(background, cx, cy));

    step(1100);  // past 1800 + 800 ms
    EXPECT_FALSE(map.opening());
    EXPECT_EQ(currentName(), "questmap") << "no question after a finished level";
    clearTarget();
    manager->draw(0, 0, *target);
    EXPECT_EQ(pixelAt(*target, cx, cy), pixelAt(*third.stateImage(ButtonControl::kNormal), 86, 78));

    // The episode just reached goes on with the saved quest; an earlier
    // one starts a new quest there.
    clickControl("episode3");
    step(500);
    EXPECT_EQ(game().calls, std::vector<std::string>{"quest 12"});
    manager->showScreen("questmap", 1);
    map.setContinueAsked();
    clickControl("episode2_f");
    step(500);
    EXPECT_EQ(game().calls.back(), "new quest 6");
}

}  // namespace
