// The screens around a level: its intro ("readyintro"), its result
// ("levelcomplete") and the puzzle's ("puzzlesolved"), the puzzle's dead
// end ("nomovespuzzle"), and the two win screens ("winquest",
// "winpuzzle").
//
// The big lettering of these screens ("LEVEL 2-2", "GO!", "LEVEL
// COMPLETE!", the counted bonus) is set by the game from the letter
// pictures; here are where it goes and the panels and pictures around it.
// The result panel slides in from above over the finished board, so it is
// a picture of its own with everything on it a control.

#include <cmath>
#include <string>
#include <vector>

#include "canvas.h"
#include "dialog_art.h"
#include "game_screen_layout.h"
#include "gem_drawing.h"
#include "generators.h"
#include "menu_art.h"
#include "picture_output.h"
#include "relic_drawing.h"
#include "scene_painting.h"
#include "screen_file.h"
#include "spoken_text.h"

namespace {

constexpr float kPi = 3.14159265f;
const std::string kMenu = "data\\menu\\";

// ---- The level intro ----------------------------------------------------

// "GO!" swells in the middle of the board, then rests this long.
constexpr int kGoRestMs = 600;

void generateReadyIntro(AssetTree& tree) {
    std::string text = screenFile(tree, "readyintro", {});
    const std::string extra = "x_center=" + std::to_string(gamelayout::kBoardCentreX) + "\r\ny_center=" +
                              std::to_string((gamelayout::kFieldTop + gamelayout::kFieldBottom) / 2) +
                              "\r\ntime_relax=" + std::to_string(kGoRestMs) + "\r\n";
    const std::string after = "ys=600\r\n";
    text.insert(text.find(after) + after.size(), extra);
    tree.writeText(kMenu + "readyintro.ini", text);
    tree.describe("screen", kMenu + "readyintro.ini", "controls= x_center y_center time_relax");
}

// ---- The level's result -------------------------------------------------

// The panel lies over the middle of the board, clear of the time bar and
// of the right-hand panel.
constexpr int kPanelWidth = 400, kPanelHeight = 362;
constexpr int kPanelX = gamelayout::kBoardCentreX - kPanelWidth / 2, kPanelY = 104;
constexpr int kRowLeft = 36, kRowRight = kPanelWidth - 36, kRowTop = 80, kRowHeight = 34, kRowStep = 40;
constexpr int kButtonWidth = 168, kButtonHeight = 46, kButtonMargin = 24;

// The level's score comes in two parts, so that together they make what
// the side panel's score gained: the points of the lines (with the time
// bonus in the quest) and the points the thrown gems paid.
struct ResultRow {
    const char* control;
    const char* label;
    int gemKind;
};
constexpr ResultRow kRows[] = {{"name", "Player", 0},
                               {"levelscore", "Level score", 2},
                               {"gempoints", "Gem points", 4},
                               {"time", "Time", 5},
                               {"kests", "Gems thrown", 7}};
constexpr int kRowCount = static_cast<int>(sizeof kRows / sizeof kRows[0]);

TextStyle labelStyle() { return engravedStyle(0xF4E2B8, 0xC89A50); }

// Room for a row's label between its gem and the value the game writes.
constexpr int kLabelRoom = kRowRight - kRowLeft - 38 - 110;

Image resultPanel(AssetTree& tree) {
    Image panel = titledPanel(tree, "levelcomplete/title", kPanelWidth, kPanelHeight, "Well played!");
    for (int i = 0; i < kRowCount; ++i) {
        const int top = kRowTop + kRowStep * i;
        drawOver(panel, wellPicture(kRowRight - kRowLeft, kRowHeight), kRowLeft, top);
        placeCentred(panel, decorativeGem(kRows[i].gemKind, 0.42f, 26, 0.7f), kRowLeft + 20, top + kRowHeight / 2.0f);
        const Image label = spokenLettering(tree,
                                            {std::string("levelcomplete/") + kRows[i].control, kRows[i].label,
                                             "a row's label on the level result panel", "Vollkorn-Italic.ttf", 20,
                                             kLabelRoom},
                                            labelStyle());
        drawOver(panel, label, kRowLeft + 38, top + (kRowHeight - label.frameHeight()) / 2);
    }
    drawGoldRule(panel, kPanelWidth * 0.15, kPanelWidth * 0.85, kRowTop + kRowStep * kRowCount - 2);
    return panel;
}

// A value the game writes, right-aligned at the end of its row.
Control rowValue(const ResultRow& row, int index) {
    const int top = kPanelY + kRowTop + kRowStep * index;
    return {row.control,
            {{"type", "static"},
             {"x", std::to_string(kPanelX + kRowRight - 16)},
             {"y", std::to_string(top)},
             {"xs", "0"},
             {"ys", std::to_string(kRowHeight)},
             {"xalign", "1"}}};
}

void generateLevelComplete(AssetTree& tree) {
    writePicture(tree, kMenu + "levelcomplete_panel.tga", resultPanel(tree), PictureFormat::Tga32);
    writeButtonSet(tree, kMenu + "button_result", kButtonWidth, kButtonHeight, -1);
    std::vector<Control> controls = {staticPicture("panel", kMenu + "levelcomplete_panel.tga", kPanelX, kPanelY)};
    for (int i = 0; i < kRowCount; ++i) controls.push_back(rowValue(kRows[i], i));
    // Going on is on the right; after the quest's last level it is alone,
    // and the game moves it to the middle.
    const int buttonY = kPanelY + kPanelHeight - 78;
    controls.push_back(button("mainmenu", "Main menu", kMenu + "button_result", kPanelX + kButtonMargin, buttonY));
    controls.push_back(button("next", "Next level", kMenu + "button_result",
                              kPanelX + kPanelWidth - kButtonMargin - kButtonWidth, buttonY));
    writeScreen(tree, "levelcomplete", controls);
    // The puzzle's result is its banner and a line of text over the board.
    writeScreen(tree, "puzzlesolved", {});
}

// ---- The puzzle's dead end ----------------------------------------------

// The game centres "NO MOVES!" on (430, 150); a band of shadow behind it
// and a hint below keep it readable over any board. The band ends where
// the side panel begins.
constexpr int kNoticeCentreX = 430, kNoticeCentreY = 150;
constexpr int kBandWidth = 2 * (gamelayout::kRightPanel.x - kNoticeCentreX), kBandHeight = 132;

Image noticeBand() {
    Image band(kBandWidth, kBandHeight);
    paintOn(band, [](cairo_t* cr) {
        cairo_pattern_t* shade = cairo_pattern_create_linear(0, 0, kBandWidth, 0);
        cairo_pattern_add_color_stop_rgba(shade, 0.0, 0.05, 0.02, 0.08, 0.0);
        cairo_pattern_add_color_stop_rgba(shade, 0.1, 0.05, 0.02, 0.08, 0.8);
        cairo_pattern_add_color_stop_rgba(shade, 0.9, 0.05, 0.02, 0.08, 0.8);
        cairo_pattern_add_color_stop_rgba(shade, 1.0, 0.05, 0.02, 0.08, 0.0);
        cairo_rectangle(cr, 0, 8, kBandWidth, kBandHeight - 16);
        cairo_set_source(cr, shade);
        cairo_fill(cr);
        cairo_pattern_destroy(shade);
    });
    drawGoldRule(band, 50, kBandWidth - 50, 6);
    drawGoldRule(band, 50, kBandWidth - 50, kBandHeight - 7);
    return band;
}

void generateNoMoves(AssetTree& tree) {
    writePicture(tree, kMenu + "nomoves_band.tga", noticeBand(), PictureFormat::Tga32);
    const int left = kNoticeCentreX - kBandWidth / 2, top = kNoticeCentreY - 50;
    writeScreen(tree, "nomovespuzzle",
                {staticPicture("band", kMenu + "nomoves_band.tga", left, top),
                 caption("hint", "Undo a move, or start again", left, top + 88, kBandWidth, 28)});
}

// ---- The win screens ----------------------------------------------------

// The banner letters' gold, larger and glowing.
TextStyle headlineStyle() {
    TextStyle s = goldLetteringStyle();
    s.outlineWidth = 3.0f;
    s.glow = hexColour(0xFFB040);
    s.glowRadius = 10.0f;
    s.glowOpacity = 0.35f;
    s.shadowDx = 3;
    s.shadowDy = 4;
    s.shadowBlur = 2.0f;
    s.shadowOpacity = 0.7f;
    return s;
}

// A picture scaled onto another with its centre at (cx, cy).
void placeScaled(Image& onto, const Image& picture, double scale, double cx, double cy) {
    Canvas canvas(onto.width, onto.height);
    canvas.drawImage(onto, 0, 0);
    cairo_save(canvas.cr());
    cairo_translate(canvas.cr(), cx - picture.width * scale / 2, cy - picture.height * scale / 2);
    cairo_scale(canvas.cr(), scale, scale);
    canvas.drawImage(picture, 0, 0);
    cairo_restore(canvas.cr());
    onto = canvas.toImage();
}

void addWinTitle(AssetTree& tree, Image& back, const std::string& screen, const std::string& title,
                 const std::string& line) {
    addBloom(back, 400, 92, 260, hexColour(0x6A3A10), 0.6f);
    placeCentred(back,
                 spokenLettering(tree,
                                 {screen + "/title", title, "the headline of a win screen", "Vollkorn-Black.ttf", 72,
                                  796},
                                 headlineStyle()),
                 400, 90);
    placeCentred(back,
                 spokenLettering(tree,
                                 {screen + "/line", line, "the line under a win screen's headline",
                                  "Vollkorn-Italic.ttf", 26, 700},
                                 engravedStyle(0xFFF4D8, 0xE8C890)),
                 400, 160);
    drawGoldRule(back, 230, 570, 190);
}

void addPressAnyKey(AssetTree& tree, Image& back) {
    drawGoldPanel(back, 250, 530, 300, 46, 14);
    placeCentred(back,
                 spokenLettering(tree,
                                 {"win/pressanykey", "Press any key", "on a plate at the foot of the win screens",
                                  "Vollkorn-Italic.ttf", 22, 270},
                                 engravedStyle(0xF4E2B8, 0xC89A50)),
                 400, 552);
}

// The six relics whole again, standing in an arc, each in its own light.
Image winQuestBackground(AssetTree& tree) {
    Image back = velvetBackdrop(800, 600, 400, 320);
    addWinTitle(tree, back, "winquest", "Quest complete!", "The six relics shine whole again");
    constexpr double kScale = 0.62;
    for (int episode = 1; episode <= 6; ++episode) {
        const RelicPictures& relic = relicPictures(episode);
        const Image& whole = relic.stages.back();
        const double t = (episode - 1) / 5.0;
        const double cx = 95 + 610 * t;
        const double cy = 372 - 44 * std::sin(kPi * t);
        const Rgb light = piecePalette((episode * 3) % 8).body * 0.6f;
        addBloom(back, static_cast<float>(cx), static_cast<float>(cy), 90, light, 0.45f);
        placeScaled(back, whole, kScale, cx, cy);
    }
    addPressAnyKey(tree, back);
    return back;
}

// Every gem of the game in a ring, like the rose window of the puzzles.
Image winPuzzleBackground(AssetTree& tree) {
    Image back = velvetBackdrop(800, 600, 400, 340);
    addWinTitle(tree, back, "winpuzzle", "Every puzzle solved!", "Not a single gem was left behind");
    addBloom(back, 400, 360, 200, hexColour(0x3A1C60), 0.6f);
    for (int i = 0; i < 8; ++i) {
        const float angle = 2 * kPi * i / 8 - kPi / 2;
        const float cx = 400 + 125 * std::cos(angle), cy = 362 + 125 * std::sin(angle);
        addBloom(back, cx, cy, 36, piecePalette(i).body * 0.55f, 0.4f);
        placeCentred(back, decorativeGem(i, 1.25f, 86, 0.85f), cx, cy);
    }
    // A gold rosette in the middle, where the window's light gathers.
    addBloom(back, 400, 362, 70, hexColour(0x8A5A18), 0.6f);
    paintOn(back, [](cairo_t* cr) {
        for (double r : {46.0, 30.0}) {
            cairo_new_path(cr);
            cairo_arc(cr, 400, 362, r, 0, 2 * kPi);
            goldStroke(cr, 362 - r, 362 + r, 4.0);
        }
        for (int i = 0; i < 8; ++i) {
            const double a = 2 * kPi * i / 8 - kPi / 2;
            goldDiamond(cr, 400 + 38 * std::cos(a), 362 + 38 * std::sin(a), 5);
        }
        goldDiamond(cr, 400, 362, 12);
    });
    addPressAnyKey(tree, back);
    return back;
}

void generateWinScreens(AssetTree& tree) {
    writeBackground(tree, kMenu + "winquest_back.jpg", winQuestBackground(tree));
    writeBackground(tree, kMenu + "winpuzzle_back.jpg", winPuzzleBackground(tree));
    writeScreen(tree, "winquest", {staticPicture("back", kMenu + "winquest_back.jpg", 0, 0)});
    writeScreen(tree, "winpuzzle", {staticPicture("back", kMenu + "winpuzzle_back.jpg", 0, 0)});
}

}  // namespace

void generateFlowScreens(AssetTree& tree) {
    generateReadyIntro(tree);
    generateLevelComplete(tree);
    generateNoMoves(tree);
    generateWinScreens(tree);
}
