#pragma once
// A Cairo drawing surface that hands its result over as an Image with
// straight (not premultiplied) alpha, which is what the game's blends expect.

#include <cairo.h>

#include "image.h"

class Canvas {
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* cr() const { return cr_; }
    int width() const { return width_; }
    int height() const { return height_; }

    Image toImage() const;
    // Draws an image at (x, y) (its whole strip).
    void drawImage(const Image& image, double x, double y);

private:
    int width_, height_;
    cairo_surface_t* surface_;
    cairo_t* cr_;
};

// Copies `frame` into frame `index` of a strip.
void putFrame(Image& strip, int index, const Image& frame);
