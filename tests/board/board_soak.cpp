#include "board_soak.h"

#include <memory>
#include <random>

#include "board/board.h"
#include "board/board_random.h"
#include "board/magic_wand.h"
#include "piece_bookkeeping.h"

namespace {

constexpr int kTick = 20;
// A move, however long its cascade, comes to rest well within a minute.
constexpr int kMaxTicksPerMove = 3000;
constexpr int kMovesPerDeal = 300;

class SoakOverlay : public BoardOverlay {
public:
    void update(int) override {}
    void draw(Sprite&) override {}
};

class SoakHost : public NullBoardHost {
public:
    void scoreWave(const WaveTally&) override { ++waves; }
    bool levelCompleteRaised() const override { return levelComplete; }
    void raiseLevelComplete() override { levelComplete = true; }
    void raiseTimeUp() override { timeUp = true; }
    void completeUnplayableLevel() override { unplayable = true; }
    BoardOverlay* showNoMovesOverlay() override {
        noMoves = true;
        return &overlay;
    }
    bool wandArmed() const override { return wand.armed(); }
    void wandUsed() override { wand.used(); }
    void wandGained() override { wand.gained(); }
    bool levelOver() const { return levelComplete || timeUp || unplayable || noMoves; }
    void newLevel() { levelComplete = timeUp = unplayable = noMoves = false; }

    bool levelComplete = false;
    bool timeUp = false;
    bool unplayable = false;
    bool noMoves = false;
    int waves = 0;
    MagicWand wand;
    SoakOverlay overlay;
};

class SoakPlayer {
public:
    SoakPlayer(BoardMode mode, std::uint32_t seed) : mode_(mode), random_(seed), board_(&host_, nullptr) {
        seedBoardRandom(seed);
        board_.setMode(mode);
    }

    SoakReport play(int moves) {
        deal();
        while (report_.moves < moves && report_.fault.empty()) {
            if (!settle()) break;
            if (mode_ == BoardMode::ModePuzzle) {
                const bool stuck = host_.noMoves || host_.levelComplete || board_.pieces().empty();
                if ((stuck || pick(10) == 0) && tryUndo()) continue;
                if (stuck) {
                    deal();
                    continue;
                }
            }
            // A new level now and then keeps the play like a real level's.
            if (host_.levelOver() || movesThisDeal_ >= kMovesPerDeal) {
                deal();
                continue;
            }
            if (!useSpecial()) makeMove();
        }
        report_.waves = host_.waves;
        return report_;
    }

private:
    bool refills() const { return mode_ != BoardMode::ModePuzzle; }

    // A fresh 8 x 9 level with a few holes and locks and a kind table of the
    // mode's sort, dealt the way level start deals it.
    void deal() {
        ++report_.deals;
        movesThisDeal_ = 0;
        host_.newLevel();
        board_.clearLevel();
        board_.setGeometry(250, 70, 8, 9);
        const bool cube = mode_ == BoardMode::ModeCube;
        std::array<std::uint8_t, kKestTableSize> kinds{};
        const int kindCount = cube ? 3 + pick(3) : 5 + pick(4);
        for (int k = 0; k < kindCount; ++k) kinds[static_cast<std::size_t>(k)] = 1;
        if (pick(4) == 0) kinds[KindBad] = 1;
        board_.setKestTable(kinds);
        board_.setBonusTable({static_cast<std::uint8_t>(pick(2) ? 30 : 0), static_cast<std::uint8_t>(pick(2) ? 50 : 0),
                              0, 0, 0});
        board_.setTime(mode_ == BoardMode::ModeQuest && pick(8) == 0 ? 20000 : 600000);
        for (int i = 0; i < board_.cellCount(); ++i) {
            const bool hole = pick(25) == 0;
            const int lock = pick(20) == 0 ? 1 + pick(2) : 0;
            // Quest levels need a coating, or the goal holds from the start.
            const int coating = mode_ == BoardMode::ModeQuest && pick(10) == 0 ? CoatSingle : CoatNone;
            board_.setCell(i, !hole, coating, lock);
        }
        board_.fillEmptyCells();
        if (refills()) {
            if (!board_.setupFill()) host_.newLevel();
        } else {
            board_.applyFileLocks();
        }
    }

    // Ticks to the next idle tick and checks the board there.
    bool settle() {
        for (int t = 0; t < kMaxTicksPerMove; ++t) {
            const bool calm = !board_.busy();
            board_.tick(kTick);
            ++report_.ticks;
            const std::string fault = pieceBookkeepingFault(board_);
            if (!fault.empty()) return fail(fault);
            if (host_.levelOver()) return true;
            if (calm && !board_.busy() && !board_.moveMade()) return checkIdle();
        }
        return fail("the board never came to rest");
    }

    bool checkIdle() {
        if (board_.hasLine()) return fail("a line stands on the idle board");
        if (refills() && board_.findMove() == kNoMove) return fail("a refilled board stands without a move");
        return true;
    }

