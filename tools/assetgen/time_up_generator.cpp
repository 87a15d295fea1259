// The questions after a quest level has run out of time: "timeup" while
// lives remain, "gameover" when the last one is gone. The game first
// zooms the words "TIME UP!" in big letters over the frozen board, then
// slides these screens' controls down from above: a gold-framed panel
// with the question, "yes" to play the level again and "no" for the main
// menu.

#include "generators.h"
#include "question_dialog.h"

void generateTimeUp(AssetTree& tree) {
    // Wider than the other questions: the game-over lines are long.
    writeQuestionDialog(tree, {"timeup", "Out of time", {"Out of time: one life is lost.", "Try this level again?"},
                               "yes", "Try again", "no", "Main menu", 420, 232});
    writeQuestionDialog(tree, {"gameover", "Game over",
                               {"Your last life is spent. Play this level", "again with a new score and five lives?"},
                               "yes", "Play on", "no", "Main menu", 420, 232});
}
