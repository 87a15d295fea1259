#include "board/piece_list.h"

#include <algorithm>

Piece* PieceList::add(std::unique_ptr<Piece> piece) {
    if (!piece) return nullptr;
    pieces_.push_back(std::move(piece));
    return pieces_.back().get();
}

bool PieceList::free(const Piece* piece) {
    // Pieces die near the board's most recent changes, so look from the newest.
    for (auto it = pieces_.rbegin(); it != pieces_.rend(); ++it) {
        if (it->get() == piece) {
            pieces_.erase(std::next(it).base());
            return true;
        }
    }
    return false;
}

bool PieceList::contains(const Piece* piece) const {
    return std::any_of(pieces_.begin(), pieces_.end(), [piece](const auto& p) { return p.get() == piece; });
}
