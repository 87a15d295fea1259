// assetgen: writes the game's data tree (pictures, fonts, cursors, sounds,
// music, texts and settings) into the folder given on the command line,
// deterministically: the same program writes the same bytes every time.
// A second folder, when given, receives what an installation carries
// beside the data: the icons and the shipped game.ini. With --po the
// languages whose catalogues that folder holds get their own files, and
// --template writes the template catalogue of every English text.

#include <chrono>
#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "generators.h"

namespace {

bool writeTemplate(const std::string& path, const std::vector<Message>& messages) {
    const std::string temp = path + ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out << templateCatalogue(messages);
        if (!out) {
            std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
            return false;
        }
    }
    return std::rename(temp.c_str(), path.c_str()) == 0;
}

constexpr const char* kUsage =
    "usage: assetgen [--po CATALOGUE_DIR] [--template POT_FILE] OUTPUT_DIR [INSTALL_FILES_DIR]\n";

}  // namespace

int main(int argc, char** argv) {
    std::string catalogues, templatePath;
    std::vector<std::string> folders;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if ((arg == "--po" || arg == "--template") && i + 1 < argc) {
            (arg == "--po" ? catalogues : templatePath) = argv[++i];
        } else if (arg.rfind("--", 0) == 0) {
            std::fprintf(stderr, "%s", kUsage);
            return 2;
        } else {
            folders.push_back(arg);
        }
    }
    if (folders.empty() || folders.size() > 2) {
        std::fprintf(stderr, "%s", kUsage);
        return 2;
    }
    const auto start = std::chrono::steady_clock::now();
    AssetTree tree(folders[0]);
    std::optional<AssetTree> installFiles;
    if (folders.size() == 2) {
        installFiles.emplace(folders[1]);
        generateInstallFiles(*installFiles, tree);
    }
    generateAll(tree);
    if (!catalogues.empty()) generateTranslations(tree, catalogues);
    tree.finish();
    if (!templatePath.empty() && !writeTemplate(templatePath, tree.templateMessages())) tree.reportFailure();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("assetgen: %d files changed in %.1f s\n", tree.changedFiles(), seconds);
    return tree.failures() || (installFiles && installFiles->failures()) ? 1 : 0;
}
