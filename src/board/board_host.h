#pragma once
// What the board calls on the screen that hosts it. The game screen holds the
// score queue, the chain bonus, the level-complete and time-up flags, the
// tutorial panel and the effect layer; the board reaches all of them through
// this interface so that it never depends on the game folder. Tests put a
// recording host in its place.

#include <array>

#include "board/board_types.h"

class Sprite;

// The effects the rules and the scoring ask for, and the sound the effect
// layer owns that the board's tick plays. Positions are screen pixels. The
// game's effect layer implements it; without one the board runs without
// effects.
class BoardEffects {
public:
    virtual ~BoardEffects() = default;
    // Sparks in the colour of `kind` (0..7) and a splash; other kinds only
    // the splash.
    virtual void matchSparks(float x, float y, int kind) = 0;
    // Pieces of a lock breaking off; `lockLeft` is the lock after the hit.
    virtual void lockChunks(float x, float y, int lockLeft) = 0;
    virtual void burst10(float x, float y) = 0;
    virtual void burst20(float x, float y) = 0;
    // 0 green (score plate), 1 blue (wand plate).
    virtual void glow(float x, float y, int colour) = 0;
    // A coating flying off: image 0 bare cell, 1 one layer left, 2 score
    // plate, 3 wand plate. `dxFromOrigin` 336 flies straight up; smaller
    // drifts left, larger right.
    virtual void flyCoating(float x, float y, int image, float dxFromOrigin) = 0;
    // "+points" rising from (x, y); nothing in puzzle mode.
    virtual void floatText(float x, float y, int points) = 0;
    // A gem thrown toward the collector; it pays out through the
    // `GemPayee` the layer was given once it has bounced three times.
    virtual void flyGem(float x, float y, bool big) = 0;
    // The flash of the time bar that goes with the "warning" sound.
    virtual void timeFlash() = 0;
    // One spark strewn by the combo banner.
    virtual void bannerSpark(float x, float y) = 0;
    // "flycell": a coating flew off since the last tick.
    virtual void playFlyCell() = 0;
};

// Where a landed gem pays: the game's score.
class GemPayee {
public:
    virtual ~GemPayee() = default;
    // 250 for a small gem, 1000 for a big one, landed at (x, y).
    virtual void payGem(bool big, float x, float y) = 0;
};

// The puzzle "no moves" notice. The board opens it through its host, then
// advances and draws it itself for as long as it holds it.
class BoardOverlay {
public:
    virtual ~BoardOverlay() = default;
    virtual void update(int milliseconds) = 0;
    virtual void draw(Sprite& target) = 0;
};

// What a wave left behind when the board has hit all its cells.
struct WaveTally {
    int waveRemoved = 0;  // pieces and lock hits of the wave
    int waveCount = 0;    // waves of this move already scored
    std::array<int, 8> removedByKind{};  // kinds 0..7, counting double hits
    std::array<int, 8> gemSpot{};        // where each kind's gem starts: x + 1000 * y
};

class BoardHost {
public:
    virtual ~BoardHost() = default;

    // Score events: cell + 1000 * type (0 plain piece, 1 on a coating layer,
    // 2 bonus plate, 3 bad piece removed in a cascade). The host keeps at
    // most 50 per wave.
    virtual void queueScoreEvent(int cell, int type) = 0;
    // The counters of the move in progress, passed on every busy tick of a
    // move that removed something.
    virtual void moveRemovedChanged(int moveRemoved) = 0;
    virtual void waveCountChanged(int waveCount) = 0;
    // Scores the queued events as one wave, throws the wave's gems and
    // shows its combo banner.
    virtual void scoreWave(const WaveTally& wave) = 0;

    // Raises the worth of each further wave of a move.
    virtual int chainBonus() const = 0;
    virtual void setChainBonus(int value) = 0;

    // Action and cube: the progress has passed its target.
    virtual bool progressGoalReached() const = 0;
    virtual bool levelCompleteRaised() const = 0;
    virtual void raiseLevelComplete() = 0;
    virtual void raiseTimeUp() = 0;
    // The board could not be made playable (no move after 1000 re-rolls, or a
    // level whose set-up fill cannot reach a move): end the level as won, in
    // action and cube mode with the progress bar filled first.
    virtual void completeUnplayableLevel() = 0;

    // The magic wand. It is armed from the HUD; the board asks whether it
    // is, and reports its use (the count falls, the wand is disarmed) and a
    // wand plate cleared (one more wand).
    virtual bool wandArmed() const = 0;
    virtual void wandUsed() = 0;
    virtual void wandGained() = 0;

    // Opens the tutorial card `entry` at (x, y) unless it was shown before;
    // true when the panel opened (play then pauses).
    virtual bool offerTutorial(int x, int y, TutorialEntry entry) = 0;

    // Shows the "nomovespuzzle" screen over the game without making it
    // current; the board then updates and draws it. Null if it cannot.
    virtual BoardOverlay* showNoMovesOverlay() = 0;

    // The effect layer, or null.
    virtual BoardEffects* effects() = 0;
};

// A host that ignores everything; the board uses it when it is given none.
class NullBoardHost : public BoardHost {
public:
    void queueScoreEvent(int, int) override {}
    void moveRemovedChanged(int) override {}
    void waveCountChanged(int) override {}
    void scoreWave(const WaveTally&) override {}
    int chainBonus() const override { return chainBonus_; }
    void setChainBonus(int value) override { chainBonus_ = value; }
    bool progressGoalReached() const override { return false; }
    bool levelCompleteRaised() const override { return false; }
    void raiseLevelComplete() override {}
    void raiseTimeUp() override {}
    void completeUnplayableLevel() override {}
    bool wandArmed() const override { return false; }
    void wandUsed() override {}
    void wandGained() override {}
    bool offerTutorial(int, int, TutorialEntry) override { return false; }
    BoardOverlay* showNoMovesOverlay() override { return nullptr; }
    BoardEffects* effects() override { return nullptr; }

private:
    int chainBonus_ = 0;
};
