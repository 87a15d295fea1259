// The order the generators run in. The contact sheet comes last: it shows
// every picture the others made.

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
