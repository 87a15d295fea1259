// assetgen: writes the game's data tree (pictures, fonts, cursors, sounds,
// music, texts and settings) into the folder given on the command line,
// deterministically: the same program writes the same bytes every time.

#include <chrono>
#include <cstdio>

#include "generators.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: assetgen OUTPUT_DIR\n");
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    AssetTree tree(argv[1]);
    generateAll(tree);
    tree.finish();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("assetgen: %d files changed in %.1f s\n", tree.changedFiles(), seconds);
    return tree.failures() ? 1 : 0;
}
