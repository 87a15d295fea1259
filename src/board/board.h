#pragma once
// Board: the grid of cells the game is played on, the pieces lying in it and
// the rules that move them. One board lives as long as its game screen and is
// reloaded for every level; the screen forwards the mouse, calls `tick` every
// 20 ms and draws the board's two layers.
//
// The rules live here, apart from drawing: the board's state changes only in
// its input handlers, its tick and the level set-up calls. Drawing reads that
// state and changes nothing but the static layer's redraw flag.
//
// The member functions are spread over files by subject: geometry and set-up
// (board.cpp), input (board_input.cpp), swaps (board_swap.cpp), matching
// (board_matching.cpp), the special-piece and scoring hooks
// (board_specials.cpp, board_wave_scoring.cpp), falling and birth
// (board_falling.cpp), piece motion (piece_motion.cpp), the tick
// (board_tick.cpp), move search (move_search.cpp), repair (board_repair.cpp),
// the idle hint (board_hint.cpp), undo (board_undo.cpp) and drawing
// (board_drawing.cpp, frame_tiles.cpp).

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "board/board_art.h"
#include "board/board_audio.h"
#include "board/board_geometry.h"
#include "board/board_host.h"
#include "board/board_tuning.h"
#include "board/board_types.h"
#include "board/cell.h"
#include "board/move_search.h"
#include "board/piece_list.h"
#include "board/undo_stack.h"

class Sprite;

struct ScreenPoint {
    int x = 0;
    int y = 0;
};

class Board {
public:
    // Idle time before the automatic hint shows, ms.
    static constexpr int kHintDelayMs = 10000;
    // Re-rolls of new pieces before a board is given up as unplayable.
    static constexpr int kPlayableTries = 1000;
    // Waves of one move after which a refill may no longer stand as a line:
    // from then on it must leave a move and no line, so a board whose refills
    // can only ever line up still comes to rest.
    static constexpr int kRefillLineWaves = 20;

    // A 14 x 10 board at (250, 70) with every cell a hole and no pieces. A
    // null host or audio stands for one that ignores everything.
    Board(BoardHost* host, std::unique_ptr<BoardAudio> audio, const BoardTuning& tuning = {},
          const BoardArt& art = {});
    ~Board();
    Board(const Board&) = delete;
    Board& operator=(const Board&) = delete;

    // ---- Level set-up: the map loader and the game screen's level start ----

    // Frees every piece and undo snapshot, drops the no-moves notice and ends
    // whatever move was in progress. Cells keep their shape.
    void clearLevel();
    // False, and nothing changed, unless 1 <= w, 1 <= h and w * h <= 140.
    bool setGeometry(int x0, int y0, int w, int h);
    void setMode(BoardMode mode) { mode_ = mode; }
    // The cell as a map describes it; a hole loses its piece.
    void setCell(int cell, bool active, int coating = CoatNone, int fileLock = 0);
    // A new idle, unlocked piece centred in an active cell, replacing any
    // piece there; null for a hole or a cell outside the board.
    Piece* putPiece(int cell, int kind, int special = SpecialNone);
    void removePiece(int cell);
    void setKestTable(const std::array<std::uint8_t, kKestTableSize>& table) { kestTable_ = table; }
    void setBonusTable(const std::array<std::uint8_t, kBonusTableSize>& table) { bonusTable_ = table; }
    // A level's time: both the total and what is left.
    void setTime(int milliseconds) { timeTotal_ = timeLeft_ = milliseconds; }
    void resetTimeLeft() { timeLeft_ = timeTotal_; }
    void resetElapsed() { elapsed_ = 0; }
    // A saved game's clocks.
    void setTimeLeft(int milliseconds) { timeLeft_ = milliseconds; }
    void setElapsed(int milliseconds) { elapsed_ = milliseconds; }
    void clearGoalReached() { goalReached_ = false; }
    void setMapPath(const char* path);
    void clearHover() { hover_ = -1; }
    // Copies every active cell's nonzero map lock onto its piece.
    void applyFileLocks();
    // Every active empty cell gets a piece made for set-up.
    void fillEmptyCells();
    // Deals a level: removes ready-made lines, then re-draws pieces until the
    // board has a move and no line. False when no such board could be
    // reached (the host is then told the level is unplayable).
    bool setupFill();

    // ---- Input from the game screen ----
    void onMouseMove(int x, int y);
    void onLeftPress(int x, int y);
    void onLeftRelease();
    void onRightPress(int x, int y);
    // A drag past the threshold, or an arrow key after a pick: the selected
    // piece swaps with its neighbour one step (dx, dy) away, one of the four
    // directions, if that cell holds a piece. Nothing while pieces move or
    // an armed rainbow or teleport piece waits for its target.
    void swapSelectionToward(int dx, int dy);
    // The hint key: the idle hint shows at the board's next rest instead of
    // after the idle delay.
    void requestHint() { hintRequested_ = true; }
    bool hintRequested() const { return hintRequested_; }

