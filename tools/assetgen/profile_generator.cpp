// The player list ("profilemenu"), the name dialog ("editname") and the
// question before a player is deleted ("deletedialog").
//
// The list's rows are not in its file: the game draws them, eight at a
// time, 228 x 25 pixels from (395, 190), over the well drawn here. The
// name dialog's "message" stays empty until there is something to say.

#include <string>
#include <vector>

#include "dialog_art.h"
#include "generators.h"
#include "menu_art.h"
#include "picture_output.h"
#include "screen_file.h"

namespace {

const std::string kMenu = "data\\menu\\";

// Where the game draws the rows.
constexpr int kRowX = 395, kRowY = 190, kRowWidth = 228, kRowsHeight = 8 * 25;

// The panel covers the main menu's own panel (345, 40, 340 x 525) whole,
// so no edge of it shows behind the list.
constexpr int kListX = 338, kListY = 33, kListWidth = 354, kListHeight = 540;
constexpr int kArrowWidth = 44, kArrowHeight = 28;
constexpr int kNarrowWidth = 94, kNarrowHeight = 44;
constexpr int kWideWidth = 150;

void writeArrowSet(AssetTree& tree, const std::string& stem, bool up) {
    writePicture(tree, stem + ".tga", arrowButton(kArrowWidth, kArrowHeight, ButtonLook::Normal, up),
                 PictureFormat::Tga32);
    writePicture(tree, stem + "_a.tga", arrowButton(kArrowWidth, kArrowHeight, ButtonLook::Active, up),
                 PictureFormat::Tga32);
    writePicture(tree, stem + "_p.tga", arrowButton(kArrowWidth, kArrowHeight, ButtonLook::Pressed, up),
                 PictureFormat::Tga32);
}

void generatePlayerList(AssetTree& tree) {
    writePicture(tree, kMenu + "players_panel.tga", titledPanel(tree, "profilemenu/title", kListWidth, kListHeight, "Players"),
                 PictureFormat::Tga32);
    writePicture(tree, kMenu + "players_well.tga", wellPicture(kRowWidth + 16, kRowsHeight + 12),
                 PictureFormat::Tga32);
    writeArrowSet(tree, kMenu + "arrow_up", true);
    writeArrowSet(tree, kMenu + "arrow_down", false);
    writeButtonSet(tree, kMenu + "button_narrow", kNarrowWidth, kNarrowHeight, -1);

    const int arrowX = kRowX + (kRowWidth - kArrowWidth) / 2;
    const int buttonY = kListY + kListHeight - 82;
    const int gap = (kListWidth - 3 * kNarrowWidth) / 4;
    const std::string narrow = kMenu + "button_narrow";
    const std::vector<Control> controls = {
        staticPicture("panel", kMenu + "players_panel.tga", kListX, kListY),
        staticPicture("well", kMenu + "players_well.tga", kRowX - 8, kRowY - 6),
        caption("hint", "Click a name twice to play", kListX, kRowY + kRowsHeight + 52, kListWidth, 16),
        button("up", "", kMenu + "arrow_up", arrowX, kRowY - 8 - kArrowHeight),
        button("down", "", kMenu + "arrow_down", arrowX, kRowY + kRowsHeight + 7),
        button("ok", "Play", narrow, kListX + gap, buttonY),
        button("delete", "Delete", narrow, kListX + 2 * gap + kNarrowWidth, buttonY),
        button("cancel", "Back", narrow, kListX + 3 * gap + 2 * kNarrowWidth, buttonY),
    };
    writeScreen(tree, "profilemenu", controls);
}

// A dialog panel in the middle of the picture.
struct DialogFrame {
    int x, y, width, height;
};

void generateNameDialog(AssetTree& tree) {
    const DialogFrame d{210, 180, 380, 240};
    writePicture(tree, kMenu + "editname_panel.tga", titledPanel(tree, "editname/title", d.width, d.height, "New player"),
                 PictureFormat::Tga32);
    constexpr int kFieldWidth = 220, kFieldHeight = 38;
    writePicture(tree, kMenu + "name_field.tga", wellPicture(kFieldWidth, kFieldHeight), PictureFormat::Tga32);
    const int fieldX = d.x + (d.width - kFieldWidth) / 2, fieldY = d.y + 104;
    const int buttonY = d.y + d.height - 70;
    const std::vector<Control> controls = {
        staticPicture("panel", kMenu + "editname_panel.tga", d.x, d.y),
        caption("prompt", "Type your name and press Enter", d.x, d.y + 74, d.width, 20),
        staticPicture("field", kMenu + "name_field.tga", fieldX, fieldY),
        {"edit",
         {{"type", "edit"},
          {"x", std::to_string(fieldX + 14)},
          {"y", std::to_string(fieldY + 3)},
          {"xs", std::to_string(kFieldWidth - 28)},
          {"ys", std::to_string(kFieldHeight - 6)}}},
        caption("message", "", d.x, fieldY + kFieldHeight + 6, d.width, 20),
        button("ok", "OK", kMenu + "button_wide", d.x + 30, buttonY),
        button("cancel", "Cancel", kMenu + "button_wide", d.x + d.width - 30 - kWideWidth, buttonY),
    };
    writeScreen(tree, "editname", controls);
}

void generateDeleteDialog(AssetTree& tree) {
    const DialogFrame d{190, 200, 420, 200};
    writePicture(tree, kMenu + "deletedialog_panel.tga", titledPanel(tree, "deletedialog/title", d.width, d.height, "Delete player"),
                 PictureFormat::Tga32);
    const int buttonY = d.y + d.height - 70;
    const std::vector<Control> controls = {
        staticPicture("panel", kMenu + "deletedialog_panel.tga", d.x, d.y),
        // The game writes the question with the player's name.
        caption("question", "", d.x, d.y + 80, d.width, 22),
        button("yes", "Delete", kMenu + "button_wide", d.x + 40, buttonY),
        button("no", "Keep", kMenu + "button_wide", d.x + d.width - 40 - kWideWidth, buttonY),
    };
    writeScreen(tree, "deletedialog", controls);
}

}  // namespace

void generatePlayerScreens(AssetTree& tree) {
    generatePlayerList(tree);
    generateNameDialog(tree);
    generateDeleteDialog(tree);
}
