#pragma once
// A player's files: the 46-byte progress file "data\profiles\NAME.sav" with
// the progress of all four modes and the tips option, and the three saved
// boards "NAMEquest.map", "NAMEaction.map" and "NAMEcube.map" beside it.
//
// The progress file, big-endian like the level maps:
//
//   offset  size  field
//      0     1    puzzle level
//      1     1    action level
//      2     3    action score
//      5     1    action wands
//      6     2    action time (elapsed, seconds)
//      8     2    action gems
//     10     3    action level score
//     13     2    action progress
//     15     1    action collector (filled slots)
//     16     1    quest level (41 = the quest is won)
//     17     3    quest score
//     20     1    quest wands
//     21     2    quest time left (seconds)
//     23     2    quest gems
//     25     3    quest level score
//     28     1    quest lives
//     29     1    quest collector
//     30     1    highest quest level reached
//     31     1    cube level
//     32     3    cube score
//     35     2    cube time (elapsed, seconds)
//     37     2    cube gems
//     39     3    cube level score
//     42     2    cube progress
//     44     1    cube collector
//     45     1    tips off (1 = the player switched the tips off)
//     46     4    fingerprint of the saved quest board
//     50     4    fingerprint of the saved action board
//     54     4    fingerprint of the saved cube board
//
// A fingerprint names the one saved board that belongs to this progress
// (FNV-1a of the board file's bytes; 0 when no board does), so progress and
// board are one save: the board is written first under a pending name, the
// progress file last, and only then does the board take its own name. A
// save killed at any moment leaves a progress file whose board is either in
// place or still pending; a board that matches no fingerprint is left over
// from a save that never finished and is not resumed. Files of 46 bytes,
// from before the fingerprints, take whatever board is there, as they
// always did.
//
// Player names may hold any byte from 32 to 255. A plain name is its own
// file name ("Tess" is "Tess.sav"); `profileFileStem` escapes only what is
// unsafe in a file name, so no name reaches outside the folder and no two
// names share a file (the player list already refuses two names that differ
// in letter case alone, which the path layer would take for one file).
// Older versions escaped every capital too ("%54ess.sav"): such files are
// still read while no plain one exists, and give way to the plain name the
// next time they are written.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "board/board_types.h"

struct ActionProgress {
    int level = 1;
    int score = 0;
    int wands = 0;
    int timeSeconds = 0;
    int gems = 0;
    int levelScore = 0;
    int progress = 0;
    int collector = 0;
};

struct QuestProgress {
    int level = 1;
    int score = 0;
    int wands = 0;
    int timeLeftSeconds = 0;
    int gems = 0;
    int levelScore = 0;
    int lives = 0;
    int collector = 0;
};

struct CubeProgress {
    int level = 1;
    int score = 0;
    int timeSeconds = 0;
    int gems = 0;
    int levelScore = 0;
    int progress = 0;
    int collector = 0;
};

// The fingerprint that stands for "no saved board belongs to this progress".
constexpr std::uint32_t kNoSavedBoard = 0;

// Every field of the file; a default-made record holds the defaults of a
// player without a file (the tips option aside, which the caller sets from
// the current option).
struct ProgressRecord {
    int puzzleLevel = 1;
    ActionProgress action;
    QuestProgress quest;
    int highestQuestLevel = 0;
    CubeProgress cube;
    bool tipsOff = false;
    // The fingerprints of the quest, action and cube boards, in that order;
    // empty where the file does not say (a file from before them).
    std::array<std::optional<std::uint32_t>, 3> boardPrints;
};

// The progress file as older versions wrote it, and as it is written now.
constexpr std::size_t kOlderProgressFileSize = 46;
constexpr std::size_t kProgressFileSize = 58;

enum class ProfileFile { Progress, QuestBoard, ActionBoard, CubeBoard };

