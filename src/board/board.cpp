#include "board/board.h"

#include <utility>

Board::Board(BoardHost* host, std::unique_ptr<BoardAudio> audio, const BoardTuning& tuning, const BoardArt& art)
    : host_(host ? host : &nullHost_),
      audio_(audio ? std::move(audio) : std::make_unique<SilentBoardAudio>()),
      tuning_(tuning),
      art_(art) {
    for (int i = 0; i < kMaxCells; ++i) {
        cells_[i].index_ = i;
        cells_[i].board_ = this;
    }
    placeCells();
}

// Pieces go first, then the snapshots, as the board is taken down.
Board::~Board() {
    pieces_.clear();
    undo_.clear();
}

void Board::clearLevel() {
    for (Cell& c : cells_) {
        c.piece_ = nullptr;
        c.changed_ = false;
        c.hitThisTick_ = false;
        c.selected_ = false;
        c.swapPartner_ = -1;
        c.cubeHint_ = false;
    }
    pieces_.clear();
    undo_.clear();
    overlay_ = nullptr;
    selected_ = hover_ = -1;
    buttonHeld_ = teleportArmed_ = radugaArmed_ = false;
    busy_ = moveMade_ = landed_ = coatingFlew_ = rainbowChanged_ = gaveUp_ = false;
    swapOrigin_ = -1;
    swapTookSnapshot_ = false;
    waveRemoved_ = moveRemoved_ = waveCount_ = 0;
    removedByKind_.fill(0);
    gemSpot_.fill(0);
    idleTime_ = 0;
    hintRequested_ = false;
    ringShown_ = false;
    redraw_ = true;
}

bool Board::setGeometry(int x0, int y0, int w, int h) {
    if (w < 1 || h < 1 || w * h > kMaxCells) return false;
    geometry_ = BoardGeometry{x0, y0, w, h};
    placeCells();
    recountCoatings();
    redraw_ = true;
    return true;
}

void Board::placeCells() {
    for (int i = 0; i < geometry_.cellCount(); ++i) {
        cells_[i].px_ = geometry_.left(i);
        cells_[i].py_ = geometry_.top(i);
    }
}

void Board::setCell(int index, bool active, int coating, int fileLock) {
    if (!geometry_.contains(index)) return;
    Cell& c = cells_[index];
    if (!active && c.piece_) removePiece(index);
    c.active_ = active;
    c.coating_ = c.fileCoating_ = active ? coating : CoatNone;
    c.fileLock_ = active ? fileLock : 0;
    recountCoatings();
    redraw_ = true;
}

// Bonus plates count 3 and 4, so clearing one lowers the total by its value.
void Board::recountCoatings() {
    coatRemaining_ = 0;
    for (int i = 0; i < geometry_.cellCount(); ++i) {
        if (cells_[i].active_) coatRemaining_ += cells_[i].coating_;
    }
}

void Board::setMapPath(const char* path) {
    constexpr std::size_t kMapPathMax = 255;
    mapPath_ = path ? std::string(path).substr(0, kMapPathMax) : std::string();
}

Piece* Board::putPiece(int index, int kind, int special) {
    if (!geometry_.contains(index) || !cells_[index].active_) return nullptr;
    removePiece(index);
    auto piece = std::make_unique<Piece>();
    piece->kind = kind;
    piece->special = special;
    Piece* p = addPiece(std::move(piece));
    centreIn(*p, index);
    cells_[index].piece_ = p;
    redraw_ = true;
    return p;
}

void Board::removePiece(int index) {
    if (!geometry_.contains(index) || !cells_[index].piece_) return;
    if (selected_ == index) clearSelection();
    freePiece(cells_[index]);
    redraw_ = true;
}

void Board::freePiece(Cell& cell) {
    const Piece* piece = cell.piece_;
    cell.piece_ = nullptr;
    pieces_.free(piece);
}

void Board::centreIn(Piece& piece, int cell) const {
    piece.x = static_cast<float>(geometry_.centreX(cell));
    piece.y = static_cast<float>(geometry_.centreY(cell));
}

void Board::applyFileLocks() {
    for (int i = 0; i < geometry_.cellCount(); ++i) {
        Cell& c = cells_[i];
        if (c.active_ && c.piece_ && c.fileLock_ != 0) c.piece_->lock = c.fileLock_;
    }
    redraw_ = true;
}

void Board::fillEmptyCells() {
    for (int i = 0; i < geometry_.cellCount(); ++i) {
        Cell& c = cells_[i];
        if (!c.active_ || c.piece_) continue;
        Piece* p = spawnPiece(true);
        centreIn(*p, i);
        c.piece_ = p;
    }
    redraw_ = true;
}

int Board::kindAt(int index) const {
    if (!geometry_.contains(index)) return kNoKind;
    const Cell& c = cells_[index];
    return c.active_ && c.piece_ ? c.piece_->kind : kNoKind;
}

bool Board::movable(int index) const {
    if (!geometry_.contains(index)) return false;
    const Cell& c = cells_[index];
    return c.active_ && c.piece_ && c.piece_->lock == 0 && !c.piece_->dead;
}

Piece* Board::pieceAt(int index) const { return geometry_.contains(index) ? cells_[index].piece_ : nullptr; }
