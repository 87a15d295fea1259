#pragma once
// Screenshots: the composed frame written as a PNG, for the headless runs
// and anyone recording a bug.

#include <cstdint>
#include <vector>

class Sprite;

// Frame 0 of the sprite as 8-bit RGB rows, the bytes a screenshot holds.
// False (and `rgb` empty) when there is nothing to read.
bool readFrameRgb(const Sprite& sprite, std::vector<std::uint8_t>& rgb, int& width, int& height);

// Writes frame 0 of the sprite as 8-bit RGB, each channel widened by
// repeating its top bits (so full scale is 255). The file is replaced
// whole or not at all. False when there is nothing to write or it fails.
bool writeScreenshotPng(const Sprite& sprite, const char* path);
