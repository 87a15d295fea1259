// Drawing the board: the static layer (fields, coatings, resting pieces),
// rebuilt only on request, and the dynamic layer drawn every frame (the
// selection ring, pieces on the move or animating, the no-moves notice).

#include <cmath>

#include "board/board.h"
#include "board/frame_tiles.h"
#include "graphics/sprite.h"

namespace {

constexpr int kHalfCell = kCellSize / 2;

}  // namespace

void Board::drawStatic(Sprite& target, bool allPieces) {
    for (int i = 0; i < geometry_.cellCount(); ++i) drawCell(cells_[i], target);
    pieces_.forEach([&](const Piece& piece) {
        if (allPieces || !piece.onDynamicLayer) drawPiece(piece, target);
    });
    redraw_ = false;
}

void Board::drawDynamic(Sprite& target) {
    if (ringShown_ && art_.select) target.Blit(selX_, selY_, *art_.select, BLEND_NORMAL, elapsed_);
    pieces_.forEach([&](const Piece& piece) {
        if (piece.onDynamicLayer) drawPiece(piece, target);
    });
    if (overlay_) overlay_->draw(target);
}

void Board::drawFrame(Sprite& target) const {
    std::vector<bool> active(static_cast<std::size_t>(geometry_.cellCount()));
    for (int i = 0; i < geometry_.cellCount(); ++i) active[static_cast<std::size_t>(i)] = cells_[i].active_;
    for (const FrameTile& t : frameTilePlacements(geometry_.w, geometry_.h, active)) {
        Sprite* tile = art_.tiles[static_cast<std::size_t>(t.tile)];
        if (tile) target.Blit(geometry_.x0 + kCellSize * t.col, geometry_.y0 + kCellSize * t.row, *tile, BLEND_NORMAL, 0);
    }
}

void Board::drawCell(const Cell& cell, Sprite& target) const {
    if (!cell.active_) return;
    if (art_.field) target.Blit(cell.px_, cell.py_, *art_.field, BLEND_NORMAL, 0);
    if (cell.coating_ > CoatNone && cell.coating_ <= CoatWandBonus) {
        if (Sprite* coat = art_.coatings[static_cast<std::size_t>(cell.coating_)])
            target.Blit(cell.px_, cell.py_, *coat, BLEND_NORMAL, 0);
    }
}

Sprite* Board::pieceImage(const Piece& piece) const {
    if (piece.kind == KindRaduga) return art_.raduga;
    if (piece.kind < 0 || piece.kind >= BoardArt::kPieceImages) return nullptr;
    const auto k = static_cast<std::size_t>(piece.kind);
    return piece.hintPhase >= 2 ? art_.help[k] : art_.active[k];
}

// The image is stretched to the piece's size around its centre, so births
// grow and deaths shrink in place.
void Board::drawPiece(const Piece& piece, Sprite& target) const {
    if (Sprite* image = pieceImage(piece)) {
        const int w = static_cast<int>(std::lround(piece.width));
        const int h = static_cast<int>(std::lround(piece.height));
        const int left = static_cast<int>(std::lround(piece.x - static_cast<float>(w) / 2.0f));
        const int top = static_cast<int>(std::lround(piece.y - static_cast<float>(h) / 2.0f));
        target.StretchBlit(left, top, w, h, *image, 0, 0, image->width(), image->height(), BLEND_KEY, piece.animClock);
    }
    const int x = static_cast<int>(std::lround(piece.x)) - kHalfCell;
    const int y = static_cast<int>(std::lround(piece.y)) - kHalfCell;
    if (piece.special == SpecialTeleport && art_.teleport) target.Blit(x, y, *art_.teleport, BLEND_ADD, elapsed_);
    Sprite* lockImage = piece.lock == 1 ? art_.locked0 : piece.lock >= 2 ? art_.locked1 : nullptr;
    if (lockImage) target.Blit(x, y, *lockImage, BLEND_NORMAL, 0);
}
