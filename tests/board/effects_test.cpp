// The board's effects on the effect layer: which particles each request
// makes, the flying coatings and gems with their trails, the points rising,
// and the layer's own sounds.

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "board/board_effect_layer.h"
#include "board/floating_text.h"
#include "board/flying_coating.h"
#include "board/flying_gem.h"
#include "graphics/trig_tables.h"
#include "scoring_test_support.h"
#include "ui/effect_layer.h"
#include "ui/game_random.h"
#include "ui/particle.h"
#include "ui/ui_test_support.h"

namespace {

using boardtest::EventLog;
using boardtest::RecordingAudio;

class RecordingPayee : public GemPayee {
public:
    void payGem(bool big, float x, float y) override {
        paid.push_back(big ? 1000 : 250);
        landedAt = {x, y};
        bouncesAtPayment = watched ? watched->bounces() : -1;
    }
    std::vector<int> paid;
    std::pair<float, float> landedAt;
    const FlyingGem* watched = nullptr;
    int bouncesAtPayment = -1;
};

// Every picture a distinct size, so a test can tell which one an effect got.
class EffectsTest : public uitest::UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        fillTrigTables();
        seedGameRandom(12345);
        for (int k = 0; k < 8; ++k)
            dir.write("data/fx/spark" + std::to_string(k) + ".tga", uitest::flatTga(8 + k, 6 * (8 + k), 0x808080));
        dir.write("data/fx/splash.tga", uitest::flatTga(64, 8 * 64, 0x404040));
        for (int c = 0; c < 3; ++c)
            dir.write("data/fx/chunk" + std::to_string(c) + ".tga", uitest::flatTga(20 + c, 20 + c, 0x606060));
        dir.write("data/fx/glow_green.tga", uitest::flatTga(90, 5 * 90, 0x00FF00));
        dir.write("data/fx/glow_blue.tga", uitest::flatTga(92, 5 * 92, 0x0000FF));
        dir.write("data/fx/glow.tga", uitest::flatTga(40, 40, 0x202020));
        for (int n = 1; n <= 4; ++n) {
            dir.write("data/fx/diamond_small" + std::to_string(n) + ".tga", uitest::flatTga(24, 15 * 24, 0xFF0000));
            dir.write("data/fx/diamond_big" + std::to_string(n) + ".tga", uitest::flatTga(36, 15 * 36, 0xFF00FF));
        }
        for (const char* name : {"cell0", "cell1", "cell_score", "cell_wand"})
            dir.write(std::string("data/fx/") + name + ".tga", uitest::flatTga(48, 48, 0xC0C0C0));
        auto audio = std::make_unique<RecordingAudio>(log);
        fx = std::make_unique<BoardEffectLayer>(layer, std::move(audio));
        testing::internal::CaptureStderr();  // the JPEG time bar is missing on purpose
        fx->load();
        testing::internal::GetCapturedStderr();
        fx->setGemPayee(&payee);
    }
    void TearDown() override {
        fx.reset();
        layer.removeAllEffects();
        UiTest::TearDown();
    }

    const Particle* particle(int i) const { return dynamic_cast<const Particle*>(layer.effectAt(i)); }
    template <class T>
    const T* find() const {
        for (int i = 0; i < layer.effectCount(); ++i)
            if (auto* e = dynamic_cast<const T*>(layer.effectAt(i))) return e;
        return nullptr;
    }
    template <class T>
    int count() const {
        int n = 0;
        for (int i = 0; i < layer.effectCount(); ++i) n += dynamic_cast<const T*>(layer.effectAt(i)) ? 1 : 0;
        return n;
    }
    // Fills every emitter slot with a source that spawns once and then waits.
    void occupyAllSlots() {
        for (int i = 0; i < EffectLayer::kEmitterSlots; ++i)
            ASSERT_EQ(layer.addEmitter(float(i), 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 1000000, 0, 1000000, 0,
                                       "data\\fx\\spark1.tga", 6, 0, 0),
                      i);
    }

    EventLog log;
    EffectLayer layer;
    RecordingPayee payee;
    std::unique_ptr<BoardEffectLayer> fx;
};

