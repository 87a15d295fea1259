#pragma once
// Paths and small drawings made with Cairo that several pictures share:
// rounded rectangles, stars, chains and the padlock.

#include <cairo.h>

void roundedRectPath(cairo_t* cr, double x, double y, double w, double h, double r);
// A star of `points` points; `rotation` is the angle of the first point.
void starPath(cairo_t* cr, double cx, double cy, int points, double outer, double inner, double rotation);
// Steel chain links from (x0, y0) to (x1, y1).
void chainPath(cairo_t* cr, double x0, double y0, double x1, double y1);
// A padlock centred at (cx, cy); the heavy one is larger and darker gold.
void padlock(cairo_t* cr, double cx, double cy, bool heavy);
// Strokes the current path as polished metal: dark edge, body, highlight.
void metalStroke(cairo_t* cr, double width, double r, double g, double b);
