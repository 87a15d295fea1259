// The player list on the generated screen files: scrolling, choosing by a
// second click, letter case, deleting (with every file of the player and
// the current index kept pointing at the same player), a list longer than
// the screen, and names no file system would take as they are.

#include <gtest/gtest.h>

#include "config/player_list.h"
#include "game/progress_file.h"
#include "screen_test_support.h"

namespace {

using namespace screentest;

class ProfileMenuTest : public ScreenTest {
protected:
    ProfileMenuScreen& openList(const std::vector<std::string>& players, int current) {
        writePlayers(players, current);
        manager->showScreen("mainmenu", 1);
        step(500);
        click(500, 150);  // the player's name
        step(1500);
        EXPECT_EQ(currentName(), "profilemenu");
        return list();
    }
    // The screen position of a visible row.
    static std::pair<int, int> rowPoint(const ProfileMenuScreen& list, int row) {
        return {ProfileMenuScreen::kRowX + 40,
                ProfileMenuScreen::kRowY + ProfileMenuScreen::kRowHeight * (row - list.firstVisibleRow()) + 12};
    }
    void clickRow(const ProfileMenuScreen& list, int row) {
        auto [x, y] = rowPoint(list, row);
        click(x, y);
    }
    static constexpr ProfileFile kFiles[] = {ProfileFile::Progress, ProfileFile::QuestBoard, ProfileFile::ActionBoard,
                                             ProfileFile::CubeBoard};
    void makeFiles(const std::string& name) {
        for (ProfileFile f : kFiles) dir.write(profilePath(name, f), "x");
    }
    int filesOf(const std::string& name) {
        int n = 0;
        for (ProfileFile f : kFiles) n += dir.exists(profilePath(name, f)) ? 1 : 0;
        return n;
    }
    ProfileMenuScreen& list() { return *dynamic_cast<ProfileMenuScreen*>(manager->showScreen("profilemenu", 0)); }
};

std::vector<std::string> numbered(int count) {
    std::vector<std::string> names;
    for (int i = 1; i <= count; ++i) {
        std::string name = "P";
        name += std::to_string(i);
        names.push_back(name);
    }
    return names;
}

TEST_F(ProfileMenuTest, NinePlayersScrollOneRowAtATime) {
    ProfileMenuScreen& players = openList(numbered(9), 0);
    ASSERT_EQ(players.rowCount(), 10);
    EXPECT_TRUE(players.findChild("down")->visible);
    EXPECT_FALSE(players.findChild("up")->visible);
    clickControl("down");
    EXPECT_EQ(players.firstVisibleRow(), 1) << "rows 2 to 9 are shown";
    EXPECT_TRUE(players.findChild("up")->visible);
    clickRow(players, 8);
    EXPECT_EQ(players.selectedRow(), 8);
    EXPECT_STREQ(players.rowText(8), "P8");
    clickControl("up");
    EXPECT_EQ(players.firstVisibleRow(), 0);
    EXPECT_FALSE(players.findChild("up")->visible);
}

TEST_F(ProfileMenuTest, ASecondClickChoosesThePlayerAndTheCreateRowCannotBeDeleted) {
    ProfileMenuScreen& players = openList({"Ann", "Bob", "Cy"}, 0);
    EXPECT_EQ(players.selectedRow(), 1);
    clickRow(players, 0);
    ASSERT_EQ(currentName(), "editname");
    EXPECT_TRUE(current()->findChild("cancel")->visible) << "from the list the dialog can be left";
    clickControl("cancel");
    ASSERT_EQ(currentName(), "profilemenu");
    EXPECT_EQ(players.selectedRow(), 1) << "the current player's row again";

    clickRow(players, 3);
    step(20);
    EXPECT_TRUE(players.findChild("delete")->enabled);
    EXPECT_EQ(gameSettings().currentPlayerName, "Ann") << "one click only selects";
    clickRow(players, 3);
    EXPECT_EQ(gameSettings().currentPlayerName, "Cy");
    EXPECT_EQ(gameSettings().currentPlayerIndex, 2);
    step(1500);
    EXPECT_EQ(currentName(), "mainmenu");
    EXPECT_STREQ(current()->findChild("name")->caption(), "Cy");
    EXPECT_NE(dir.read("profiles.ini").find("current=2\r\n"), std::string::npos);
}

TEST_F(ProfileMenuTest, DeleteIsDisabledWhileTheCreateRowIsSelected) {
    writePlayers({"Ann"}, -1);
    manager->showScreen("mainmenu", 1);
    manager->showOverlay("profilemenu");
    step(1500);
    EXPECT_EQ(list().selectedRow(), 0);
    EXPECT_FALSE(list().findChild("delete")->enabled);
    clickControl("delete");
    EXPECT_EQ(currentName(), "profilemenu");
}

TEST_F(ProfileMenuTest, ANameDifferingOnlyInLetterCaseSelectsTheExistingPlayer) {
    ProfileMenuScreen& players = openList({"Ann", "\xC9lodie"}, 0);
    EXPECT_EQ(players.addPlayer("ANN"), ProfileMenuScreen::AddResult::Existing);
    EXPECT_EQ(players.addPlayer("\xE9LODIE"), ProfileMenuScreen::AddResult::Existing);
    EXPECT_EQ(players.rowCount(), 3);
    EXPECT_EQ(gameSettings().currentPlayerName, "\xC9lodie") << "spelt as the list has it";
    EXPECT_EQ(gameSettings().currentPlayerIndex, 1);
    EXPECT_EQ(players.selectedRow(), 2);
}

TEST_F(ProfileMenuTest, DeletingRemovesEveryFileOfThePlayerAndKeepsTheCurrentOne) {
    for (const char* name : {"Ann", "Bob", "Cy"}) makeFiles(name);
    ProfileMenuScreen& players = openList({"Ann", "Bob", "Cy"}, 2);
    clickRow(players, 1);
    clickControl("delete");
    ASSERT_EQ(currentName(), "deletedialog");
    // The language file's words part with the fonts' gap; the game adds a
    // space and the name.
    EXPECT_STREQ(current()->findChild("question")->caption(), "Really\xA0" "delete\xA0" "the\xA0" "player \"Ann\"?");
    key(platform::VK_RETURN);
    ASSERT_EQ(currentName(), "profilemenu");
    EXPECT_EQ(filesOf("Ann"), 0) << "the cube board too";
    EXPECT_EQ(filesOf("Bob"), 4);
    // Cy moved up a place and is still the one playing.
    EXPECT_EQ(gameSettings().currentPlayerIndex, 1);
    EXPECT_EQ(gameSettings().currentPlayerName, "Cy");
    EXPECT_EQ(dir.read("profiles.ini"), "[main]\r\ncurrent=1\r\n[users]\r\n0=Bob\r\n1=Cy\r\n");

    // Deleting the current player empties the name, and the menu asks.
    clickRow(players, 2);
    clickControl("delete");
    clickControl("yes");
    EXPECT_EQ(filesOf("Cy"), 0);
    EXPECT_EQ(gameSettings().currentPlayerName, "");
    EXPECT_EQ(players.selectedRow(), 1) << "the selection stays within the list";
    key(platform::VK_ESCAPE);
    step(1500);
    ASSERT_EQ(currentName(), "editname");
    EXPECT_FALSE(current()->findChild("cancel")->visible);
}

TEST_F(ProfileMenuTest, AListLongerThanTheScreenKeepsEveryNameAndTakesNoTwentieth) {
    ProfileMenuScreen& players = openList(numbered(25), 22);
    EXPECT_EQ(players.rowCount(), 20) << "the create row and 19 players";
    EXPECT_EQ(players.selectedRow(), -1) << "the current player is not on screen";
    EXPECT_EQ(gameSettings().currentPlayerName, "P23");

    clickRow(players, 1);
    step(20);
    clickControl("delete");
    clickControl("yes");
    PlayerList saved;
    saved.load();
    ASSERT_EQ(saved.size(), 24);
    EXPECT_EQ(saved.name(0), "P2");
    EXPECT_EQ(saved.name(23), "P25");
    EXPECT_EQ(gameSettings().currentPlayerIndex, 21);
    EXPECT_STREQ(players.rowText(19), "P20") << "the next name moved into view";

    // 24 players: a new name is refused, and the dialog says why.
    clickRow(players, 0);
    ASSERT_EQ(currentName(), "editname");
    type("Newcomer");
    key(platform::VK_RETURN);
    EXPECT_EQ(currentName(), "editname");
    EXPECT_STRNE(current()->findChild("message")->caption(), "");
    EXPECT_EQ(players.players().size(), 24);
    EXPECT_EQ(gameSettings().currentPlayerName, "P23");
    // An existing name is still taken.
    key(platform::VK_ESCAPE);
    EXPECT_EQ(players.addPlayer("p25"), ProfileMenuScreen::AddResult::Existing);
    EXPECT_EQ(gameSettings().currentPlayerIndex, 23);
}

TEST_F(ProfileMenuTest, NamesWithPathCharactersAndLatin1LettersRoundTrip) {
    writePlayers({}, 0);
    ProfileMenuScreen& players = list();
    const std::vector<std::string> typed = {"..\\x/y", "Zo\xEB \xDF", " =a=b ", "C:%s"};
    for (const std::string& name : typed) EXPECT_EQ(players.addPlayer(name), ProfileMenuScreen::AddResult::Added);
    PlayerList saved;
    saved.load();
    ASSERT_EQ(saved.size(), 4);
    EXPECT_EQ(saved.name(0), "..\\x/y");
    EXPECT_EQ(saved.name(1), "Zo\xEB \xDF");
    EXPECT_EQ(saved.name(2), "a=b") << "what the file cannot keep at the ends goes at once";
    EXPECT_EQ(saved.name(3), "C:%s");
    // Each name's files lie inside the players' folder.
    for (int i = 0; i < saved.size(); ++i) {
        const std::string path = profileFilePath(saved.name(i), ProfileFile::Progress);
        EXPECT_EQ(path.rfind("data\\profiles\\", 0), 0u) << path;
        EXPECT_EQ(path.find('/'), std::string::npos) << path;
        EXPECT_EQ(path.find("..", 14), std::string::npos) << path;
    }
}

}  // namespace
