// The questions after a quest level has run out of time: "timeup" while
// lives remain, "gameover" when the last one is gone. The game first
// zooms the words "TIME UP!" in big letters over the frozen board, then
// slides these screens' controls down from above: a gold-framed panel
// with the question, "yes" to play the level again and "no" for the main
// menu.

#include <string>
#include <vector>

#include "dialog_art.h"
#include "generators.h"
#include "menu_art.h"
#include "picture_output.h"
#include "screen_file.h"

namespace {

const std::string kMenu = "data\\menu\\";
constexpr int kWidth = 420, kHeight = 232;
constexpr int kX = (800 - kWidth) / 2, kY = (600 - kHeight) / 2 - 10;
constexpr int kButtonWidth = 150;  // the wide button of the options panel

void generateQuestion(AssetTree& tree, const std::string& name, const std::string& title,
                      const std::vector<std::string>& lines, const std::string& yes, const std::string& no) {
    writePicture(tree, kMenu + name + "_panel.tga", titledPanel(kWidth, kHeight, title), PictureFormat::Tga32);
    std::vector<Control> controls = {staticPicture("panel", kMenu + name + "_panel.tga", kX, kY)};
    for (std::size_t i = 0; i < lines.size(); ++i)
        controls.push_back(caption("line" + std::to_string(i + 1), lines[i], kX, kY + 80 + 24 * static_cast<int>(i),
                                   kWidth, 22));
    const int buttonY = kY + kHeight - 74;
    controls.push_back(button("yes", yes, kMenu + "button_wide", kX + 44, buttonY));
    controls.push_back(button("no", no, kMenu + "button_wide", kX + kWidth - 44 - kButtonWidth, buttonY));
    writeScreen(tree, name, controls);
}

}  // namespace

void generateTimeUp(AssetTree& tree) {
    generateQuestion(tree, "timeup", "Out of time",
                     {"Out of time: one life is lost.", "Try this level again?"}, "Try again",
                     "Main menu");
    generateQuestion(tree, "gameover", "Game over",
                     {"Your last life is spent. Play this level", "again with a new score and five lives?"},
                     "Play on", "Main menu");
}