    bool tryUndo() {
        if (board_.undoCount() == 0 || pick(2) == 0) return false;
        if (!board_.undo()) return false;
        ++report_.undos;
        host_.newLevel();
        return true;
    }

    // The search's move most of the time, otherwise any swap of two movable
    // neighbours. The rainbow and teleport pieces take a press of their own
    // instead of a swap, so the player swaps them only from the other side.
    void makeMove() {
        int a = -1, b = -1;
        const int move = board_.findMove();
        if (move != kNoMove && pick(6) != 0) {
            a = moveFirst(move);
            b = moveSecond(move);
            if (special(a)) std::swap(a, b);
        }
        if (a < 0 || special(a)) {
            if (!randomSwap(a, b)) {
                deal();
                return;
            }
        }
        ++report_.moves;
        lastMove_ = "a swap";
        ++movesThisDeal_;
        if (encodeMove(a, b) != move && encodeMove(b, a) != move) ++report_.randomSwaps;
        if (pick(2) == 0) {
            drag(a, b);
        } else {
            click(a);
            click(b);
        }
        if (!board_.busy()) fail("a move did not start");
    }

    // Now and then the player uses what the board offers besides swaps: an
    // armed rainbow on a neighbour, an armed teleport on any piece, the wand.
    // False when it did none of them.
    bool useSpecial() {
        if (pick(20) == 0) {
            const int target = randomMovable(-1);
            if (target < 0) return false;
            host_.wand.setCount(1);
            host_.wand.press(true);
            click(target);
            return specialMoveStarted("the wand");
        }
        if (pick(3) != 0) return false;
        for (int cell = 0; cell < board_.cellCount(); ++cell) {
            if (!board_.movable(cell) || !special(cell)) continue;
            const bool rainbow = board_.pieceAt(cell)->special == SpecialRaduga;
            const int target = rainbow ? rainbowTarget(cell) : randomMovable(cell);
            if (target < 0) continue;
            const char* what = rainbow ? "a rainbow" : "a teleport";
            click(cell);
            click(target);
            return specialMoveStarted(what);
        }
        return false;
    }

    bool specialMoveStarted(const char* what) {
        lastMove_ = what;
        ++report_.moves;
        ++report_.specialMoves;
        ++movesThisDeal_;
        if (!board_.busy()) fail(std::string(what) + " did not start a move");
        return true;
    }

    int rainbowTarget(int cell) const {
        const int w = board_.width();
        for (const int n : {cell - w, cell + w, cell - 1, cell + 1}) {
            if (board_.isAdjacent(cell, n) && board_.movable(n) && board_.kindAt(n) != KindRaduga) return n;
        }
        return -1;
    }

    int randomMovable(int except) {
        for (int tries = 0; tries < 200; ++tries) {
            const int cell = pick(board_.cellCount());
            if (cell != except && board_.movable(cell)) return cell;
        }
        return -1;
    }

    bool special(int cell) const { return board_.pieceAt(cell) && board_.pieceAt(cell)->special != SpecialNone; }

    bool randomSwap(int& a, int& b) {
        for (int tries = 0; tries < 200; ++tries) {
            a = pick(board_.cellCount());
            b = pick(2) ? a + 1 : a + board_.width();
            if (board_.isAdjacent(a, b) && board_.movable(a) && board_.movable(b) && !special(a)) return true;
        }
        return false;
    }

    void click(int cell) {
        const auto& g = board_.geometry();
        board_.onLeftPress(g.centreX(cell), g.centreY(cell));
        board_.onLeftRelease();
    }

    void drag(int from, int to) {
        const auto& g = board_.geometry();
        const int x = g.centreX(from), y = g.centreY(from);
        board_.onLeftPress(x, y);
        board_.onMouseMove(x + (g.centreX(to) - x) / 2, y + (g.centreY(to) - y) / 2);
        board_.onLeftRelease();
    }

    int pick(int n) { return static_cast<int>(random_() % static_cast<std::uint32_t>(n)); }

    bool fail(const std::string& fault) {
        report_.fault = std::string(boardModeName(mode_)) + ": " + fault + " (after " + std::to_string(report_.moves) +
                        " moves, the last " + lastMove_ + ", " + std::to_string(report_.ticks) + " ticks)";
        return false;
    }

    BoardMode mode_;
    std::mt19937 random_;
    SoakHost host_;
    Board board_;
    SoakReport report_;
    int movesThisDeal_ = 0;
    std::string lastMove_ = "none";  // what the last move was, for the fault report
};

}  // namespace

SoakReport runSoak(BoardMode mode, int moves, std::uint32_t seed) { return SoakPlayer(mode, seed).play(moves); }

const char* boardModeName(BoardMode mode) {
    switch (mode) {
        case BoardMode::ModeQuest: return "quest";
        case BoardMode::ModePuzzle: return "puzzle";
        case BoardMode::ModeAction: return "action";
        case BoardMode::ModeCube: return "cube";
    }
    return "?";
}
