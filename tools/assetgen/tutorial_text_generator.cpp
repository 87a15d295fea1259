// The tutorial panel "data\hint.tga" and its texts: "data\menu\tutorial.ini"
// (quest and action), "tutpuzzle.ini" and "tutcube.ini". Each file has the
// four entries the game offers, sections "0" to "3", five lines "str0" to
// "str4" each:
//   0  the first quiet moment with a move: the panel points at the move
//   1  the last seconds of a quest level: it points at the time bar
//   2  a coating or a plate flying off: it points at the cell
//   3  a swap that went back for want of a line (level 1 only)
// Lines are short enough for the panel in the help font; the data tests
// measure every one of them. The fifth line tells the player how to go on.

#include <cstdio>
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
    const char* key;  // tells its texts apart for translators
    const char* forWhom;
    std::vector<Entry> entries;  // 0..3
};

// The card waits for the player with the clock stopped, so its last line
// always says how to go on (the game adds a pulsing arrow after it). The
// first move's card goes on with the drag it asks for as well.
constexpr const char* kClickToGoOn = "Click to go on.";

const std::vector<TutorialFile>& tutorialFiles() {
    static const std::vector<TutorialFile> files = {
        {"data\\menu\\tutorial.ini",
         "tutorial",
         "quest and action",
         {
             {"Here is a move for you!", "Drag this gem onto its", "neighbour: three or more",
              "alike in a row score.", kClickToGoOn},
             {"Time is nearly up! When", "the bar runs out, a life", "is lost. Clear the last",
              "coats or use a wand.", kClickToGoOn},
             {"A coat flew off! Lines on", "coated cells clear them;", "gold needs two. Plates",
              "give points or a wand.", kClickToGoOn},
             {"No line, so the gems", "went back. A swap must", "line up three alike;",
              "stuck, wait for a glow.", kClickToGoOn},
         }},
        {"data\\menu\\tutpuzzle.ini",
         "tutpuzzle",
         "puzzle",
         {
             {"Every gem must go, and", "none fall in. Line up", "three alike; Undo takes",
              "back a move, Reset all.", kClickToGoOn},
             {"Puzzles have no clock:", "take all the time you", "need and think ahead.",
              "Undo and Reset help.", kClickToGoOn},
             {"A coat flew off! Every", "coated cell needs a line", "through it: reach it",
              "while gems are left.", kClickToGoOn},
             {"No line, so the gems", "went back. Every swap", "must line up three:",
              "count each colour.", kClickToGoOn},
         }},
        {"data\\menu\\tutcube.ini",
         "tutcube",
         "cube",
         {
             {"In cube, squares score:", "four alike in a 2 x 2", "block. Drag this gem",
              "onto its neighbour.", kClickToGoOn},
             {"Every square fills the", "bar under the board; a", "full bar climbs a level",
              "and adds a colour.", kClickToGoOn},
             {"A plate flew off! Squares", "on coated cells clear", "them. Plates give points",
              "or a magic wand.", kClickToGoOn},
             {"No square, so the gems", "went back: a swap must", "make a 2 x 2 block of",
              "four alike.", kClickToGoOn},
         }},
    };
    return files;
}

// An entry in the tree's language. The English lines are broken by hand;
// a translation is said as one paragraph and broken here to the panel's
// width, its last line the same "go on" for every card.
Entry spokenEntry(AssetTree& tree, const TutorialFile& file, std::size_t index, const TextMeasure& measure) {
    const Entry& english = file.entries[index];
    std::string paragraph;
    for (std::size_t i = 0; i + 1 < english.size(); ++i) paragraph += (paragraph.empty() ? "" : " ") + english[i];
    const std::string where = std::string("tutorial card ") + std::to_string(index) + " for " + file.forWhom;
    const std::string said = tree.say(std::string(file.key) + "/" + std::to_string(index), paragraph,
                                      where + ": four lines of " + std::to_string(kHintTextWidth) + " px at most");
    const std::string goOn = tree.say("tutorial/goon", kClickToGoOn, "last line of every tutorial card");
    if (said == paragraph && goOn == kClickToGoOn) return english;
    Entry lines = wrapText(measure, said, kHintTextWidth);
    if (static_cast<int>(lines.size()) > kHintLines - 1) {
        std::fprintf(stderr, "assetgen: %s: the translation needs %zu lines, the card has %d: %s\n", where.c_str(),
                     lines.size(), kHintLines - 1, said.c_str());
        tree.reportFailure();
        lines.resize(kHintLines - 1);
    }
    lines.resize(kHintLines - 1);
    lines.push_back(goOn);
    return lines;
}

std::vector<Entry> spokenEntries(AssetTree& tree, const TutorialFile& file) {
    const TextMeasure measure(helpFont());
    std::vector<Entry> entries;
    for (std::size_t e = 0; e < file.entries.size(); ++e) entries.push_back(spokenEntry(tree, file, e, measure));
    return entries;
}

std::string iniText(const TutorialFile& file, const std::vector<Entry>& entries) {
    std::string text = std::string("; The tutorial panel's texts for ") + file.forWhom +
                       ": entry 0 the first move,\r\n"
                       "; 1 the last seconds, 2 a coating flying off, 3 a swap that went back.\r\n";
    for (std::size_t e = 0; e < entries.size(); ++e) {
        text += "\r\n[" + std::to_string(e) + "]\r\n";
        for (std::size_t i = 0; i < entries[e].size(); ++i)
            text += "str" + std::to_string(i) + "=" + withWordGaps(entries[e][i]) + "\r\n";
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
        tree.writeText(file.path, iniText(file, spokenEntries(tree, file)));
        tree.describe("ini", file.path, "sections=" + std::to_string(file.entries.size()) + " keys=5");
    }
    tree.writeFile("review/tutorial_preview.png", encodePng(tutorialReview(panel)));
}
