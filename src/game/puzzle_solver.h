#pragma once
// The puzzle solver: proves that a puzzle board can be emptied, and measures
// how hard it is. Every move is played on a real Board in puzzle mode through
// its tick, so the solver obeys exactly the rules the player meets (double
// hits where lines cross, locks, pieces stopped by holes and locks,
// cascades). Positions are compared by the kinds and locks in their cells;
// each new position is played on a board rebuilt from it.

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "board/board_types.h"
#include "game/level_map.h"

class Board;

struct PuzzlePosition {
    int w = 0;
    int h = 0;
    std::vector<bool> active;
    std::vector<std::int8_t> kind;  // kNoKind for none
    std::vector<std::uint8_t> lock;

    static PuzzlePosition fromMap(const MapData& map);
    static PuzzlePosition fromBoard(const Board& board);
    bool empty() const;
    int pieceCount() const;
    std::string key() const;
};

struct PuzzleMove {
    int from = 0;
    int to = 0;
};

struct PuzzleReport {
    bool solvable = false;
    std::vector<PuzzleMove> solution;  // a shortest solution: none has fewer moves
    int winningFirstMoves = 0;         // distinct first moves from which a win remains
    int firstMoves = 0;                // first moves that make a line at all
    long positionsSeen = 0;            // positions the shortest search reached
    bool exhausted = false;            // the node budget ran out before an answer
};

class PuzzleSolver {
public:
    explicit PuzzleSolver(long nodeBudget = 2000000);
    ~PuzzleSolver();

    // The position after `move`, played on a real board until it rests. False
    // when the swap made no line (the board swapped it back).
    bool play(const PuzzlePosition& from, const PuzzleMove& move, PuzzlePosition& after);
    // Swaps of two neighbouring unlocked pieces of different kinds.
    std::vector<PuzzleMove> candidateMoves(const PuzzlePosition& position) const;
    // A shortest solution and the difficulty measures. The positions are
    // searched breadth first, every move made on the real board, so the first
    // solution found has the fewest moves there are.
    PuzzleReport solve(const PuzzlePosition& start, bool countWinningFirstMoves = true);

    // False when the swap can make no line: after it no run of three alike
    // passes through either cell. Swaps that involve a special piece are
    // left to the board.
    static bool mayMakeLine(const PuzzlePosition& position, const PuzzleMove& move);
    // True when the position can never be emptied: some ordinary kind has one
    // or two pieces left, and nothing but a line of three removes a piece.
    static bool hopeless(const PuzzlePosition& position);

    // Puts a position on the board (puzzle mode, at 0, 0).
    void setUp(Board& board, const PuzzlePosition& position) const;
    Board& board() { return *board_; }

private:
    bool search(const PuzzlePosition& position, std::vector<PuzzleMove>& path);
    bool searchShortest(const PuzzlePosition& start, std::vector<PuzzleMove>& solution, long& seen);

    std::unique_ptr<Board> board_;
    std::unordered_map<std::string, bool> solvable_;  // positions already decided
    long budget_;
    long nodes_ = 0;
};

// Ticks a board until it rests (no swap, fall or wave under way). False when
// it did not within `maxTicks`.
bool runBoardUntilIdle(Board& board, int maxTicks = 5000);

// Press on `from`, drag half a cell toward `to`, release: the player's swap.
void dragPiece(Board& board, int from, int to);
