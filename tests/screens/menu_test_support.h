#pragma once
// The menus as the game builds them: a data folder whose "data" is the
// generated tree (the real screen files, fonts and pictures), its own
// profiles.ini and player files, and a screen manager with the menu
// classes and a recording game in place of "game".

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "config/game_settings.h"
#include "game/game_session.h"
#include "graphics/game_fonts.h"
#include "screens/closing_dialog.h"
#include "screens/delete_dialog_screen.h"
#include "screens/edit_name_screen.h"
#include "screens/main_menu_screen.h"
#include "screens/options_screen.h"
#include "screens/profile_menu_screen.h"
#include "ui/effect_layer.h"
#include "ui/ui_test_support.h"

namespace menutest {

// The game screen's entry points, recorded. Starting a mode claims an
// emitter slot the way a flying piece's trail does.
class RecordingGame : public Screen, public GameSession {
public:
    void startQuest(int level) override { started.push_back(std::string("quest ").append(std::to_string(level))); }
    void newQuest(int level) override { started.push_back(std::string("new quest ").append(std::to_string(level))); }
    void startPuzzle() override { start("puzzle"); }
    void startAction() override { start("action"); }
    void startCube() override { start("cube"); }
    void nextLevel() override {}
    void restartLevel() override {}
    int timeBonus() const override { return 0; }
    int levelTimeSeconds() const override { return 0; }
    int timeUsedSeconds() const override { return 0; }
    ProgressControl* timeBarControl() override { return nullptr; }
    void addScore(int) override {}
    void saveProfile() override { ++saves; }
    void markSaved() override {}
    void setLevelRunning() override {}
    bool previousLevelPicture(Sprite*&, int&, int&) const override { return false; }
    bool hasIntroTutorial() const override { return false; }
    void drawIntroTutorial(Sprite&, float) override {}
    void setTutorialValue(float) override {}
    BoardMode mode() const override { return BoardMode::ModeQuest; }
    int level() const override { return level_; }
    void setLevel(int level) override { level_ = level; }
    int maxQuestLevel() const override { return 0; }
    void setMaxQuestLevel(int) override {}
    int score() const override { return 0; }
    void setScore(int) override {}
    int levelScore() const override { return 0; }
    int gemsCollected() const override { return 0; }
    int lives() const override { return 0; }
    void setLives(int) override {}
    int wands() const override { return 0; }
    void setWands(int) override {}

    std::vector<std::string> started;
    int trailSlot = -2;  // the slot the first trail got; -2 before any game
    int saves = 0;

private:
    void start(const char* mode) {
        started.push_back(mode);
        if (EffectLayer* layer = effectLayer())
            trailSlot = layer->addEmitter(100, 100, 0, 0, 0, 0, 0, 0, 1, 1, 0, 100, 0, 50, 0,
                                          "data\\fx\\konfeti_big1.tga", 15, 0, 0);
    }
    int level_ = 1;
};

class MenuTest : public uitest::UiTest {
protected:
    void SetUp() override {
        uitest::UiTest::SetUp();
        const std::filesystem::path data = std::filesystem::path(SHARDFALL_DIST_DIR) / "data";
        ASSERT_TRUE(std::filesystem::exists(data / "menu" / "mainmenu.ini")) << "no generated data";
        std::filesystem::create_directory_symlink(std::filesystem::absolute(data), dir.path() / "data");
        gameSettings() = GameSettings{};
        loadGameFonts();
        createEffectLayer();
    }
    void TearDown() override {
        manager.reset();
        destroyEffectLayer();
        releaseGameFonts();
        uitest::UiTest::TearDown();
    }
    // profiles.ini with these players, the current one by index.
    void writePlayers(const std::vector<std::string>& names, int current) {
        std::string text = "[main]\r\ncurrent=";
        text += std::to_string(current);
        text += "\r\n[users]\r\n";
        for (std::size_t i = 0; i < names.size(); ++i) text += std::to_string(i) + "=" + names[i] + "\r\n";
        dir.write("profiles.ini", text);
        iniReleaseCache();
        loadCurrentPlayer(gameSettings());
    }
    ScreenManager& menus() {
        manager = std::make_unique<ScreenManager>();
        ScreenFactory& f = manager->factory();
        f.add("mainmenu", [] { return std::make_unique<MainMenuScreen>(); });
        f.add("options", [] { return std::make_unique<OptionsScreen>(); });
        f.add("resumemenu", [] { return std::make_unique<OptionsScreen>(); });
        f.add("confirm_dlg", [] { return std::make_unique<ConfirmDialog>(); });
        f.add("continue", [] { return std::make_unique<ContinueDialog>(); });
        f.add("profilemenu", [] { return std::make_unique<ProfileMenuScreen>(); });
        f.add("editname", [] { return std::make_unique<EditNameScreen>(); });
        f.add("deletedialog", [] { return std::make_unique<DeleteDialogScreen>(); });
        f.add("game", [] { return std::make_unique<RecordingGame>(); });
        return *manager;
    }
    void step(int milliseconds) {
        for (int t = 0; t < milliseconds; t += 20) manager->update(20);
    }
    void click(int x, int y) {
        send(platform::WM_MOUSEMOVE, x, y);
        send(platform::WM_LBUTTONDOWN, x, y, platform::MK_LBUTTON);
        send(platform::WM_LBUTTONUP, x, y);
    }
    void doubleClick(int x, int y) {
        click(x, y);
        send(platform::WM_LBUTTONDBLCLK, x, y, platform::MK_LBUTTON);
        send(platform::WM_LBUTTONUP, x, y);
    }
    void key(int vk) { manager->handleWindowMessage(platform::WM_KEYDOWN, static_cast<platform::WParam>(vk), 1); }
    // The centre of a control of the current screen, where a click hits it.
    void clickControl(const char* name) {
        UiElement* control = current()->findChild(name);
        ASSERT_NE(control, nullptr) << name;
        click(control->x + control->xs / 2, control->y + control->ys / 2);
    }
    Screen* current() const { return manager->currentScreen(); }
    const char* currentName() const { return current() ? current()->name() : ""; }
    RecordingGame& game() { return *dynamic_cast<RecordingGame*>(manager->showScreen("game", 0)); }
    ProfileMenuScreen& list() { return *dynamic_cast<ProfileMenuScreen*>(manager->showScreen("profilemenu", 0)); }
};

}  // namespace menutest
