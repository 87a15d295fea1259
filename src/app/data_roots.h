#pragma once
// Which folders the game reads and writes, chosen before anything is read.
//
//   --data DIR         DIR is the only root: the game changes into it.
//   installed          the program finds its data tree at a fixed place
//                      relative to itself (SHARDFALL_DATA_FROM_PROGRAM, by
//                      default "../share/games/shardfall" from "games/").
//                      The player's folder ($XDG_DATA_HOME/shardfall) is
//                      created when missing and becomes the working
//                      directory; the data tree is read where the player's
//                      folder has no file of that name.
//   otherwise          the working directory is the only root, as in the
//                      runnable tree build/dist.
//
// Everything that follows the working directory (gerr.log, the
// single-instance lock, every write) thus follows the player's folder.

#include <string>

struct DataRoots {
    std::string playerFolder;  // the working directory the game runs in
    std::string dataTree;      // empty: the player's folder is the only root
};

// Enters the roots for a --data argument (empty when not given). False with
// a message when a folder cannot be entered or made.
bool enterDataRoots(const std::string& dataDirectory, DataRoots& roots, std::string& error);
