#include "dialog_art.h"

#include <algorithm>
#include <cstdio>

#include "cairo_shapes.h"
#include "canvas.h"
#include "materials.h"
#include "paint.h"

namespace {

// Draws a gold mark along the current path: a dark edge, then the metal.
void strokeGold(cairo_t* cr, double top, double bottom, double width) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_source_rgba(cr, 0.1, 0.04, 0.01, 0.9);
    cairo_set_line_width(cr, width + 2.5);
    cairo_stroke_preserve(cr);
    setGradient(cr, material::kMarkGold, 0, top, 0, bottom);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

template <typename Paint>
Image paintedOver(const Image& base, Paint paint) {
    Canvas canvas(base.width, base.height);
    canvas.drawImage(base, 0, 0);
    paint(canvas.cr());
    return canvas.toImage();
}

}  // namespace

Image panelPicture(int width, int height) {
    Image picture(width + kPanelShadow, height + kPanelShadow);
    drawGoldPanel(picture, 2, 2, width - 4, height - 4, 20);
    return picture;
}

Image checkBoxPicture(int size, ButtonLook look, bool ticked) {
    const Image plate = menuButton(size, size, look);
    if (!ticked) return plate;
    return paintedOver(plate, [&](cairo_t* cr) {
        const double s = size;
        cairo_move_to(cr, s * 0.26, s * 0.5);
        cairo_line_to(cr, s * 0.44, s * 0.68);
        cairo_line_to(cr, s * 0.76, s * 0.28);
        strokeGold(cr, s * 0.28, s * 0.68, std::max(2.5, s * 0.12));
    });
}

Image arrowButton(int width, int height, ButtonLook look, bool up) {
    const Image plate = menuButton(width, height, look);
    return paintedOver(plate, [&](cairo_t* cr) {
        const double cx = width / 2.0, cy = height / 2.0 - 1 + (look == ButtonLook::Pressed ? 1 : 0);
        const double half = std::min(width, height) * 0.22, dir = up ? -1.0 : 1.0;
        cairo_move_to(cr, cx - half * 1.2, cy - dir * half * 0.6);
        cairo_line_to(cr, cx + half * 1.2, cy - dir * half * 0.6);
        cairo_line_to(cr, cx, cy + dir * half * 0.8);
        cairo_close_path(cr);
        cairo_set_source_rgba(cr, 0.1, 0.04, 0.01, 0.9);
        cairo_set_line_width(cr, 2.0);
        cairo_stroke_preserve(cr);
        setGradient(cr, material::kMarkGold, 0, cy - half, 0, cy + half);
        cairo_fill(cr);
    });
}

Image wellPicture(int width, int height) {
    Canvas canvas(width, height);
    cairo_t* cr = canvas.cr();
    roundedRectPath(cr, 1.5, 1.5, width - 3, height - 3, 8);
    setGradient(cr, material::kWellVelvet, 0, 0, 0, height);
    cairo_fill_preserve(cr);
    // Recessed: the upper edge throws a shadow into the well.
    cairo_save(cr);
    cairo_clip_preserve(cr);
    cairo_pattern_t* inner = cairo_pattern_create_linear(0, 0, 0, 14);
    cairo_pattern_add_color_stop_rgba(inner, 0, 0, 0, 0, 0.6);
    cairo_pattern_add_color_stop_rgba(inner, 1, 0, 0, 0, 0.0);
    cairo_set_source(cr, inner);
    cairo_paint(cr);
    cairo_pattern_destroy(inner);
    cairo_restore(cr);
    cairo_set_line_width(cr, 1.4);
    setGradient(cr, material::kMarkGold, 0, 0, 0, height);
    cairo_stroke(cr);
    return canvas.toImage();
}

Image titledPanel(AssetTree& tree, const std::string& context, int width, int height, const std::string& englishTitle,
                  int titleY) {
    constexpr int kRimRoom = 28;
    const std::string title = tree.say(context, englishTitle,
                                       "title on a panel picture, at most " + std::to_string(width - 2 * kRimRoom) +
                                           " px of 30 px bold lettering");
    Image picture = panelPicture(width, height);
    TextStyle style;
    style.fillTop = hexColour(0xFFF4D0);
    style.fillMiddle = hexColour(0xF0C860);
    style.fillBottom = hexColour(0xB07818);
    style.shine = 0.2f;
    style.outline = hexColour(0x2A1004);
    style.outlineWidth = 1.4f;
    style.shadowDx = 1;
    style.shadowDy = 2;
    style.shadowBlur = 1.0f;
    style.shadowOpacity = 0.7f;
    const Image lettering = styledText(title, "Vollkorn-Bold.ttf", 30, style);
    if (lettering.width > width - 2 * kRimRoom) {
        std::fprintf(stderr, "assetgen: %s: the title \"%s\" is %d px, the panel holds %d\n", context.c_str(),
                     title.c_str(), lettering.width, width - 2 * kRimRoom);
        tree.reportFailure();
    }
    drawOver(picture, lettering, (width - lettering.width) / 2, titleY - lettering.frameHeight() / 2);
    drawGoldRule(picture, width * 0.2, width * 0.8, titleY + 22);
    return picture;
}
