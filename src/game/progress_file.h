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
//
// Player names may hold any byte from 32 to 255, so a name never goes into a
// file name as it is: `profileFileStem` maps it to a stem that holds no path
// separator, no "..", no control byte, and that no other name maps to, even
// when the path layer matches letters without regard to case.

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
};

constexpr std::size_t kProgressFileSize = 46;

enum class ProfileFile { Progress, QuestBoard, ActionBoard, CubeBoard };

// The stem of a player's file names: letters a-z, digits, '-' and '_' as
// they are; every other byte (capitals, space, dot, '%', Latin-1 ...) as
// '%' and two lower-case hex digits. "Bob" gives "%42ob", "../x" gives
// "%2e%2e%2fx". Empty for an empty name.
std::string profileFileStem(const std::string& playerName);
// The game path of one of a player's files, "data\profiles\STEM.sav" and so
// on; empty for an empty name.
std::string profileFilePath(const std::string& playerName, ProfileFile file);

std::vector<std::uint8_t> encodeProgress(const ProgressRecord& record);

enum class ProgressReadResult {
    Missing,   // no file: `record` is left as given (the defaults)
    Complete,  // exactly 46 bytes
    Damaged,   // short or long: what the file holds is read, the rest left as given
};

// Decodes the bytes over `record`, field by field, as far as they reach.
ProgressReadResult decodeProgress(const std::uint8_t* data, std::size_t size, ProgressRecord& record);

// Reads the player's progress file over `record`. A damaged file gets a line
// in gerr.log naming it. Files beyond 4 KiB are not read (Damaged).
ProgressReadResult readProgressFile(const std::string& playerName, ProgressRecord& record);

// Writes the whole record atomically, creating "data\profiles" when it is
// missing. 0 on success, -1 on failure (the file on disk is then as it was).
int writeProgressFile(const std::string& playerName, const ProgressRecord& record);

bool profileFileExists(const std::string& playerName, ProfileFile file);

// The board a mode keeps in the middle of a level; none in puzzle mode,
// whose levels are never saved half played.
std::optional<ProfileFile> savedBoardOf(BoardMode mode);

// Forgets the player's saved board of the mode, so the mode's next visit
// deals its level afresh from the progress file's numbers. The level-complete
// and time-up screens do this after saving. Nothing happens in puzzle mode
// or when there is no such file.
void deleteSavedBoard(const std::string& playerName, BoardMode mode);

// Removes all four files of the player; files that are not there are no
// error.
void deleteProfileFiles(const std::string& playerName);
