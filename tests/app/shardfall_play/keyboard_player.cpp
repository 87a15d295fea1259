#include "keyboard_player.h"

#include <deque>
#include <fstream>
#include <utility>
#include <vector>

#include "board/board.h"
#include "game/board_keyboard_cursor.h"
#include "game/game_screen.h"
#include "graphics/display.h"
#include "graphics/screenshot.h"
#include "platform/pad_input.h"
#include "platform/script.h"
#include "platform/window_messages.h"
#include "ui/screen_manager.h"

namespace {

constexpr int kKeyGapMs = 100;
// How long the board rests before the next move is chosen.
constexpr int kThinkMs = 300;
// A move that takes more presses than this is given up and chosen anew.
constexpr int kKeysPerMoveLimit = 80;

using Direction = BoardKeyboardCursor::Direction;

struct Arrow {
    Direction direction;
    const char* key;
};
constexpr Arrow kArrows[] = {{Direction::Left, "LEFT"}, {Direction::Right, "RIGHT"}, {Direction::Up, "UP"}, {Direction::Down, "DOWN"}};

bool playing(const GameScreen& game) {
    return game.levelRunning() && game.fadeClock() >= 0 && !game.levelComplete() && !game.timeUp();
}

bool atRest(const Board& board) { return !board.busy() && !board.swapAwaitsVerdict() && !board.moveMade(); }

// The arrow from a cell to its neighbour.
const char* arrowBetween(const Board& board, int from, int to) {
    const BoardGeometry& g = board.geometry();
    if (g.row(to) == g.row(from)) return g.column(to) > g.column(from) ? "RIGHT" : "LEFT";
    return g.row(to) > g.row(from) ? "DOWN" : "UP";
}

bool isSpecial(const Board& board, int cell) {
    const Piece* piece = board.pieceAt(cell);
    return piece && piece->special != SpecialNone;
}

}  // namespace

KeyboardPlayer::KeyboardPlayer(std::string reportFile, std::string shotFolder, bool withPad)
    : reportFile_(std::move(reportFile)), shotFolder_(std::move(shotFolder)), withPad_(withPad) {}

void KeyboardPlayer::sawMessage(std::uint32_t message) {
    if (message >= platform::WM_MOUSEMOVE && message <= platform::WM_RBUTTONDBLCLK) ++mouseMessages_;
}

void KeyboardPlayer::press(const std::string& key) {
    if (withPad_) {
        const std::string button = key == "SPACE" || key == "ENTER" ? "a"
                                   : key == "W"                     ? "x"
                                   : key == "TAB"                   ? "down"
                                                                    : key;
        platform::PadButton pad;
        if (!platform::padButtonFromName(button, pad)) return;
        // The script's pad, plugged in by the script's "pad attach".
        constexpr int kScriptPad = 0;
        platform::padInput().button(kScriptPad, pad, true, platform::messageQueue(), 0);
        platform::padInput().button(kScriptPad, pad, false, platform::messageQueue(), 0);
    } else {
        std::vector<platform::ScriptCommand> commands;
        std::string error;
        if (!platform::parseScript("key " + key + "\n", commands, error) || commands.size() != 1) return;
        platform::postKeyPress(platform::messageQueue(), commands[0]);
    }
    ++keys_;
    ++keysForMove_;
    cooldownMs_ = kKeyGapMs;
}

void KeyboardPlayer::step(ScreenManager& manager, int milliseconds) {
    if (finished_) return;
    auto* game = dynamic_cast<GameScreen*>(findGameSession(manager));
    if (!game) return;
    cooldownMs_ -= milliseconds;
    if (manager.currentScreen() != game) {
        answerDialog(manager, *game);
        return;
    }
    if (game->levelComplete() || game->timeUp()) {
        finish(*game, game->levelComplete());
        return;
    }
    const Board& board = game->board();
    const BoardKeyboardCursor& ring = game->keyCursor();
    if (ring.shown(board)) {
        ringCells_.insert(ring.cell());
        if (!shotsTaken_.count("ring.png")) {
            shoot("ring.png");
            firstRingX_ = board.geometry().left(ring.cell());
            firstRingY_ = board.geometry().top(ring.cell());
        }
        if (board.selected() != -1 && !shotsTaken_.count("picked.png")) shoot("picked.png");
    }
    if (atRest(board)) {
        restMs_ += milliseconds;
    } else {
        // The last key of the move set the board going.
        if (move_.type != AutoplayMove::Type::None) ++moves_;
        move_ = {};
        restMs_ = 0;
    }
    if (cooldownMs_ > 0) return;
    // Any key closes the tutorial's card; Space is the one a player reaches for.
    if (game->tutorialPanel().isOpen()) {
        press("SPACE");
        return;
    }
    if (!playing(*game) || !atRest(board)) return;
    if (move_.type == AutoplayMove::Type::None) {
        if (restMs_ < kThinkMs) return;
        move_ = chooseAutoplayMove(board, seed_, game->wands() > 0);
        keysForMove_ = 0;
        if (move_.type == AutoplayMove::Type::None) return;
    }
    // The board as it was before the first key, to hold the ring against.
    if (!shotsTaken_.count("before.png")) {
        shoot("before.png");
        return;
    }
    const std::string key = nextKey(*game);
    if (key.empty() || keysForMove_ >= kKeysPerMoveLimit) {
        move_ = {};
        ++seed_;
        return;
    }
    press(key);
}

