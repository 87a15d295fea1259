#pragma once
// The folders of an installed game: the read-only data tree it was
// installed with, found relative to the program itself, and the player's own
// folder under the XDG data home, where everything the game writes goes.

#include <string>

namespace platform {

// The folder the running program lies in, symbolic links followed; empty
// when the system cannot tell.
std::string programFolder();

// The folder `relativeToProgram` names from `programFolder` (for example
// "../share/games/shardfall"), normalised, when it holds a folder "data":
// the data tree of an installed game. Empty when there is none.
std::string installedDataTree(const std::string& programFolder, const std::string& relativeToProgram);

// The player's folder: "$XDG_DATA_HOME/shardfall" when XDG_DATA_HOME is an
// absolute path, otherwise "$HOME/.local/share/shardfall". Empty when both
// are unusable. The environment's form reads both variables (and the
// password database when HOME is unset).
std::string playerFolder(const char* xdgDataHome, const char* home);
std::string playerFolderFromEnvironment();

// Creates a folder and its missing parents, readable by its owner alone
// (0700, as the XDG rules ask of folders made under the data home). True
// when it exists as a folder afterwards.
bool createPrivateFolder(const std::string& path);

}  // namespace platform
