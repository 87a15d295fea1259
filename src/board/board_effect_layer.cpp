#include "board/board_effect_layer.h"

#include <cstdio>
#include <utility>

#include "board/floating_text.h"
#include "board/flying_coating.h"
#include "board/flying_gem.h"
#include "graphics/font.h"
#include "graphics/game_fonts.h"
#include "graphics/sprite.h"
#include "graphics/trig_tables.h"
#include "ui/effect_layer.h"
#include "ui/game_random.h"
#include "ui/particle.h"

namespace {

constexpr int kCoatingImages = 4;
constexpr int kCoatingBox = 64;  // room for the 48-pixel plate to turn in
constexpr int kSparkFrames = 6;
constexpr int kSplashFrames = 8;
constexpr int kGlowFrames = 5;
constexpr int kGemFrames = 15;
constexpr int kBigGemPeriodMs = 500;  // the big gems turn twice as fast
constexpr int kBannerSparkImage = 7;

constexpr const char* kCoatingPaths[kCoatingImages] = {"data\\fx\\cell0.tga", "data\\fx\\cell1.tga",
                                                       "data\\fx\\cell_score.tga", "data\\fx\\cell_wand.tga"};
// The plates' trails: gold sparks behind the score plate, blue behind the
// wand plate; the bare coatings fly without one.
constexpr const char* kCoatingTrails[kCoatingImages] = {nullptr, nullptr, "DATA\\fx\\spark0.tga",
                                                        "DATA\\fx\\spark4.tga"};
constexpr const char* kGemTrail = "DATA\\fx\\spark7.tga";


float signedDraw(float scale) { return float(gameRandomSigned()) * scale; }
// base + rest * s / 32768, truncated the way integer arithmetic does.
int jittered(int base, int rest) { return base + rest * gameRandomSigned() / 32768; }

int halfWidth(const Sprite* s) { return s ? s->width() / 2 : 0; }
int halfHeight(const Sprite* s) { return s ? s->height() / 2 : 0; }

// A particle of `picture` centred on (x, y).
std::unique_ptr<Particle> particleAt(Sprite* picture, float x, float y, bool additive) {
    auto p = std::make_unique<Particle>();
    p->sprite = picture;
    p->additive = additive;
    p->x = x - float(halfWidth(picture));
    p->y = y - float(halfHeight(picture));
    return p;
}

// The coating picture centred in a square with room to turn; black around
// it is left out when drawn turned.
std::unique_ptr<Sprite> boxedCoating(const char* path) {
    Sprite* plate = framedPicture(path, 1);
    if (!plate) return nullptr;
    auto box = std::make_unique<Sprite>();
    if (!box->createPixels(kCoatingBox, kCoatingBox)) return nullptr;
    box->clip = {0, 0, kCoatingBox, kCoatingBox};
    box->Blit((kCoatingBox - plate->width()) / 2, (kCoatingBox - plate->height()) / 2, *plate, BLEND_NORMAL, 0);
    box->bMask = true;
    return box;
}

TrailSpec plateTrail(const char* image) {
    TrailSpec spec;
    spec.image = image;
    return spec;
}

TrailSpec gemTrail() {
    TrailSpec spec;
    spec.image = kGemTrail;
    spec.spread = 10;
    spec.intervalBase = 40;
    spec.intervalRandom = 1;
    return spec;
}

}  // namespace

struct BoardEffectLayer::Pictures {
    std::array<std::unique_ptr<Sprite>, kCoatingImages> coatings;
    std::array<Sprite*, kSparkKinds> sparks{};
    Sprite* splash = nullptr;
    std::array<Sprite*, 3> chunks{};
    Sprite* glowGreen = nullptr;
    Sprite* glowBlue = nullptr;
    Sprite* gemGlow = nullptr;
    std::array<Sprite*, kGemPictures> smallGems{};
    std::array<Sprite*, kGemPictures> bigGems{};
    Sprite* timeBar = nullptr;
    Font* darkFont = nullptr;
};

