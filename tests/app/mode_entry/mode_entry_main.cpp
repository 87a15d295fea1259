// shardfall_play: the real program started straight on the game screen in
// one mode, for the scenario tests and for anyone reproducing a bug in
// play. It is built for the tests only; the game itself always starts at
// its title.
//
//   shardfall_play --mode quest|puzzle|action|cube [--level N]
//                  [--keyboard-player REPORT [SHOTS]] SHARDFALL-ARGUMENTS...
//
// Quest without --level continues the player's saved quest (or starts at
// level 1), with --level N it starts a new quest there. The current player
// is the one profiles.ini names. --keyboard-player plays the level with key
// presses until it ends (keyboard_player.h), writes its report to REPORT
// and its screenshots into the folder SHOTS.
//
// Screens the build does not have yet are stood in for: a level intro that
// hands the level straight to play.

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

#include "app/screen_manager_client.h"
#include "app/shardfall_app.h"
#include "game/game_session.h"
#include "keyboard_player.h"

namespace {

// Stands in for the level intro where the build has none: the level starts
// at once.
class InstantIntro : public Screen {
public:
    int update(int) override {
        ScreenManager* owner = manager();
        closeOverlay();
        if (GameSession* session = owner ? findGameSession(*owner) : nullptr) session->setLevelRunning();
        return 0;
    }
};

class ModeEntryClient : public FrameClient {
public:
    ModeEntryClient(std::string mode, int level, std::unique_ptr<KeyboardPlayer> player)
        : mode_(std::move(mode)), level_(level), player_(std::move(player)) {
        ScreenFactory& factory = client_.manager().factory();
        if (typeid(*factory.make("readyintro")) == typeid(Screen))
            factory.add("readyintro", [] { return std::make_unique<InstantIntro>(); });
    }

    void handleWindowMessage(std::uint32_t message, platform::WParam wParam, platform::LParam lParam) override {
        if (player_) player_->sawMessage(message);
        client_.handleWindowMessage(message, wParam, lParam);
    }
    int update(int milliseconds) override {
        if (!started_) start();
        const int result = client_.update(milliseconds);
        if (player_) player_->step(client_.manager(), milliseconds);
        return result;
    }
    void draw() override {
        client_.draw();
        if (player_) player_->afterDraw();
    }

private:
    // On the first step: the effect layer and the fonts exist by now.
    void start() {
        started_ = true;
        ScreenManager& manager = client_.manager();
        manager.load(nullptr, nullptr);
        manager.showScreen("game", 1);
        GameSession* session = findGameSession(manager);
        if (!session) return;
        if (mode_ == "puzzle") {
            session->startPuzzle();
        } else if (mode_ == "action") {
            session->startAction();
        } else if (mode_ == "cube") {
            session->startCube();
        } else if (level_ > 0) {
            session->newQuest(level_);
        } else {
            session->startQuest(1);
        }
    }

    ScreenManagerClient client_;
    std::string mode_;
    int level_;
    std::unique_ptr<KeyboardPlayer> player_;
    bool started_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    std::string mode = "quest";
    int level = 0;
    std::string keyboardReport, keyboardShots;
    std::vector<const char*> rest = {argv[0]};
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--mode") == 0 && i + 1 < argc) {
            mode = argv[++i];
        } else if (std::strcmp(argv[i], "--level") == 0 && i + 1 < argc) {
            level = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--keyboard-player") == 0 && i + 1 < argc) {
            keyboardReport = argv[++i];
            if (i + 1 < argc && argv[i + 1][0] != '-') keyboardShots = argv[++i];
        } else {
            rest.push_back(argv[i]);
        }
    }
    if (mode != "quest" && mode != "puzzle" && mode != "action" && mode != "cube") {
        std::fprintf(stderr, "shardfall_play: --mode quest|puzzle|action|cube\n");
        return 2;
    }
    AppHooks hooks;
    hooks.makeScreenManager = [mode, level, keyboardReport, keyboardShots] {
        std::unique_ptr<KeyboardPlayer> player;
        if (!keyboardReport.empty()) player = std::make_unique<KeyboardPlayer>(keyboardReport, keyboardShots);
        return std::make_unique<ModeEntryClient>(mode, level, std::move(player));
    };
    return runShardfall(static_cast<int>(rest.size()), rest.data(), hooks);
}
