#pragma once
// Helpers for the board tests: a host and an audio that write what the board
// asks of them into one log, boards drawn from text, and running the tick
// until the board rests.
//
// Layout text, one string per row: a digit is a piece of that kind, '#' a
// hole, '.' an empty cell of the field. Lock text has the same shape, with a
// digit for the lock of the piece there; so has coating text, with a digit for
// the cell's coating (3 a score plate, 4 a wand plate).

#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "board/board.h"
#include "board/board_random.h"
#include "board/magic_wand.h"
#include "piece_bookkeeping.h"

namespace boardtest {

constexpr int kX0 = 100;
constexpr int kY0 = 100;
constexpr int kTick = 20;

struct EventLog {
    std::vector<std::string> entries;
    void add(std::string entry) { entries.push_back(std::move(entry)); }
    int count(const std::string& entry) const {
        int n = 0;
        for (const auto& e : entries) n += e == entry ? 1 : 0;
        return n;
    }
    // The entries that start with `prefix`, in order.
    std::vector<std::string> starting(const std::string& prefix) const {
        std::vector<std::string> out;
        for (const auto& e : entries)
            if (e.rfind(prefix, 0) == 0) out.push_back(e);
        return out;
    }
};

class RecordingAudio : public BoardAudio {
public:
    explicit RecordingAudio(EventLog& log) : log_(log) {}
    void play(BoardSound sound) override { log_.add(std::string("sound ") + boardSoundName(sound)); }
    void playPanned(BoardSound sound, int x) override {
        log_.add(std::string("sound ") + boardSoundName(sound) + " at " + std::to_string(x));
    }
    void keepBirthPlaying() override { ++birthCalls; }
    void stopMusic() override { log_.add("stop music"); }
    int birthCalls = 0;

private:
    EventLog& log_;
};

// Writes every effect the board asks for into the log, positions rounded to
// whole pixels: "sparks 3 at 124,148", "coating 1 at 124,148 dx 300".
class RecordingEffects : public BoardEffects {
public:
    explicit RecordingEffects(EventLog& log) : log_(log) {}
    void matchSparks(float x, float y, int kind) override { add("sparks " + std::to_string(kind), x, y); }
    void lockChunks(float x, float y, int lockLeft) override { add("chunks " + std::to_string(lockLeft), x, y); }
    void burst10(float x, float y) override { add("burst10", x, y); }
    void burst20(float x, float y) override { add("burst20", x, y); }
    void glow(float x, float y, int colour) override { add("glow " + std::to_string(colour), x, y); }
    void flyCoating(float x, float y, int image, float dxFromOrigin) override {
        add("coating " + std::to_string(image), x, y, " dx " + std::to_string(std::lround(dxFromOrigin)));
    }
    void floatText(float x, float y, int points) override { add("float " + std::to_string(points), x, y); }
    void flyGem(float x, float y, bool big) override { add(big ? "gem big" : "gem small", x, y); }
    void timeFlash() override { log_.add("time flash"); }
    void bannerSpark(float x, float y) override { add("banner spark", x, y); }
    void playFlyCell() override { log_.add("flycell"); }

private:
    void add(const std::string& what, float x, float y, const std::string& tail = "") {
        log_.add(what + " at " + std::to_string(std::lround(x)) + "," + std::to_string(std::lround(y)) + tail);
    }
    EventLog& log_;
};

class RecordingOverlay : public BoardOverlay {
public:
    void update(int milliseconds) override { updatedMs += milliseconds; }
    void draw(Sprite&) override { ++draws; }
    int updatedMs = 0;
    int draws = 0;
};

class RecordingHost : public BoardHost {
public:
    explicit RecordingHost(EventLog& log) : log_(log) {}

    void queueScoreEvent(int cell, int type) override {
        log_.add("event " + std::to_string(cell) + " type " + std::to_string(type));
    }
    void moveRemovedChanged(int) override {}
    void waveCountChanged(int) override {}
    void scoreWave(const WaveTally& wave) override {
        lastWave = wave;
        chainAtWave = chain;
        log_.add("wave " + std::to_string(wave.waveCount) + " of " + std::to_string(wave.waveRemoved));
    }
    int chainBonus() const override { return chain; }
    void setChainBonus(int value) override { chain = value; }
    bool progressGoalReached() const override { return progressGoal; }
    bool levelCompleteRaised() const override { return levelComplete; }
    void raiseLevelComplete() override { levelComplete = true; }
    void raiseTimeUp() override {
        if (!timeUp) log_.add("time up");
        timeUp = true;
    }
    void completeUnplayableLevel() override {
        log_.add("unplayable");
        ++unplayable;
    }
    bool offerTutorial(int x, int y, TutorialEntry entry) override {
        log_.add("tutorial " + std::to_string(static_cast<int>(entry)) + " at " + std::to_string(x) + "," + std::to_string(y));
        return tutorialOpens;
    }
    BoardOverlay* showNoMovesOverlay() override {
        log_.add("no moves");
        return &overlay;
    }
    // With a `wand` the wand questions go to it, as the game screen's do.
    bool wandArmed() const override { return wand ? wand->armed() : wandIsArmed; }
    void wandUsed() override {
        log_.add("wand used");
        wandIsArmed = false;
        if (wand) wand->used();
    }
    void wandGained() override {
        log_.add("wand gained");
        if (wand) wand->gained();
    }
    BoardEffects* effects() override { return fx; }