BoardEffectLayer::BoardEffectLayer(EffectLayer& layer, std::unique_ptr<BoardAudio> audio)
    : layer_(layer),
      audio_(audio ? std::move(audio) : std::make_unique<SilentBoardAudio>()),
      pictures_(std::make_unique<Pictures>()),
      self_(std::make_shared<BoardEffectLayer*>(this)) {}

BoardEffectLayer::~BoardEffectLayer() { *self_ = nullptr; }

void BoardEffectLayer::load() {
    Pictures& p = *pictures_;
    char path[64];
    for (int i = 0; i < kCoatingImages; ++i) p.coatings[i] = boxedCoating(kCoatingPaths[i]);
    for (int k = 0; k < kSparkKinds; ++k) {
        std::snprintf(path, sizeof path, "data\\fx\\spark%d.tga", k);
        p.sparks[k] = framedPicture(path, kSparkFrames);
    }
    p.splash = framedPicture("data\\fx\\splash.tga", kSplashFrames);
    for (int c = 0; c < 3; ++c) {
        std::snprintf(path, sizeof path, "data\\fx\\chunk%d.tga", c);
        p.chunks[c] = framedPicture(path, 1);
    }
    p.glowGreen = framedPicture("data\\fx\\glow_green.tga", kGlowFrames);
    p.glowBlue = framedPicture("data\\fx\\glow_blue.tga", kGlowFrames);
    p.gemGlow = framedPicture("data\\fx\\glow.tga", 1);
    for (int n = 0; n < kGemPictures; ++n) {
        std::snprintf(path, sizeof path, "data\\fx\\diamond_small%d.tga", n + 1);
        p.smallGems[n] = framedPicture(path, kGemFrames);
        std::snprintf(path, sizeof path, "data\\fx\\diamond_big%d.tga", n + 1);
        p.bigGems[n] = framedPicture(path, kGemFrames);
        if (p.bigGems[n]) p.bigGems[n]->period = kBigGemPeriodMs;
    }
    p.timeBar = framedPicture("data\\timebar_n.jpg", 1);
    p.darkFont = gameFonts().dark;
}

void BoardEffectLayer::matchSparks(float x, float y, int kind) {
    Pictures& p = *pictures_;
    if (kind >= 0 && kind < kSparkKinds) {
        for (int i = 0; i < 7; ++i) {
            // Five in the piece's colour, two white-gold ones among them.
            auto spark = particleAt(i < 5 ? p.sparks[kind] : p.sparks[7], x, y, true);
            spark->lifetime = jittered(700, 200);
            spark->vy = -(float(gameRandom()) * 0.000006103702f) - 0.055f;
            spark->vx = signedDraw(0.0000036622212f);
            spark->dx = 0.98f;
            spark->g = 0.018f;
            layer_.addEffect(std::move(spark));
        }
    }
    auto splash = particleAt(p.splash, x, y, true);
    splash->lifetime = 500;
    splash->g = 0;
    layer_.addEffect(std::move(splash));
}

void BoardEffectLayer::lockChunks(float x, float y, int lockLeft) {
    Pictures& p = *pictures_;
    const bool stillLocked = lockLeft > 0;
    for (int i = 0; i < 4; ++i) {
        Sprite* picture = stillLocked ? p.chunks[i % 2] : p.chunks[2];
        auto chunk = std::make_unique<Particle>();
        chunk->sprite = picture;
        // Splinters of a lock that holds glow; the last one breaks off dull.
        chunk->additive = stillLocked;
        chunk->lifetime = jittered(500, 200);
        chunk->vy = -(float(gameRandom()) * 0.000006103702f) - 0.1f;
        chunk->vx = signedDraw(0.000003051851f);
        chunk->g = 0.02f;
        chunk->x = x + float(24 * gameRandomSigned() / 32768) - float(halfWidth(picture));
        chunk->y = y + float(24 * gameRandomSigned() / 32768) - float(halfHeight(picture));
        layer_.addEffect(std::move(chunk));
    }
}

