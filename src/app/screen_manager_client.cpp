#include "app/screen_manager_client.h"

#include "config/game_settings.h"
#include "config/ini_store.h"
#include "game/game_screen.h"
#include "graphics/display.h"
#include "screens/logo_screen.h"
#include "sound/sound_system.h"
#include "ui/progress_control.h"

ScreenManagerClient::ScreenManagerClient() : manager_(std::make_unique<ScreenManager>()) {
    registerScreenClasses(manager_->factory());
}

void ScreenManagerClient::handleWindowMessage(std::uint32_t message, platform::WParam wParam,
                                              platform::LParam lParam) {
    manager_->handleWindowMessage(message, wParam, lParam);
}

int ScreenManagerClient::update(int milliseconds) { return manager_->update(milliseconds); }

void ScreenManagerClient::draw() {
    if (Sprite* frame = BackBuffer()) manager_->draw(0, 0, *frame);
}

void registerScreenClasses(ScreenFactory& factory) {
    factory.add("logo", [] { return std::make_unique<LogoScreen>(); });
    factory.add("game", [] { return std::make_unique<GameScreen>(); });
}

namespace {

// The logo screen's bar and its start button, found again after each
// switch back to it; either may be missing from a broken screen file.
struct LogoControls {
    ProgressControl* loading = nullptr;
    UiElement* start = nullptr;
};

LogoControls showLogo(ScreenManager& manager) {
    LogoControls controls;
    if (Screen* logo = manager.showScreen("logo", 1)) {
        controls.loading = dynamic_cast<ProgressControl*>(logo->findChild("loading"));
        controls.start = logo->findChild("start");
    }
    return controls;
}

void setLoading(const LogoControls& controls, float value) {
    if (controls.loading) controls.loading->setValue(value);
}

// The frame as it stands, shown at once: start-up takes no input until the
// loop runs.
void paint(ScreenManager& manager) {
    Sprite* frame = BackBuffer();
    if (!frame) return;
    manager.draw(0, 0, *frame);
    PresentFrame();
}

}  // namespace

void preloadScreens(ScreenManager& manager) {
    LogoControls logo = showLogo(manager);
    if (logo.start) logo.start->visible = false;
    setLoading(logo, 0.0f);
    paint(manager);

    manager.showScreen("game", 0);
    logo = showLogo(manager);
    setLoading(logo, 0.3f);
    paint(manager);

    manager.showScreen("timeup", 0);
    manager.showScreen("levelcomplete", 0);
    logo = showLogo(manager);
    setLoading(logo, 0.6f);
    paint(manager);

    manager.showScreen("editname", 1);
    manager.showScreen("options", 0);
    manager.showScreen("profilemenu", 1);
    showLogo(manager);
    manager.showScreen("readyintro", 0);
    manager.showScreen("levelcomplete", 0);
    logo = showLogo(manager);
    setLoading(logo, 0.8f);
    paint(manager);

    manager.showScreen("mainmenu", 1);
    logo = showLogo(manager);
    if (logo.start) logo.start->visible = true;
    setCategoryVolume(iniReadFloat(kGameIni, "main", "sound"), SND_VOLUME_EFFECTS);
    setLoading(logo, 0.8f);
    paint(manager);
}
