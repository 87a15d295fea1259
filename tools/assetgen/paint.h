#pragma once
// Small colour and pixel helpers shared by the picture generators: colours
// as floats, pictures rendered by sampling a shading function several times
// per pixel (anti-aliased edges without any drawing library), and the few
// compositing steps the game itself performs (alpha blending, additive
// blending), so review pictures show what the player will see.

#include <cstdint>
#include <functional>

#include "image.h"

struct Rgb {
    float r = 0, g = 0, b = 0;
};

struct Rgba {
    float r = 0, g = 0, b = 0, a = 0;
};

inline Rgb operator+(Rgb x, Rgb y) { return {x.r + y.r, x.g + y.g, x.b + y.b}; }
inline Rgb operator*(Rgb x, float k) { return {x.r * k, x.g * k, x.b * k}; }
inline Rgb operator*(Rgb x, Rgb y) { return {x.r * y.r, x.g * y.g, x.b * y.b}; }
Rgb lerp(Rgb x, Rgb y, float t);
Rgb hexColour(std::uint32_t rgb);
// Hue 0..1 (wraps), saturation and value 0..1.
Rgb hsv(float hue, float saturation, float value);
float luminance(Rgb c);
Rgb greyOf(Rgb c);
inline Rgba withAlpha(Rgb c, float a) { return {c.r, c.g, c.b, a}; }

float clamp01(float v);
float smoothstep(float edge0, float edge1, float x);

std::uint32_t packArgb(Rgba c);
Rgba unpackArgb(std::uint32_t argb);

// A shading function: straight colour and coverage at a point (pixel
// centres are at x + 0.5).
using Shader = std::function<Rgba(float x, float y)>;

// Renders a w x h picture by averaging samples x samples points per pixel.
Image renderShader(int width, int height, int samples, const Shader& shader);

// Straight-alpha "over" of src (its frame srcFrame) onto dst at (dx, dy),
// with an extra opacity factor.
void drawOver(Image& dst, const Image& src, int dx, int dy, float opacity = 1.0f, int srcFrame = 0,
              int dstFrame = 0);
// The game's additive blend: colour added, alpha ignored; the result keeps
// dst's alpha.
void drawAdd(Image& dst, const Image& src, int dx, int dy, int srcFrame = 0, int dstFrame = 0);

// One frame of a strip as a picture of its own.
Image frameOf(const Image& strip, int frame);
// Gaussian blur (premultiplied, so colours do not darken at soft edges).
Image blurred(const Image& image, float radius);
// The picture's coverage as a flat colour, moved and softened: a drop shadow.
Image shadowOf(const Image& image, float dx, float dy, float radius, Rgb colour, float opacity);
// Additive and colour-keyed pictures carry no alpha: colour times coverage
// on black, fully opaque.
Image flattenedOnBlack(const Image& image);
// Colour under fully transparent pixels is copied from the nearest covered
// ones, so nearest sampling and JPEG compression do not bleed black into
// soft edges. With a reach, pixels farther away than that take `backdrop`.
Image withBledColour(const Image& image, int reach = -1, std::uint32_t backdrop = 0);
// Colour-keyed pictures (black is transparent in the game): pixels at least
// half covered become opaque in their own colour, lifted where needed so no
// covered pixel turns into the key in 16 bits; the rest become black.
Image keyedOnBlack(const Image& image);
// True when the colour would become 0 (the colour key) in 5-6-5 or 5-5-5.
bool becomesColourKey(std::uint32_t argb);

// A fixed hash of a pixel: the same small noise, 0..1, on every run.
float hashNoise(int x, int y, std::uint32_t salt);
// Smooth noise, 0..1, from the hash on a grid of `cell` pixels: folds of
// cloth, ridges of hills, drifts of mist.
float valueNoise(float x, float y, float cell, std::uint32_t salt);
