#include "board/board_art.h"

#include <cstdio>

#include "graphics/sprite.h"
#include "graphics/sprite_loading.h"

namespace {

constexpr int kSelectFrames = 11;
constexpr int kSelectCycleMs = 800;
constexpr int kTeleportFrames = 6;
constexpr int kTeleportCycleMs = 600;
constexpr int kActiveFrames = 20;
constexpr int kHelpFrames = 15;

Sprite* animation(const char* path, int frames, int cycleMs) {
    Sprite* sprite = GetSprite(path);
    if (sprite) sprite->cutIntoFrames(frames, cycleMs);
    return sprite;
}

}  // namespace

BoardArt BoardArt::load() {
    BoardArt art;
    art.teleport = animation("data\\fx\\teleport.tga", kTeleportFrames, kTeleportCycleMs);
    art.select = animation("data\\select.tga", kSelectFrames, kSelectCycleMs);
    art.locked0 = GetSprite("data\\locked0.tga");
    art.locked1 = GetSprite("data\\locked1.tga");
    art.field = GetSprite("data\\field.tga");
    art.coatings[CoatSingle] = GetSprite("data\\cell0.tga");
    art.coatings[CoatDouble] = GetSprite("data\\cell1.tga");
    art.coatings[CoatScoreBonus] = GetSprite("data\\cell_score.tga");
    art.coatings[CoatWandBonus] = GetSprite("data\\cell_wand.tga");
    char path[64];
    for (int k = 0; k < kPieceImages; ++k) {
        std::snprintf(path, sizeof path, "data\\kests\\NONE\\active%d.tga", k);
        art.active[k] = animation(path, kActiveFrames, kActiveCycleMs);
        std::snprintf(path, sizeof path, "data\\kests\\HELP\\help%d.tga", k);
        art.help[k] = animation(path, kHelpFrames, kHelpCycleMs);
    }
    art.raduga = animation("data\\Kests\\raduga.tga", kActiveFrames, kActiveCycleMs);
    for (int t = 0; t < kFrameTiles; ++t) {
        std::snprintf(path, sizeof path, "data\\tiles\\%02d.tga", t);
        art.tiles[t] = GetSprite(path);
    }
    return art;
}
