#include "app/demo_player.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "board/board.h"
#include "game/autoplayer.h"
#include "game/game_screen.h"
#include "ui/screen.h"
#include "ui/screen_manager.h"

namespace {

// Somewhere beside the board with nothing to press: where a click only
// closes a tutorial card.
constexpr int kBesideBoardX = 720, kBesideBoardY = 20;

const char* modeWord(BoardMode mode) {
    switch (mode) {
    case BoardMode::ModeQuest: return "quest";
    case BoardMode::ModePuzzle: return "puzzle";
    case BoardMode::ModeAction: return "action";
    case BoardMode::ModeCube: return "cube";
    }
    return "game";
}

// Whether the control can be pressed now: shown, enabled, past its delay,
// and the one a click on its middle would reach.
bool pressable(const Screen& screen, const UiElement& control) {
    if (!control.visible || !control.enabled || !control.tabStop || control.xs <= 2 || control.ys <= 2) return false;
    if (control.phase > 0 && control.clock < control.phase) return false;
    return screen.hitTest(control.x + control.xs / 2, control.y + control.ys / 2) == &control;
}

}  // namespace

DemoPlayer::DemoPlayer(std::uint32_t seed, const std::string& mode, std::FILE* log)
    : seed_(seed ^ 0x9E3779B9u),
      log_(log),
      forwardButtons_{"start", mode, "episode1", "continue", "ok", "yes", "next", "play"} {}

void DemoPlayer::step(ScreenManager& manager, int milliseconds, platform::Backend& backend) {
    const Screen* current = manager.currentScreen();
    if (current != screen_) {
        screen_ = current;
        pressedOn_ = nullptr;
        screenMs_ = 0;
        restMs_ = 0;
    } else {
        screenMs_ += milliseconds;
    }
    frameMs_ = milliseconds;
    watchGame(dynamic_cast<const GameScreen*>(current), milliseconds);
    if (!hand_.busy()) decide(manager);
    hand_.step(milliseconds, backend);
}

void DemoPlayer::watchGame(const GameScreen* game, int milliseconds) {
    inPlay_ = game && game->levelRunning() && game->fadeClock() >= 0 && !game->levelComplete() && !game->timeUp();
    if (!game) return;
    if (level_ == 0 && log_)
        std::fprintf(log_, "autoplay: entered %s level %d with score %d\n", modeWord(game->mode()), game->level(),
                     game->score());
    score_ = game->score();
    level_ = game->level();
    // A new level (or the same puzzle dealt again) starts its solution over.
    if (level_ != levelSeen_ || !game->levelRunning()) solutionNext_ = 0;
    levelSeen_ = level_;
    modeName_ = modeWord(game->mode());
    msWithoutMove_ = inPlay_ ? msWithoutMove_ + milliseconds : 0;
    if (msWithoutMove_ >= kStuckMs && !stuck_) {
        stuck_ = true;
        if (log_) std::fprintf(log_, "autoplay: stuck: no move for a minute on %s level %d\n", modeName_, level_);
    }
}

void DemoPlayer::decide(ScreenManager& manager) {
    Screen* screen = manager.currentScreen();
    if (!screen) return;
    if (auto* game = dynamic_cast<GameScreen*>(screen)) {
        play(*game);
    } else if (screenMs_ >= kSettleMs) {
        pressForwardButton(*screen);
    }
}

void DemoPlayer::pressForwardButton(Screen& screen) {
    for (const std::string& name : forwardButtons_) {
        const UiElement* control = screen.findChild(name.c_str());
        if (!control || !pressable(screen, *control)) continue;
        // A screen may show its buttons before it takes their presses (a
        // result still counting its bonus): the same button is pressed
        // again, less often, until the screen moves on.
        const bool again = pressedOn_ == &screen && pressedButton_ == name;
        if (!again) {
            if (log_) std::fprintf(log_, "autoplay: %s: pressing \"%s\"\n", screen.name(), control->name());
            ++buttonsPressed_;
        }
        pressedOn_ = &screen;
        pressedButton_ = name;
        hand_.click(control->x + control->xs / 2, control->y + control->ys / 2);
        // The press changes the screen or closes a dialog; the next look
        // waits for the result to settle.
        hand_.pause(again ? kPressAgainMs : kSettleMs);
        return;
    }
    // None of them: a screen that waits for any key or click ("press any
    // key" after a solved puzzle) gets a click where nothing lies.
    if (screenMs_ < kAnyKeyMs) return;
    if (pressedOn_ != &screen && log_) std::fprintf(log_, "autoplay: %s: clicking to go on\n", screen.name());
    pressedOn_ = &screen;
    pressedButton_.clear();
    hand_.click(kBesideBoardX, kBesideBoardY);
    hand_.pause(kPressAgainMs);
}

