#pragma once
// The demo: the autoplayer's choices carried out by the demo's hand, from
// the title screen through the menus into a level and on through the levels
// that follow. It reads the screens as a player reads them, by what they
// show: the current screen's name, the buttons on it and, on the game
// screen, the board. Every action goes through the hand, so the game sees
// nothing but mouse messages.
//
// Outside the game screen it presses the first button of kForwardButtons
// that the screen shows, enabled and uncovered, once the screen has been up
// for kSettleMs; a screen with none of them is waited out. On the game
// screen, a tutorial card is clicked away, and once the board has rested
// for kThinkMs the autoplayer's move is made.

#include <cstdint>
#include <cstdio>
#include <string>

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
    // The buttons that lead on into play, in the order they are preferred:
    // the title's, the main menu's quest, the quest map's first episode and
    // its "continue", then the ones that close a dialog or a result and play on.
    static constexpr const char* kForwardButtons[] = {"start", "quest", "episode1", "continue",
                                                      "ok",    "yes",   "next",     "play"};
    static constexpr int kSettleMs = 700;
    static constexpr int kThinkMs = 1000;

    // `log` gets a line for each button pressed and each move (null: none).
    DemoPlayer(std::uint32_t seed, std::FILE* log);

    // One frame of the demo: decides when the hand is free, then carries it
    // on by `milliseconds`.
    void step(ScreenManager& manager, int milliseconds, platform::Backend& backend);

    int moves() const { return moves_; }
    int buttonsPressed() const { return buttonsPressed_; }
    // The game screen's score when it was last current.
    int score() const { return score_; }

private:
    void decide(ScreenManager& manager);
    void pressForwardButton(Screen& screen);
    void play(GameScreen& game);
    void makeMove(GameScreen& game, const AutoplayMove& move);

    DemoHand hand_;
    std::uint32_t seed_;
    std::FILE* log_;
    const Screen* screen_ = nullptr;  // the screen current at the last step
    int screenMs_ = 0;                // how long it has been current
    int restMs_ = 0;                  // how long the board has rested
    int frameMs_ = 0;                 // the length of the step under way
    int moves_ = 0;
    int buttonsPressed_ = 0;
    int score_ = 0;
};