    WaveTally lastWave;
    int chainAtWave = 0;  // the chain bonus when the last wave was scored
    bool wandIsArmed = false;
    MagicWand* wand = nullptr;
    BoardEffects* fx = nullptr;
    int chain = 0;
    bool progressGoal = false;
    bool levelComplete = false;
    bool timeUp = false;
    int unplayable = 0;
    bool tutorialOpens = false;
    RecordingOverlay overlay;

private:
    EventLog& log_;
};

// A board with a recording host and audio, placed at (100, 100).
struct TestBoard {
    EventLog log;
    RecordingHost host{log};
    RecordingAudio* audio = nullptr;
    std::unique_ptr<Board> board;

    explicit TestBoard(BoardMode mode = BoardMode::ModeAction) {
        auto a = std::make_unique<RecordingAudio>(log);
        audio = a.get();
        board = std::make_unique<Board>(&host, std::move(a));
        board->setMode(mode);
    }

    Board& operator*() { return *board; }
    Board* operator->() { return board.get(); }

    // Builds the level from text; every piece idle and unlocked unless the
    // lock text says otherwise (locks go straight onto the pieces).
    void load(const std::vector<std::string>& rows, const std::vector<std::string>& locks = {},
              const std::vector<std::string>& coatings = {}) {
        const int h = static_cast<int>(rows.size());
        const int w = static_cast<int>(rows[0].size());
        board->clearLevel();
        ASSERT_TRUE(board->setGeometry(kX0, kY0, w, h));
        for (int r = 0; r < h; ++r) {
            for (int c = 0; c < w; ++c) {
                const char ch = rows[r][c];
                const int i = r * w + c;
                const int lock = locks.empty() || locks[r][c] < '0' || locks[r][c] > '9' ? 0 : locks[r][c] - '0';
                const int coating =
                    coatings.empty() || coatings[r][c] < '0' || coatings[r][c] > '9' ? 0 : coatings[r][c] - '0';
                board->setCell(i, ch != '#', coating, 0);
                if (ch >= '0' && ch <= '9') {
                    Piece* p = board->putPiece(i, ch - '0');
                    p->lock = lock;
                }
            }
        }
        log.entries.clear();
    }

    // The effects of the board go into the same log as its sounds.
    void recordEffects() { host.fx = &effects; }
    RecordingEffects effects{log};

    // A left click on a cell's centre.
    void click(int cell) {
        board->onLeftPress(centreX(cell), centreY(cell));
        board->onLeftRelease();
    }

    int centreX(int cell) const { return board->geometry().centreX(cell); }
    int centreY(int cell) const { return board->geometry().centreY(cell); }

    // Kinds as layout text: digits, 'r' for the rainbow, '.' empty, '#' hole.
    std::vector<std::string> kinds() const {
        std::vector<std::string> out;
        for (int r = 0; r < board->height(); ++r) {
            std::string row;
            for (int c = 0; c < board->width(); ++c) {
                const int i = r * board->width() + c;
                const int k = board->kindAt(i);
                row += !board->cell(i).active() ? '#' : k < 0 ? '.' : k == KindRaduga ? 'r' : char('0' + k);
            }
            out.push_back(row);
        }
        return out;
    }
    std::vector<std::string> locks() const {
        std::vector<std::string> out;
        for (int r = 0; r < board->height(); ++r) {
            std::string row;
            for (int c = 0; c < board->width(); ++c) {
                const Piece* p = board->pieceAt(r * board->width() + c);
                row += p ? char('0' + p->lock) : '.';
            }
            out.push_back(row);
        }
        return out;
    }

    bool resting() const { return !board->busy() && !board->moveMade(); }

    // One tick; true when it was an idle tick: the board was not busy, found
    // no line, and had nothing pending (the hint and the goal check ran).
    bool idleTick() {
        const bool calm = !board->busy();
        board->tick(kTick);
        return calm && resting();
    }

    // Ticks until an idle tick; the number of ticks, or -1 if none came.
    int runUntilIdle(int maxTicks = 5000) {
        for (int t = 1; t <= maxTicks; ++t)
            if (idleTick()) return t;
        return -1;
    }

    // Press on `from`, drag 25 pixels toward `to`, release.
    void drag(int from, int to) {
        const int x = centreX(from), y = centreY(from);
        const int dx = centreX(to) > x ? 25 : centreX(to) < x ? -25 : 0;
        const int dy = centreY(to) > y ? 25 : centreY(to) < y ? -25 : 0;
        board->onLeftPress(x, y);
        board->onMouseMove(x + dx, y + dy);
        board->onLeftRelease();
    }
};

}  // namespace boardtest
