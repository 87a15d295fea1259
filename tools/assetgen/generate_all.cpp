// The order the generators run in. The contact sheet comes last: it shows
// every picture the others made.

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "config/language_choice.h"
#include "generators.h"

void generateAll(AssetTree& tree) {
    generateSettings(tree);
    generatePieces(tree);
    generateBoard(tree);
    generateEffects(tree);
    generateFonts(tree);
    generateLetters(tree);
    generateCursors(tree);
    generateMenus(tree);
    generateOptionsPanels(tree);
    generatePlayerScreens(tree);
    generateLetterGrid(tree);
    generateHelp(tree);
    generateTips(tree);
    generateHighScores(tree);
    generateFlowScreens(tree);
    generateQuestMap(tree);
    generateTimeUp(tree);
    generateGameScreen(tree);
    generateBackgrounds(tree);
    generateTutorials(tree);
    generateSounds(tree);
    generateTexts(tree);
    generateGameScreenPreview(tree);
    generateContactSheet(tree);
}

namespace {

// The generators that write what the player reads: a language's run
// writes its own copy of whatever comes out different from the English.
void generateTextFiles(AssetTree& tree) {
    generateMenus(tree);
    generateOptionsPanels(tree);
    generatePlayerScreens(tree);
    generateHelp(tree);
    generateTips(tree);
    generateHighScores(tree);
    generateFlowScreens(tree);
    generateQuestMap(tree);
    generateTimeUp(tree);
    generateGameScreen(tree);
    generateSidePanels(tree);
    generateTutorials(tree);
    generateTexts(tree);
    generateLetters(tree);
}

}  // namespace

bool generateTranslations(AssetTree& tree, const std::string& catalogueFolder) {
    bool allRead = true;
    for (const Language& language : kLanguages) {
        const std::string folder = languageFolder(language.code);
        if (folder.empty()) continue;  // English: the tree's own files
        const std::filesystem::path path = std::filesystem::path(catalogueFolder) / (std::string(language.code) + ".po");
        std::ifstream in(path, std::ios::binary);
        if (!in) continue;  // not translated yet: the game speaks English
        const std::string text((std::istreambuf_iterator<char>(in)), {});
        PoCatalogue catalogue;
        std::string error;
        if (!PoCatalogue::parse(text, catalogue, error)) {
            std::fprintf(stderr, "assetgen: %s:%s\n", path.c_str(), error.c_str());
            tree.reportFailure();
            allRead = false;
            continue;
        }
        tree.beginLanguage(folder, catalogue);
        generateTextFiles(tree);
        tree.endLanguage();
    }
    return allRead;
}
