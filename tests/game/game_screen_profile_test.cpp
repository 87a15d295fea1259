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

// A saved game whose every field is distinct, so a field written at the
// wrong place shows. (The byte layout itself is pinned by the progress
// file's own tests.)
ProgressRecord everyFieldDistinct() {
    ProgressRecord r;
    r.puzzleLevel = 7;
    r.action = {12, 66051, 4, 256, 9, 0x0A0B0C, 1000, 5};
    r.quest = {23, 10000000, 3, 90, 17, 12345, 2, 6};
    r.highestQuestLevel = 24;
    r.cube = {15, 100, 60, 2, 50, 500, 1};
    r.tipsOff = true;
    return r;
}

Bytes asBytes(const std::string& s) { return Bytes(s.begin(), s.end()); }

TEST_F(GameScreenTest, AQuestSaveWritesItsFieldsByteForByteAndLeavesTheOthers) {
    writeProgress(everyFieldDistinct());
    game->newQuest(7);
    EXPECT_EQ(game->maxQuestLevel(), 24);  // the player's own, from the file
    game->setScore(0x012345);
    game->setLives(3);
    game->setWands(2);
    game->board().setTimeLeft(42500);
    game->keeper().restoreLevelTally(0x000102, 0x0304);
    game->saveProfile();

    ProgressRecord expected = everyFieldDistinct();
    expected.quest = {7, 0x012345, 2, 42, 0x0304, 0x000102, 3, 0};
    expected.tipsOff = !gameSettings().showTips;
    // The progress names the quest board just written, and no other.
    ASSERT_TRUE(dir.exists("data/profiles/testerquest.map"));
    expected.boardPrints = {boardFingerprint(asBytes(dir.read("data/profiles/testerquest.map"))), kNoSavedBoard,
                            kNoSavedBoard};
    EXPECT_EQ(asBytes(profileBytes()), encodeProgress(expected));
}

TEST_F(GameScreenTest, SavingInActionModeLeavesTheQuestAndCubeFieldsAndTheHighestLevel) {
    const Bytes before = encodeProgress(everyFieldDistinct());
    writeProgress(everyFieldDistinct());
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
    EXPECT_TRUE(std::equal(after.begin() + 16, after.begin() + kOlderProgressFileSize, before.begin() + 16));
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
    boardPrint(record, ProfileFile::ActionBoard).reset();  // take the board now on disk
    record.action.level = 7;
    record.action.progress = 400;
    record.action.collector = 2;
    writeProgress(record);

    game->startAction();
    EXPECT_TRUE(game->resumed());
    EXPECT_EQ(game->level(), 7);
    EXPECT_EQ(game->board().kestTable(), map.kests);
    EXPECT_EQ(game->target(), 1260);
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

    // Names the player list can hold side by side (never two that differ
    // only in letter case).
    const std::vector<std::string> names = {"../x", "a/b", "a\\b", "CON", "a%2Fb", "a%252Fb", "..",
                                            "Bob", ".bob", "\xE9t\xE9 \xC0 l'\xEEle"};
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
