#pragma once
// Screenshots: the composed frame written as a PNG, for the headless runs
// and anyone recording a bug.

class Sprite;

// Writes frame 0 of the sprite as 8-bit RGB, each channel widened by
// repeating its top bits (so full scale is 255). The file is replaced
// whole or not at all. False when there is nothing to write or it fails.
bool writeScreenshotPng(const Sprite& sprite, const char* path);
