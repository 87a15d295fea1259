// The effect layer's core: the effect list, particles and the ten emitter
// slots.

#include <gtest/gtest.h>

#include "graphics/sprite_loading.h"
#include "ui/effect_layer.h"
#include "ui/game_random.h"
#include "ui/particle.h"
#include "ui_test_support.h"

namespace {

using namespace uitest;

class EffectLayerTest : public UiTest {
protected:
    int addConfetti(EffectLayer& layer, const char* image = "spark.tga") {
        return layer.addEmitter(400, -20, 400, 0, 0, 0.06f, 0.05f, 0.03f, 1.0f, 1.0f, 0, 900, 300, 1000, 1, image,
                                15, 0, 1);
    }
    EffectLayer layer;
};

TEST_F(EffectLayerTest, TenEmitterSlotsAndTheEleventhIsRefused) {
    dir.write("spark.tga", flatTga(8, 8 * 15, 0xFFFFFF));
    for (int i = 0; i < EffectLayer::kEmitterSlots; ++i) EXPECT_EQ(addConfetti(layer), i);
    EXPECT_EQ(addConfetti(layer), -1);
    ASSERT_NE(layer.emitter(3), nullptr);
    ASSERT_NE(layer.emitter(3)->sprite, nullptr);
    EXPECT_EQ(layer.emitter(3)->sprite->frameCount(), 15);  // cut into 15 frames over a second
    EXPECT_EQ(layer.emitter(3)->sprite->height(), 8);
    EXPECT_EQ(layer.emitter(3)->sprite->period, 1000);

    layer.removeEmitter(3);
    layer.removeEmitter(42);  // no such slot: nothing happens
    EXPECT_EQ(layer.emitterCount(), 9);
    testing::internal::CaptureStderr();
    EXPECT_EQ(addConfetti(layer, "missing.tga"), 3);  // the free slot, without a picture
    testing::internal::GetCapturedStderr();
    EXPECT_EQ(layer.emitter(3)->sprite, nullptr);
    layer.moveEmitter(3, 10, 20);
    EXPECT_FLOAT_EQ(layer.emitter(3)->x, 10);
}

TEST_F(EffectLayerTest, EmitterSpawnsOnePerIntervalAndParticlesAgeOut) {
    dir.write("spark.tga", flatTga(8, 8, 0xFFFFFF));
    // Every 100 ms (no random part), particles living 150 ms, not bounded.
    const int slot = layer.addEmitter(100, 100, 0, 0, 0, 0, 0, 0, 1, 1, 0, 150, 0, 100, 0, "spark.tga", 1, 1, 0);
    ASSERT_GE(slot, 0);
    std::vector<int> counts;
    for (int step = 0; step < 12; ++step) {
        layer.stepAll(20);
        counts.push_back(layer.effectCount());
        if (step == 0) {
            // Centred on the emitter, give or take its drift of up to a pixel.
            ASSERT_NE(layer.effectAt(0), nullptr);
            EXPECT_NEAR(layer.effectAt(0)->x, 100 - 4, 1.0f);
            EXPECT_FLOAT_EQ(layer.effectAt(0)->y, 100 - 4);
        }
    }
    // Spawned at 0, 100 and 200 ms; each gone once 150 ms have passed.
    EXPECT_EQ(counts, (std::vector<int>{1, 1, 1, 1, 1, 2, 2, 1, 1, 1, 2, 2}));

    layer.removeEmitter(slot);
    for (int step = 0; step < 10; ++step) layer.stepAll(20);
    EXPECT_EQ(layer.effectCount(), 0);
}

TEST_F(EffectLayerTest, ParticleFallsDampedAndABoundedOneLivesUntilItLeaves) {
    auto owned = std::make_unique<Particle>();
    Particle* p = owned.get();
    p->x = 100;
    p->y = 100;
    p->vx = 0.1f;
    p->vy = 0;
    p->dx = 0.5f;
    p->g = 0.02f;
    p->lifetime = 1000;
    layer.addEffect(std::move(owned));
    layer.stepAll(20);
    // vx halves, then moves 20 ms; vy gains 20 x 0.02 x 0.05.
    EXPECT_FLOAT_EQ(p->vx, 0.05f);
    EXPECT_FLOAT_EQ(p->vy, 0.02f);
    EXPECT_NEAR(p->x, 101.0f, 1.0f);
    EXPECT_FLOAT_EQ(p->y, 100.4f);
    p->maxVy = 0.01f;
    layer.stepAll(20);
    EXPECT_FLOAT_EQ(p->vy, 0.01f);

    auto confetti = std::make_unique<Particle>();
    Particle* c = confetti.get();
    c->screenBounded = true;
    c->lifetime = 10;
    c->x = 400;
    c->y = 620;
    c->g = 0;
    c->vy = 1.0f;
    layer.addEffect(std::move(confetti));
    layer.stepAll(20);  // past its lifetime, but still in the picture
    EXPECT_FALSE(c->finished);
    EXPECT_EQ(layer.effectCount(), 2);
    layer.stepAll(20);  // now it has left the picture
    EXPECT_EQ(layer.effectCount(), 1);
    EXPECT_EQ(layer.effectAt(0), p);
}

TEST_F(EffectLayerTest, AdditiveParticlesAddToThePicture) {
    dir.write("dot.tga", flatTga(2, 2, 0x0000FF));
    target->FillRect(0, 0, 800, 600, 0xFFFF0000u);
    auto dot = std::make_unique<Particle>();
    dot->sprite = GetSprite("dot.tga");
    dot->additive = true;
    dot->x = 10;
    dot->y = 10;
    dot->lifetime = 100;
    layer.addEffect(std::move(dot));
    layer.renderAll(*target);
    EXPECT_EQ(pixelAt(*target, 10, 10), rgb565(255, 0, 255));  // top-left at its position
    EXPECT_EQ(pixelAt(*target, 12, 12), kRed);
}

TEST(GameRandomTest, DrawsFollowTheGeneratorsFormula) {
    seedGameRandom(125423);
    std::uint32_t state = 125423;
    state = state * 214013u + 2531011u;
    EXPECT_EQ(gameRandom(), static_cast<int>((state >> 16) & 0x7FFF));
    state = state * 214013u + 2531011u;
    EXPECT_EQ(gameRandomSigned(), static_cast<std::int16_t>(state >> 16));
    seedGameRandom(0xFFFF0000u);
    EXPECT_LT(gameRandomSigned(), 0);
}

}  // namespace
