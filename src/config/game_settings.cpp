#include "config/game_settings.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "config/ini_store.h"
#include "config/language_choice.h"

GameSettings& gameSettings() {
    static GameSettings settings;
    return settings;
}

void loadWindowSettings(GameSettings& s) {
    s.dwPosX = iniReadInt(kGameIni, "main", "x");
    s.dwPosY = iniReadInt(kGameIni, "main", "y");
    s.dwScrX = iniReadInt(kGameIni, "main", "xs");
    s.dwScrY = iniReadInt(kGameIni, "main", "ys");
    s.fullScreen = iniReadInt(kGameIni, "main", "FullScreen");
    s.color32 = iniReadInt(kGameIni, "main", "Color32");
    s.NOTCustom = iniReadInt(kGameIni, "main", "NOTCustom");
    s.sharpScaling = iniReadInt(kGameIni, "main", "SharpScaling");
    s.muteUnfocused = iniReadInt(kGameIni, "main", "MuteUnfocused");
    s.WinName = iniReadString(kGameIni, "main", "name");
    if (s.WinName.size() > 255) s.WinName.resize(255);
    s.language = languageOfLocale(iniReadString(kGameIni, "main", "Language"));
    s.startLanguage = s.language;
}

int saveLanguageChoice(const GameSettings& s) {
    return iniWriteString(kGameIni, "main", "Language", s.language.c_str()) ? -1 : 0;
}

void loadCurrentPlayer(GameSettings& s) {
    s.currentPlayerIndex = iniReadInt(kProfilesIni, "main", "current");
    s.currentPlayerName.clear();
    if (s.currentPlayerIndex == -1) return;
    char key[16];
    std::snprintf(key, sizeof key, "%d", s.currentPlayerIndex);
    s.currentPlayerName = iniReadString(kProfilesIni, "users", key);
}

void setHighScoreName(HighScoreEntry& entry, const char* name) {
    std::snprintf(entry.name, sizeof entry.name, "%s", name ? name : "");
}

void loadHighScores(GameSettings& s) {
    for (int i = 0; i < 10; ++i) {
        const std::string index = std::to_string(i);
        setHighScoreName(s.highScoreTable[i], iniReadString(kGameIni, "highscores", ("name" + index).c_str()));
        s.highScoreTable[i].score = iniReadInt(kGameIni, "highscores", ("score" + index).c_str());
    }
}

int saveMainSettings(const GameSettings& s, float musicVolume, float effectsVolume) {
    int result = 0;
    result |= iniWriteInt(kGameIni, "main", "NOTCustom", s.NOTCustom);
    result |= iniWriteInt(kGameIni, "main", "FullScreen", s.fullScreen);
    result |= iniWriteInt(kGameIni, "main", "Color32", s.color32);
    result |= iniWriteFloat(kGameIni, "main", "music", musicVolume);
    result |= iniWriteFloat(kGameIni, "main", "sound", effectsVolume);
    return result ? -1 : 0;
}

int saveHighScores(const GameSettings& s) {
    int result = 0;
    for (int i = 0; i < 10; ++i) {
        const std::string index = std::to_string(i);
        result |= iniWriteString(kGameIni, "highscores", ("name" + index).c_str(), s.highScoreTable[i].name);
        result |= iniWriteInt(kGameIni, "highscores", ("score" + index).c_str(), s.highScoreTable[i].score);
    }
    return result ? -1 : 0;
}

int insertHighScore(GameSettings& s, const char* name, std::int32_t score) {
    auto& table = s.highScoreTable;
    std::size_t rank = 0;
    while (rank < table.size() && table[rank].score > score) ++rank;
    if (rank == table.size()) return -1;
    for (std::size_t i = table.size() - 1; i > rank; --i) table[i] = table[i - 1];
    table[rank] = HighScoreEntry{};
    setHighScoreName(table[rank], name);
    table[rank].score = score;
    return static_cast<int>(rank);
}
