#pragma once
// The quest map and the time-up screens on the generated screen files,
// with a data folder of their own: the generated tree linked in entry by
// entry, but "data\profiles" a real folder of the test, so player files
// can be written and deleted. A recording session stands in for the game.

#include <filesystem>
#include <string>
#include <vector>

#include "config/game_settings.h"
#include "game/game_session.h"
#include "game/progress_file.h"
#include "graphics/game_fonts.h"
#include "screens/closing_dialog.h"
#include "screens/main_menu_screen.h"
#include "ui/effect_layer.h"
#include "ui/ui_test_support.h"

namespace questtest {

// The game's numbers and what was asked of it.
class RecordingSession : public Screen, public GameSession {
public:
    void startQuest(int level) override { calls.push_back("quest " + std::to_string(level)); }
    void newQuest(int level) override { calls.push_back("new quest " + std::to_string(level)); }
    void startPuzzle() override { calls.push_back("puzzle"); }
    void startAction() override { calls.push_back("action"); }
    void startCube() override { calls.push_back("cube"); }
    void nextLevel() override { calls.push_back("next"); }
    void restartLevel() override { calls.push_back("restart"); }
    int timeBonus() const override { return 0; }
    int levelTimeSeconds() const override { return 0; }
    int timeUsedSeconds() const override { return 0; }
    ProgressControl* timeBarControl() override { return nullptr; }
    void addScore(int points) override { score_ += points; }
    // What a save would write: the lives, score and wands of that moment.
    void saveProfile() override {
        calls.push_back("save " + std::to_string(lives_) + " " + std::to_string(score_) + " " + std::to_string(wands_));
    }
    void markSaved() override {}
    void setLevelRunning() override {}
    bool previousLevelPicture(Sprite*&, int&, int&) const override { return false; }
    bool hasIntroTutorial() const override { return false; }
    void drawIntroTutorial(Sprite&, float) override {}
    void setTutorialValue(float) override {}
    BoardMode mode() const override { return BoardMode::ModeQuest; }
    int level() const override { return level_; }
    void setLevel(int level) override { level_ = level; }
    int maxQuestLevel() const override { return maxLevel_; }
    void setMaxQuestLevel(int level) override { maxLevel_ = level; }
    int score() const override { return score_; }
    void setScore(int score) override { score_ = score; }
    int levelScore() const override { return 0; }
    int gemsCollected() const override { return 0; }
    int lives() const override { return lives_; }
    void setLives(int lives) override { lives_ = lives; }
    int wands() const override { return wands_; }
    void setWands(int wands) override { wands_ = wands; }

    std::vector<std::string> calls;

private:
    int level_ = 1, maxLevel_ = 0, score_ = 0, lives_ = 5, wands_ = 5;
};

class QuestFlowTest : public uitest::UiTest {
protected:
    void SetUp() override {
        uitest::UiTest::SetUp();
        namespace fs = std::filesystem;
        const fs::path data = fs::path(SHARDFALL_DIST_DIR) / "data";
        ASSERT_TRUE(fs::exists(data / "menu" / "questmap.ini")) << "no generated data";
        fs::create_directories(dir.path() / "data" / "profiles");
        for (const auto& entry : fs::directory_iterator(data)) {
            if (entry.path().filename() == "profiles") continue;
            fs::create_symlink(fs::absolute(entry.path()), dir.path() / "data" / entry.path().filename());
        }
        gameSettings() = GameSettings{};
        gameSettings().currentPlayerName = "Ann";
        loadGameFonts();
        createEffectLayer();
    }
    void TearDown() override {
        manager.reset();
        destroyEffectLayer();
        releaseGameFonts();
        uitest::UiTest::TearDown();
    }

    // A manager with the given screens registered beside the session.
    template <typename... Named>
    ScreenManager& screens(Named... named) {
        manager = std::make_unique<ScreenManager>();
        ScreenFactory& f = manager->factory();
        f.add("game", [] { return std::make_unique<RecordingSession>(); });
        f.add("mainmenu", [] { return std::make_unique<MainMenuScreen>(); });
        f.add("continue", [] { return std::make_unique<ContinueDialog>(); });
        (f.add(named.first, named.second), ...);
        return *manager;
    }

    void writeProgress(int questLevel, int highest) {
        ProgressRecord record;
        record.quest.level = questLevel;
        record.highestQuestLevel = highest;
        ASSERT_EQ(writeProgressFile("Ann", record), 0);
    }
    void writeQuestBoard() { dir.write("data/profiles/" + profileFileStem("Ann") + "quest.map", "saved board"); }
    bool questBoardExists() const {
        return std::filesystem::exists(dir.path() / "data" / "profiles" / (profileFileStem("Ann") + "quest.map"));
    }

    void step(int milliseconds) {
        for (int t = 0; t < milliseconds; t += 20) manager->update(20);
    }
    void click(int x, int y) {
        send(platform::WM_MOUSEMOVE, x, y);
        send(platform::WM_LBUTTONDOWN, x, y, platform::MK_LBUTTON);
        send(platform::WM_LBUTTONUP, x, y);
    }
    // A click on the middle of a control of the current screen, moved by
    // (dx, dy) where the control is drawn away from its place.
    void clickControl(const char* name, int dy = 0) {
        UiElement* control = current()->findChild(name);
        ASSERT_NE(control, nullptr) << name;
        click(control->x + control->xs / 2, control->y + dy + control->ys / 2);
    }
    Screen* current() const { return manager->currentScreen(); }
    std::string currentName() const { return current() ? current()->name() : ""; }
    RecordingSession& game() { return *dynamic_cast<RecordingSession*>(manager->showScreen("game", 0)); }
};

}  // namespace questtest