TEST_F(EffectsTest, MatchSparksAreSevenInTheKindsColourAndASplashButOnlyTheSplashForOtherKinds) {
    for (int kind : {KindBad, KindRaduga}) {
        layer.removeAllEffects();
        fx->matchSparks(200, 300, kind);
        ASSERT_EQ(layer.effectCount(), 1) << kind;
        const Particle* splash = particle(0);
        ASSERT_NE(splash, nullptr);
        EXPECT_EQ(splash->sprite->width(), 64);
        EXPECT_EQ(splash->sprite->frameCount(), 8);
        EXPECT_TRUE(splash->additive);
        EXPECT_EQ(splash->lifetime, 500);
        EXPECT_EQ(splash->g, 0.0f);
        EXPECT_FLOAT_EQ(splash->x, 200 - 32);
    }

    layer.removeAllEffects();
    fx->matchSparks(200, 300, 3);
    ASSERT_EQ(layer.effectCount(), 8);
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        const Particle* p = particle(i);
        ASSERT_NE(p, nullptr);
        const int width = i < 5 ? 8 + 3 : 8 + 7;
        EXPECT_EQ(p->sprite->width(), width);
        EXPECT_EQ(p->sprite->frameCount(), 6);
        EXPECT_FLOAT_EQ(p->x, 200 - width / 2);
        EXPECT_TRUE(p->additive);
        EXPECT_GE(p->lifetime, 500);
        EXPECT_LE(p->lifetime, 900);
        EXPECT_LE(p->vy, -0.055f);  // always upward, by up to 0.2 more
        EXPECT_GE(p->vy, -0.255f);
        EXPECT_LE(std::fabs(p->vx), 0.1201f);
        EXPECT_FLOAT_EQ(p->dx, 0.98f);
        EXPECT_FLOAT_EQ(p->g, 0.018f);
    }
    EXPECT_EQ(particle(7)->sprite->width(), 64);
}

TEST_F(EffectsTest, LockChunksGlowWhileTheLockHoldsAndFallDullWhenItBreaks) {
    fx->lockChunks(100, 100, 1);
    ASSERT_EQ(layer.effectCount(), 4);
    for (int i = 0; i < 4; ++i) {
        const Particle* p = particle(i);
        EXPECT_EQ(p->sprite->width(), 20 + i % 2);
        EXPECT_TRUE(p->additive);
        EXPECT_LE(std::fabs(p->x + float(p->sprite->width() / 2) - 100), 24.0f);
        EXPECT_LE(p->vy, -0.1f);
    }
    layer.removeAllEffects();
    fx->lockChunks(100, 100, 0);
    ASSERT_EQ(layer.effectCount(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(particle(i)->sprite->width(), 22);
        EXPECT_FALSE(particle(i)->additive);
    }
}

TEST_F(EffectsTest, BurstsSpreadEvenlyAtTheirSpeed) {
    fx->burst20(400, 250);
    ASSERT_EQ(layer.effectCount(), 20);
    std::set<int> pictures;
    std::set<int> directions;
    for (int i = 0; i < 20; ++i) {
        const Particle* p = particle(i);
        EXPECT_NEAR(std::hypot(p->vx, p->vy), 0.6f, 0.001f);
        EXPECT_FLOAT_EQ(p->dx, 0.93f);
        EXPECT_FLOAT_EQ(p->dy, 0.93f);
        EXPECT_EQ(p->g, 0.0f);
        EXPECT_GE(p->lifetime, 300);
        EXPECT_LE(p->lifetime, 500);
        pictures.insert(p->sprite->width());
        directions.insert(int(std::atan2(p->vy, p->vx) * 4));
    }
    EXPECT_GT(pictures.size(), 2u);    // sparks of many colours
    EXPECT_GT(directions.size(), 5u);  // all round, not in one direction

    layer.removeAllEffects();
    fx->burst10(400, 250);
    ASSERT_EQ(layer.effectCount(), 10);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(particle(i)->sprite->width(), 15);
        EXPECT_LE(std::fabs(particle(i)->vx), 0.6f);
        EXPECT_LE(std::fabs(particle(i)->vy), 0.05f);  // a flat, wide burst
    }
}

