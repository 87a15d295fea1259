#pragma once
// The game's visible texts: "data\language.ini", section [game], one key
// per text. A missing file or key reads as an empty text.

#include <string>

constexpr const char* kLanguageIni = "data\\language.ini";

std::string gameText(const char* key);
