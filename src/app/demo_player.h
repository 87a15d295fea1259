#pragma once
// The demo: the autoplayer's choices carried out by the demo's hand, from
// the title screen through the menus into a level and on through the levels
// that follow. It reads the screens as a player reads them, by what they
// show: the current screen's name, the buttons on it and, on the game
// screen, the board. Every action goes through the hand, so the game sees
// nothing but mouse messages.
//
// Outside the game screen it presses the first of the forward buttons that
// the screen shows, enabled and uncovered, once the screen has been up for
// kSettleMs; a screen with none of them is clicked beside the board after
// kAnyKeyMs, as a player answers "press any key". On the game
// screen, a tutorial card is clicked away, and once the board has rested
// for kThinkMs the autoplayer's move is made.

#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "app/demo_hand.h"

class GameScreen;
class Screen;
class ScreenManager;
struct AutoplayMove;

namespace platform {
class Backend;
}

// The demo plays under a name of its own, longer than the nine letters a
// player can type for a name, so it never meets a player's files.
constexpr const char* kDemoPlayerName = "Shardfall demo";

class DemoPlayer {
public:
    static constexpr int kSettleMs = 700;
    static constexpr int kThinkMs = 1000;
    static constexpr int kPressAgainMs = 1500;
    // A screen with none of the buttons is clicked after this long.
    static constexpr int kAnyKeyMs = 3000;
    // Play that has gone this long without a move the autoplayer could make
    // is reported as a stuck board, once.
    static constexpr int kStuckMs = 60000;

    // `mode` is the main menu's button for the mode to play ("quest",
    // "puzzle", "action" or "cube"). `log` gets a line for each button
    // pressed and each move (null: none).
    DemoPlayer(std::uint32_t seed, const std::string& mode, std::FILE* log);

    // Puzzles are played from the solutions recorded in their level sources
    // in `folder` ("puzzle01.txt" ..., the line "solution 14-20 28-29 ...");
    // a puzzle without one, or once its solution is played out, gets the
    // autoplayer's moves.
    void usePuzzleSolutions(const std::string& folder) { solutionsFolder_ = folder; }

    // The buttons that lead on into play, in the order they are preferred:
    // the title's, the main menu's mode, the quest map's first episode and
    // its "continue", then the ones that close a dialog or a result and play on.
    const std::vector<std::string>& forwardButtons() const { return forwardButtons_; }

    // One frame of the demo: decides when the hand is free, then carries it
    // on by `milliseconds`.
    void step(ScreenManager& manager, int milliseconds, platform::Backend& backend);

    int moves() const { return moves_; }
    int buttonsPressed() const { return buttonsPressed_; }
    // The game screen's numbers when it was last current, and whether its
    // level was then in play.
    int score() const { return score_; }
    int level() const { return level_; }
    const char* modeName() const { return modeName_; }
    bool endedInPlay() const { return inPlay_; }
    bool stuck() const { return stuck_; }

private:
    // Keeps the game screen's numbers and the time since the last move.
    void watchGame(const GameScreen* game, int milliseconds);
    void decide(ScreenManager& manager);
    void pressForwardButton(Screen& screen);
    void play(GameScreen& game);
    void makeMove(GameScreen& game, const AutoplayMove& move);
    // The next move of the puzzle's recorded solution, or Type::None.
    AutoplayMove solutionMove(int level);

    DemoHand hand_;
    std::uint32_t seed_;
    std::FILE* log_;
    const Screen* screen_ = nullptr;  // the screen current at the last step
    int screenMs_ = 0;                // how long it has been current
    const Screen* pressedOn_ = nullptr;  // the screen of the last press while it stays current
    std::string pressedButton_;
    int restMs_ = 0;                  // how long the board has rested
    int frameMs_ = 0;                 // the length of the step under way
    int moves_ = 0;
    int buttonsPressed_ = 0;
    int score_ = 0;
    int level_ = 0;
    const char* modeName_ = "none";
    bool inPlay_ = false;
    int msWithoutMove_ = 0;
    bool stuck_ = false;
    std::vector<std::string> forwardButtons_;
    std::string solutionsFolder_;
    int solutionLevel_ = 0;             // the puzzle whose solution is loaded
    std::vector<std::pair<int, int>> solution_;
    std::size_t solutionNext_ = 0;      // the next of its moves to play
    int levelSeen_ = 0;
};
