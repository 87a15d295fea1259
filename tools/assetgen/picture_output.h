#pragma once
// Writing one picture of the game's data: the file (and its separate alpha
// image where the format asks for one), its manifest line and its place on
// the contact sheet.

#include <string>

#include "asset_tree.h"
#include "image.h"

enum class PictureFormat {
    Tga32,              // colour with its own alpha
    Tga24,              // opaque colour
    Tga24Additive,      // drawn additively: black adds nothing
    Tga24Keyed,         // black pixels are transparent (colour key)
    Tga24AlphaImage,    // colour plus the derived "_name.tga" alpha image
    JpegAlphaImage,     // JPEG colour plus the derived "_name.tga" alpha image
};

// Writes `image` to `gamePath` (spelled as the game spells it). The manifest
// line reads: picture PATH WxH frames=N [alpha=ALPHA_PATH] [blend=add|key|alpha].
// Returns the details written on the manifest line.
std::string writePicture(AssetTree& tree, const std::string& gamePath, const Image& image, PictureFormat format,
                  const std::string& sheetName = "", bool onSheet = true);