// A dialog over the game with an "ok" (a tip): Tab until "ok" is marked,
// then Enter, as a player without a mouse would. Other screens over the
// game (the level intro) go by themselves.
void KeyboardPlayer::answerDialog(ScreenManager& manager, const GameScreen& game) {
    Screen* dialog = manager.currentScreen();
    if (cooldownMs_ > 0 || !dialog || dialog->underlyingScreen() != &game) return;
    UiElement* ok = dialog->findChild("ok");
    if (!ok || !ok->visible) return;
    press(dialog->keyMarkedControl() == ok ? "ENTER" : "TAB");
    ++dialogKeys_;
}

std::string KeyboardPlayer::nextKey(const GameScreen& game) const {
    const Board& board = game.board();
    const BoardKeyboardCursor& ring = game.keyCursor();
    // The first press only shows the ring.
    if (!ring.shown(board)) return "RIGHT";
    const int at = ring.cell();
    const auto goAndPress = [&](int cell) { return at == cell ? std::string("SPACE") : pathKey(game, at, cell); };

    if (move_.type == AutoplayMove::Type::Wand) {
        if (!game.wandArmed()) return "W";
        return goAndPress(move_.from);
    }
    // A swap starts from its plain piece: pressing a special one arms it.
    int from = move_.from, to = move_.to;
    if (move_.type == AutoplayMove::Type::Swap && isSpecial(board, from)) std::swap(from, to);
    const int picked = board.selected();
    if (picked == from) {
        // An armed teleport piece goes wherever the ring is sent; a plain
        // or rainbow piece takes the arrow toward its neighbour.
        if (board.teleportArmed()) return goAndPress(to);
        return arrowBetween(board, from, to);
    }
    // Something else is picked: put it down first.
    if (picked != -1) return goAndPress(picked);
    return goAndPress(from);
}

std::string KeyboardPlayer::pathKey(const GameScreen& game, int from, int to) const {
    const Board& board = game.board();
    // Breadth first over the ring's own steps, remembering each cell's first key.
    std::vector<const char*> firstKey(static_cast<std::size_t>(board.cellCount()), nullptr);
    std::vector<bool> seen(static_cast<std::size_t>(board.cellCount()), false);
    std::deque<int> queue{from};
    seen[static_cast<std::size_t>(from)] = true;
    while (!queue.empty()) {
        const int cell = queue.front();
        queue.pop_front();
        if (cell == to) return firstKey[static_cast<std::size_t>(cell)];
        for (const Arrow& arrow : kArrows) {
            const int next = BoardKeyboardCursor::step(board, cell, arrow.direction);
            if (next < 0 || seen[static_cast<std::size_t>(next)]) continue;
            seen[static_cast<std::size_t>(next)] = true;
            firstKey[static_cast<std::size_t>(next)] = cell == from ? arrow.key : firstKey[static_cast<std::size_t>(cell)];
            queue.push_back(next);
        }
    }
    return {};
}

void KeyboardPlayer::shoot(const std::string& name) {
    shotsTaken_.insert(name);
    if (!shotFolder_.empty()) pendingShots_.push_back(name);
}

void KeyboardPlayer::afterDraw() {
    Sprite* frame = BackBuffer();
    for (const std::string& name : pendingShots_)
        if (frame) writeScreenshotPng(*frame, (shotFolder_ + "/" + name).c_str());
    pendingShots_.clear();
}

void KeyboardPlayer::finish(const GameScreen& game, bool won) {
    finished_ = true;
    shoot("end.png");
    std::ofstream report(reportFile_, std::ios::binary | std::ios::trunc);
    report << "complete " << (won ? 1 : 0) << "\nmoves " << moves_ << "\nkeys " << keys_ << "\nmouse " << mouseMessages_
           << "\nring_cells " << ringCells_.size() << "\nring_x " << firstRingX_ << "\nring_y " << firstRingY_
           << "\ndialog_keys " << dialogKeys_ << "\nscore " << game.score() << "\n";
    if (withPad_) report << "pad_last " << (platform::lastInputFromPad() ? 1 : 0) << "\n";
    platform::messageQueue().post(platform::WM_CLOSE);
}
