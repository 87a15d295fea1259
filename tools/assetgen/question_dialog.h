#pragma once
// A yes-or-no question on a gold-framed panel in the middle of the
// picture: the title on the panel, the question's lines below it and the
// two wide buttons of the options panel at the bottom. Leaving a game,
// going on with a saved quest and the questions after a quest level ran
// out of time all look like this.

#include <string>
#include <vector>

#include "asset_tree.h"

struct QuestionDialog {
    std::string name;   // the screen: "data\menu\NAME.ini" and NAME_panel.tga
    std::string title;  // on the panel
    std::vector<std::string> lines;
    // The buttons' sections and labels, the answer "yes" on the left.
    std::string yesSection, yesLabel;
    std::string noSection, noLabel;
    int width = 400, height = 210;
};

void writeQuestionDialog(AssetTree& tree, const QuestionDialog& dialog);
