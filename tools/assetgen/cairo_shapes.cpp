#include "cairo_shapes.h"

#include <cmath>

#include "materials.h"

namespace {
constexpr double kPi = 3.14159265358979;
}

void roundedRectPath(cairo_t* cr, double x, double y, double w, double h, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
    cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
    cairo_arc(cr, x + r, y + r, r, kPi, 3 * kPi / 2);
    cairo_close_path(cr);
}

void starPath(cairo_t* cr, double cx, double cy, int points, double outer, double inner, double rotation) {
    cairo_new_sub_path(cr);
    for (int i = 0; i < points * 2; ++i) {
        const double a = rotation + kPi * i / points;
        const double r = i % 2 == 0 ? outer : inner;
        cairo_line_to(cr, cx + r * std::cos(a), cy + r * std::sin(a));
    }
    cairo_close_path(cr);
}

void metalStroke(cairo_t* cr, double width, double r, double g, double b) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_source_rgba(cr, 0.06, 0.05, 0.08, 0.95);
    cairo_set_line_width(cr, width + 1.8);
    cairo_stroke_preserve(cr);
    cairo_set_source_rgb(cr, r, g, b);
    cairo_set_line_width(cr, width);
    cairo_stroke_preserve(cr);
    cairo_save(cr);
    cairo_translate(cr, -width * 0.18, -width * 0.18);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.75);
    cairo_set_line_width(cr, width * 0.32);
    cairo_stroke(cr);
    cairo_restore(cr);
    cairo_new_path(cr);
}

void chainPath(cairo_t* cr, double x0, double y0, double x1, double y1) {
    const double dx = x1 - x0, dy = y1 - y0;
    const double length = std::hypot(dx, dy);
    const double ux = dx / length, uy = dy / length;
    const double pitch = 8.0;
    const int links = static_cast<int>(length / pitch);
    const double start = (length - links * pitch) / 2 + pitch / 2;
    // Links seen edge-on first, then the open ones over them.
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < links; ++i) {
            if (i % 2 != pass) continue;
            const double cx = x0 + ux * (start + i * pitch), cy = y0 + uy * (start + i * pitch);
            cairo_save(cr);
            cairo_translate(cr, cx, cy);
            cairo_rotate(cr, std::atan2(uy, ux));
            if (pass == 0) {
                cairo_move_to(cr, -5.5, 0);
                cairo_line_to(cr, 5.5, 0);
                cairo_restore(cr);
                metalStroke(cr, 2.8, 0.52, 0.56, 0.64);
            } else {
                cairo_scale(cr, 1.0, 0.62);
                cairo_arc(cr, 0, 0, 5.6, 0, 2 * kPi);
                cairo_restore(cr);
                metalStroke(cr, 2.3, 0.66, 0.7, 0.79);
            }
        }
    }
}

void padlock(cairo_t* cr, double cx, double cy, bool heavy) {
    const double w = heavy ? 19 : 16, h = heavy ? 15 : 13;
    // Shackle.
    cairo_arc(cr, cx, cy - h / 2, w * 0.3, kPi, 2 * kPi);
    cairo_line_to(cr, cx + w * 0.3, cy - h / 2 + 2);
    cairo_move_to(cr, cx - w * 0.3, cy - h / 2 + 2);
    cairo_line_to(cr, cx - w * 0.3, cy - h / 2);
    metalStroke(cr, 2.6, 0.62, 0.66, 0.74);
    // Body.
    roundedRectPath(cr, cx - w / 2, cy - h / 2, w, h, 3);
    setGradient(cr, heavy ? material::kHeavyLockGold : material::kLockBrass, 0, cy - h / 2, 0, cy + h / 2);
    cairo_fill_preserve(cr);
    cairo_set_source_rgba(cr, 0.15, 0.07, 0.0, 1);
    cairo_set_line_width(cr, 1.3);
    cairo_stroke(cr);
    // Shine along the top edge.
    cairo_move_to(cr, cx - w / 2 + 3, cy - h / 2 + 2);
    cairo_line_to(cr, cx + w / 2 - 3, cy - h / 2 + 2);
    cairo_set_source_rgba(cr, 1, 1, 0.9, 0.7);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    // Keyhole.
    cairo_arc(cr, cx, cy - 0.5, 2.0, 0, 2 * kPi);
    cairo_move_to(cr, cx - 1.1, cy);
    cairo_line_to(cr, cx + 1.1, cy);
    cairo_line_to(cr, cx + 1.6, cy + 4);
    cairo_line_to(cr, cx - 1.6, cy + 4);
    cairo_close_path(cr);
    cairo_set_source_rgb(cr, 0.16, 0.07, 0.02);
    cairo_fill(cr);
}
