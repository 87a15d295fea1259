#include "question_dialog.h"

#include "dialog_art.h"
#include "picture_output.h"
#include "screen_file.h"

namespace {
const std::string kMenu = "data\\menu\\";
constexpr int kButtonWidth = 150;  // "button_wide", made with the options panel
constexpr int kButtonMargin = 40;
constexpr int kFirstLineY = 78, kLineHeight = 24;
constexpr int kButtonsFromBottom = 72;
}  // namespace

void writeQuestionDialog(AssetTree& tree, const QuestionDialog& d) {
    const int x = (800 - d.width) / 2, y = (600 - d.height) / 2 - 10;
    const std::string panel = kMenu + d.name + "_panel.tga";
    writePicture(tree, panel, titledPanel(tree, d.name + "/title", d.width, d.height, d.title), PictureFormat::Tga32);
    std::vector<Control> controls = {staticPicture("panel", panel, x, y)};
    for (std::size_t i = 0; i < d.lines.size(); ++i)
        controls.push_back(caption("line" + std::to_string(i + 1), d.lines[i], x,
                                   y + kFirstLineY + kLineHeight * static_cast<int>(i), d.width, 22));
    const int buttonY = y + d.height - kButtonsFromBottom;
    controls.push_back(button(d.yesSection, d.yesLabel, kMenu + "button_wide", x + kButtonMargin, buttonY));
    controls.push_back(button(d.noSection, d.noLabel, kMenu + "button_wide",
                              x + d.width - kButtonMargin - kButtonWidth, buttonY));
    writeScreen(tree, d.name, controls);
}
