// shardfall_play: the real program, title and menus and all, for the
// scenario tests that play the game through it. The one difference: the
// screens between the menus and a level that this build does not have yet
// are stood in for, so that a script can reach play the way a player does.
// Once a screen of the game's own exists, its stand-in steps aside.
//
//   shardfall_play SHARDFALL-ARGUMENTS...
//
// Stand-ins:
//   "questmap"   the first episode is chosen at once: after the map's half
//                second of fade, a new quest at level 1 (what a player
//                without quest progress gets from the map's "start")
//   "readyintro" the level intro hands the level straight to play
//
// The release program never has these: it is built for the tests only.

#include <memory>
#include <typeinfo>

#include "app/shardfall_app.h"
#include "game/game_session.h"
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

}  // namespace

int main(int argc, char** argv) {
    AppHooks hooks;
    hooks.addScreens = [](ScreenFactory& factory) {
        standInFor<FirstEpisodeMap>(factory, "questmap");
        standInFor<InstantIntro>(factory, "readyintro");
    };
    return runShardfall(argc, argv, hooks);
}
