// The tutorial panel "data\hint.tga" and its texts: "data\menu\tutorial.ini"
// (quest and action), "tutpuzzle.ini" and "tutcube.ini". Each file has the
// four entries the game offers, sections "0" to "3", five lines "str0" to
// "str4" each:
//   0  the first quiet moment with a move: the panel points at the move
//   1  the last seconds of a quest level: it points at the time bar
//   2  a coating or a plate flying off: it points at the cell
//   3  a swap that went back for want of a line (level 1 only)
// Lines are short enough for the panel in the help font; the data tests
// measure every one of them.

#include <string>
#include <vector>

#include "font_generator.h"
#include "game_screen_layout.h"
#include "generators.h"
#include "hud_art.h"
#include "image_files.h"
#include "picture_output.h"
#include "text_layout.h"

namespace {

using namespace gamelayout;

using Entry = std::vector<std::string>;  // five lines

struct TutorialFile {
    const char* path;
    const char* forWhom;
    std::vector<Entry> entries;  // 0..3
};

const std::vector<TutorialFile>& tutorialFiles() {
    static const std::vector<TutorialFile> files = {
        {"data\\menu\\tutorial.ini",
         "quest and action",
         {
             {"Here is a move for you!", "Drag this gem onto its", "neighbour to swap them.",
              "Three or more alike in a", "row vanish and score."},
             {"Time is nearly up! When", "the bar runs out, the", "level is lost with a life.",
              "Clear the last coatings", "or use a magic wand."},
             {"A coating flew off! Lines", "on coated cells clear", "them. Gold needs two.",
              "Score plates pay points,", "wand plates give a wand."},
             {"No line, so the gems", "went back. A swap counts", "only when it lines up",
              "three alike. Stuck? Wait:", "a move will start to glow."},
         }},
        {"data\\menu\\tutpuzzle.ini",
         "puzzle",
         {
             {"Every gem must go, and", "no new ones fall. Drag a", "gem onto a neighbour to",
              "line up three. Undo takes", "back a move; Reset, all."},
             {"Puzzles have no clock:", "take all the time you", "need. Think a few moves",
              "ahead; Undo and Reset", "are there if you slip."},
             {"A coating flew off! Every", "coated cell needs a line", "through it, so plan the",
              "moves that reach it", "while there are gems."},
             {"No line, so the gems", "went back. In a puzzle", "every swap must line up",
              "three alike. Count the", "gems of each colour."},
         }},
        {"data\\menu\\tutcube.ini",
         "cube",
         {
             {"In cube, squares score:", "swap so four alike form", "a 2 x 2 block. Drag this",
              "gem onto its neighbour", "to make one here."},
             {"Watch the bar under the", "board: every square fills", "it. When it is full, you",
              "climb a level and more", "colours join the game."},
             {"A plate flew off! Squares", "on coated cells clear", "them. Score plates pay",
              "points, wand plates give", "you a magic wand."},
             {"No square, so the gems", "went back. A swap counts", "only when it makes a",
              "2 x 2 block of four alike.", "Look for three together."},
         }},
    };
    return files;
}

std::string iniText(const TutorialFile& file) {
    std::string text = std::string("; The tutorial panel's texts for ") + file.forWhom +
                       ": entry 0 the first move,\r\n"
                       "; 1 the last seconds, 2 a coating flying off, 3 a swap that went back.\r\n";
    for (std::size_t e = 0; e < file.entries.size(); ++e) {
        text += "\r\n[" + std::to_string(e) + "]\r\n";
        for (std::size_t i = 0; i < file.entries[e].size(); ++i)
            text += "str" + std::to_string(i) + "=" + withWordGaps(file.entries[e][i]) + "\r\n";
    }
    return text;
}

// Every entry on its panel in the help font, as the game draws it, for a
// person to read through.
Image tutorialReview(const Image& panel) {
    const BitmapFont help = buildGameFont("DATA\\fonts\\font_help.tga");
    constexpr int kColumns = 4, kGap = 12;
    int rows = 0;
    for (const TutorialFile& file : tutorialFiles()) rows += static_cast<int>(file.entries.size() + kColumns - 1) / kColumns;
    Image sheet(kColumns * (kHintWidth + kGap), rows * (kHintHeight + kGap), 1, 0xFF202028u);
    int slot = 0;
    for (const TutorialFile& file : tutorialFiles())
        for (const Entry& entry : file.entries) {
            const int left = (slot % kColumns) * (kHintWidth + kGap), top = (slot / kColumns) * (kHintHeight + kGap);
            drawOver(sheet, panel, left, top);
            for (std::size_t i = 0; i < entry.size(); ++i) {
                const Image line = drawSample(help, withWordGaps(entry[i]));
                // The sample starts 8 pixels in; the game centres a line on its y.
                drawOver(sheet, line, left + kHintTextLeft - 8,
                         top + kHintFirstLine + kHintLineStep * static_cast<int>(i) - help.lineHeight / 2);
            }
            ++slot;
        }
    return sheet;
}

}  // namespace

void generateTutorials(AssetTree& tree) {
    const Image panel = tutorialPanel();
    writePicture(tree, "data\\hint.tga", panel, PictureFormat::Tga32);
    for (const TutorialFile& file : tutorialFiles()) {
        tree.writeText(file.path, iniText(file));
        tree.describe("ini", file.path, "sections=" + std::to_string(file.entries.size()) + " keys=5");
    }
    tree.writeFile("review/tutorial_preview.png", encodePng(tutorialReview(panel)));
}
