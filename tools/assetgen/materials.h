#pragma once
// What the frames, panels, plates and marks are made of, as data: each
// material is a ramp of colour stops laid along the thing it covers (top
// to bottom for a plate, along a stroke's height for a rim). A frame or a
// panel names its materials; `setGradient` lays one on a Cairo context.

#include <cairo.h>

#include <vector>

#include "paint.h"

struct ColourStop {
    double at;  // 0 at the gradient's start .. 1 at its end
    double r, g, b, a = 1.0;
};
using Gradient = std::vector<ColourStop>;

// A ramp of straight colours, each stop's colour times `brightness`.
Gradient gradientOf(std::initializer_list<std::pair<double, Rgb>> stops, float brightness = 1.0f);

// The material in less light: every colour times k (alpha kept).
Gradient dimmed(const Gradient& material, double k);

// Sets the material as the source, from (x0, y0) to (x1, y1).
void setGradient(cairo_t* cr, const Gradient& material, double x0, double y0, double x1, double y1);
// The same as a radial gradient between two circles.
void setRadialGradient(cairo_t* cr, const Gradient& material, double cx0, double cy0, double r0, double cx1,
                       double cy1, double r1);

namespace material {

// Polished gold of rims and rules: bright above, a dark band across the
// middle, warm below. Dimmed or brightened with the thing it frames.
Gradient polishedGold(double brightness);
// The gold of marks on a plate (ticks, arrows, a well's rim).
inline const Gradient kMarkGold = {{0.0, 1.0, 0.95, 0.74}, {0.5, 0.9, 0.66, 0.22}, {1.0, 0.6, 0.36, 0.07}};
// A gold rule fading out at both ends (laid along it).
inline const Gradient kFadingGold = {
    {0, 0.88, 0.66, 0.22, 0.0}, {0.5, 0.98, 0.8, 0.36, 1.0}, {1, 0.88, 0.66, 0.22, 0.0}};
// The frames' small diamonds, lit from the top left.
inline const Gradient kDiamondGold = {{0, 1.0, 0.95, 0.72}, {0.5, 0.88, 0.64, 0.2}, {1, 0.5, 0.3, 0.05}};
// The pointer's gold.
inline const Gradient kPointerGold = {{0, 1.0, 0.97, 0.78}, {0.45, 0.98, 0.78, 0.28}, {1, 0.7, 0.42, 0.06}};
// Molten gold filling the loading bar.
inline const Gradient kMoltenGold = {
    {0.0, 1.0, 0.9, 0.6}, {0.35, 0.97, 0.72, 0.22}, {0.75, 0.78, 0.42, 0.06}, {1.0, 0.55, 0.27, 0.03}};
// Padlocks: the plain one's brass, the heavy one's darker red gold.
inline const Gradient kLockBrass = {{0, 1.0, 0.9, 0.5}, {1, 0.66, 0.42, 0.08}};
inline const Gradient kHeavyLockGold = {{0, 1.0, 0.72, 0.35}, {1, 0.55, 0.16, 0.04}};

// The relics' gold, polished, with a second shine low down where it turns
// back towards the light.
inline const Gradient kRelicGold = {{0.0, 1.0, 0.94, 0.72},
                                    {0.3, 0.9, 0.66, 0.22},
                                    {0.62, 0.54, 0.32, 0.06},
                                    {0.85, 0.8, 0.54, 0.15},
                                    {1.0, 0.42, 0.24, 0.04}};
// A pearl, lit from its upper left (radial).
inline const Gradient kPearl = {{0, 1.0, 1.0, 0.98}, {1, 0.62, 0.58, 0.66}};
// The crown's velvet cap (radial).
inline const Gradient kCrownVelvet = {{0, 0.62, 0.3, 0.86}, {0.6, 0.34, 0.1, 0.52}, {1, 0.14, 0.03, 0.22}};

// The dialogs' panels: deep velvet, a little see-through.
inline const Gradient kPanelVelvet = {{0, 0.13, 0.05, 0.2, 0.92}, {1, 0.05, 0.015, 0.09, 0.94}};
// The tutorial's card.
inline const Gradient kCardVelvet = {{0, 0.17, 0.07, 0.26, 0.97}, {1, 0.06, 0.02, 0.1, 0.97}};
// Sunken velvet the game writes numbers on, darkest under its upper edge.
inline const Gradient kSunkenVelvet = {{0, 0.03, 0.01, 0.05}, {0.4, 0.07, 0.03, 0.11}, {1, 0.14, 0.06, 0.2}};
// The empty groove of the loading bar.
inline const Gradient kGrooveVelvet = {{0.0, 0.02, 0.0, 0.04}, {0.5, 0.08, 0.03, 0.13}, {1.0, 0.16, 0.07, 0.24}};
// The well a list sits in, its upper edge shadowed.
inline const Gradient kWellVelvet = {{0.0, 0.22, 0.1, 0.32}, {0.12, 0.33, 0.17, 0.46}, {1.0, 0.28, 0.14, 0.4}};
// The hollow the wand's button sits in (radial, light at its centre).
inline const Gradient kSocketVelvet = {{0, 0.12, 0.05, 0.18}, {1, 0.02, 0.0, 0.04}};

}  // namespace material
