#include "app/web_page_hooks.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <string_view>

#include "board/board.h"
#include "game/autoplayer.h"
#include "game/game_screen.h"
#include "game/game_session.h"
#include "ui/screen.h"
#include "ui/screen_manager.h"

namespace {

// Milliseconds spent in the game's logic steps and in composing the
// picture, over the frames since the page last asked to start counting.
struct FrameTimes {
    int frames = 0;
    double composeMs = 0.0, composeMaxMs = 0.0;
    double updateMs = 0.0;
};

struct PageWatch {
    ScreenManager* manager = nullptr;
    double titleShownMs = -1.0;  // since the page began loading
    FrameTimes times;
};

PageWatch& watch() {
    static PageWatch state;
    return state;
}

const char* currentScreenName() {
    const ScreenManager* manager = watch().manager;
    const Screen* screen = manager ? manager->currentScreen() : nullptr;
    return screen && screen->name() ? screen->name() : "";
}

class WatchedClient : public FrameClient {
public:
    explicit WatchedClient(std::unique_ptr<FrameClient> inner) : inner_(std::move(inner)) {}
    // The screen manager goes with the client it was handed in.
    ~WatchedClient() override { watch().manager = nullptr; }

    void handleWindowMessage(std::uint32_t message, platform::WParam wParam, platform::LParam lParam) override {
        inner_->handleWindowMessage(message, wParam, lParam);
    }
    int update(int milliseconds) override {
        const double start = emscripten_get_now();
        const int result = inner_->update(milliseconds);
        watch().times.updateMs += emscripten_get_now() - start;
        return result;
    }
    void draw() override {
        const double start = emscripten_get_now();
        inner_->draw();
        const double now = emscripten_get_now();
        FrameTimes& times = watch().times;
        ++times.frames;
        times.composeMs += now - start;
        times.composeMaxMs = std::max(times.composeMaxMs, now - start);
        // The frame loop's first picture of the title: start-up is over.
        if (watch().titleShownMs < 0.0 && std::string_view(currentScreenName()) == "logo") watch().titleShownMs = now;
    }

private:
    std::unique_ptr<FrameClient> inner_;
};

}  // namespace

AppHooks webPageHooks() {
    AppHooks hooks;
    hooks.wrapScreenManager = [](std::unique_ptr<FrameClient> client, ScreenManager& manager) {
        watch().manager = &manager;
        return std::unique_ptr<FrameClient>(std::make_unique<WatchedClient>(std::move(client)));
    };
    return hooks;
}

// The page calls these between frames, while the game waits.
extern "C" {

EMSCRIPTEN_KEEPALIVE const char* shardfall_screen() { return currentScreenName(); }

// The game's score, or -1 while no game screen exists.
EMSCRIPTEN_KEEPALIVE int shardfall_score() {
    GameSession* session = watch().manager ? findGameSession(*watch().manager) : nullptr;
    return session ? session->score() : -1;
}

// A swap the autoplayer would make on the board at rest, as the picture
// pixels of the two cells' centres; 0 when the game shows no board at rest.
EMSCRIPTEN_KEEPALIVE int shardfall_swap(int* fromX, int* fromY, int* toX, int* toY) {
    auto* game = watch().manager ? dynamic_cast<GameScreen*>(watch().manager->currentScreen()) : nullptr;
    if (!game || game->tutorialPanel().isOpen()) return 0;
    const Board& board = game->board();
    if (board.busy() || board.moveMade() || board.swapOrigin() != -1 || board.buttonHeld()) return 0;
    std::uint32_t seed = 1;
    const AutoplayMove move = chooseAutoplayMove(board, seed);
    if (move.type != AutoplayMove::Type::Swap) return 0;
    const BoardGeometry& g = board.geometry();
    *fromX = g.centreX(move.from);
    *fromY = g.centreY(move.from);
    *toX = g.centreX(move.to);
    *toY = g.centreY(move.to);
    return 1;
}

EMSCRIPTEN_KEEPALIVE double shardfall_title_ms() { return watch().titleShownMs; }

EMSCRIPTEN_KEEPALIVE void shardfall_times_reset() { watch().times = FrameTimes{}; }
// 0: frames composed, 1: milliseconds composing, 2: the longest compose,
// 3: milliseconds in logic steps.
EMSCRIPTEN_KEEPALIVE double shardfall_times(int what) {
    const FrameTimes& t = watch().times;
    switch (what) {
    case 0: return t.frames;
    case 1: return t.composeMs;
    case 2: return t.composeMaxMs;
    case 3: return t.updateMs;
    default: return 0.0;
    }
}

}  // extern "C"
