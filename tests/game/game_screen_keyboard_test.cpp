// The game screen's keys on a real game screen: the ring comes with the
// first board key and goes with the mouse, Tab walks no HUD, and the letter
// keys press the HUD's buttons exactly where the mode shows them.

#include <algorithm>

#include "game_screen_test_support.h"

namespace {

using namespace gametest;

class GameScreenKeysTest : public GameScreenTest {
protected:
    void key(WParam vk) {
        manager->handleWindowMessage(WM_KEYDOWN, vk, packKeyLParam(false, false));
        manager->handleWindowMessage(WM_KEYUP, vk, packKeyLParam(true, false));
    }
};

TEST_F(GameScreenKeysTest, TheRingComesWithTheKeysAndGoesWithTheMouseAndTheWandIsKeyedIn) {
    game->newQuest(1);
    passIntro();
    closePanelIfOpen();
    const Board& board = game->board();
    EXPECT_FALSE(game->keyCursor().shown(board));
    key(VK_TAB);
    EXPECT_EQ(game->keyMarkedControl(), nullptr) << "Tab walks no HUD on the board";
    key(VK_LEFT);
    ASSERT_TRUE(game->keyCursor().shown(board));
    const int cell = game->keyCursor().cell();

    key('W');
    EXPECT_TRUE(game->wandArmed());
    EXPECT_EQ(manager->cursorIndex, 1);
    key('W');
    EXPECT_FALSE(game->wandArmed()) << "W puts it away again";
    key('W');
    key(VK_SPACE);
    EXPECT_EQ(game->wands(), 4);
    EXPECT_FALSE(game->wandArmed());
    EXPECT_EQ(game->keyCursor().cell(), cell);

    send(WM_MOUSEMOVE, 10, 10);
    EXPECT_FALSE(game->keyCursor().shown(board));
    run(1000);
    closePanelIfOpen();

    // The puzzle's buttons are not shown in a quest: their keys do nothing.
    key('R');
    key(VK_F1);
    EXPECT_EQ(currentName(), "helpmenu") << "help is a quest button too";
    current()->closeOverlay();
    EXPECT_TRUE(game->levelRunning());
}

TEST_F(GameScreenKeysTest, APuzzleIsUndoneResetAndExplainedFromTheKeyboard) {
    // Puzzle 2 takes two moves, so the first leaves it unsolved.
    ProgressRecord record;
    record.puzzleLevel = 2;
    writeProgress(record);
    game->startPuzzle();
    passIntro();
    closePanelIfOpen();
    // A swap that makes a line, made with the mouse.
    Board& board = game->board();
    const int move = board.findMove();
    ASSERT_NE(move, kNoMove);
    const BoardGeometry& g = board.geometry();
    click(g.centreX(moveFirst(move)), g.centreY(moveFirst(move)));
    click(g.centreX(moveSecond(move)), g.centreY(moveSecond(move)));
    EXPECT_TRUE(board.busy());
    run(3000);
    ASSERT_EQ(board.undoCount(), 1);

    key('U');
    EXPECT_EQ(board.undoCount(), 0);
    key(VK_F1);
    EXPECT_EQ(currentName(), "helpmenu");
    EXPECT_EQ(dynamic_cast<StandInScreen*>(current())->page, 3);
    current()->closeOverlay();
    const std::size_t intros = std::count(shown.begin(), shown.end(), "readyintro");
    key('R');
    EXPECT_EQ(game->fadeClock(), 0) << "dealt again, as the reset button does";
    run(200);
    EXPECT_EQ(std::count(shown.begin(), shown.end(), "readyintro"), static_cast<long>(intros));
}

}  // namespace
