#pragma once
// ScoreKeeper: the score of a game in progress and everything that feeds it.
// The board queues one event per piece a wave removes and asks for the wave
// to be scored; the keeper values the events by the depth of the cascade,
// throws gems for big matches, fills the gem collector, shows the combo
// banner and pays for bonus lives. Landed gems pay into it too. The game
// screen owns one, forwards the board's host calls to it, and learns of
// every change of the score or the lives through its `ScoreDisplay`.

#include <array>
#include <cstdint>

#include "board/board_geometry.h"
#include "board/board_host.h"
#include "board/board_types.h"

class BoardAudio;
class ComboBanner;
class GemCollector;

// The HUD's score and lives ("score", "lifes").
class ScoreDisplay {
public:
    virtual ~ScoreDisplay() = default;
    virtual void showScore(int score) = 0;
    virtual void showLives(int lives) = 0;
};

// What the keeper reaches; any may be null (that part is then left out).
struct ScoreLinks {
    BoardEffects* effects = nullptr;  // floating points, thrown gems
    BoardAudio* audio = nullptr;      // "bonuslife"
    ScoreDisplay* display = nullptr;
    GemCollector* collector = nullptr;
    ComboBanner* banner = nullptr;
};

// Score events: what a hit on one cell earns.
enum ScoreEventType : int {
    ScorePlain = 0,
    ScoreOnCoating = 1,
    ScorePlate = 2,
    ScoreBadInCascade = 3,
};

class ScoreKeeper : public GemPayee {
public:
    static constexpr int kMaxEvents = 50;
    static constexpr int kMaxMultiplier = 10;
    static constexpr int kLifeStep = 250000;
    static constexpr int kGemBonus = 10000;
    static constexpr int kSmallGemPoints = 250;
    static constexpr int kBigGemPoints = 1000;
    static constexpr int kQuestLives = 5;

    explicit ScoreKeeper(const ScoreLinks& links = {}) : links_(links) {}
    void setLinks(const ScoreLinks& links) { links_ = links; }

    // ---- A game and its levels ----
    // A new game of `mode`: score, level score and gems 0, no bonus life
    // paid yet, five lives in quest mode.
    void newGame(BoardMode mode);
    void setMode(BoardMode mode) { mode_ = mode; }
    BoardMode mode() const { return mode_; }
    // A level map was loaded: the lives already paid for follow the score.
    void levelLoaded() { bonusLives_ = score_ / kLifeStep; }
    // A level starts: the collector gets the level's slots, any banner ends,
    // and nothing of the last level's moves is left pending.
    void startLevel(int level);
    // The level's own tallies start over (the next level, a restart).
    void resetLevelTally();
    // A saved game's score and lives, taken as they are.
    void restore(int score, int lives);
    void setLives(int lives);
    // A saved game's tallies of the level in progress. A saved game does
    // not keep what its gems paid: that tally starts again from 0.
    void restoreLevelTally(int levelScore, int gemsCollected);

    // ---- The board's side ----
    // Drops events past the fiftieth of a wave, and every event in puzzle mode.
    void queueScoreEvent(int cell, int type);
    void scoreWave(const WaveTally& wave, const BoardGeometry& geometry);
    int chainBonus() const { return chainBonus_; }
    void setChainBonus(int value) { chainBonus_ = value; }

    // A landed gem: 250 or 1000 into the score and the gems' tally, not the
    // level's score.
    void payGem(bool big, float x, float y) override;
    // Points from outside a wave (the time bonus); 0 just refreshes the HUD.
    void addScore(int points);

    // Action and cube: progress earned but not yet moved onto the bar.
    float progressPending() const { return progressPending_; }
    // Moves up to `step` of it out; returns what was moved.
    float takeProgress(float step);

    int score() const { return score_; }
    int levelScore() const { return levelScore_; }
    int gemsCollected() const { return gemsCollected_; }
    // What the level's gems paid: landed gems and the full collector's
    // bonus. With `levelScore` it makes what the level added to the score
    // (less a time bonus).
    int gemPoints() const { return gemPoints_; }
    int lives() const { return lives_; }
    int bonusLives() const { return bonusLives_; }
    int eventCount() const { return eventCount_; }
    // Event i as queued: cell + 1000 * type.
    int event(int i) const { return i >= 0 && i < eventCount_ ? events_[i] : -1; }

private:
    void add(int points);
    void checkBonusLife();
    void throwGems(const WaveTally& wave);
    void showBanner(int waveCount);
    void showScore();

    ScoreLinks links_;
    BoardMode mode_ = BoardMode::ModeQuest;
    int score_ = 0;
    int levelScore_ = 0;
    int gemsCollected_ = 0;
    int gemPoints_ = 0;
    int lives_ = 0;
    int bonusLives_ = 0;
    int chainBonus_ = 0;
    float progressPending_ = 0;
    std::array<int, kMaxEvents> events_{};
    int eventCount_ = 0;
};

// Quest: 50 points per second left plus 500; nothing in other modes.
int timeBonus(BoardMode mode, int timeLeftMs);
// Seconds of the level used: quest from its clock, action and cube from the
// time played; puzzle 0.
int timeUsedSeconds(BoardMode mode, int timeTotalMs, int timeLeftMs, int elapsedMs);
