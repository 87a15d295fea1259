#pragma once
// KeyboardPlayer: plays the level on the game screen with key presses only,
// for the scenario test that shows a quest level can be won from the
// keyboard. It reads the board to decide (the autoplayer's choice of move,
// the ring's place) but never touches the game: each move goes into the
// message queue as the presses a player would make, one every 100 ms, and
// takes the real way from the window procedure through the screen manager
// and the game screen to the board.
//
// A dialog over the game with an "ok" (a tip) is answered with Tab and
// Enter. It stops the program when the game screen reports the level won or lost,
// and writes what happened to its report file:
//
//   complete 1          the level was won (0: it was lost or never ended)
//   moves N             moves keyed in
//   keys N              key presses posted
//   mouse N             mouse messages the program received (should be 0)
//   ring_cells N        different cells the ring stood on
//   ring_x N, ring_y N  the top left of the cell where the ring first showed
//   dialog_keys N       Tab and Enter pressed to answer dialogs over the game (a tip)
//   score N
//
// With a pad (the --pad-player of shardfall_play) every press goes through
// the script's pad instead: the arrows are the d-pad, Space and Enter A, W
// X, and Tab the d-pad's Down, which walks a dialog's buttons. The report
// then adds
//
//   pad_last 1          the last input the game had came from the pad
//
// With a shot folder it also writes before.png (the frame before its first
// key), ring.png (the ring first shown), picked.png (the first piece picked
// with the ring over it) and end.png.

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "game/autoplayer.h"

class GameScreen;
class ScreenManager;

class KeyboardPlayer {
public:
    KeyboardPlayer(std::string reportFile, std::string shotFolder, bool withPad = false);

    // One 20 ms step, after the game's own.
    void step(ScreenManager& manager, int milliseconds);
    // After the frame is drawn: the pictures asked for.
    void afterDraw();
    // Every message the window procedure saw.
    void sawMessage(std::uint32_t message);

private:
    // The next key toward the chosen move; empty when it cannot be keyed in.
    std::string nextKey(const GameScreen& game) const;
    void answerDialog(ScreenManager& manager, const GameScreen& game);
    // The first key of the shortest way for the ring from one cell to another.
    std::string pathKey(const GameScreen& game, int from, int to) const;
    void press(const std::string& key);
    void finish(const GameScreen& game, bool won);
    void shoot(const std::string& name);

    std::string reportFile_;
    std::string shotFolder_;
    std::vector<std::string> pendingShots_;
    std::set<std::string> shotsTaken_;

    AutoplayMove move_;
    std::uint32_t seed_ = 20240611u;
    int restMs_ = 0;
    int cooldownMs_ = 0;
    int keysForMove_ = 0;
    int moves_ = 0;
    int keys_ = 0;
    int mouseMessages_ = 0;
    int dialogKeys_ = 0;
    std::set<int> ringCells_;
    int firstRingX_ = -1, firstRingY_ = -1;
    bool finished_ = false;
    bool withPad_ = false;
};
