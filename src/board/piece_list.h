#pragma once
// PieceList: the owner of every piece on a board. Iteration runs from the
// newest piece to the oldest, the order in which the board updates them.

#include <memory>
#include <vector>

#include "board/piece.h"

class PieceList {
public:
    // Takes the piece in as the newest; returns it.
    Piece* add(std::unique_ptr<Piece> piece);
    // Releases the piece; false if it is not in the list.
    bool free(const Piece* piece);
    void clear() { pieces_.clear(); }

    int size() const { return static_cast<int>(pieces_.size()); }
    bool empty() const { return pieces_.empty(); }
    bool contains(const Piece* piece) const;

    // Newest first.
    template <class Visit>
    void forEach(Visit visit) {
        for (auto it = pieces_.rbegin(); it != pieces_.rend(); ++it) visit(**it);
    }
    template <class Visit>
    void forEach(Visit visit) const {
        for (auto it = pieces_.rbegin(); it != pieces_.rend(); ++it) visit(static_cast<const Piece&>(**it));
    }

private:
    // Oldest first, so adding is a push at the back.
    std::vector<std::unique_ptr<Piece>> pieces_;
};
