#include "materials.h"

namespace {

void addStops(cairo_pattern_t* pattern, const Gradient& material) {
    for (const ColourStop& s : material) cairo_pattern_add_color_stop_rgba(pattern, s.at, s.r, s.g, s.b, s.a);
}

void setAndRelease(cairo_t* cr, cairo_pattern_t* pattern) {
    cairo_set_source(cr, pattern);  // the context keeps its own reference
    cairo_pattern_destroy(pattern);
}

}  // namespace

Gradient gradientOf(std::initializer_list<std::pair<double, Rgb>> stops, float brightness) {
    Gradient g;
    for (const auto& [at, colour] : stops) {
        const Rgb c = colour * brightness;
        g.push_back({at, c.r, c.g, c.b});
    }
    return g;
}

Gradient dimmed(const Gradient& material, double k) {
    Gradient out = material;
    for (ColourStop& s : out) {
        s.r = s.r * k;
        s.g = s.g * k;
        s.b = s.b * k;
    }
    return out;
}

void setGradient(cairo_t* cr, const Gradient& material, double x0, double y0, double x1, double y1) {
    cairo_pattern_t* pattern = cairo_pattern_create_linear(x0, y0, x1, y1);
    addStops(pattern, material);
    setAndRelease(cr, pattern);
}

void setRadialGradient(cairo_t* cr, const Gradient& material, double cx0, double cy0, double r0, double cx1,
                       double cy1, double r1) {
    cairo_pattern_t* pattern = cairo_pattern_create_radial(cx0, cy0, r0, cx1, cy1, r1);
    addStops(pattern, material);
    setAndRelease(cr, pattern);
}

namespace material {

Gradient polishedGold(double brightness) {
    const float k = static_cast<float>(brightness);
    const Rgb light = hexColour(0xFFF0B8), body = hexColour(0xE0A838), deep = hexColour(0x8A5210);
    return gradientOf({{0.0, light}, {0.45, body}, {0.55, deep}, {1.0, body}}, k);
}

}  // namespace material