TEST_F(EffectsTest, GlowTimeFlashAndBannerSpark) {
    fx->glow(50, 60, 0);
    fx->glow(50, 60, 1);
    fx->timeFlash();
    fx->bannerSpark(416, 250);
    ASSERT_EQ(layer.effectCount(), 4);
    EXPECT_EQ(particle(0)->sprite->width(), 90);
    EXPECT_EQ(particle(1)->sprite->width(), 92);
    EXPECT_EQ(particle(1)->sprite->frameCount(), 5);
    EXPECT_EQ(particle(1)->lifetime, 1000);
    EXPECT_TRUE(particle(1)->additive);
    EXPECT_FLOAT_EQ(particle(1)->x, 50 - 46);
    // The time bar's flash lies over the bar, its corner at (268, 535)
    // (its picture is a JPEG these tests do not write).
    const Effect* flash = layer.effectAt(2);
    ASSERT_EQ(flash->sprite, nullptr);
    EXPECT_FLOAT_EQ(flash->x, 268);
    EXPECT_FLOAT_EQ(flash->y, 535);
    EXPECT_EQ(flash->lifetime, 500);
    EXPECT_FLOAT_EQ(particle(3)->dy, 0.95f);
    EXPECT_GE(particle(3)->lifetime, 400);
    EXPECT_LE(particle(3)->lifetime, 800);
}

TEST_F(EffectsTest, PointsRiseFromWhereTheyWereEarnedExceptInPuzzleMode) {
    fx->floatText(300, 200, 30);
    const FloatingText* text = find<FloatingText>();
    ASSERT_NE(text, nullptr);
    EXPECT_STREQ(text->text(), "+30");
    for (int t = 0; t < 10; ++t) layer.stepAll(20);
    EXPECT_NEAR(text->y, 200 - 200 * 0.0175f, 0.01f);
    for (int t = 0; t < 25; ++t) layer.stepAll(20);
    EXPECT_EQ(count<FloatingText>(), 0);  // 700 ms

    fx->setMode(BoardMode::ModePuzzle);
    fx->floatText(300, 200, 30);
    EXPECT_EQ(layer.effectCount(), 0);
}

TEST_F(EffectsTest, AFlyingGemBouncesExactlyThreeTimesThenPaysOut) {
    for (const bool big : {false, true}) {
        SCOPED_TRACE(big);
        log.entries.clear();
        payee.paid.clear();
        fx->flyGem(200, 300, big);
        EXPECT_EQ(log.count(big ? "sound line5" : "sound line4"), 1);
        const FlyingGem* gem = find<FlyingGem>();
        ASSERT_NE(gem, nullptr);
        payee.watched = gem;
        const float half = float(gem->sprite->height() / 2);
        int turnsUp = 0;
        float lastVy = gem->vy;
        float lastX = gem->x;
        for (int t = 0; t < 1000 && payee.paid.empty(); ++t) {
            layer.stepAll(20);
            if (!payee.paid.empty()) break;
            ASSERT_LE(gem->y + half, FlyingGem::kFloorY);  // never through the floor
            if (lastVy > 0 && gem->vy < 0) ++turnsUp;
            EXPECT_GE(gem->x, lastX);  // drifting right, toward 410
            lastVy = gem->vy;
            lastX = gem->x;
        }
        ASSERT_EQ(payee.paid, std::vector<int>{big ? 1000 : 250});
        EXPECT_EQ(turnsUp, 2);  // the third bounce is the landing
        EXPECT_EQ(payee.bouncesAtPayment, 3);
        EXPECT_EQ(count<FlyingGem>(), 0);
        EXPECT_EQ(log.count("sound collectgem"), 1);
        const FloatingText* text = find<FloatingText>();
        ASSERT_NE(text, nullptr);
        EXPECT_STREQ(text->text(), big ? "+1000" : "+250");
        EXPECT_FLOAT_EQ(text->x, payee.landedAt.first);
        // Most of the way to the collector's middle, give or take the drift.
        EXPECT_NEAR(payee.landedAt.first, 410, 30);
        EXPECT_EQ(layer.emitterCount(), 0);  // its trail went with it
        layer.removeAllEffects();
    }
}

