#include "app/screen_manager_client.h"

#include "config/game_settings.h"
#include "config/ini_store.h"
#include "game/game_screen.h"
#include "graphics/display.h"
#include "screens/help_menu_screen.h"
#include "screens/level_tips.h"
#include "screens/high_scores_screen.h"
#include "screens/logo_screen.h"
#include "screens/closing_dialog.h"
#include "screens/delete_dialog_screen.h"
#include "screens/edit_name_screen.h"
#include "screens/help_menu_screen.h"
#include "screens/high_scores_screen.h"
#include "screens/level_complete_screen.h"
#include "screens/level_tips.h"
#include "screens/logo_screen.h"
#include "screens/main_menu_screen.h"
#include "screens/no_moves_screen.h"
#include "screens/options_screen.h"
#include "screens/profile_menu_screen.h"
#include "screens/puzzle_solved_screen.h"
#include "screens/quest_map_screen.h"
#include "screens/ready_intro_screen.h"
#include "screens/time_up_screen.h"
#include "screens/tip_dialog.h"
#include "screens/win_screen.h"
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
    // The menus outside a game.
    factory.add("mainmenu", [] { return std::make_unique<MainMenuScreen>(); });
    factory.add("options", [] { return std::make_unique<OptionsScreen>(); });
    factory.add("resumemenu", [] { return std::make_unique<OptionsScreen>(); });
    factory.add("confirm_dlg", [] { return std::make_unique<ConfirmDialog>(); });
    factory.add("continue", [] { return std::make_unique<ContinueDialog>(); });
    // The quest's way from one level to the next.
    factory.add("questmap", [] { return std::make_unique<QuestMapScreen>(); });
    factory.add("profilemenu", [] { return std::make_unique<ProfileMenuScreen>(); });
    factory.add("editname", [] { return std::make_unique<EditNameScreen>(); });
    factory.add("deletedialog", [] { return std::make_unique<DeleteDialogScreen>(); });
    // The help book, the tips and the high-score table.
    factory.add("helpmenu", [] { return std::make_unique<HelpMenuScreen>(); });
    for (const LevelTip& tip : levelTips()) factory.add(tip.screen, [] { return std::make_unique<TipDialog>(); });
    factory.add("highscores", [] { return std::make_unique<HighScoresScreen>(); });
    // Around each level: its intro, its result and the end of a mode.
    factory.add("readyintro", [] { return std::make_unique<ReadyIntroScreen>(); });
    factory.add("levelcomplete", [] { return std::make_unique<LevelCompleteScreen>(); });
    factory.add("puzzlesolved", [] { return std::make_unique<PuzzleSolvedScreen>(); });
    factory.add("nomovespuzzle", [] { return std::make_unique<NoMovesScreen>(); });
    factory.add("winquest", [] { return std::make_unique<WinScreen>(true); });
    factory.add("winpuzzle", [] { return std::make_unique<WinScreen>(false); });
    factory.add("timeup", [] { return std::make_unique<TimeUpScreen>(false); });
    factory.add("gameover", [] { return std::make_unique<TimeUpScreen>(true); });
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
    // Loaded: the bar stands full beside the button that leads on.
    setLoading(logo, 1.0f);
    paint(manager);
}