    // ---- The rules ----
    void tick(int milliseconds);
    // `a` is the cell swapped back when nothing matches.
    void startSwap(int a, int b);
    void swapBack();
    // Finds lines (cube mode: 2 x 2 squares) and hits their cells; with
    // `immediate` the pieces are simply freed (level set-up). Nonzero when
    // anything was hit.
    int detectMatches(bool immediate);
    void startFall();
    // A new idle 44 x 44 piece of a random allowed kind, linked in but not
    // placed in any cell.
    Piece* spawnPiece(bool forSetup);
    // A move as first * 1000 + second, or 0.
    int findMove();
    bool hasLine() const;
    void ensurePlayable();
    // Puzzle mode: back to the position before the last swap. False when
    // nothing was undone.
    bool undo();

    // ---- Drawing ----
    // Fields, coatings and the pieces of the static layer (every piece when
    // `allPieces`); clears the redraw request.
    void drawStatic(Sprite& target, bool allPieces);
    // Selection ring, moving and animated pieces, the no-moves notice.
    void drawDynamic(Sprite& target);
    // The gold frame around the field and its holes.
    void drawFrame(Sprite& target) const;

    // ---- What the rules, the screen and the tests read ----
    const BoardGeometry& geometry() const { return geometry_; }
    int width() const { return geometry_.w; }
    int height() const { return geometry_.h; }
    int cellCount() const { return geometry_.cellCount(); }
    BoardMode mode() const { return mode_; }
    int cellAt(int x, int y) const { return geometry_.cellAt(x, y); }
    bool isAdjacent(int a, int b) const { return geometry_.isAdjacent(a, b); }
    // The kind of the piece in an active cell, else kNoKind.
    int kindAt(int cell) const;
    // Active, holding a piece that is unlocked and not dead.
    bool movable(int cell) const;
    const Cell& cell(int index) const { return cells_[index]; }
    Piece* pieceAt(int cell) const;
    const PieceList& pieces() const { return pieces_; }
    const std::array<std::uint8_t, kKestTableSize>& kestTable() const { return kestTable_; }
    const std::array<std::uint8_t, kBonusTableSize>& bonusTable() const { return bonusTable_; }

    bool busy() const { return busy_; }
    // A swap has finished moving and waits for the next tick to find its
    // line or to swap it back; no new move may start in between.
    bool swapAwaitsVerdict() const { return !busy_ && swapOrigin_ != -1; }
    bool moveMade() const { return moveMade_; }
    int swapOrigin() const { return swapOrigin_; }
    int selected() const { return selected_; }
    int hover() const { return hover_; }
    bool buttonHeld() const { return buttonHeld_; }
    bool teleportArmed() const { return teleportArmed_; }
    bool radugaArmed() const { return radugaArmed_; }
    int waveRemoved() const { return waveRemoved_; }
    int moveRemoved() const { return moveRemoved_; }
    int waveCount() const { return waveCount_; }
    int removedByKind(int kind) const { return removedByKind_[kind]; }
    int gemSpot(int kind) const { return gemSpot_[kind]; }
    int timeTotal() const { return timeTotal_; }
    int timeLeft() const { return timeLeft_; }
    int elapsed() const { return elapsed_; }
    int coatRemaining() const { return coatRemaining_; }
    bool goalReached() const { return goalReached_; }
    bool needsRedraw() const { return redraw_; }
    int idleTime() const { return idleTime_; }
    ScreenPoint hintFrom() const { return hintFrom_; }
    // Where the tutorial points for a move: the hint point of its
    // lower-numbered cell.
    ScreenPoint tutorialPointOf(int move) const;
    ScreenPoint hintTo() const { return hintTo_; }
    bool ringShown() const { return ringShown_; }
    ScreenPoint ring() const { return {selX_, selY_}; }
    int undoCount() const { return undo_.count(); }
    BoardOverlay* noMovesOverlay() const { return overlay_; }
    const std::string& mapPath() const { return mapPath_; }
    const BoardTuning& tuning() const { return tuning_; }

    // Marks a cell as having a piece on the move (the special pieces use it
    // when they start a motion of their own).
    void markChanged(int cell) { cells_[cell].changed_ = true; }

private:
    friend class Cell;

    // What the special-piece rules decided about a hit on an idle piece.
    struct HitOutcome {
        bool pieceStays = false;  // a lock took the hit
        int scoreType = -1;       // the score event to queue, -1 for none
    };

    void placeCells();
    void recountCoatings();
    void freePiece(Cell& cell);
    Piece* addPiece(std::unique_ptr<Piece> piece) { return pieces_.add(std::move(piece)); }
    void centreIn(Piece& piece, int cell) const;

    // Selection (board_input.cpp).
    void selectCell(int cell);
    void deselectCell(int cell);
    void clearSelection();
    void dragTo(int x, int y);

