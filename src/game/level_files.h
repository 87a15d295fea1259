#pragma once
// Where each mode keeps its maps. The names keep the spelling the game has
// always used; the path layer finds them in any letter case.

#include <string>

#include "board/board_types.h"

// Quest level n (1..40) and puzzle n (1 up).
std::string questLevelPath(int level);
std::string puzzleLevelPath(int level);

// The single map of action and of cube mode, and the second spelling under
// which the same two files are also opened.
extern const char* const kActionMapPath;
extern const char* const kCubeMapPath;
extern const char* const kActionMapPathUpper;
extern const char* const kCubeMapPathUpper;

// A game saved in the middle of a level: "data\profiles\<stem>quest.map" and
// likewise for action and cube. `profileStem` is the player's name already
// made safe for a file name by the profile code. Puzzle games are not saved
// as maps, so puzzle mode gives an empty path.
std::string savedGamePath(const std::string& profileStem, BoardMode mode);

// Quest episodes: 1-5, 6-11, 12-17, 18-24, 25-32, 33-40.
constexpr int kQuestLevels = 40;
constexpr int kEpisodes = 6;
// The episode (1..6) of a quest level, 0 outside 1..40.
int episodeOf(int level);
// The level's number within its episode (level 12 is 1), 0 outside 1..40.
int levelInEpisode(int level);
