// The player's saved game as the game screen writes and reads it: the
// progress file's bytes exactly as its table lays them out, each mode
// touching only its own fields, the saved boards, and hostile files and
// names that never reach outside data/profiles.

#include <fstream>
#include <set>

#include "game/level_map.h"
#include "game_screen_test_support.h"

namespace {

using namespace gametest;
using Bytes = std::vector<std::uint8_t>;

// Every field distinct, so a field written at the wrong place shows.
Bytes handWrittenFile() {
    return {
        7,                             // puzzle level
        12, 0x01, 0x02, 0x03,          // action level, score
        4, 0x01, 0x00, 0x00, 0x09,     // action wands, time 256 s, gems
        0x0A, 0x0B, 0x0C, 0x03, 0xE8,  // action level score, progress 1000
        5,                             // action collector
        23, 0x98, 0x96, 0x80, 3,       // quest level, score 10,000,000, wands
        0x00, 0x5A, 0x00, 0x11,        // quest time left 90 s, gems
        0x00, 0x30, 0x39, 2, 6,        // quest level score, lives, collector
        24,                            // highest quest level
        15, 0x00, 0x00, 0x64,          // cube level, score
        0x00, 0x3C, 0x00, 0x02,        // cube time, gems
        0x00, 0x00, 0x32, 0x01, 0xF4,  // cube level score, progress 500
        1, 1,                          // cube collector, tips off
    };
}

Bytes asBytes(const std::string& s) { return Bytes(s.begin(), s.end()); }

TEST_F(GameScreenTest, AQuestSaveWritesItsFieldsByteForByteAndLeavesTheOthers) {
    const Bytes before = handWrittenFile();
    dir.write("data/profiles/tester.sav", std::string(before.begin(), before.end()));
    game->newQuest(7);
    EXPECT_EQ(game->maxQuestLevel(), 24);  // the player's own, from the file
    game->setScore(0x012345);
    game->setLives(3);
    game->setWands(2);
    game->board().setTimeLeft(42500);
    game->keeper().restoreLevelTally(0x000102, 0x0304);
    game->saveProfile();

    Bytes expected = before;
    const Bytes quest = {7, 0x01, 0x23, 0x45, 2, 0x00, 42, 0x03, 0x04, 0x00, 0x01, 0x02, 3, 0, 24};
    std::copy(quest.begin(), quest.end(), expected.begin() + 16);
    expected[45] = gameSettings().showTips ? 0 : 1;
    EXPECT_EQ(asBytes(profileBytes()), expected);
    EXPECT_TRUE(dir.exists("data/profiles/testerquest.map"));
}

TEST_F(GameScreenTest, SavingInActionModeLeavesTheQuestAndCubeFieldsAndTheHighestLevel) {
    const Bytes before = handWrittenFile();
    dir.write("data/profiles/tester.sav", std::string(before.begin(), before.end()));
    game->startAction();
    EXPECT_EQ(game->level(), 12);
    EXPECT_EQ(game->score(), 66051);
    EXPECT_FALSE(gameSettings().showTips);  // the file's last byte
    passIntro();
    closePanelIfOpen();
    game->addScore(1000);
    run(2000);
    game->saveProfile();

    const Bytes after = asBytes(profileBytes());
    ASSERT_EQ(after.size(), kProgressFileSize);
    EXPECT_EQ(after[0], before[0]);
    EXPECT_TRUE(std::equal(after.begin() + 16, after.end(), before.begin() + 16));
    ProgressRecord saved = readProgress();
    EXPECT_EQ(saved.action.level, 12);
    EXPECT_EQ(saved.action.score, game->score());
    EXPECT_EQ(saved.action.timeSeconds, 256 + 2);
    EXPECT_TRUE(dir.exists("data/profiles/testeraction.map"));
    EXPECT_FALSE(dir.exists("data/profiles/testerquest.map"));
}

TEST_F(GameScreenTest, TheHighestQuestLevelNeverFallsAndBelongsToItsPlayer) {
    ProgressRecord record;
    record.highestQuestLevel = 24;
    writeProgress(record);
    game->newQuest(1);
    game->setMaxQuestLevel(3);
    game->saveProfile();
    EXPECT_EQ(readProgress().highestQuestLevel, 24);
    EXPECT_EQ(game->maxQuestLevel(), 24);

    // Another player starting a quest on the same screen does not inherit it.
    gameSettings().currentPlayerName = "newcomer";
    game->newQuest(1);
    game->saveProfile();
    ProgressRecord theirs;
    ASSERT_EQ(readProgressFile("newcomer", theirs), ProgressReadResult::Complete);
    EXPECT_EQ(theirs.highestQuestLevel, 0);
}

TEST_F(GameScreenTest, ASavedActionBoardComesBackWithItsOwnGenerationTable) {
    game->startAction();
    passIntro();
    game->saveProfile();
    // The saved board deals kinds 1, 3, 5 and 7; the file says level 7,
    // whose own kinds would be six others.
    std::ifstream in(dir.file("data/profiles/testeraction.map"), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    MapData map;
    ASSERT_TRUE(decodeMap(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), map));
    map.kests = {0, 1, 0, 1, 0, 1, 0, 1, 0, 0};
    ASSERT_TRUE(writeMap(map, "data\\profiles\\testeraction.map"));
    ProgressRecord record = readProgress();
    record.action.level = 7;
    record.action.progress = 400;
    record.action.collector = 2;
    writeProgress(record);

    game->startAction();
    EXPECT_TRUE(game->resumed());
    EXPECT_EQ(game->level(), 7);
    EXPECT_EQ(game->board().kestTable(), map.kests);
    EXPECT_EQ(game->target(), 60 * 7 + 840);
    EXPECT_FLOAT_EQ(game->progress(), 400.0f);
    EXPECT_EQ(game->collector().filled(), 2);
}

TEST_F(GameScreenTest, AResumedQuestKeepsItsBoardClockAndLocksAndALostLevelStartsAfresh) {
    game->newQuest(18);
    passIntro();
    run(3000);
    const int timeLeft = game->board().timeLeft();
    game->saveProfile();
    const std::string savedBoard = dir.read("data/profiles/testerquest.map");

    game->startQuest(1);
    EXPECT_TRUE(game->resumed());
    EXPECT_EQ(game->level(), 18);
    EXPECT_EQ(game->board().timeLeft(), timeLeft / 1000 * 1000);
    EXPECT_STREQ(game->findChild("level")->caption(), "4-1");
    Sprite* picture = nullptr;
    int x = 0, y = 0;
    EXPECT_FALSE(game->previousLevelPicture(picture, x, y));
    // Saved again untouched, the board is the same board.
    passIntro();
    game->saveProfile();
    EXPECT_EQ(dir.read("data/profiles/testerquest.map"), savedBoard);

    // Time up deletes the board: the level is dealt again from its file.
    loseLife();
    game->startQuest(1);
    EXPECT_FALSE(game->resumed());
    EXPECT_EQ(game->level(), 18);
    EXPECT_EQ(game->lives(), 4);
    EXPECT_EQ(game->board().timeLeft(), game->board().timeTotal());
}

TEST_F(GameScreenTest, AWonOrLostLevelForgetsItsOwnModesBoardAndNoOther) {
    // A saved board in each mode that keeps one.
    game->startCube();
    passIntro();
    game->saveProfile();
    game->startAction();
    passIntro();
    game->saveProfile();
    game->newQuest(2);
    passIntro();
    closePanelIfOpen();
    const std::string stem = "data/profiles/" + profileFileStem(kPlayer);
    for (const char* board : {"quest.map", "action.map", "cube.map"}) ASSERT_TRUE(dir.exists(stem + board)) << board;

    // Time up in the quest: only the quest's board goes.
    type("dusk");
    ASSERT_TRUE(runUntilShown("timeup"));
    loseLife();
    current()->closeOverlay();
    EXPECT_FALSE(dir.exists(stem + "quest.map"));
    EXPECT_TRUE(dir.exists(stem + "action.map"));

    // An action level won: its board goes, the cube's stays, and the next
    // visit deals the next level afresh.
    game->startAction();
    EXPECT_TRUE(game->resumed());
    passIntro();
    type("shatter");
    ASSERT_TRUE(runUntilShown("levelcomplete"));
    countLevelOn();
    EXPECT_FALSE(dir.exists(stem + "action.map"));
    EXPECT_TRUE(dir.exists(stem + "cube.map"));
    game->startAction();
    EXPECT_FALSE(game->resumed());
    EXPECT_EQ(game->level(), 2);

    // A puzzle keeps no board, and forgetting it touches none.
    game->startPuzzle();
    game->forgetSavedBoard();
    EXPECT_TRUE(dir.exists(stem + "cube.map"));
}

TEST_F(GameScreenTest, QuittingAfterPlaySavesOnceAndNothingWhenTheFlowHasSaved) {
    game->newQuest(3);
    passIntro();
    removeProfileFile(ProfileFile::Progress);
    run(1000);
    manager.reset();
    ProgressRecord saved;
    ASSERT_EQ(readProgressFile(kPlayer, saved), ProgressReadResult::Complete);
    EXPECT_EQ(saved.quest.level, 3);

    SetUpAgain();
    game->newQuest(3);
    passIntro();
    run(1000);
    game->markSaved();
    removeProfileFile(ProfileFile::Progress);
    manager.reset();
    EXPECT_FALSE(profileFileExists(kPlayer, ProfileFile::Progress));
}

TEST_F(GameScreenTest, DamagedProgressFilesAndHostileNamesStayInsideTheProfilesFolder) {
    // A short file of garbage: what it holds is read, a line goes to the
    // log, and a level that does not exist leads back to the menu.
    dir.write("data/profiles/tester.sav", std::string(20, '\xFF'));
    game->startQuest(1);
    EXPECT_EQ(currentName(), "mainmenu");
    EXPECT_NE(dir.read("gerr.log").find("tester.sav"), std::string::npos);
    dir.write("data/profiles/tester.sav", std::string(3, '\x02'));
    manager->showScreen("game", 1);
    game->startCube();
    EXPECT_EQ(game->level(), 1);
    EXPECT_EQ(currentName(), "game");

    const std::vector<std::string> names = {"../x", "a/b", "a\\b", "CON", "con", "a%2Fb", "a%2fb", "..",
                                            "Bob", "bob", "\xE9t\xE9 \xC0 l'\xEEle"};
    for (const std::string& name : names) {
        gameSettings().currentPlayerName = name;
        game->saveProfile();
    }
    std::set<std::string> written;
    for (auto it = std::filesystem::recursive_directory_iterator(dir.path());
         it != std::filesystem::recursive_directory_iterator(); ++it) {
        if (!it->is_regular_file() || it->is_symlink()) continue;
        const std::string relative = std::filesystem::relative(it->path(), dir.path()).string();
        if (relative == "gerr.log" || relative.rfind("data/menu/", 0) == 0 || relative.rfind("data/hud/", 0) == 0)
            continue;
        EXPECT_EQ(relative.rfind("data/profiles/", 0), 0u) << relative;
        EXPECT_EQ(relative.find("..", 14), std::string::npos) << relative;
        std::string folded = relative;
        for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_TRUE(written.insert(folded).second) << relative;
    }
    // Each name its own progress file and cube board, beside the damaged file.
    EXPECT_EQ(written.size(), 2 * names.size() + 1);
}

}  // namespace
