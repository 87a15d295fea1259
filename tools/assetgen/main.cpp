// assetgen: writes the game's data tree (pictures, fonts, cursors, sounds,
// music, texts and settings) into the folder given on the command line,
// deterministically: the same program writes the same bytes every time.
// A second folder, when given, receives what an installation carries
// beside the data: the icons and the shipped game.ini.

#include <chrono>
#include <cstdio>
#include <optional>

#include "generators.h"

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: assetgen OUTPUT_DIR [INSTALL_FILES_DIR]\n");
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    AssetTree tree(argv[1]);
    std::optional<AssetTree> installFiles;
    if (argc == 3) {
        installFiles.emplace(argv[2]);
        generateInstallFiles(*installFiles, tree);
    }
    generateAll(tree);
    tree.finish();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("assetgen: %d files changed in %.1f s\n", tree.changedFiles(), seconds);
    return tree.failures() || (installFiles && installFiles->failures()) ? 1 : 0;
}
