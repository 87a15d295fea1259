// The eight tip dialogs, one screen file each ("data\menu\tiptile_dlg.ini"
// ...): a gold-framed dialog over the dimmed game with a title, the
// element's picture made from the board's own pictures, two to four lines
// on what it does, the "show" box (ticked: no more tips) and "ok".
//
// The game draws the text beside the box itself ([game] "dontshowtips",
// centred at 436, 354), so the box stands just left of where that text
// begins, and its rectangle reaches over the text: a click on the words
// ticks the box too.

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "asset_tree.h"
#include "cursor_generator.h"
#include "generators.h"
#include "help_pictures.h"
#include "dialog_art.h"
#include "menu_art.h"
#include "picture_output.h"
#include "screen_file.h"
#include "text_layout.h"

namespace {

// The dialog's frame on the screen, and its picture with room for the shadow.
constexpr int kLeft = 170, kTop = 160, kWidth = 460, kHeight = 280;
// The frame is drawn 2 pixels into its picture.
constexpr int kFrameInset = 2;
constexpr int kTitleY = kTop + 30;
constexpr int kPictureLeft = kLeft + 26, kPictureTop = kTop + 54, kPictureSize = 96;
constexpr int kTextLeft = kPictureLeft + kPictureSize + 18, kTextRight = kLeft + kWidth - 24;
constexpr int kTextMiddle = kPictureTop + kPictureSize / 2;
constexpr int kLinePitch = 20, kMaxLines = 4;
// The text beside the box is centred here by the game.
constexpr int kDontShowX = 436, kDontShowY = 354;
constexpr int kBoxSize = 26;
constexpr int kOkWidth = 130, kOkHeight = 44, kOkTop = kTop + kHeight - kOkHeight - 16;

struct Tip {
    const char* screen;
    const char* title;
    Image picture;
    const char* text;
};

Image withWand(Image patch) {
    drawOver(patch, magicWandPicture(), patch.width - 44, patch.height - 46);
    return patch;
}

Image withArrow(Image patch, float x0, float y0, float x1, float y1, float bow) {
    drawArrow(patch, x0, y0, x1, y1, bow, false);
    return patch;
}

std::vector<Tip> tips() {
    return {
        {"tiptile_dlg", "Coated cells", fieldPatch({"21 51", "01 31"}),
         "Make lines over the coated cells to strip their coats. Clear every coat before the time runs out."},
        {"tipscore_dlg", "Score plates", fieldPatch({"43 20", "10 60"}),
         "A line over a score plate clears it and pays 500 points at once."},
        {"tipwand_dlg", "Wand plates", withWand(fieldPatch({"14 50", "30 20"})),
         "A wand plate gives you a magic wand. Click the wand button, then any gem to make it vanish."},
        {"tipraduga_dlg", "The rainbow gem", withArrow(fieldPatch({"R0s 10", "50 30"}), 26, 18, 70, 18, -6),
         "Click the rainbow gem, then a gem next to it: it takes on that gem's colour."},
        {"tipdouble_dlg", "Double coats", fieldPatch({"22 52", "32 02"}),
         "A double coat takes two lines to clear: the first strips only its upper coat."},
        {"tiplocked_dlg", "Locked gems", fieldPatch({"50l 30", "20 10L"}),
         "Chained gems cannot move. A line through one breaks a chain; a double lock needs two lines."},
        {"tipteleport_dlg", "The teleport gem", withArrow(fieldPatch({"40ts 20", "60 50"}), 28, 28, 70, 70, 10),
         "Click the teleport gem, then any gem on the board: the two change places at once."},
        {"tipbad_dlg", "The bad gem", fieldPatch({"20 B0", "50 30"}),
         "Do not match this gem yourself: it leaves a coat behind. Let a cascade take it away."},
    };
}

void writeTip(AssetTree& tree, const Tip& tip, const TextMeasure& measure) {
    const std::string name = tip.screen;
    const std::string picturePath = "data\\menu\\tips\\" + name.substr(0, name.size() - 4) + ".tga";
    writePicture(tree, picturePath, tip.picture, PictureFormat::Tga32);

    std::vector<Control> controls = {
        staticPicture("back", "data\\menu\\tip_panel.tga", kLeft - kFrameInset, kTop - kFrameInset),
        heading("title", tip.title, kLeft + kWidth / 2, kTitleY, kWidth - 60),
        staticPicture("picture", picturePath, kPictureLeft + (kPictureSize - tip.picture.width) / 2,
                      kPictureTop + (kPictureSize - tip.picture.height) / 2),
    };
    const std::string text =
        tree.say(name + "/text", tip.text,
                 "tip \"" + std::string(tip.title) + "\", in lines of " + std::to_string(kTextRight - kTextLeft) +
                     " px, at most " + std::to_string(kMaxLines) + " lines");
    const std::vector<std::string> lines = wrapText(measure, text, kTextRight - kTextLeft);
    const int count = static_cast<int>(lines.size());
    if (count > kMaxLines || tip.picture.width > kPictureSize || tip.picture.height > kPictureSize) {
        std::fprintf(stderr, "assetgen: %s: the tip does not fit its dialog\n", tip.screen);
        tree.reportFailure();
    }
    for (int k = 0; k < count; ++k) {
        Control line = caption("text" + std::to_string(k + 1), lines[k], kTextLeft,
                               kTextMiddle - (count - 1) * kLinePitch / 2 + k * kLinePitch, 0, 0, true);
        line.captionSaid = true;
        controls.push_back(line);
    }

    // The box ends a little before the centred text begins; its rectangle
    // runs on under the text.
    const int textHalf = 90;
    const int boxLeft = kDontShowX - textHalf - 12 - kBoxSize;
    Control box{"show",
                {{"type", "checkbox"},
                 {"x", std::to_string(boxLeft)},
                 {"y", std::to_string(kDontShowY - kBoxSize / 2)},
                 {"xs", std::to_string(kDontShowX + textHalf - boxLeft)},
                 {"ys", std::to_string(kBoxSize)},
                 {"path", "data\\menu\\tip_box.tga"},
                 {"path_a", "data\\menu\\tip_box_a.tga"},
                 {"path_p", "data\\menu\\tip_box_p.tga"},
                 {"value", "0"}}};
    controls.push_back(box);
    controls.push_back(button("ok", "OK", "data\\menu\\button_tip", kLeft + (kWidth - kOkWidth) / 2, kOkTop));

    const std::string file = "data\\menu\\" + name + ".ini";
    tree.writeText(file, screenFile(tree, name, controls));
    tree.describe("screen", file, "controls=back,title,picture,text,show,ok");
}

}  // namespace

void generateTips(AssetTree& tree) {
    writePicture(tree, "data\\menu\\tip_panel.tga", panelPicture(kWidth + 2 * kFrameInset, kHeight + 2 * kFrameInset),
                 PictureFormat::Tga32);
    writePicture(tree, "data\\menu\\tip_box.tga", checkBoxPicture(kBoxSize, ButtonLook::Normal, false),
                 PictureFormat::Tga32);
    writePicture(tree, "data\\menu\\tip_box_a.tga", checkBoxPicture(kBoxSize, ButtonLook::Active, false),
                 PictureFormat::Tga32);
    writePicture(tree, "data\\menu\\tip_box_p.tga", checkBoxPicture(kBoxSize, ButtonLook::Pressed, true),
                 PictureFormat::Tga32);
    writeButtonSet(tree, "data\\menu\\button_tip", kOkWidth, kOkHeight, -1);
    const TextMeasure measure(helpFont());
    for (const Tip& tip : tips()) writeTip(tree, tip, measure);
}
