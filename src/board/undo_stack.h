#pragma once
// The puzzle undo history: one snapshot of the board's pieces per swap, at
// most 50, newest last.

#include <array>
#include <cstdint>
#include <vector>

#include "board/board_types.h"

struct BoardSnapshot {
    // What a cell held before the swap. An empty cell is kEmptyCell, which no
    // kind uses, so a rainbow piece (kind 10) is not taken for an empty cell.
    static constexpr std::uint8_t kEmptyCell = 0xFF;
    std::array<std::uint8_t, kMaxCells> kinds{};
    std::array<std::uint8_t, kMaxCells> locks{};
    // Undo rewrites the pieces in place rather than moving them back, so the
    // special has to be restored with the kind or it would stay behind on
    // whichever piece now lies in its old cell.
    std::array<std::uint8_t, kMaxCells> specials{};
};

class UndoStack {
public:
    static constexpr int kCapacity = 50;

    bool full() const { return static_cast<int>(snapshots_.size()) >= kCapacity; }
    int count() const { return static_cast<int>(snapshots_.size()); }
    // False (and nothing kept) when the stack is full.
    bool push(const BoardSnapshot& snapshot);
    // False when there is none.
    bool pop(BoardSnapshot& out);
    void dropNewest();
    void clear() { snapshots_.clear(); }

private:
    std::vector<BoardSnapshot> snapshots_;
};
