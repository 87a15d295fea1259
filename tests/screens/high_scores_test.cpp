// The high-score table as drawn with the game's own static font: rank and
// name left-aligned at their columns, every score ending at the same
// column whatever its length, a free entry reading "Empty", faded and
// without a score, and the whole table moving with the sliding panel.

#include <gtest/gtest.h>

#include <filesystem>

#include "config/game_settings.h"
#include "graphics/font.h"
#include "graphics/game_fonts.h"
#include "screens/high_scores_screen.h"
#include "ui/ui_test_support.h"

namespace {

using namespace uitest;
namespace fs = std::filesystem;

constexpr int kPanelX = 200, kPanelY = 40;
using Table = HighScoresScreen;

class HighScoresTest : public UiTest {
protected:
    void SetUp() override {
        const std::string dist = SHARDFALL_DIST_DIR;
        ASSERT_TRUE(fs::exists(dist + "/data/fonts/fontstatic.tga")) << "no generated data in " << dist;
        // The generated fonts and texts, with a panel file of our own.
        dir.write("data/menu/highscores.ini", "[main]\r\nx=200\r\ny=40\r\nxs=400\r\nys=500\r\n");
        fs::create_directory_symlink(fs::absolute(dist + "/data/fonts"), dir.path() / "data" / "fonts");
        fs::copy_file(dist + "/data/language.ini", dir.path() / "data" / "language.ini");
        UiTest::SetUp();
        loadGameFonts();
        saved_ = gameSettings().highScoreTable;
        GameSettings& settings = gameSettings();
        settings.highScoreTable = {};
        setHighScoreName(settings.highScoreTable[0], "Ann");
        settings.highScoreTable[0].score = 123456;
        settings.highScoreTable[1].score = 777;  // a free place that still holds a score
        setHighScoreName(settings.highScoreTable[2], "Bo");
        settings.highScoreTable[2].score = 5;
        recordingManager();
        manager->factory().add("highscores", [] { return std::make_unique<HighScoresScreen>(); });
        show("test");
        table_ = dynamic_cast<HighScoresScreen*>(manager->showOverlay("highscores"));
        ASSERT_NE(table_, nullptr);
    }
    void TearDown() override {
        gameSettings().highScoreTable = saved_;
        manager.reset();
        releaseGameFonts();
        UiTest::TearDown();
    }
    void drawTable() {
        clearTarget();
        manager->draw(0, 0, *target);
    }
    static int rowY(int rank) { return kPanelY + Table::kFirstRowY + Table::kRowStep * rank; }
    // The first and last columns with ink in [x0, x1) over the row's height.
    static std::pair<int, int> inkSpan(const Sprite& frame, int rank, int x0, int x1) {
        int first = -1, last = -1;
        for (int x = x0; x < x1; ++x)
            for (int y = rowY(rank) - 14; y < rowY(rank) + 14; ++y) {
                if (pixelAt(frame, x, y) == 0) continue;
                if (first < 0) first = x;
                last = x;
            }
        return {first, last};
    }
    HighScoresScreen* table_ = nullptr;

private:
    std::array<HighScoreEntry, 10> saved_{};
};

TEST_F(HighScoresTest, ScoresEndAtOneColumnAndFreePlacesReadEmpty) {
    for (int i = 0; i < 100; ++i) manager->update(20);
    drawTable();
    const int left = kPanelX;
    const int scoreEnd = left + Table::kScoreRightX;
    for (int rank : {0, 2}) {
        SCOPED_TRACE(rank);
        const auto [first, last] = inkSpan(*target, rank, left + 250, left + 400);
        EXPECT_GE(last, scoreEnd - 4) << "scores end at their column";
        EXPECT_LT(last, scoreEnd + 1);
        const auto rankInk = inkSpan(*target, rank, left, left + Table::kNameX - 2);
        EXPECT_GE(rankInk.first, left + Table::kRankX);
        EXPECT_LE(rankInk.first, left + Table::kRankX + 3);
    }
    // The longer score starts further left: right-aligned, not left.
    EXPECT_LT(inkSpan(*target, 0, left + 250, left + 400).first, inkSpan(*target, 2, left + 250, left + 400).first);

    // A free place reads "Empty" where the name goes, fainter than the
    // word set plainly, and shows no score, whatever its slot holds.
    Sprite reference;
    ASSERT_TRUE(reference.createPixels(800, 600));
    reference.FillRect(0, 0, 800, 600, 0xFF000000u);
    DrawText(reference, gameFonts().statics, left + Table::kNameX, rowY(1), "Empty", 0, -1, 0);
    auto brightestGreen = [&](const Sprite& frame, int rank) {
        int best = 0;
        for (int y = rowY(rank) - 14; y < rowY(rank) + 14; ++y)
            for (int x = left + Table::kNameX - 2; x < left + 240; ++x) best = std::max(best, (pixelAt(frame, x, y) >> 5) & 63);
        return best;
    };
    for (int rank : {1, 9}) {
        SCOPED_TRACE(rank);
        EXPECT_EQ(inkSpan(*target, rank, left + 250, left + 400).first, -1) << "a score beside a free place";
        EXPECT_EQ(inkSpan(*target, rank, left + Table::kNameX, left + 240), inkSpan(reference, 1, left + Table::kNameX, left + 240));
        EXPECT_GT(brightestGreen(*target, rank), 0);
        EXPECT_LT(brightestGreen(*target, rank), brightestGreen(reference, 1) * 2 / 3);
    }
}

TEST_F(HighScoresTest, TheTableSlidesInWithThePanel) {
    while (table_->panelOffset() > 300.0f) manager->update(20);
    const int offset = static_cast<int>(table_->panelOffset() + 0.5f);
    ASSERT_GT(offset, 100);
    drawTable();
    const int left = kPanelX + offset;
    const auto rankInk = inkSpan(*target, 0, left, left + Table::kNameX - 2);
    EXPECT_GE(rankInk.first, left + Table::kRankX);
    EXPECT_LE(rankInk.first, left + Table::kRankX + 3);
    EXPECT_EQ(inkSpan(*target, 0, kPanelX, kPanelX + Table::kNameX).first, -1) << "nothing left behind";
}

}  // namespace
