#pragma once
// A real game screen in a real screen manager, over the generated levels and
// pictures, with the screens around a game stood in for: each stand-in only
// notes that it was shown, and the test plays the part of the player and of
// the flow screens (closing the intro, counting a won level on, taking a
// life) through the same session calls they make.
//
// The game screen's own file and the tutorial texts are written here, so
// the tests know exactly which controls exist and what the cards say.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "config/game_settings.h"
#include "config/ini_store.h"
#include "errorlog/error_check.h"
#include "game/game_screen.h"
#include "game/progress_file.h"
#include "graphics/display.h"
#include "graphics/pixel_format.h"
#include "platform/win_messages.h"
#include "temp_dir.h"
#include "ui/effect_layer.h"
#include "ui/game_random.h"
#include "ui/screen_manager.h"
#include "ui/typed_history.h"
#include "ui/ui_test_support.h"

namespace gametest {

using namespace platform;

constexpr int kTick = 20;
const std::string kDist = SHARDFALL_DIST_DIR;

// Every screen the game opens by name, as a stand-in that remembers it was
// shown; the help panel takes its page.
class StandInScreen : public Screen, public PagedScreen {
public:
    explicit StandInScreen(std::vector<std::string>& log) : log_(log) {}
    void onShow() override {
        Screen::onShow();
        log_.push_back(name());
    }
    void setPage(int p) override { page = p; }
    int page = 0;

private:
    std::vector<std::string>& log_;
};

using uitest::flatTga;

// The HUD: a dark back picture, the numbers, the bar, the wand box and the
// buttons, at places of their own.
inline const char* kGameScreenFile =
    "[main]\r\n0=back\r\n1=score\r\n2=lifes\r\n3=level\r\n4=mw\r\n5=timebar\r\n6=magic\r\n7=menu\r\n8=help\r\n"
    "9=undo\r\n10=reset\r\n11=puzzle_plat\r\n12=live_plate\r\n"
    "[back]\r\ntype=static\r\npath=data\\hud\\back.tga\r\n"
    "[score]\r\ntype=static\r\nx=640\r\ny=100\r\nxs=140\r\nys=20\r\n"
    "[lifes]\r\ntype=static\r\nx=640\r\ny=130\r\nxs=140\r\nys=20\r\n"
    "[level]\r\ntype=static\r\nx=640\r\ny=160\r\nxs=140\r\nys=20\r\n"
    "[mw]\r\ntype=static\r\nx=640\r\ny=190\r\nxs=140\r\nys=20\r\n"
    "[timebar]\r\ntype=progress\r\nx=250\r\ny=560\r\nbtabstop=0\r\nleftpath=data\\hud\\fill.tga\r\n"
    "rightpath=data\\hud\\empty.tga\r\n"
    "[magic]\r\ntype=checkbox\r\nx=660\r\ny=300\r\npath=data\\hud\\button.tga\r\n"
    "[menu]\r\ntype=button\r\nx=660\r\ny=400\r\npath=data\\hud\\button.tga\r\n"
    "[help]\r\ntype=button\r\nx=660\r\ny=460\r\npath=data\\hud\\button.tga\r\n"
    "[undo]\r\ntype=button\r\nx=660\r\ny=340\r\npath=data\\hud\\button.tga\r\n"
    "[reset]\r\ntype=button\r\nx=660\r\ny=520\r\npath=data\\hud\\button.tga\r\n"
    "[puzzle_plat]\r\ntype=static\r\nx=630\r\ny=90\r\npath=data\\hud\\plate.tga\r\n"
    "[live_plate]\r\ntype=static\r\nx=630\r\ny=125\r\npath=data\\hud\\plate.tga\r\n";

class GameScreenTest : public uitest::UiTest {
protected:
    static constexpr const char* kPlayer = "tester";

    void SetUp() override {
        uitest::UiTest::SetUp();
        prepareFolder();
        SetUpAgain();
    }

    // A fresh manager and game screen in the same folder (after the last was
    // destroyed, as at the program's exit).
    void SetUpAgain() {
        manager = std::make_unique<ScreenManager>();
        manager->factory().add("game", [] { return std::make_unique<GameScreen>(); });
        for (const char* name : {"readyintro", "levelcomplete", "puzzlesolved", "timeup", "gameover", "winquest",
                                 "winpuzzle", "mainmenu", "resumemenu", "helpmenu", "nomovespuzzle"})
            manager->factory().add(name, [this] { return std::make_unique<StandInScreen>(shown); });
        game = dynamic_cast<GameScreen*>(manager->showScreen("game", 1));
        ASSERT_NE(game, nullptr);
    }

