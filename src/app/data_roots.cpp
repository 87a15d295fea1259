#include "app/data_roots.h"

#include <filesystem>
#include <system_error>

#include "platform/install_folders.h"
#include "platform/paths.h"

#ifndef SHARDFALL_DATA_FROM_PROGRAM
#define SHARDFALL_DATA_FROM_PROGRAM "../share/games/shardfall"
#endif

namespace {

std::string workingDirectory() {
    std::error_code error;
    const std::filesystem::path here = std::filesystem::current_path(error);
    return error ? std::string() : here.string();
}

}  // namespace

bool enterDataRoots(const std::string& dataDirectory, DataRoots& roots, std::string& error) {
    platform::setDataTree("");
    roots = DataRoots{};
    if (!dataDirectory.empty()) {
        if (!platform::changeDirectory(dataDirectory)) {
            error = "cannot enter the data directory " + dataDirectory;
            return false;
        }
        roots.playerFolder = workingDirectory();
        return true;
    }
    const std::string tree =
        platform::installedDataTree(platform::programFolder(), SHARDFALL_DATA_FROM_PROGRAM);
    if (tree.empty()) {
        roots.playerFolder = workingDirectory();
        return true;
    }
    const std::string own = platform::playerFolderFromEnvironment();
    if (own.empty()) {
        error = "no home folder to keep the game's files in (set HOME or XDG_DATA_HOME)";
        return false;
    }
    if (!platform::createPrivateFolder(own) || !platform::changeDirectory(own)) {
        error = "cannot use the folder " + own + " for the game's files";
        return false;
    }
    // The players' files go here; the progress writer makes the folder too,
    // but nothing should depend on which file a new player writes first.
    platform::makeDirectories("data\\profiles");
    platform::setDataTree(tree);
    roots.playerFolder = workingDirectory();
    roots.dataTree = tree;
    return true;
}
