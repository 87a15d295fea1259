#pragma once
// Every generator of the game's data. Each writes its files into the tree,
// describes them in the manifest and adds its pictures to the contact sheet.
// Later data (screen files, menu art, level maps) slots in as more of these.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "asset_tree.h"

// Runs every generator below in order (the contact sheet last).
void generateAll(AssetTree& tree);

void generateSettings(AssetTree& tree);
// The settings a new installation starts from (game.ini).
std::string defaultGameIni();
void generatePieces(AssetTree& tree);
void generateBoard(AssetTree& tree);
void generateEffects(AssetTree& tree);
void generateFonts(AssetTree& tree);
void generateLetters(AssetTree& tree);
void generateCursors(AssetTree& tree);
// The screen files and art of the title screen and the main menu.
void generateMenus(AssetTree& tree);
// The options panel, the resume menu and the leave and continue questions.
void generateOptionsPanels(AssetTree& tree);
// The player list, the name dialog and the delete question.
void generatePlayerScreens(AssetTree& tree);
void generateLetterGrid(AssetTree& tree);
// The help book: its sliding panel and its pages.
void generateHelp(AssetTree& tree);
// The eight tip dialogs.
void generateTips(AssetTree& tree);
// The high-score table's panel.
void generateHighScores(AssetTree& tree);
// The level intro, the level's and the puzzle's results, the puzzle's dead
// end and the two win screens.
void generateFlowScreens(AssetTree& tree);
// The quest map: the six episodes on a map, their windows and markers.
void generateQuestMap(AssetTree& tree);
// The questions after a level lost in time: "timeup" and "gameover".
void generateTimeUp(AssetTree& tree);
// The game screen's file, its HUD pictures and the back picture.
void generateGameScreen(AssetTree& tree);
// The scenes of the episodes and modes, the relics and the right panels.
void generateBackgrounds(AssetTree& tree);
// The side panels of quest, puzzle and cube (part of the backgrounds).
void generateSidePanels(AssetTree& tree);
// The tutorial panel and its texts.
void generateTutorials(AssetTree& tree);
// Review pictures of the game screen in every mode and episode.
void generateGameScreenPreview(AssetTree& tree);
// Effects, the sound table, the music and its configuration, the listing.
void generateSounds(AssetTree& tree);
// The language texts and the board's tuning.
void generateTexts(AssetTree& tree);
void generateContactSheet(AssetTree& tree);

// After generateAll: the files of every language with a catalogue in
// `catalogueFolder` (CODE.po), in the language's folder of the tree. False
// when a catalogue cannot be read (the failure is counted in the tree).
bool generateTranslations(AssetTree& tree, const std::string& catalogueFolder);

// What an installation carries beside the data tree, into a tree of its
// own: the icon at every size ("icons/NxN/shardfall.png") and the shipped
// game.ini. The icons also go on the contact sheet of `review`.
void generateInstallFiles(AssetTree& files, AssetTree& review);
constexpr int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
Image gameIcon(int size);

// The characters the big letters are drawn for: letters, digits and the
// punctuation the banner texts use ("Level 2-3", "Go!", scores). The game
// finds a letter in either case.
inline constexpr std::string_view kBigLetterSet = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789-!?.,':+";

// The accented capitals (and Spanish's opening marks) a translation may
// set in big letters, Latin-1: a language using any of them gets a set of
// its own with room for the accents (generateLetters).
inline constexpr std::string_view kBigLetterAccents =
    "\xC0\xC1\xC2\xC3\xC4\xC5\xC6\xC7\xC8\xC9\xCA\xCB\xCC\xCD\xCE\xCF"
    "\xD1\xD2\xD3\xD4\xD5\xD6\xD8\xD9\xDA\xDB\xDC\xDD\xA1\xBF";

// The letter pictures by character, every character of kBigLetterSet and
// then `extra`, all of one height (for the review and the tests).
std::vector<std::pair<char, Image>> letterPictures(std::string_view extra = {});

// The characters of kBigLetterAccents the big texts use in the language
// being written, as capitals, each once (text_generator.cpp).
std::string accentedLettersUsed(AssetTree& tree);
