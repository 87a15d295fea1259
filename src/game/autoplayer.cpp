#include "game/autoplayer.h"

#include <vector>

#include "board/board.h"
#include "board/board_random.h"
#include "game/puzzle_solver.h"

namespace {

constexpr int kTickMs = 20;
// Weight of one layer of coating under a line, against 1 for each piece.
constexpr int kCoatingWeight = 12;

class QuestHost : public NullBoardHost {
public:
    bool levelCompleteRaised() const override { return levelComplete; }
    void raiseLevelComplete() override { levelComplete = true; }
    void raiseTimeUp() override { timeUp = true; }
    void completeUnplayableLevel() override { unplayable = true; }
    bool levelComplete = false;
    bool timeUp = false;
    bool unplayable = false;
};

struct Grid {
    int w = 0, h = 0;
    std::vector<int> kind;
    int at(int r, int c) const { return r < 0 || c < 0 || r >= h || c >= w ? kNoKind : kind[static_cast<std::size_t>(r * w + c)]; }
};

// The cells of the lines of three or more through (r, c).
void linesThrough(const Grid& g, int r, int c, std::vector<int>& cells) {
    const int k = g.at(r, c);
    if (k == kNoKind) return;
    int left = c, right = c, up = r, down = r;
    while (g.at(r, left - 1) == k) --left;
    while (g.at(r, right + 1) == k) ++right;
    while (g.at(up - 1, c) == k) --up;
    while (g.at(down + 1, c) == k) ++down;
    if (right - left >= 2)
        for (int x = left; x <= right; ++x) cells.push_back(r * g.w + x);
    if (down - up >= 2)
        for (int y = up; y <= down; ++y) cells.push_back(y * g.w + c);
}

std::uint32_t nextSeed(std::uint32_t& s) {
    s = s * 1664525u + 1013904223u;
    return s >> 8;
}

}  // namespace

int chooseAutoplayMove(const Board& board, std::uint32_t& seed) {
    Grid g;
    g.w = board.width();
    g.h = board.height();
    g.kind.resize(static_cast<std::size_t>(g.w * g.h));
    for (int i = 0; i < g.w * g.h; ++i) g.kind[static_cast<std::size_t>(i)] = board.kindAt(i);
    int best = kNoMove;
    long bestScore = -1;
    std::vector<int> cells;
    for (int a = 0; a < g.w * g.h; ++a) {
        if (!board.movable(a)) continue;
        for (int b : {a % g.w + 1 < g.w ? a + 1 : -1, a / g.w + 1 < g.h ? a + g.w : -1}) {
            if (b < 0 || !board.movable(b) || g.kind[static_cast<std::size_t>(a)] == g.kind[static_cast<std::size_t>(b)]) continue;
            std::swap(g.kind[static_cast<std::size_t>(a)], g.kind[static_cast<std::size_t>(b)]);
            cells.clear();
            linesThrough(g, a / g.w, a % g.w, cells);
            linesThrough(g, b / g.w, b % g.w, cells);
            std::swap(g.kind[static_cast<std::size_t>(a)], g.kind[static_cast<std::size_t>(b)]);
            if (cells.empty()) continue;
            long score = 0;
            for (int cell : cells) {
                const int coat = board.cell(cell).coating();
                score += 1 + (coat == CoatSingle || coat == CoatDouble ? kCoatingWeight * coat : coat > 0 ? kCoatingWeight : 0);
            }
            // The lower the move, the more it stirs; the random part breaks ties.
            score = score * 64 + (a / g.w) * 4 + static_cast<long>(nextSeed(seed) % 4);
            if (score > bestScore) {
                bestScore = score;
                best = encodeMove(a, b);
            }
        }
    }
    return best;
}

AutoplayResult playQuestLevel(const MapData& level, std::uint32_t seed, const AutoplayOptions& options) {
    QuestHost host;
    Board board(&host, nullptr);
    board.setMode(BoardMode::ModeQuest);
    applyMap(board, level);
    seedBoardRandom(seed);
    board.resetTimeLeft();
    board.fillEmptyCells();
    board.setupFill();

    AutoplayResult result;
    std::uint32_t choice = seed ^ 0x9E3779B9u;
    int restMs = 0;
    // A quest level ends on the board's own signals: the goal, or time up.
    const int maxTicks = board.timeTotal() / kTickMs + 2000;
    for (int t = 0; t < maxTicks && !host.levelComplete && !host.timeUp && !host.unplayable; ++t) {
        board.tick(kTickMs);
        const bool resting = !board.busy() && !board.moveMade() && board.swapOrigin() == -1;
        restMs = resting ? restMs + kTickMs : 0;
        if (restMs < options.thinkMs || board.goalReached()) continue;
        const int move = chooseAutoplayMove(board, choice);
        if (move == kNoMove) continue;
        dragPiece(board, moveFirst(move), moveSecond(move));
        ++result.moves;
        restMs = 0;
    }
    result.won = host.levelComplete;
    result.timeUsedMs = board.timeTotal() - (board.timeLeft() > 0 ? board.timeLeft() : 0);
    result.coatingLeft = board.coatRemaining();
    return result;
}
