// The help book, the tips and the high-score table as the game ships them:
// the generated screen files, pictures and fonts, drawn over an empty
// screen. Nothing may spill out of its gold frame, every picture a file
// names must load, and every tip level opens a working tip dialog.
//
// With SHARDFALL_SHOTS=DIR in the environment the drawn frames are also
// written there as PNG files, for a person to look at.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "config/game_settings.h"
#include "graphics/game_fonts.h"
#include "graphics/screenshot.h"
#include "screens/help_menu_screen.h"
#include "screens/high_scores_screen.h"
#include "screens/level_tips.h"
#include "screens/tip_dialog.h"
#include "ui/checkbox_control.h"
#include "ui/ui_test_support.h"

namespace {

using namespace uitest;
namespace fs = std::filesystem;

const std::string kDist = SHARDFALL_DIST_DIR;

struct Frame {
    int left, top, right, bottom;  // exclusive right and bottom
};

class GeneratedPanels : public UiTest {
protected:
    void SetUp() override {
        ASSERT_TRUE(fs::exists(kDist + "/data/menu/helpmenu.ini")) << "no generated data in " << kDist;
        fs::create_directory_symlink(fs::absolute(kDist + "/data"), dir.path() / "data");
        UiTest::SetUp();
        loadGameFonts();
        manager = std::make_unique<ScreenManager>();
        manager->factory().add("helpmenu", [] { return std::make_unique<HelpMenuScreen>(); });
        manager->factory().add("highscores", [] { return std::make_unique<HighScoresScreen>(); });
        for (const LevelTip& tip : levelTips())
            manager->factory().add(tip.screen, [] { return std::make_unique<TipDialog>(); });
        // The screen underneath draws nothing: whatever is not black below
        // was drawn by the panel.
        manager->showScreen("empty", 1);
    }
    void TearDown() override {
        manager.reset();
        releaseGameFonts();
        UiTest::TearDown();
    }
    // Opens the overlay and lets it come to rest.
    Screen* open(const char* name) {
        Screen* screen = manager->showOverlay(name);
        for (int i = 0; i < 100; ++i) manager->update(20);
        return screen;
    }
    void drawAndCheck(const std::string& shotName, const Frame& frame) {
        clearTarget();
        manager->draw(0, 0, *target);
        if (const char* shots = std::getenv("SHARDFALL_SHOTS"))
            writeScreenshotPng(*target, (fs::path(shots) / (shotName + ".png")).c_str());
        int outside = 0, inside = 0;
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 800; ++x) {
                const bool in = x >= frame.left && x < frame.right && y >= frame.top && y < frame.bottom;
                const bool ink = pixelAt(*target, x, y) != 0;
                (in ? inside : outside) += ink ? 1 : 0;
            }
        EXPECT_EQ(outside, 0) << shotName << " draws outside its frame";
        EXPECT_GT(inside, (frame.right - frame.left) * (frame.bottom - frame.top) / 2) << shotName;
    }
    // Every picture of a screen's controls loaded.
    static void expectPictures(const Screen& screen, const std::string& what) {
        for (int i = 0; i < screen.childCount(); ++i) {
            const UiElement* control = screen.child(i);
            if (sameName(control->typeTag(), "button")) continue;
            if (control->caption()[0] == '\0') {
                EXPECT_TRUE(hasPixels(control->image)) << what << " " << control->name();
            }
        }
    }
};

TEST_F(GeneratedPanels, EveryHelpPageStaysInsideThePanel) {
    auto* help = dynamic_cast<HelpMenuScreen*>(open("helpmenu"));
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->pageCount(), 7);
    for (int page = 0; page < help->pageCount(); ++page) {
        help->setPage(page);
        drawAndCheck("help" + std::to_string(page), {help->x, help->y, help->x + help->xs, help->y + help->ys});
    }
}

TEST_F(GeneratedPanels, EveryTipLevelOpensItsDialogInsideItsFrame) {
    for (int level = 1; level <= 40; ++level) {
        const char* name = tipScreenForLevel(level);
        if (!name) continue;
        SCOPED_TRACE(name);
        auto* tip = dynamic_cast<TipDialog*>(open(name));
        ASSERT_NE(tip, nullptr);
        ASSERT_NE(dynamic_cast<CheckboxControl*>(tip->findChild("show")), nullptr);
        ASSERT_NE(tip->findChild("ok"), nullptr);
        expectPictures(*tip, name);
        // The dimmed screen below stays black; the dialog is its frame.
        drawAndCheck(name, {168, 158, 168 + 480, 158 + 300});
        tip->closeOverlay();
    }
}

TEST_F(GeneratedPanels, TheHighScoreTableStaysInsideThePanel) {
    GameSettings& settings = gameSettings();
    const auto saved = settings.highScoreTable;
    settings.highScoreTable = {};
    insertHighScore(settings, "Wilhelmina", 1234567);
    insertHighScore(settings, "Bo", 5);
    Screen* table = open("highscores");
    ASSERT_NE(table, nullptr);
    expectPictures(*table, "highscores");
    drawAndCheck("highscores", {table->x, table->y, table->x + table->xs, table->y + table->ys});
    settings.highScoreTable = saved;
}

}  // namespace
