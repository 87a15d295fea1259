// A frame of a real move, drawn with the game's generated pictures: the
// board in mid-cascade with sparks, a lock breaking, a coating flying off,
// points rising, a gem thrown, the collector and a combo banner. It is
// written as a PNG for people to look at; the checks make sure each of
// those things is really in the picture.

#include <gtest/gtest.h>

#include <filesystem>

#include "board/board_effect_layer.h"
#include "board/floating_text.h"
#include "board/flying_coating.h"
#include "board/flying_gem.h"
#include "graphics/display.h"
#include "graphics/game_fonts.h"
#include "graphics/screenshot.h"
#include "graphics/sprite.h"
#include "graphics/trig_tables.h"
#include "scoring_test_support.h"
#include "temp_dir.h"
#include "ui/effect_layer.h"
#include "ui/game_random.h"

namespace {

using namespace boardtest;
using namespace scoringtest;

template <class T>
int countOf(const EffectLayer& layer) {
    int n = 0;
    for (int i = 0; i < layer.effectCount(); ++i) n += dynamic_cast<const T*>(layer.effectAt(i)) ? 1 : 0;
    return n;
}

int brightPixels(const Sprite& frame, int x0, int y0, int x1, int y1) {
    int pitch = 0;
    const std::uint16_t* p = frame.readablePixels(pitch);
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const auto* row = reinterpret_cast<const std::uint16_t*>(reinterpret_cast<const std::uint8_t*>(p) + y * pitch);
            const std::uint16_t c = row[x];
            n += ((c >> 11) > 24 && ((c >> 5) & 63) > 48) ? 1 : 0;
        }
    return n;
}

TEST(ScoringRender, AMoveInMidCascadeWithItsEffects) {
    const std::filesystem::path dist(SHARDFALL_DIST_DIR);
    if (!std::filesystem::exists(dist / "data" / "fx" / "spark0.tga"))
        GTEST_SKIP() << "the game's data is not generated in " << dist;
    const std::filesystem::path out = std::filesystem::path(SHARDFALL_TEST_TMP) / "scoring_midcascade.png";
    std::filesystem::create_directories(out.parent_path());

    ScopedChdir inData(dist);
    SetDisplay(800, 600, 16, 0);
    fillTrigTables();
    loadGameFonts();
    {
        EffectLayer layer;
        BoardEffectLayer fx(layer, nullptr);
        fx.load();
        GemCollector collector;
        collector.load();
        ComboBanner banner;
        banner.setFont(gameFonts().combo);
        banner.setEffects(&fx);
        banner.loadTexts();
        ScoreKeeper keeper({&fx, nullptr, nullptr, &collector, &banner});
        fx.setGemPayee(&keeper);
        keeper.newGame(BoardMode::ModeQuest);
        keeper.startLevel(12);
        collector.restore(2);

        EventLog log;
        ScoringHost host(log, keeper, nullptr);
        host.scoringFx = &fx;
        Board board(&host, nullptr, BoardTuning{}, BoardArt::load());
        host.setGeometry(&board.geometry());
        constexpr int w = 8, h = 8, x0 = 432 - 4 * 48, y0 = 80;
        board.setMode(BoardMode::ModeQuest);
        board.setGeometry(x0, y0, w, h);
        for (int i = 0; i < w * h; ++i)
            board.setCell(i, true, i % 9 == 4 ? CoatSingle : i % 13 == 6 ? CoatDouble : CoatNone);
        seedGameRandom(99);
        // A line of five with a lock among them and a column of three of the
        // same kind standing on it: the wave the frame catches.
        const int kinds[w * h] = {
            3, 4, 5, 6, 7, 3, 4, 5,  //
            5, 6, 7, 3, 4, 5, 6, 7,  //
            7, 3, 4, 0, 6, 7, 3, 4,  //
            4, 5, 6, 0, 3, 4, 5, 6,  //
            6, 0, 0, 0, 0, 0, 7, 3,  //
            3, 4, 5, 1, 7, 3, 4, 5,  //
            5, 6, 7, 3, 4, 5, 6, 7,  //
            7, 3, 4, 5, 6, 7, 3, 4,  //
        };
        for (int i = 0; i < w * h; ++i) board.putPiece(i, kinds[i]);
        board.pieceAt(4 * w + 2)->lock = 1;

        Sprite& frame = *BackBuffer();
        for (int t = 0; t < 24; ++t) {
            board.tick(kTick);
            layer.stepAll(kTick);
            banner.update(kTick);
            if (t == 6) {
                // What the coating rule and a third wave would add.
                const int cell = 2 * w + 5;
                fx.flyCoating(float(board.geometry().centreX(cell)), float(board.geometry().centreY(cell)), 2,
                              336.0f + float(board.geometry().centreX(cell) - 432));
                banner.show(BannerText::Combo);
            }
        }
        frame.FillRect(0, 0, 800, 600, 0xFF1A0C24);
        board.drawFrame(frame);
        board.drawStatic(frame, false);
        board.drawDynamic(frame);
        collector.draw(frame, BoardMode::ModeQuest);
        layer.renderAll(frame);
        banner.draw(frame);
        ASSERT_TRUE(writeScreenshotPng(frame, out.string().c_str()));

        EXPECT_GT(keeper.score(), 0);
        EXPECT_EQ(log.count("wave 0 of 7"), 1) << "seven cells, one of them a lock";
        EXPECT_EQ(countOf<FlyingGem>(layer), 1);
        EXPECT_GE(countOf<FlyingCoating>(layer), 1);  // more once coatings under the line fly too
        EXPECT_GE(countOf<FloatingText>(layer), 1);
        EXPECT_GT(layer.effectCount(), 30);
        EXPECT_TRUE(banner.running());
        EXPECT_GT(brightPixels(frame, 416 - banner.width() / 2, 235, 416 + banner.width() / 2, 265), 200)
            << "the banner is drawn; see " << out;
        layer.removeAllEffects();
    }
    releaseGameFonts();
    CloseDisplay();
}

}  // namespace