void DemoPlayer::play(GameScreen& game) {
    if (game.tutorialPanel().isOpen()) {
        if (!game.tutorialPanel().closing() && screenMs_ >= kSettleMs) {
            hand_.click(kBesideBoardX, kBesideBoardY);
            hand_.pause(kSettleMs);
        }
        return;
    }
    const Board& board = game.board();
    const bool resting = !board.busy() && !board.moveMade() && board.swapOrigin() == -1 && !board.buttonHeld();
    if (!inPlay_ || !resting || board.goalReached()) {
        restMs_ = 0;
        return;
    }
    restMs_ += frameMs_;
    if (restMs_ < kThinkMs) return;
    // A player keeps the wands for when the clock runs short, so the demo
    // reaches for one only in the second half of a quest level's time.
    const bool clockRunningShort = game.timeUsedSeconds() * 2 >= game.levelTimeSeconds();
    const bool wandInHand = game.mode() == BoardMode::ModeQuest && game.wands() > 0 && !game.wandArmed() &&
                            clockRunningShort;
    AutoplayMove move = game.mode() == BoardMode::ModePuzzle ? solutionMove(game.level()) : AutoplayMove{};
    if (move.type == AutoplayMove::Type::None) move = chooseAutoplayMove(board, seed_, wandInHand);
    if (move.type == AutoplayMove::Type::None) return;
    ++moves_;
    msWithoutMove_ = 0;
    if (log_)
        std::fprintf(log_, "autoplay: %s level %d: move %d, score %d\n", modeWord(game.mode()), game.level(), moves_,
                     game.score());
    makeMove(game, move);
    restMs_ = 0;
}

void DemoPlayer::makeMove(GameScreen& game, const AutoplayMove& move) {
    const Board& board = game.board();
    const BoardGeometry& g = board.geometry();
    const auto x = [&g](int cell) { return g.centreX(cell); };
    const auto y = [&g](int cell) { return g.centreY(cell); };
    using Type = AutoplayMove::Type;
    switch (move.type) {
    case Type::Swap: {
        // A special piece pressed first is armed rather than picked up, so
        // the drag starts from its plain neighbour.
        const Piece* piece = board.pieceAt(move.from);
        const bool special = piece && piece->special != SpecialNone;
        const int from = special ? move.to : move.from, to = special ? move.from : move.to;
        hand_.drag(x(from), y(from), x(to), y(to));
        break;
    }
    case Type::Rainbow:
    case Type::Teleport:
        hand_.click(x(move.from), y(move.from));
        hand_.click(x(move.to), y(move.to));
        break;
    case Type::Wand:
        if (const UiElement* magic = game.findChild("magic")) {
            hand_.click(magic->x + magic->xs / 2, magic->y + magic->ys / 2);
            hand_.click(x(move.from), y(move.from));
        }
        break;
    case Type::None:
        break;
    }
}

AutoplayMove DemoPlayer::solutionMove(int level) {
    if (solutionsFolder_.empty()) return {};
    if (level != solutionLevel_) {
        solutionLevel_ = level;
        solution_.clear();
        char name[32];
        std::snprintf(name, sizeof name, "/puzzle%02d.txt", level);
        std::ifstream in(solutionsFolder_ + name);
        std::string line;
        // A level source is a few hundred bytes; a line beyond 4 KiB is not one.
        while (std::getline(in, line) && line.size() < 4096) {
            if (line.rfind("solution ", 0) != 0) continue;
            std::istringstream words(line.substr(9));
            std::string word;
            while (words >> word) {
                const std::size_t dash = word.find('-');
                if (dash == std::string::npos) break;
                const int from = std::atoi(word.c_str()), to = std::atoi(word.c_str() + dash + 1);
                if (from < 0 || to < 0 || from >= kMaxCells || to >= kMaxCells) break;
                solution_.emplace_back(from, to);
            }
            break;
        }
    }
    if (solutionNext_ >= solution_.size()) return {};
    const auto [from, to] = solution_[solutionNext_++];
    return {AutoplayMove::Type::Swap, from, to, false};
}
