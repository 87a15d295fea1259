#include "config/game_texts.h"

#include "config/ini_store.h"

std::string gameText(const char* key) { return iniReadString(kLanguageIni, "game", key); }