    void prepareFolder() {
        ASSERT_TRUE(std::filesystem::exists(kDist + "/data/LEVELS/QUEST/level1.map") ||
                    std::filesystem::exists(kDist + "/data/levels/quest/level1.map"))
            << "no compiled levels in " << kDist;
        // The generated tree, but a menu folder and a profiles folder of our own.
        for (const auto& entry : std::filesystem::directory_iterator(kDist + "/data")) {
            const std::string name = entry.path().filename().string();
            if (name == "menu" || name == "profiles") continue;
            std::filesystem::create_directories(dir.path() / "data");
            std::filesystem::create_symlink(std::filesystem::absolute(entry.path()), dir.path() / "data" / name);
        }
        dir.write("data/menu/game.ini", kGameScreenFile);
        dir.write("data/hud/back.tga", flatTga(800, 600, 0x101020));
        dir.write("data/hud/fill.tga", flatTga(300, 12, 0xE0B040));
        dir.write("data/hud/empty.tga", flatTga(300, 12, 0x202020));
        dir.write("data/hud/button.tga", flatTga(100, 30, 0x806020));
        dir.write("data/hud/plate.tga", flatTga(150, 30, 0x303040));
        for (const char* file : {"tutorial.ini", "tutpuzzle.ini", "tutcube.ini"}) {
            std::string text;
            for (int entry = 0; entry < 4; ++entry) {
                text += "[" + std::to_string(entry) + "]\r\n";
                for (int line = 0; line < 5; ++line)
                    text += "str" + std::to_string(line) + "=" + file + " " + std::to_string(entry) + "." +
                            std::to_string(line) + "\r\n";
            }
            dir.write(std::string("data/menu/") + file, text);
        }
        setErrorLogPath("gerr.log");
        createEffectLayer();
        seedGameRandom(7);
        resetTypedHistory();
        gameSettings() = GameSettings{};
        gameSettings().currentPlayerName = kPlayer;
    }

    void TearDown() override {
        manager.reset();
        destroyEffectLayer();
        closeErrorLog();
        uitest::UiTest::TearDown();
    }

    // ---- Time and the player ----
    void run(int milliseconds) {
        for (int t = 0; t < milliseconds; t += kTick) manager->update(kTick);
    }
    // Runs until the named screen has been shown (at most `limitMs`).
    bool runUntilShown(const std::string& name, int limitMs = 20000) {
        const std::size_t before = shown.size();
        for (int t = 0; t < limitMs; t += kTick) {
            manager->update(kTick);
            for (std::size_t i = before; i < shown.size(); ++i)
                if (shown[i] == name) return true;
        }
        return false;
    }
    Screen* current() const { return manager->currentScreen(); }
    std::string currentName() const { return current() ? current()->name() : ""; }

    // The level intro: the fade runs out, the intro opens and hands over.
    void passIntro() {
        ASSERT_TRUE(runUntilShown("readyintro", 2000));
        current()->closeOverlay();
        game->setLevelRunning();
    }
    // Any key closes the tutorial card; it fades out within 120 ms.
    void closePanelIfOpen() {
        run(kTick);
        if (game->tutorialPanel().isOpen()) closePanel();
    }
    void closePanel() {
        manager->handleWindowMessage(WM_KEYDOWN, 'X', 0);
        run(200);
        EXPECT_FALSE(game->tutorialPanel().isOpen());
    }

    // ---- What the flow screens do, as they do it ----
    // The level-complete screen: the level counts on, the game is saved and
    // the finished board forgotten, then the next level.
    void countLevelOn() {
        game->setLevel(game->level() + 1);
        if (game->mode() == BoardMode::ModeQuest && game->maxQuestLevel() < game->level())
            game->setMaxQuestLevel(game->level());
        game->saveProfile();
        game->forgetSavedBoard();
        game->markSaved();
        current()->closeOverlay();
        game->nextLevel();
    }
    // The time-up screen: a life less, saved, the quest board forgotten.
    void loseLife() {
        game->setLives(game->lives() - 1);
        game->saveProfile();
        game->forgetSavedBoard();
    }
    void removeProfileFile(ProfileFile file) {
        std::string path = profileFilePath(kPlayer, file);
        for (char& c : path)
            if (c == '\\') c = '/';
        std::filesystem::remove(dir.path() / path);
    }

    void writeProgress(const ProgressRecord& record) { ASSERT_EQ(writeProgressFile(kPlayer, record), 0); }
    ProgressRecord readProgress() {
        ProgressRecord record;
        EXPECT_EQ(readProgressFile(kPlayer, record), ProgressReadResult::Complete);
        return record;
    }
    std::string profileBytes() { return dir.read("data/profiles/" + profileFileStem(kPlayer) + ".sav"); }

    GameScreen* game = nullptr;
    std::vector<std::string> shown;
};

}  // namespace gametest
