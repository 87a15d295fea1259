// shardfall_play: the real program, title and menus and all, with one
// addition for the scenario tests that play the game through it:
//
//   shardfall_play [--keyboard-player|--pad-player REPORT [SHOTS]] SHARDFALL-ARGUMENTS...
//
// --keyboard-player plays every level the game screen shows with key
// presses, until one ends (keyboard_player.h); it writes its report to
// REPORT and its screenshots into the folder SHOTS. --pad-player plays the
// same way with the script's pad.
//
// The release program never has it: it is built for the tests only.

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/shardfall_app.h"
#include "keyboard_player.h"
#include "ui/screen_manager.h"

namespace {

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
    bool withPad = false;
    std::vector<const char*> rest = {argv[0]};
    for (int i = 1; i < argc; ++i) {
        const bool pad = std::strcmp(argv[i], "--pad-player") == 0;
        if ((pad || std::strcmp(argv[i], "--keyboard-player") == 0) && i + 1 < argc) {
            withPad = pad;
            keyboardReport = argv[++i];
            if (i + 1 < argc && argv[i + 1][0] != '-') keyboardShots = argv[++i];
        } else {
            rest.push_back(argv[i]);
        }
    }
    AppHooks hooks;
    if (!keyboardReport.empty()) {
        hooks.wrapScreenManager = [keyboardReport, keyboardShots, withPad](std::unique_ptr<FrameClient> client,
                                                                  ScreenManager& manager) -> std::unique_ptr<FrameClient> {
            return std::make_unique<KeyboardPlayerClient>(
                std::move(client), manager, std::make_unique<KeyboardPlayer>(keyboardReport, keyboardShots, withPad));
        };
    }
    return runShardfall(static_cast<int>(rest.size()), rest.data(), hooks);
}