    // Hooks of the special pieces and the magic wand (board_specials.cpp).
    bool pressUsesTool(int cell);
    void applyRainbow(int from, int to);
    void teleport(int from, int to);
    HitOutcome hitIdlePiece(Cell& cell, Piece& piece);
    void hitLock(Cell& cell, Piece& piece);
    int hitBadPiece(Cell& cell);
    int clearCoating(Cell& cell, bool withGlow);
    void flyCoating(int cell, int image);
    // Width and height 0, born again where it lies (the rainbow's new kind).
    void rebirth(Piece& piece, int cell);
    // The wave's scoring (board_wave_scoring.cpp).
    void scoreWave();

    // Swaps (board_swap.cpp).
    bool startSwapMotion(int a, int b);

    // Matching (board_matching.cpp).
    int detectLines(bool immediate);
    int detectSquares(bool immediate);
    bool lineSkipped(int first, int step, int length) const;
    void hitCell(int cell, bool immediate);

    // Falling and birth (board_falling.cpp).
    int findFallingPiece(int cell) const;
    void bornIn(int cell);
    void settleColumnsAtOnce();
    int drawKind(bool forSetup);

    // Piece motion (piece_motion.cpp).
    void enterState(Piece& piece, PieceState state);
    void setDynamic(Piece& piece, bool dynamic);
    void updatePiece(Piece& piece, int dt);
    void updateSwapping(Piece& piece, int dt);
    void updateDying(Piece& piece, int dt);
    void updateFalling(Piece& piece, int dt);
    void updateBirth(Piece& piece, int dt);
    void updateTeleportOut(Piece& piece, int dt);
    void updateIdle(Piece& piece, int dt);
    void updateHintAnimation(Piece& piece, int dt);
    void updateHover(Piece& piece);
    float fullWidth(const Piece& piece) const;
    float fullHeight(const Piece& piece) const;

    // The tick's parts (board_tick.cpp).
    void countDown(int dt);
    bool goalHolds() const;
    void checkGoal();
    void busyStep(int dt);
    void fallStep();
    void restStep(int dt);

    // Move search (move_search.cpp).
    KindGrid kindGrid() const;

    // Repair and hints (board_repair.cpp, board_hint.cpp).
    void rerollNewPieces();
    bool removeSetupLines();
    bool redrawUntilPlayable();
    bool runHint(int dt);
    void showNoMoves();

    // Undo (board_undo.cpp).
    BoardSnapshot takeSnapshot() const;

    // Drawing (board_drawing.cpp).
    void drawCell(const Cell& cell, Sprite& target) const;
    void drawPiece(const Piece& piece, Sprite& target) const;
    Sprite* pieceImage(const Piece& piece) const;

    BoardHost* host_;
    NullBoardHost nullHost_;
    std::unique_ptr<BoardAudio> audio_;
    BoardTuning tuning_;
    BoardArt art_;

    BoardGeometry geometry_;
    std::array<Cell, kMaxCells> cells_;
    PieceList pieces_;
    BoardMode mode_ = BoardMode::ModeQuest;
    std::array<std::uint8_t, kKestTableSize> kestTable_{1, 1, 1, 1, 1, 1, 1, 1, 0, 0};
    std::array<std::uint8_t, kBonusTableSize> bonusTable_{};
    std::string mapPath_;

    int timeTotal_ = 60000;
    int timeLeft_ = 60000;
    int elapsed_ = 0;
    int coatRemaining_ = 0;

    // The move in progress.
    int waveRemoved_ = 0;
    int moveRemoved_ = 0;
    int waveCount_ = 0;
    std::array<int, kOrdinaryKinds> removedByKind_{};
    std::array<int, kOrdinaryKinds> gemSpot_{};  // x + 1000 * y

    // Input.
    int selected_ = -1;
    int hover_ = -1;
    int pressX_ = 0, pressY_ = 0;
    int mouseX_ = 0, mouseY_ = 0;
    bool buttonHeld_ = false;
    bool teleportArmed_ = false;
    bool radugaArmed_ = false;

    // The state machine.
    bool busy_ = false;
    bool moveMade_ = false;
    int swapOrigin_ = -1;
    bool swapTookSnapshot_ = false;  // the swap waiting for its result pushed an undo snapshot
    bool goalReached_ = false;
    bool redraw_ = true;
    bool landed_ = false;
    bool coatingFlew_ = false;  // set by the coating rules; the next tick plays "flycell"
    // Given up as unplayable: the level is over and the board makes no more
    // waves until the next level is laid out.
    bool gaveUp_ = false;
    bool rainbowChanged_ = false;  // a rainbow took a kind since the board last rested
    int idleTime_ = 0;
    bool hintRequested_ = false;
    ScreenPoint hintFrom_, hintTo_;

    // The selection ring.
    bool ringShown_ = false;
    int selX_ = 0, selY_ = 0;

    BoardOverlay* overlay_ = nullptr;  // owned by the screen manager
    UndoStack undo_;
};
