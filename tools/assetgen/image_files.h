#pragma once
// Writers of the picture files the game reads: TGA (24-bit colour, 32-bit
// colour with alpha, 8-bit grey for the separate alpha images), JPEG, and
// the derived alpha image name the loader looks for.

#include <cstdint>
#include <string>
#include <vector>

#include "image.h"

std::vector<std::uint8_t> encodeTga24(const Image& image);
std::vector<std::uint8_t> encodeTga32(const Image& image);
// The alpha channel as an 8-bit grey TGA (the loader takes its value as opacity).
std::vector<std::uint8_t> encodeTgaAlpha(const Image& image);
std::vector<std::uint8_t> encodeJpeg(const Image& image, int quality);
// PNG, for the review pictures (not read by the game).
std::vector<std::uint8_t> encodePng(const Image& image);

// "data\fx\glow.tga" -> "data\fx\_glow.tga"; "data\center.jpg" -> "data\_center.tga".
std::string alphaImageName(const std::string& path);

