#pragma once
// The screens as the game builds them, on the generated screen files,
// letters and fonts, in a data folder of the test's own: the generated tree
// linked in entry by entry, but "data\profiles" a real folder here, so
// player files can be written and deleted. A recording session stands in
// for the game screen; every screen class of the menus and of the flow
// around a level is registered under the name the program gives it.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "config/game_settings.h"
#include "game/game_session.h"
#include "game/progress_file.h"
#include "graphics/game_fonts.h"
#include "screens/closing_dialog.h"
#include "screens/delete_dialog_screen.h"
#include "screens/edit_name_screen.h"
#include "screens/level_complete_screen.h"
#include "screens/level_tips.h"
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
#include "ui/effect_layer.h"
#include "ui/progress_control.h"
#include "ui/ui_test_support.h"

namespace screentest {

// The game in progress, its numbers set by the test; what the screens ask
// of it is written to `calls`. A save is written down with what it would
// keep: "save <level> <lives> <score> <wands>". Starting a puzzle, action
// or cube game claims an emitter slot the way a flying piece's trail does.
class RecordingGame : public Screen, public GameSession {
public:
    void startQuest(int level) override { call("quest " + std::to_string(level)); }
    void newQuest(int level) override { call("new quest " + std::to_string(level)); }
    void startPuzzle() override { start("puzzle"); }
    void startAction() override { start("action"); }
    void startCube() override { start("cube"); }
    void nextLevel() override { call("next " + std::to_string(level_)); }
    void restartLevel() override { call("restart"); }
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
    void saveProfile() override {
        call("save " + std::to_string(level_) + " " + std::to_string(lives_) + " " + std::to_string(score_) + " " +
             std::to_string(wands_));
    }
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
    int gemPoints() const override { return gemPoints_; }
    int gemsCollected() const override { return gems_; }
    int lives() const override { return lives_; }
    void setLives(int lives) override { lives_ = lives; }
    int wands() const override { return wands_; }
    void setWands(int wands) override { wands_ = wands; }

    bool called(const std::string& what) const {
        for (const std::string& c : calls)
            if (c == what) return true;
        return false;
    }
    int saves() const {
        int n = 0;
        for (const std::string& c : calls) n += c.rfind("save ", 0) == 0 ? 1 : 0;
        return n;
    }

