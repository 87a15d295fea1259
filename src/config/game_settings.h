#pragma once
// The settings the game keeps in "game.ini" and the current player from
// "profiles.ini": one process-wide record, read at start-up, changed by the
// options and profile menus, written back at exit. The menus and the screen
// framework read it here, below everything that uses it.

#include <array>
#include <cstdint>
#include <string>

struct HighScoreEntry {
    char name[16] = {};  // 15 characters and the terminator
    std::int32_t score = 0;
};

struct GameSettings {
    // [main]
    std::int32_t dwPosX = 0, dwPosY = 0;  // "x", "y"
    std::int32_t dwScrX = 0, dwScrY = 0;  // "xs", "ys"
    std::int32_t fullScreen = 0;          // "FullScreen"
    std::int32_t color32 = 0;             // "Color32": kept and written back
    std::int32_t NOTCustom = 0;           // "NOTCustom": non-zero = system cursor everywhere
    std::int32_t sharpScaling = 0;        // "SharpScaling": 1 = whole multiples only, each pixel square
    std::int32_t muteUnfocused = 0;       // "MuteUnfocused": 1 = silent while another window has the focus
    std::string WinName;                  // "name", at most 255 characters
    // "Language": the code of the language the player picked on the options
    // panel, empty to follow the desktop. Written when it is picked, read at
    // the next start; `startLanguage` keeps what this run started with.
    std::string language;
    std::string startLanguage;

    // profiles.ini
    std::int32_t currentPlayerIndex = -1;  // [main] "current"; -1 = none
    std::string currentPlayerName;         // [users] value of the index

    // [highscores]
    std::array<HighScoreEntry, 10> highScoreTable{};

    // Whether tip dialogs appear. On at start and for every new player; a
    // tip with its "show" box ticked turns it off; a player's progress file
    // keeps it (its last byte is 1 when the tips are off).
    bool showTips = true;
};

// The one record.
GameSettings& gameSettings();

constexpr const char* kGameIni = "game.ini";
constexpr const char* kProfilesIni = "profiles.ini";

// Reads "x", "y", "xs", "ys", "FullScreen", "Color32", "NOTCustom", "name",
// "SharpScaling", "MuteUnfocused" and "Language" of [main]. Missing keys
// read as 0 or empty, and so does a language the game does not have.
// "SharpScaling" and "MuteUnfocused" are set by hand and never written back.
void loadWindowSettings(GameSettings& settings);

// Writes "Language" at once: the choice counts from the next start, which
// may come after a crash. Returns 0, or -1 if the write failed.
int saveLanguageChoice(const GameSettings& settings);

// Reads the current player's index and name from profiles.ini.
void loadCurrentPlayer(GameSettings& settings);

// Reads the ten high-score entries; names longer than 15 characters are cut.
void loadHighScores(GameSettings& settings);

// Writes "NOTCustom", "FullScreen", "Color32", then "music" and "sound" with
// the given volumes, in that order. Returns 0, or -1 if a write failed.
int saveMainSettings(const GameSettings& settings, float musicVolume, float effectsVolume);

// Writes the twenty high-score keys, name0, score0, name1, ... Returns 0, or
// -1 if a write failed.
int saveHighScores(const GameSettings& settings);

// Copies a name into an entry, cut at 15 characters.
void setHighScoreName(HighScoreEntry& entry, const char* name);

// Enters a finished quest's score: it goes before the first entry whose
// score is not above it (so an equal score ranks higher), the entries from
// there move down one place and the last falls off. A score below all ten
// is not entered. Returns the rank taken, or -1.
int insertHighScore(GameSettings& settings, const char* name, std::int32_t score);