TEST_F(EffectsTest, AnEleventhEmitterIsRefusedAndThePlateOrGemFliesWithoutSparks) {
    occupyAllSlots();
    fx->flyGem(200, 300, false);
    fx->flyCoating(200, 300, 2, 336);
    ASSERT_NE(find<FlyingGem>(), nullptr);
    ASSERT_NE(find<FlyingCoating>(), nullptr);
    EXPECT_EQ(find<FlyingGem>()->trailSlot(), -1);
    EXPECT_EQ(find<FlyingCoating>()->trailSlot(), -1);
    layer.stepAll(20);  // the ten sources spawn their one particle each
    const int settled = layer.effectCount();
    for (int t = 0; t < 20; ++t) layer.stepAll(20);
    EXPECT_EQ(layer.effectCount(), settled) << "no spark may follow either";

    // With a slot free the same gem trails sparks.
    layer.removeEmitter(4);
    fx->flyGem(200, 300, false);
    layer.stepAll(20);
    const int before = layer.effectCount();
    for (int t = 0; t < 20; ++t) layer.stepAll(20);
    EXPECT_GT(layer.effectCount(), before);
}

TEST_F(EffectsTest, APlateTumblesAwayWithItsTrailFollowingAndFreedWithIt) {
    fx->flyCoating(300, 200, 3, 336 + 140);
    const FlyingCoating* plate = find<FlyingCoating>();
    ASSERT_NE(plate, nullptr);
    ASSERT_EQ(plate->sprite->width(), 64);  // turned within a square with room for its corners
    const int slot = plate->trailSlot();
    ASSERT_GE(slot, 0);
    ASSERT_NE(layer.emitter(slot)->sprite, nullptr);
    EXPECT_EQ(layer.emitter(slot)->sprite->width(), 12);  // the wand plate's blue sparks

    layer.stepAll(20);
    EXPECT_FLOAT_EQ(plate->y, 200);  // still hanging on for its first 21 ms
    EXPECT_NEAR(plate->vy, -0.22f, 0.0101f);
    EXPECT_NEAR(plate->vx, 0.05f, 0.0501f);  // 140 px right of the middle drifts right
    EXPECT_LE(std::fabs(plate->spin()), 0.0061f);
    layer.stepAll(20);
    EXPECT_LT(plate->y, 200);
    for (int t = 0; t < 10; ++t) layer.stepAll(20);
    EXPECT_FLOAT_EQ(layer.emitter(slot)->x, plate->x);
    EXPECT_FLOAT_EQ(layer.emitter(slot)->y, plate->y);

    int steps = 0;
    while (count<FlyingCoating>() > 0 && steps < 1000) {
        layer.stepAll(20);
        ++steps;
    }
    EXPECT_LT(steps, 1000);
    EXPECT_EQ(layer.emitterCount(), 0);

    // A bare coating has no trail; a screen clearing the layer frees a
    // plate's trail at once.
    fx->flyCoating(300, 200, 0, 336);
    EXPECT_EQ(layer.emitterCount(), 0);
    fx->flyCoating(300, 200, 2, 336);
    EXPECT_EQ(layer.emitterCount(), 1);
    layer.removeAllEffects();
    EXPECT_EQ(layer.emitterCount(), 0);
}

TEST_F(EffectsTest, TheLayersSoundsAndAGemLandingAfterItsThrowerIsGone) {
    fx->playFlyCell();
    EXPECT_EQ(log.count("sound flycell"), 1);
    fx->flyGem(200, 300, true);
    fx.reset();  // the game screen went away with the gem in the air
    for (int t = 0; t < 1000 && layer.effectCount() > 0; ++t) layer.stepAll(20);
    EXPECT_TRUE(payee.paid.empty());
    EXPECT_EQ(layer.emitterCount(), 0);
}

}  // namespace
