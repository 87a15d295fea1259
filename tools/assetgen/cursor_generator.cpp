// The mouse pointers: the system cursor file "DATA\game.cur", the drawn
// pointer "data\custom_cursor.jpg" (hot spot 19, 19) and the magic wand
// "data\magic_wand.tga" (hot spot 13, 13), each with its point exactly on
// the hot spot.

#include <cmath>

#include "cursor_generator.h"

#include "cairo_shapes.h"
#include "canvas.h"
#include "cur_writer.h"
#include "generators.h"
#include "materials.h"
#include "paint.h"
#include "picture_output.h"

namespace {

constexpr double kPi = 3.14159265358979;

// A gold arrow whose point is at (x, y).
void arrow(cairo_t* cr, double x, double y, double scale) {
    const double points[][2] = {{0, 0}, {0, 21}, {5, 16.5}, {8.8, 24.6}, {12.4, 23}, {8.6, 15.2}, {15, 15.2}};
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, scale, scale);
    for (const auto& p : points) cairo_line_to(cr, p[0], p[1]);
    cairo_close_path(cr);
    cairo_restore(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    cairo_set_source_rgb(cr, 0.12, 0.05, 0.0);
    cairo_set_line_width(cr, 2.4);
    cairo_stroke_preserve(cr);
    setGradient(cr, material::kPointerGold, x, y, x + 14 * scale, y + 24 * scale);
    cairo_fill(cr);
    // A light edge down the left side.
    cairo_move_to(cr, x + 1.2 * scale, y + 3 * scale);
    cairo_line_to(cr, x + 1.2 * scale, y + 17.5 * scale);
    cairo_set_source_rgba(cr, 1, 1, 0.95, 0.8);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}

void glowSpot(cairo_t* cr, double x, double y, double radius, double r, double g, double b, double alpha) {
    cairo_pattern_t* glow = cairo_pattern_create_radial(x, y, 0, x, y, radius);
    cairo_pattern_add_color_stop_rgba(glow, 0, r, g, b, alpha);
    cairo_pattern_add_color_stop_rgba(glow, 1, r, g, b, 0);
    cairo_set_source(cr, glow);
    cairo_arc(cr, x, y, radius, 0, 2 * kPi);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
}

void twinkle(cairo_t* cr, double x, double y, double size) {
    starPath(cr, x, y, 4, size, size * 0.22, -kPi / 2);
    cairo_set_source_rgba(cr, 1, 0.98, 0.85, 0.95);
    cairo_fill(cr);
}

}  // namespace

Image systemCursorPicture() {
    Canvas canvas(32, 32);
    arrow(canvas.cr(), 1.5, 1.5, 1.0);
    return canvas.toImage();
}

Image pointerPicture() {
    Canvas canvas(48, 48);
    cairo_t* cr = canvas.cr();
    glowSpot(cr, 19, 19, 9, 1.0, 0.85, 0.4, 0.55);
    twinkle(cr, 19, 19, 8.5);
    arrow(cr, 19, 19, 1.1);
    return canvas.toImage();
}

Image magicWandPicture() {
    Canvas canvas(48, 48);
    cairo_t* cr = canvas.cr();
    // The stick: ebony with gold bands, pointing at the star.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_move_to(cr, 18, 18);
    cairo_line_to(cr, 43, 43);
    cairo_set_source_rgb(cr, 0.1, 0.04, 0.0);
    cairo_set_line_width(cr, 6.5);
    cairo_stroke_preserve(cr);
    cairo_set_source_rgb(cr, 0.3, 0.16, 0.3);
    cairo_set_line_width(cr, 4.2);
    cairo_stroke_preserve(cr);
    cairo_set_source_rgba(cr, 0.85, 0.7, 0.95, 0.6);
    cairo_set_line_width(cr, 1.2);
    cairo_save(cr);
    cairo_translate(cr, -0.8, 0.8);
    cairo_stroke(cr);
    cairo_restore(cr);
    cairo_new_path(cr);
    for (double t : {0.12, 0.8}) {
        const double bx = 18 + 25 * t, by = 18 + 25 * t;
        cairo_move_to(cr, bx - 1.4, by - 1.4);
        cairo_line_to(cr, bx + 1.4, by + 1.4);
        metalStroke(cr, 5.0, 0.95, 0.72, 0.2);
    }
    // The star at the hot spot, in its own light.
    glowSpot(cr, 13, 13, 13, 1.0, 0.9, 0.5, 0.6);
    starPath(cr, 13, 13, 5, 10, 4.2, -kPi / 2);
    cairo_set_source_rgb(cr, 0.25, 0.1, 0.0);
    cairo_set_line_width(cr, 1.8);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* gold = cairo_pattern_create_radial(11, 10, 1, 13, 13, 11);
    cairo_pattern_add_color_stop_rgb(gold, 0, 1.0, 1.0, 0.9);
    cairo_pattern_add_color_stop_rgb(gold, 0.5, 1.0, 0.85, 0.3);
    cairo_pattern_add_color_stop_rgb(gold, 1, 0.85, 0.5, 0.05);
    cairo_set_source(cr, gold);
    cairo_fill(cr);
    cairo_pattern_destroy(gold);
    twinkle(cr, 29, 6, 4.5);
    twinkle(cr, 5, 28, 3.5);
    twinkle(cr, 27, 22, 2.5);
    return canvas.toImage();
}

void generateCursors(AssetTree& tree) {
    const Image system = systemCursorPicture();
    tree.writeFile("DATA\\game.cur", encodeCursorFile(system, 1, 1));
    tree.describe("cursor", "DATA\\game.cur", "32x32 hotspot=1,1");
    tree.addToContactSheet("game.cur", system);
    const std::string pointer = writePicture(tree, "data\\custom_cursor.jpg", pointerPicture(), PictureFormat::JpegAlphaImage);
    tree.describe("picture", "data\\custom_cursor.jpg", pointer + " hotspot=19,19");
    const std::string wand = writePicture(tree, "data\\magic_wand.tga", magicWandPicture(), PictureFormat::Tga32);
    tree.describe("picture", "data\\magic_wand.tga", wand + " hotspot=13,13");
}
