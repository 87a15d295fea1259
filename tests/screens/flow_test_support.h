#pragma once
// The screens around a level as the game builds them: the generated screen
// files, letters and fonts, a data folder of the test's own (so player
// files written here stay here), and a game session that records what the
// screens ask of it in place of the game screen.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "config/game_settings.h"
#include "game/game_session.h"
#include "graphics/game_fonts.h"
#include "screens/level_complete_screen.h"
#include "screens/main_menu_screen.h"
#include "screens/no_moves_screen.h"
#include "screens/puzzle_solved_screen.h"
#include "screens/ready_intro_screen.h"
#include "screens/win_screen.h"
#include "ui/effect_layer.h"
#include "ui/progress_control.h"
#include "ui/ui_test_support.h"

namespace flowtest {

// The game in progress, its numbers set by the test; what the screens do
// with it is written to `calls`.
class FlowGame : public Screen, public GameSession {
public:
    void startQuest(int level) override { call("startQuest " + std::to_string(level)); }
    void newQuest(int level) override { call("newQuest " + std::to_string(level)); }
    void startPuzzle() override { call("startPuzzle"); }
    void startAction() override { call("startAction"); }
    void startCube() override { call("startCube"); }
    void nextLevel() override { call("nextLevel " + std::to_string(level_)); }
    void restartLevel() override { call("restartLevel"); }
    int timeBonus() const override { return bonus; }
    int levelTimeSeconds() const override { return levelSeconds; }
    int timeUsedSeconds() const override { return usedSeconds; }
    ProgressControl* timeBarControl() override { return mode_ == BoardMode::ModeQuest ? bar : nullptr; }
    void addScore(int points) override {
        score_ += points;
        call("addScore " + std::to_string(points));
    }
    void addScoreUnshown(int points) override {
        score_ += points;
        call("addScoreUnshown " + std::to_string(points));
    }
    void saveProfile() override { call("saveProfile level " + std::to_string(level_)); }
    void markSaved() override { call("markSaved"); }
    void setLevelRunning() override { call("setLevelRunning"); }
    bool previousLevelPicture(Sprite*& picture, int& x, int& y) const override {
        if (!previous) return false;
        picture = previous;
        x = previousX;
        y = previousY;
        return true;
    }
    bool hasIntroTutorial() const override { return tutorial; }
    void drawIntroTutorial(Sprite&, float value) override { tutorialValues.push_back(value); }
    void setTutorialValue(float value) override { call("setTutorialValue " + std::to_string(value).substr(0, 3)); }
    BoardMode mode() const override { return mode_; }
    int level() const override { return level_; }
    void setLevel(int level) override { level_ = level; }
    int maxQuestLevel() const override { return maxLevel_; }
    void setMaxQuestLevel(int level) override { maxLevel_ = level; }
    int score() const override { return score_; }
    void setScore(int score) override { score_ = score; }
    int levelScore() const override { return levelScore_; }
    int gemsCollected() const override { return gems_; }
    int lives() const override { return 5; }
    void setLives(int) override {}
    int wands() const override { return 5; }
    void setWands(int) override {}

    bool called(const std::string& what) const {
        for (const std::string& c : calls)
            if (c == what) return true;
        return false;
    }

    BoardMode mode_ = BoardMode::ModeQuest;
    int level_ = 1, maxLevel_ = 0, score_ = 0, levelScore_ = 0, gems_ = 0;
    int bonus = 0, levelSeconds = 0, usedSeconds = 0;
    ProgressControl* bar = nullptr;
    bool tutorial = false;
    Sprite* previous = nullptr;
    int previousX = 0, previousY = 0;
    std::vector<std::string> calls;
    std::vector<float> tutorialValues;

private:
    void call(const std::string& what) { calls.push_back(what); }
};

class FlowTest : public uitest::UiTest {
protected:
    void SetUp() override {
        uitest::UiTest::SetUp();
        const std::filesystem::path data = std::filesystem::path(SHARDFALL_DIST_DIR) / "data";
        ASSERT_TRUE(std::filesystem::exists(data / "menu" / "readyintro.ini")) << "no generated data";
        // Everything but the players' files comes from the generated tree.
        std::filesystem::create_directories(dir.path() / "data");
        for (const auto& entry : std::filesystem::directory_iterator(data)) {
            if (entry.path().filename() == "profiles") continue;
            std::filesystem::create_symlink(std::filesystem::absolute(entry.path()),
                                            dir.path() / "data" / entry.path().filename());
        }
        gameSettings() = GameSettings{};
        gameSettings().currentPlayerName = "Ann";
        loadGameFonts();
        createEffectLayer();
        manager = std::make_unique<ScreenManager>();
        ScreenFactory& f = manager->factory();
        f.add("game", [] { return std::make_unique<FlowGame>(); });
        f.add("mainmenu", [] { return std::make_unique<MainMenuScreen>(); });
        f.add("readyintro", [] { return std::make_unique<ReadyIntroScreen>(); });
        f.add("levelcomplete", [] { return std::make_unique<LevelCompleteScreen>(); });
        f.add("puzzlesolved", [] { return std::make_unique<PuzzleSolvedScreen>(); });
        f.add("nomovespuzzle", [] { return std::make_unique<NoMovesScreen>(); });
        f.add("winquest", [] { return std::make_unique<WinScreen>(true); });
        f.add("winpuzzle", [] { return std::make_unique<WinScreen>(false); });
        manager->showScreen("game", 1);
    }
    void TearDown() override {
        manager.reset();
        destroyEffectLayer();
        releaseGameFonts();
        uitest::UiTest::TearDown();
    }

    FlowGame& game() { return *dynamic_cast<FlowGame*>(manager->showScreen("game", 0)); }
    // Shows the screen over the game, as the game screen does.
    template <typename T>
    T& overlay(const char* name) {
        return *dynamic_cast<T*>(manager->showOverlay(name));
    }
    void step(int milliseconds) {
        for (int t = 0; t < milliseconds; t += 20) manager->update(20);
    }
    void click(int x, int y) {
        send(platform::WM_MOUSEMOVE, x, y);
        send(platform::WM_LBUTTONDOWN, x, y, platform::MK_LBUTTON);
        send(platform::WM_LBUTTONUP, x, y);
    }
    void clickControl(const char* name) {
        UiElement* control = manager->currentScreen()->findChild(name);
        ASSERT_NE(control, nullptr) << name;
        click(control->x + control->xs / 2, control->y + control->ys / 2);
    }
    void key(int vk) { manager->handleWindowMessage(platform::WM_KEYDOWN, static_cast<platform::WParam>(vk), 0); }
    std::string current() const { return manager->currentScreen() ? manager->currentScreen()->name() : ""; }
};

}  // namespace flowtest
