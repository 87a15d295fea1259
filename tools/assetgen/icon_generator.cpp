// The files an installation carries beside the data tree: the game's icon
// at the sizes desktops ask for, and the shipped game.ini (the runnable tree
// may hold one a player has changed; an installation must not).
//
// The icon is one gem of the game, the purple shard, on a rounded plate of
// velvet in a gold frame. Every size is drawn afresh rather than shrunk from
// the largest, so the frame stays one clean line at 16 pixels.

#include <algorithm>
#include <cmath>

#include "canvas.h"
#include "generators.h"
#include "image_files.h"
#include "menu_art.h"
#include "paint.h"
#include "cairo_shapes.h"

namespace {

constexpr int kShardKind = 3;  // the purple diamond

void paintPlate(cairo_t* cr, double size) {
    const double frame = std::max(1.0, size * 0.045);
    const double inset = (frame + 2.0) / 2.0 + 0.25;
    const double side = size - 2 * inset;
    roundedRectPath(cr, inset, inset, side, side, size * 0.18);
    // Velvet lit from the upper left, falling off into the dark.
    cairo_pattern_t* velvet = cairo_pattern_create_radial(size * 0.35, size * 0.3, 0, size * 0.4, size * 0.4, size * 0.8);
    const Rgb sheen = hexColour(0x6A3C94), body = hexColour(0x3C1A5C), deep = hexColour(0x12061E);
    cairo_pattern_add_color_stop_rgb(velvet, 0.0, sheen.r, sheen.g, sheen.b);
    cairo_pattern_add_color_stop_rgb(velvet, 0.45, body.r, body.g, body.b);
    cairo_pattern_add_color_stop_rgb(velvet, 1.0, deep.r, deep.g, deep.b);
    cairo_set_source(cr, velvet);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(velvet);
    goldStroke(cr, inset, size - inset, frame);
}

}  // namespace

Image gameIcon(int size) {
    Canvas canvas(size, size);
    paintPlate(canvas.cr(), size);
    Image icon = canvas.toImage();
    // The 44-pixel piece grown to most of the plate.
    const float scale = size * 0.74f / 44.0f;
    if (size >= 32) addBloom(icon, size * 0.5f, size * 0.5f, size * 0.22f, hexColour(0xB070FF), 0.35f);
    drawOver(icon, decorativeGem(kShardKind, scale, size, size >= 32 ? 0.8f : 0.0f), 0, 0);
    return icon;
}

std::string defaultGameIni() {
    return "[main]\r\n"
           "name=Shardfall\r\n"
           "x=-1\r\n"
           "y=-1\r\n"
           "xs=800\r\n"
           "ys=600\r\n"
           "FullScreen=0\r\n"
           "Color32=0\r\n"
           "NOTCustom=0\r\n"
           "music=0.700000\r\n"
           "sound=0.800000\r\n";
}

void generateInstallFiles(AssetTree& files, AssetTree& review) {
    for (int size : kIconSizes) {
        const std::string name = std::to_string(size) + "x" + std::to_string(size);
        const Image icon = gameIcon(size);
        files.writeFile("icons/" + name + "/shardfall.png", encodePng(icon));
        review.addToContactSheet("icon " + name, icon);
    }
    files.writeText("game.ini", defaultGameIni());
}