// The record's fingerprint of one of the three boards.
std::optional<std::uint32_t>& boardPrint(ProgressRecord& record, ProfileFile board);
// The fingerprint of a board file's bytes; never kNoSavedBoard.
std::uint32_t boardFingerprint(const std::vector<std::uint8_t>& bytes);

// The stem of a player's file names: printable ASCII as it is, but '%' and
// two lower-case hex digits for the path separators, '%', the characters
// some file systems refuse (: * ? " < > |), control bytes, bytes above 126,
// a dot next to another dot, and a space or dot at either end. "Tess" stays
// "Tess", "../x" gives "%2e%2e%2fx". Empty for an empty name.
std::string profileFileStem(const std::string& playerName);
// The game path of one of a player's files, "data\profiles\STEM.sav" and so
// on, under which it is written; empty for an empty name.
std::string profileFilePath(const std::string& playerName, ProfileFile file);
// Where the file is read from: the plain path, or the older escaped one
// while only that exists.
std::string profileFileReadPath(const std::string& playerName, ProfileFile file);
// Once the plain file is written, the older one has had its day.
void retireOlderFileName(const std::string& playerName, ProfileFile file);

std::vector<std::uint8_t> encodeProgress(const ProgressRecord& record);

enum class ProgressReadResult {
    Missing,   // no file: `record` is left as given (the defaults)
    Complete,  // exactly 58 bytes, or the 46 of older versions
    Damaged,   // short or long: what the file holds is read, the rest left as given
};

// Decodes the bytes over `record`, field by field, as far as they reach.
ProgressReadResult decodeProgress(const std::uint8_t* data, std::size_t size, ProgressRecord& record);

// Reads the player's progress file over `record`. A damaged file gets a line
// in gerr.log naming it. Files beyond 4 KiB are not read (Damaged).
ProgressReadResult readProgressFile(const std::string& playerName, ProgressRecord& record);

// Writes the whole record atomically, creating "data\profiles" when it is
// missing. A fingerprint the record does not know is taken from the board
// on disk. 0 on success, -1 on failure (the file on disk is then as it
// was, and errno tells why).
int writeProgressFile(const std::string& playerName, const ProgressRecord& record);

// What a save does with the mode's board.
enum class SavedBoardChange {
    Keep,     // the board and its fingerprint stay as they are
    Replace,  // the given bytes become the mode's saved board
    Forget,   // no board belongs to the progress any more; the file goes
};

// A save that could not be written: the file's path in the player's folder
// and why.
struct SaveFailure {
    std::string path;
    std::string reason;
};

// Saves a player's progress and the mode's board as one unit (see above).
// On failure every file is as it was before the save and no new file is
// left behind.
std::optional<SaveFailure> writeSaveUnit(const std::string& playerName, ProgressRecord record, BoardMode mode,
                                         SavedBoardChange change, const std::vector<std::uint8_t>& boardBytes = {});

// The saved board of the mode that belongs to the record: its game path,
// or empty when none does. A board still pending from a save whose
// progress was written takes its own name here; one left over from a save
// that never finished is removed.
std::string savedBoardToResume(const std::string& playerName, const ProgressRecord& record, ProfileFile board);

bool profileFileExists(const std::string& playerName, ProfileFile file);

// Whether the player's progress file has a saved board of that kind to
// resume (see savedBoardToResume).
bool hasSavedBoardToResume(const std::string& playerName, ProfileFile board);

// The board a mode keeps in the middle of a level; none in puzzle mode,
// whose levels are never saved half played.
std::optional<ProfileFile> savedBoardOf(BoardMode mode);

// Forgets the player's saved board of the mode, so the mode's next visit
// deals its level afresh from the progress file's numbers. The level-complete
// and time-up screens do this after saving. Nothing happens in puzzle mode
// or when there is no such file.
void deleteSavedBoard(const std::string& playerName, BoardMode mode);

// Removes all four files of the player, under both names; files that are
// not there are no error.
void deleteProfileFiles(const std::string& playerName);