void BoardEffectLayer::burst10(float x, float y) {
    for (int i = 0; i < 10; ++i) {
        auto spark = particleAt(pictures_->sparks[7], x, y, true);
        spark->lifetime = jittered(300, 100);
        spark->vx = signedDraw(0.000018311106f);
        spark->vy = signedDraw(0.0000015259255f);
        spark->dx = 0.97f;
        spark->g = 0;
        layer_.addEffect(std::move(spark));
    }
}

void BoardEffectLayer::burst20(float x, float y) {
    constexpr float kSpeed = 0.6f;
    constexpr float kStepsPerRadian = 40.743664f;  // 256 table steps per turn
    for (int i = 0; i < 20; ++i) {
        const int lifetime = jittered(400, 100);
        const float angle = signedDraw(0.00009587672f);  // -pi..pi
        const int step = int(angle * kStepsPerRadian) & 255;
        auto spark = particleAt(pictures_->sparks[gameRandom() % kSparkKinds], x, y, true);
        spark->lifetime = lifetime;
        spark->vx = cosTable[step] * kSpeed;
        spark->vy = sinTable[step] * kSpeed;
        spark->dx = spark->dy = 0.93f;
        spark->g = 0;
        layer_.addEffect(std::move(spark));
    }
}

void BoardEffectLayer::glow(float x, float y, int colour) {
    if (colour != 0 && colour != 1) return;
    auto light = particleAt(colour == 0 ? pictures_->glowGreen : pictures_->glowBlue, x, y, true);
    light->lifetime = 1000;
    light->g = 0;
    layer_.addEffect(std::move(light));
}

void BoardEffectLayer::flyCoating(float x, float y, int image, float dxFromOrigin) {
    if (image < 0 || image >= kCoatingImages) return;
    layer_.addEffect(std::make_unique<FlyingCoating>(layer_, pictures_->coatings[image].get(), x, y, dxFromOrigin,
                                                     plateTrail(kCoatingTrails[image])));
}

void BoardEffectLayer::floatText(float x, float y, int points) {
    if (mode_ == BoardMode::ModePuzzle) return;
    layer_.addEffect(std::make_unique<FloatingText>(pictures_->darkFont, x, y, points));
}

void BoardEffectLayer::flyGem(float x, float y, bool big) {
    const int n = gameRandom() % kGemPictures;
    Sprite* gem = big ? pictures_->bigGems[n] : pictures_->smallGems[n];
    audio().play(big ? BoardSound::Line5 : BoardSound::Line4);
    std::weak_ptr<BoardEffectLayer*> owner = self_;
    auto landed = [owner](bool isBig, float gx, float gy) {
        if (auto self = owner.lock(); self && *self) (*self)->gemLanded(isBig, gx, gy);
    };
    layer_.addEffect(std::make_unique<FlyingGem>(layer_, gem, pictures_->gemGlow, x, y, big, landed, gemTrail()));
}

void BoardEffectLayer::gemLanded(bool big, float x, float y) {
    if (payee_) payee_->payGem(big, x, y);
    floatText(x, y, big ? 1000 : 250);
    burst10(x, y);
    audio().play(BoardSound::CollectGem);
}

void BoardEffectLayer::timeFlash() {
    constexpr int kLeft = 268, kTop = 535;
    auto flash = std::make_unique<Effect>();
    Sprite* bar = pictures_->timeBar;
    flash->sprite = bar;
    flash->x = float(kLeft + halfWidth(bar));
    flash->y = float(kTop + halfHeight(bar));
    flash->lifetime = 500;
    layer_.addEffect(std::move(flash));
}

void BoardEffectLayer::bannerSpark(float x, float y) {
    auto spark = particleAt(pictures_->sparks[kBannerSparkImage], x, y, true);
    spark->lifetime = jittered(600, 200);
    spark->vx = signedDraw(0.000003051851f);
    spark->vy = signedDraw(0.000003051851f);
    spark->dy = 0.95f;
    spark->g = 0.018f;
    layer_.addEffect(std::move(spark));
}

void BoardEffectLayer::playFlyCell() { audio().play(BoardSound::FlyCell); }
