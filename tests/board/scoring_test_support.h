#pragma once
// Helpers for the scoring and effects tests: effects and a HUD that write
// what they are asked into the board tests' log, and a board whose host
// forwards the score events, the waves and the chain bonus to a real
// ScoreKeeper, so the numbers are those a real move makes.

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "board/combo_banner.h"
#include "board/gem_collector.h"
#include "board/score_keeper.h"
#include "board_test_support.h"

namespace scoringtest {

using boardtest::EventLog;

inline std::string at(float x, float y) {
    char text[48];
    std::snprintf(text, sizeof text, " at %d,%d", static_cast<int>(x), static_cast<int>(y));
    return text;
}

class ScoringEffects : public BoardEffects {
public:
    explicit ScoringEffects(EventLog& log) : log_(log) {}
    void matchSparks(float x, float y, int kind) override { log_.add("sparks " + std::to_string(kind) + at(x, y)); }
    void lockChunks(float x, float y, int lockLeft) override {
        log_.add("chunks " + std::to_string(lockLeft) + at(x, y));
    }
    void burst10(float x, float y) override { log_.add("burst10" + at(x, y)); }
    void burst20(float x, float y) override { log_.add("burst20" + at(x, y)); }
    void glow(float x, float y, int colour) override { log_.add("glow " + std::to_string(colour) + at(x, y)); }
    void flyCoating(float x, float y, int image, float) override {
        log_.add("coating " + std::to_string(image) + at(x, y));
    }
    void floatText(float x, float y, int points) override { log_.add("float +" + std::to_string(points) + at(x, y)); }
    void flyGem(float x, float y, bool big) override {
        log_.add(std::string(big ? "gem big" : "gem small") + at(x, y));
    }
    void timeFlash() override { log_.add("time flash"); }
    void bannerSpark(float x, float y) override {
        ++bannerSparks;
        sparkPoints.push_back({x, y});
    }
    void playFlyCell() override { log_.add("flycell"); }

    int bannerSparks = 0;
    std::vector<std::pair<float, float>> sparkPoints;

private:
    EventLog& log_;
};

class RecordingDisplay : public ScoreDisplay {
public:
    void showScore(int score) override { shownScore = score; }
    void showLives(int lives) override {
        shownLives = lives;
        ++livesShown;
    }
    int shownScore = -1;
    int shownLives = -1;
    int livesShown = 0;
};

// A host whose scoring is a real ScoreKeeper; every wave's points are noted
// by the wave's number.
class ScoringHost : public boardtest::RecordingHost {
public:
    ScoringHost(EventLog& log, ScoreKeeper& keeper, const BoardGeometry* geometry)
        : RecordingHost(log), keeper_(keeper), geometry_(geometry) {}

    void queueScoreEvent(int cell, int type) override {
        RecordingHost::queueScoreEvent(cell, type);
        keeper_.queueScoreEvent(cell, type);
    }
    void scoreWave(const WaveTally& wave) override {
        RecordingHost::scoreWave(wave);
        const int before = keeper_.score();
        keeper_.scoreWave(wave, *geometry_);
        wavePoints.push_back(keeper_.score() - before);
    }
    int chainBonus() const override { return keeper_.chainBonus(); }
    void setChainBonus(int value) override { keeper_.setChainBonus(value); }
    BoardEffects* effects() override { return scoringFx; }

    void setGeometry(const BoardGeometry* geometry) { geometry_ = geometry; }

    BoardEffects* scoringFx = nullptr;
    std::vector<int> wavePoints;  // score gained by each wave, in order

private:
    ScoreKeeper& keeper_;
    const BoardGeometry* geometry_;
};

// A test board scored by a real keeper, with recording effects, a real
// banner (without a font) and a real gem collector.
struct ScoringBoard : boardtest::TestBoard {
    ScoringEffects effects{log};
    RecordingDisplay display;
    GemCollector collector;
    ComboBanner banner;
    ScoreKeeper keeper;
    ScoringHost scoring{log, keeper, nullptr};

    explicit ScoringBoard(BoardMode mode) : TestBoard(mode) {
        auto a = std::make_unique<boardtest::RecordingAudio>(log);
        audio = a.get();
        board = std::make_unique<Board>(&scoring, std::move(a));
        board->setMode(mode);
        scoring.setGeometry(&board->geometry());
        scoring.scoringFx = &effects;
        banner.setAudio(audio);
        banner.setEffects(&effects);
        keeper.setLinks({&effects, audio, &display, &collector, &banner});
        keeper.newGame(mode);
        keeper.startLevel(1);
    }
};

}  // namespace scoringtest
