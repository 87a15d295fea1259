#include "board/score_keeper.h"

#include <algorithm>
#include <climits>

#include "board/board_audio.h"
#include "board/combo_banner.h"
#include "board/gem_collector.h"

namespace {

constexpr int kEventTypeStep = 1000;
constexpr int kPlatePoints = 500;
constexpr int kBadPiecePoints = 100;
constexpr int kPointsPerPiece = 10;
constexpr int kCoatingPoints = 50;
constexpr float kProgressPerPoint = 0.1f;

bool countsProgress(BoardMode mode) { return mode == BoardMode::ModeAction || mode == BoardMode::ModeCube; }

int eventPoints(int type, int multiplier) {
    switch (type) {
        case ScorePlate: return kPlatePoints;
        case ScoreBadInCascade: return kBadPiecePoints;
        // A wave made weak by bad pieces or the wand may bring the
        // multiplier below nothing; a match still never costs points.
        default: return std::max(0, multiplier * kPointsPerPiece + type * kCoatingPoints);
    }
}

// The game's totals stop at the largest value rather than wrap.
int saturatingAdd(int a, int b) { return int(std::clamp<long long>((long long)a + b, INT_MIN, INT_MAX)); }

}  // namespace

void ScoreKeeper::newGame(BoardMode mode) {
    mode_ = mode;
    score_ = levelScore_ = gemsCollected_ = gemPoints_ = 0;
    bonusLives_ = 0;
    lives_ = mode == BoardMode::ModeQuest ? kQuestLives : 0;
    chainBonus_ = 0;
    eventCount_ = 0;
    progressPending_ = 0;
}

void ScoreKeeper::startLevel(int level) {
    if (links_.collector) links_.collector->reset(level);
    if (links_.banner) links_.banner->end();
    progressPending_ = 0;
    eventCount_ = 0;
    chainBonus_ = 0;
    if (links_.display) {
        links_.display->showLives(lives_);
        links_.display->showScore(score_);
    }
}

void ScoreKeeper::resetLevelTally() { levelScore_ = gemsCollected_ = gemPoints_ = 0; }

void ScoreKeeper::restore(int score, int lives) {
    score_ = score;
    lives_ = lives;
}

void ScoreKeeper::restoreLevelTally(int levelScore, int gemsCollected) {
    levelScore_ = levelScore;
    gemsCollected_ = gemsCollected;
    gemPoints_ = 0;
}

void ScoreKeeper::setLives(int lives) {
    lives_ = lives;
    if (links_.display) links_.display->showLives(lives_);
}

void ScoreKeeper::queueScoreEvent(int cell, int type) {
    if (mode_ == BoardMode::ModePuzzle || eventCount_ >= kMaxEvents) return;
    events_[eventCount_++] = cell + kEventTypeStep * type;
}

void ScoreKeeper::scoreWave(const WaveTally& wave, const BoardGeometry& geometry) {
    const int n = eventCount_;
    const int a = std::min(n + chainBonus_ - 2, kMaxMultiplier);
    if (countsProgress(mode_)) progressPending_ += float(n);
    for (int i = n - 1; i >= 0; --i) {
        const int cell = events_[i] % kEventTypeStep;
        const int points = eventPoints(events_[i] / kEventTypeStep, a);
        if (links_.effects && geometry.contains(cell))
            links_.effects->floatText(float(geometry.centreX(cell)), float(geometry.centreY(cell)), points);
        if (countsProgress(mode_)) progressPending_ += float(points) * kProgressPerPoint;
        add(points);
        levelScore_ = saturatingAdd(levelScore_, points);
        showScore();
    }
    eventCount_ = 0;
    chainBonus_ = a - 1;
    throwGems(wave);
    if (mode_ != BoardMode::ModePuzzle) showBanner(wave.waveCount);
}

// Four of a kind in one wave throw a small gem, more a big one (in cube mode
// eight hits, two squares' worth); big gems fill the collector.
void ScoreKeeper::throwGems(const WaveTally& wave) {
    const int enough = mode_ == BoardMode::ModeCube ? 8 : 4;
    for (int kind = 0; kind < kOrdinaryKinds; ++kind) {
        const int removed = wave.removedByKind[kind];
        if (removed < enough) continue;
        const bool big = removed > enough;
        const float x = float(wave.gemSpot[kind] % 1000), y = float(wave.gemSpot[kind] / 1000);
        if (links_.effects) links_.effects->flyGem(x, y, big);
        ++gemsCollected_;
        if (!big || mode_ == BoardMode::ModePuzzle || !links_.collector) continue;
        if (links_.collector->receive(links_.effects)) {
            if (links_.banner) links_.banner->show(BannerText::GemBonus);
            add(kGemBonus);
            gemPoints_ = saturatingAdd(gemPoints_, kGemBonus);
            showScore();
        }
    }
}

// The third, fifth, seventh and ninth wave of one move.
void ScoreKeeper::showBanner(int waveCount) {
    if (!links_.banner) return;
    switch (waveCount) {
        case 2: links_.banner->show(BannerText::Combo); break;
        case 4: links_.banner->show(BannerText::SuperCombo); break;
        case 6: links_.banner->show(BannerText::UltraCombo); break;
        case 8: links_.banner->show(BannerText::Unbelievable); break;
        default: break;
    }
}

void ScoreKeeper::payGem(bool big, float, float) {
    const int points = big ? kBigGemPoints : kSmallGemPoints;
    add(points);
    gemPoints_ = saturatingAdd(gemPoints_, points);
    showScore();
}

void ScoreKeeper::addScore(int points) {
    add(points);
    showScore();
}

float ScoreKeeper::takeProgress(float step) {
    const float moved = std::clamp(progressPending_, 0.0f, std::max(0.0f, step));
    progressPending_ -= moved;
    return moved;
}

void ScoreKeeper::add(int points) {
    score_ = saturatingAdd(score_, points);
    checkBonusLife();
}

// Quest mode pays a life for every 250,000 points, one per addition: a
// score that jumps two steps at once gets the second life at its next change.
void ScoreKeeper::checkBonusLife() {
    if (mode_ != BoardMode::ModeQuest) return;
    if (score_ < (long long)kLifeStep * (bonusLives_ + 1)) return;
    ++bonusLives_;
    ++lives_;
    if (links_.audio) links_.audio->play(BoardSound::BonusLife);
    if (links_.display) links_.display->showLives(lives_);
}

void ScoreKeeper::showScore() {
    if (links_.display) links_.display->showScore(score_);
}

int timeBonus(BoardMode mode, int timeLeftMs) {
    if (mode != BoardMode::ModeQuest) return 0;
    // The clock may have ticked past zero in the step the level was won.
    return int(std::max(0LL, (long long)timeLeftMs) * 50 / 1000) + 500;
}

int timeUsedSeconds(BoardMode mode, int timeTotalMs, int timeLeftMs, int elapsedMs) {
    switch (mode) {
        case BoardMode::ModeQuest: return int(((long long)timeTotalMs - timeLeftMs) / 1000);
        case BoardMode::ModeAction:
        case BoardMode::ModeCube: return elapsedMs / 1000;
        default: return 0;
    }
}
