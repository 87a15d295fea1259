#pragma once
// Turning picture files into sprites. A picture is loaded once per path and
// shared through the sprite registry; its reader is chosen by extension, its
// pixels converted into the current 16-bit format, and its transparency comes
// from black pixels (the colour key), from its own alpha bytes, or from a
// separate alpha image named after it ("data\fx\glow.tga" has
// "data\fx\_glow.tga").
//
// A picture that cannot be loaded shows a message box with its path and the
// game goes on with an empty sprite; a missing alpha image is silent.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "graphics/sprite.h"

// Results of ReadWholeFile.
constexpr int readFileOk = 0;
constexpr int readFileCannotOpen = -1;
constexpr int readFileEmpty = -2;
constexpr int readFileNoMemory = -4;

// Reads a whole file for binary reading, never creating it. On success the
// buffer holds every byte of the file; on failure it is empty.
int ReadWholeFile(std::string_view path, std::vector<std::uint8_t>& buffer);

// The alpha image's name for a picture: the picture's folder, "_" and its
// file name with the extension replaced by "tga".
std::string derivedAlphaName(std::string_view picturePath);

// The registered sprite named `path` (any letter case, either slash); null
// when there is none.
Sprite* findRegisteredSprite(std::string_view path);

// The sprite for a picture file: the registered one of that name, reloaded in
// place when `reload` is set, or a newly registered and loaded one. A null
// mask name gives the derived alpha name; an empty one no alpha image. Null
// for an empty path, or one too long for a sprite's name.
Sprite* GetSprite(const char* path, const char* maskName = nullptr, bool reload = false);

// A new registered sprite of that size loaded from `path`; with an empty
// path a blank (black) picture of that size. Keeps its size if the file
// cannot be read.
Sprite* CreateSprite(int width, int height, const char* path);
// CreateSprite with an alpha plane whose every byte is `fill`.
Sprite* CreateSpriteWithAlpha(int width, int height, const char* path, std::uint8_t fill);

// Removes a registered sprite and destroys it; anything else is left alone.
void ReleaseSprite(Sprite* sprite);

// (Re)loads a sprite from its name and mask name, in place.
void LoadSprite(Sprite* sprite);
