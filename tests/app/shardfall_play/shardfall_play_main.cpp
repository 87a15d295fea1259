// shardfall_play: the real program, title and menus and all, for the
// scenario tests that play the game through it. The one difference: the
// screens between the menus and a level that this build does not have yet
// are stood in for, so that a script can reach play the way a player does.
// Once a screen of the game's own exists, its stand-in steps aside.
//
//   shardfall_play [--keyboard-player REPORT [SHOTS]] SHARDFALL-ARGUMENTS...
//
// --keyboard-player plays every level the game screen shows with key
// presses, until one ends (keyboard_player.h); it writes its report to
// REPORT and its screenshots into the folder SHOTS.
//
// Stand-ins:
//   "questmap"   the first episode is chosen at once: after the map's half
//                second of fade, a new quest at level 1 (what a player
//                without quest progress gets from the map's "start")
//   "readyintro" the level intro hands the level straight to play
//
// The release program never has these: it is built for the tests only.

#include <cstring>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

#include "app/shardfall_app.h"
#include "game/game_session.h"
#include "keyboard_player.h"
#include "ui/screen_factory.h"
#include "ui/screen_manager.h"

namespace {

constexpr int kMapFadeMs = 500;

class InstantIntro : public Screen {
public:
    int update(int) override {
        ScreenManager* owner = manager();
        closeOverlay();
        if (GameSession* session = owner ? findGameSession(*owner) : nullptr) session->setLevelRunning();
        return 0;
    }
};

class FirstEpisodeMap : public Screen {
public:
    void onShow() override {
        Screen::onShow();
        clock_ = 0;
    }
    int update(int milliseconds) override {
        clock_ += milliseconds;
        ScreenManager* owner = manager();
        if (clock_ < kMapFadeMs || !owner) return 0;
        clock_ = 0;
        GameSession* session = findGameSession(*owner);
        owner->showScreen("game", 1);
        if (session) session->newQuest(1);
        return 0;
    }

private:
    int clock_ = 0;
};

bool hasOwnClass(const ScreenFactory& factory, const char* name) {
    const std::unique_ptr<Screen> made = factory.make(name);
    return made && typeid(*made) != typeid(Screen);
}

template <typename StandIn>
void standInFor(ScreenFactory& factory, const char* name) {
    if (!hasOwnClass(factory, name)) factory.add(name, [] { return std::make_unique<StandIn>(); });
}

// The real client with the keyboard player watching: every message the
// game gets, every step after the game's own, every frame once drawn.
class KeyboardPlayerClient : public FrameClient {
public:
    KeyboardPlayerClient(std::unique_ptr<FrameClient> client, ScreenManager& manager,
                         std::unique_ptr<KeyboardPlayer> player)
        : client_(std::move(client)), manager_(manager), player_(std::move(player)) {}

    void handleWindowMessage(std::uint32_t message, platform::WParam wParam, platform::LParam lParam) override {
        player_->sawMessage(message);
        client_->handleWindowMessage(message, wParam, lParam);
    }
    int update(int milliseconds) override {
        const int result = client_->update(milliseconds);
        player_->step(manager_, milliseconds);
        return result;
    }
    void draw() override {
        client_->draw();
        player_->afterDraw();
    }

private:
    std::unique_ptr<FrameClient> client_;
    ScreenManager& manager_;
    std::unique_ptr<KeyboardPlayer> player_;
};

}  // namespace

int main(int argc, char** argv) {
    std::string keyboardReport, keyboardShots;
    std::vector<const char*> rest = {argv[0]};
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--keyboard-player") == 0 && i + 1 < argc) {
            keyboardReport = argv[++i];
            if (i + 1 < argc && argv[i + 1][0] != '-') keyboardShots = argv[++i];
        } else {
            rest.push_back(argv[i]);
        }
    }
    AppHooks hooks;
    hooks.addScreens = [](ScreenFactory& factory) {
        standInFor<FirstEpisodeMap>(factory, "questmap");
        standInFor<InstantIntro>(factory, "readyintro");
    };
    if (!keyboardReport.empty()) {
        hooks.wrapScreenManager = [keyboardReport, keyboardShots](std::unique_ptr<FrameClient> client,
                                                                  ScreenManager& manager) -> std::unique_ptr<FrameClient> {
            return std::make_unique<KeyboardPlayerClient>(
                std::move(client), manager, std::make_unique<KeyboardPlayer>(keyboardReport, keyboardShots));
        };
    }
    return runShardfall(static_cast<int>(rest.size()), rest.data(), hooks);
}
