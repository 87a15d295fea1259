#pragma once
// What the board calls on the screen that hosts it. The game screen holds the
// score queue, the chain bonus, the level-complete and time-up flags, the
// tutorial panel and the effect layer; the board reaches all of them through
// this interface so that it never depends on the game folder. Tests put a
// recording host in its place.

class Sprite;

// The spark and burst effects the rules ask for, and the one sound the
// effect layer owns that the board's tick plays. The effect layer implements
// it; without one the board runs without effects.
class BoardEffects {
public:
    virtual ~BoardEffects() = default;
    virtual void matchSparks(float x, float y, int kind) = 0;
    virtual void lockChunks(float x, float y, int lockLeft) = 0;
    // The flash of the time bar that goes with the "warning" sound.
    virtual void timeFlash() = 0;
    // "flycell": a coating flew off since the last tick.
    virtual void playFlyCell() = 0;
};

// The puzzle "no moves" notice. The board opens it through its host, then
// advances and draws it itself for as long as it holds it.
class BoardOverlay {
public:
    virtual ~BoardOverlay() = default;
    virtual void update(int milliseconds) = 0;
    virtual void draw(Sprite& target) = 0;
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
    // Scores the queued events as one wave; `waveCount` is the number of
    // waves of this move already scored.
    virtual void scoreWave(int waveRemoved, int waveCount) = 0;

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

    // Opens tutorial entry `entry` at (x, y) unless it was shown before;
    // true when the panel opened (play then pauses).
    virtual bool offerTutorial(int x, int y, int entry) = 0;

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
    void scoreWave(int, int) override {}
    int chainBonus() const override { return chainBonus_; }
    void setChainBonus(int value) override { chainBonus_ = value; }
    bool progressGoalReached() const override { return false; }
    bool levelCompleteRaised() const override { return false; }
    void raiseLevelComplete() override {}
    void raiseTimeUp() override {}
    void completeUnplayableLevel() override {}
    bool offerTutorial(int, int, int) override { return false; }
    BoardOverlay* showNoMovesOverlay() override { return nullptr; }
    BoardEffects* effects() override { return nullptr; }

private:
    int chainBonus_ = 0;
};