    BoardMode mode_ = BoardMode::ModeQuest;
    int level_ = 1, maxLevel_ = 0, score_ = 0, levelScore_ = 0, gemPoints_ = 0, gems_ = 0, lives_ = 5, wands_ = 5;
    int bonus = 0, levelSeconds = 0, usedSeconds = 0;
    ProgressControl* bar = nullptr;
    bool tutorial = false;
    Sprite* previous = nullptr;
    int previousX = 0, previousY = 0;
    std::vector<std::string> calls;
    std::vector<float> tutorialValues;
    int trailSlot = -2;  // the slot the first trail got; -2 before any game

private:
    void call(const std::string& what) { calls.push_back(what); }
    void start(const char* mode) {
        call(mode);
        if (EffectLayer* layer = effectLayer())
            trailSlot = layer->addEmitter(100, 100, 0, 0, 0, 0, 0, 0, 1, 1, 0, 100, 0, 50, 0,
                                          "data\\fx\\konfeti_big1.tga", 15, 0, 0);
    }
};

class ScreenTest : public uitest::UiTest {
protected:
    void SetUp() override {
        uitest::UiTest::SetUp();
        namespace fs = std::filesystem;
        const fs::path data = fs::path(SHARDFALL_DIST_DIR) / "data";
        ASSERT_TRUE(fs::exists(data / "menu" / "mainmenu.ini")) << "no generated data";
        fs::create_directories(dir.path() / "data" / "profiles");
        for (const auto& entry : fs::directory_iterator(data)) {
            if (entry.path().filename() == "profiles") continue;
            fs::create_symlink(fs::absolute(entry.path()), dir.path() / "data" / entry.path().filename());
        }
        gameSettings() = GameSettings{};
        gameSettings().currentPlayerName = "Ann";
        loadGameFonts();
        createEffectLayer();
        manager = std::make_unique<ScreenManager>();
        ScreenFactory& f = manager->factory();
        f.add("game", [] { return std::make_unique<RecordingGame>(); });
        f.add("mainmenu", [] { return std::make_unique<MainMenuScreen>(); });
        f.add("options", [] { return std::make_unique<OptionsScreen>(); });
        f.add("resumemenu", [] { return std::make_unique<OptionsScreen>(); });
        f.add("confirm_dlg", [] { return std::make_unique<ConfirmDialog>(); });
        f.add("continue", [] { return std::make_unique<ContinueDialog>(); });
        f.add("profilemenu", [] { return std::make_unique<ProfileMenuScreen>(); });
        f.add("editname", [] { return std::make_unique<EditNameScreen>(); });
        f.add("deletedialog", [] { return std::make_unique<DeleteDialogScreen>(); });
        f.add("questmap", [] { return std::make_unique<QuestMapScreen>(); });
        f.add("readyintro", [] { return std::make_unique<ReadyIntroScreen>(); });
        f.add("levelcomplete", [] { return std::make_unique<LevelCompleteScreen>(); });
        f.add("puzzlesolved", [] { return std::make_unique<PuzzleSolvedScreen>(); });
        f.add("nomovespuzzle", [] { return std::make_unique<NoMovesScreen>(); });
        f.add("winquest", [] { return std::make_unique<WinScreen>(true); });
        f.add("winpuzzle", [] { return std::make_unique<WinScreen>(false); });
        f.add("timeup", [] { return std::make_unique<TimeUpScreen>(false); });
        f.add("gameover", [] { return std::make_unique<TimeUpScreen>(true); });
        for (const LevelTip& tip : levelTips()) f.add(tip.screen, [] { return std::make_unique<TipDialog>(); });
    }
    void TearDown() override {
        manager.reset();
        destroyEffectLayer();
        releaseGameFonts();
        uitest::UiTest::TearDown();
    }

    // profiles.ini with these players, the current one by index.
    void writePlayers(const std::vector<std::string>& names, int current) {
        std::string text = "[main]\r\ncurrent=" + std::to_string(current) + "\r\n[users]\r\n";
        for (std::size_t i = 0; i < names.size(); ++i) text += std::to_string(i) + "=" + names[i] + "\r\n";
        dir.write("profiles.ini", text);
        iniReleaseCache();
        loadCurrentPlayer(gameSettings());
    }
    void writeProgress(int questLevel, int highest) {
        ProgressRecord record;
        record.quest.level = questLevel;
        record.highestQuestLevel = highest;
        ASSERT_EQ(writeProgressFile("Ann", record), 0);
    }
    // A player's file as the game names it, in this folder's spelling.
    static std::string profilePath(const std::string& name, ProfileFile file) {
        std::string path = profileFilePath(name, file);
        for (char& c : path) c = c == '\\' ? '/' : c;
        return path;
    }

    RecordingGame& game() { return *dynamic_cast<RecordingGame*>(manager->showScreen("game", 0)); }
    // Shows the screen over the game, as the game screen does.
    template <typename T>
    T& overlay(const char* name) {
        return *dynamic_cast<T*>(manager->showOverlay(name));
    }
    void step(int milliseconds) {
        for (int t = 0; t < milliseconds; t += 20) manager->update(20);
    }
    // A click on the middle of a control of the current screen, moved by
    // (dx, dy) where the control is drawn away from its place.
    void clickControl(const char* name, int dy = 0) {
        UiElement* control = current()->findChild(name);
        ASSERT_NE(control, nullptr) << name;
        click(control->x + control->xs / 2, control->y + dy + control->ys / 2);
    }
    void key(int vk) { manager->handleWindowMessage(platform::WM_KEYDOWN, static_cast<platform::WParam>(vk), 1); }
    Screen* current() const { return manager->currentScreen(); }
    std::string currentName() const { return current() ? current()->name() : ""; }
};

}  // namespace screentest
