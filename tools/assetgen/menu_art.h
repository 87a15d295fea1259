#pragma once
// The look of the menus: dark velvet backdrops, gold-framed panels, buttons
// in their normal, hovered and pressed states, the loading bar and the
// game's title lettering. The screen generator composes its pictures from
// these.

#include <cairo.h>

#include <cstdint>
#include <string>

#include "glyph_renderer.h"
#include "image.h"
#include "canvas.h"
#include "paint.h"

// Velvet filling the whole picture, lit from `lightX`, `lightY` and falling
// off into a dark vignette, with the fabric's fine fibre and a faint
// diamond damask.
Image velvetBackdrop(int width, int height, float lightX, float lightY);

// A soft warm light added around a point (behind titles and gems).
void addBloom(Image& picture, float cx, float cy, float radius, Rgb colour, float strength);

// A panel of darker velvet in a double gold frame, drawn onto the picture.
void drawGoldPanel(Image& picture, double x, double y, double w, double h, double radius);
// A thin gold rule with a small diamond in its middle.
void drawGoldRule(Image& picture, double x0, double x1, double y);

enum class ButtonLook { Normal, Active, Pressed, Disabled };

// A button plate of exactly width x height pixels (its shadow included),
// with an optional gem of piece kind `gemKind` inset at its left.
Image menuButton(int width, int height, ButtonLook look, int gemKind = -1);

// The loading bar: the empty groove, or the same groove filled with molten
// gold. Both share their frame, so the game can cut them anywhere.
Image loadingBar(int width, int height, bool filled);

// A line of text set in one face, styled as a whole word (outline and glow
// run round the word, not each letter), trimmed to its padding.
Image styledText(const std::string& text, const std::string& fontFile, int pixelSize, const TextStyle& style,
                 int tracking = 0);

// The title lettering "Shardfall" at a pixel size.
Image titleLettering(int pixelSize);

// A streak of light above a falling stone, fading upwards from bottomY.
void drawFallTrail(Image& picture, float cx, float bottomY, float length, float width, Rgb colour);

// One of the eight gems at a scale of the 44-pixel piece, centred in a
// square picture of `size` pixels.
Image decorativeGem(int kind, float scale, int size, float glint);

// Centres a picture on a point of another.
void placeCentred(Image& onto, const Image& picture, float cx, float cy);
// Light lettering with a dark edge and a drop shadow, as if cut into the
// velvet: labels and titles on the menus' backgrounds.
TextStyle engravedStyle(std::uint32_t top, std::uint32_t bottom);
// Molten gold, cream at the top through gold to amber, with a dark brown
// edge and a drop shadow: the banner letters and the win screens' headline.
TextStyle goldLetteringStyle();

// Polished gold along the current path (consumed): a dark edge, the metal
// lit from above between `top` and `bottom`, a thin highlight.
void goldStroke(cairo_t* cr, double top, double bottom, double width, double brightness = 1.0);
// A small gold diamond, the ornament of frames and rules.
void goldDiamond(cairo_t* cr, double cx, double cy, double r);

// Draws on a picture with Cairo and hands the result back.
template <typename Paint>
void paintOn(Image& picture, Paint paint) {
    Canvas canvas(picture.width, picture.height);
    canvas.drawImage(picture, 0, 0);
    paint(canvas.cr());
    picture = canvas.toImage();
}
