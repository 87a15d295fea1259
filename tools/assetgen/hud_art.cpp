#include "hud_art.h"

#include <cairo.h>

#include <cmath>
#include <cstdio>
#include <utility>

#include "cairo_shapes.h"
#include "canvas.h"
#include "cursor_generator.h"
#include "game_screen_layout.h"
#include "gem_drawing.h"
#include "materials.h"
#include "paint.h"
#include "painted_once.h"
#include "scene_painting.h"

namespace {

using namespace gamelayout;

constexpr double kPi = 3.14159265358979;

// The panel's own coordinates from the screen's.
constexpr int panelX(int screenX) { return screenX - kRightPanel.x; }
constexpr int panelY(int screenY) { return screenY - kRightPanel.y; }
constexpr ScreenRect inPanel(ScreenRect r) { return {panelX(r.x), panelY(r.y), r.w, r.h}; }

// A sunken plate the game writes a number on: dark velvet inside a thin
// gold rim, shadowed under its upper edge.
void valuePlate(cairo_t* cr, const ScreenRect& r) {
    roundedRectPath(cr, r.x, r.y, r.w, r.h, 8);
    setGradient(cr, material::kSunkenVelvet, 0, r.y, 0, r.bottom());
    cairo_fill_preserve(cr);
    goldStroke(cr, r.y, r.bottom(), 1.8);
}

// The hollow the wand's button sits in; empty when the wands run out.
void wandSocket(cairo_t* cr, double cx, double cy, double r) {
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    setRadialGradient(cr, material::kSocketVelvet, cx, cy - r * 0.3, r * 0.1, cx, cy, r);
    cairo_fill_preserve(cr);
    goldStroke(cr, cy - r, cy + r, 3.0);
    for (int i = 0; i < 4; ++i) {
        const double a = kPi / 4 + i * kPi / 2;
        goldDiamond(cr, cx + (r + 1) * std::cos(a), cy + (r + 1) * std::sin(a), 4.5);
    }
}

TextStyle labelStyle() { return engravedStyle(0xF8E6B8, 0xC8944A); }

// Lettering of the side panel stays inside its moulding and its edge.
constexpr int kPanelTextRoom = kRightPanel.w - 24;

// A label of the side panel in the tree's language, checked against the
// panel's width.
Image saidPanelLabel(AssetTree& tree, const std::string& context, const std::string& english, int pixelSize) {
    const std::string text =
        tree.say(context, english, "a label on the game's side panel, at most " + std::to_string(kPanelTextRoom) + " px");
    Image label = panelLabel(text, pixelSize);
    if (label.width > kPanelTextRoom) {
        std::fprintf(stderr, "assetgen: %s: \"%s\" is %d px, the side panel holds %d\n", context.c_str(),
                     text.c_str(), label.width, kPanelTextRoom);
        tree.reportFailure();
    }
    return label;
}

void labelAbove(AssetTree& tree, Image& panel, const std::string& context, const std::string& english,
                const ScreenRect& plate) {
    placeCentred(panel, saidPanelLabel(tree, context, english, 19), static_cast<float>(plate.centreX()),
                 static_cast<float>(plate.y - kLabelAbovePlate));
}

std::pair<const char*, const char*> modeName(PanelMode mode) {
    switch (mode) {
        case PanelMode::Quest: return {"panel/quest", "Quest"};
        case PanelMode::Puzzle: return {"panel/puzzle", "Puzzle"};
        case PanelMode::Action: return {"panel/action", "Action"};
        default: return {"panel/cube", "Cube"};
    }
}

Image panelVelvet() {
    Image panel = velvetBackdrop(kRightPanel.w, kRightPanel.h, kRightPanel.w / 2.0f, 120);
    // The divider between scene and panel: a gold moulding down the left.
    paintOn(panel, [](cairo_t* cr) {
        cairo_move_to(cr, 3, 0);
        cairo_line_to(cr, 3, kRightPanel.h);
        goldStroke(cr, 0, kRightPanel.h, 4.0);
        cairo_move_to(cr, 8.5, 0);
        cairo_line_to(cr, 8.5, kRightPanel.h);
        goldStroke(cr, 0, kRightPanel.h, 1.0, 0.85);
    });
    return panel;
}

// Lettering on a plate in the tree's language: its lines (the text parts
// them at line ends) centred on the plate's axis from `firstY`, at most
// `maxLines` of them, each inside the plate's frame.
void plateLines(AssetTree& tree, Image& plate, const std::string& context, const std::string& english,
                float firstY, float step, std::size_t maxLines) {
    const int room = plate.width - 28;
    const std::string text = tree.say(context, english,
                                      "on a goal plate beside the board: at most " + std::to_string(maxLines) +
                                          " lines (parted by \\n) of " + std::to_string(room) + " px");
    std::vector<std::string> lines(1);
    for (const char c : text) {
        if (c == '\n') lines.emplace_back(); else lines.back() += c;
    }
    if (lines.size() > maxLines) {
        std::fprintf(stderr, "assetgen: %s: %zu lines, the plate holds %zu\n", context.c_str(), lines.size(), maxLines);
        tree.reportFailure();
    }
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Image line = styledText(lines[i], "Vollkorn-Italic.ttf", 16, engravedStyle(0xFFF4DA, 0xE6CC98));
        if (line.width > room) {
            std::fprintf(stderr, "assetgen: %s: \"%s\" is %d px, the plate holds %d\n", context.c_str(),
                         lines[i].c_str(), line.width, room);
            tree.reportFailure();
        }
        placeCentred(plate, line, plate.width / 2.0f, firstY + step * static_cast<float>(i));
    }
}

// A framed plate with a heading under a rule: the goal plates.
Image goalPlate(AssetTree& tree, int width, int height, const std::string& context, const std::string& english,
                std::size_t maxLines) {
    Image plate(width, height);
    drawGoldPanel(plate, 4, 4, width - 10, height - 12, 12);
    placeCentred(plate, saidPanelLabel(tree, "plate/goal", "Goal", 20), width / 2.0f, 24);
    drawGoldRule(plate, 22, width - 22, 40);
    plateLines(tree, plate, context, english, 58, 19, maxLines);
    return plate;
}

Image paintRightPanel(AssetTree& tree, PanelMode mode);
Image paintBackFrame(AssetTree& tree);

}  // namespace

Image panelLabel(const std::string& text, int pixelSize) {
    return styledText(text, "Vollkorn-SemiBoldItalic.ttf", pixelSize, labelStyle());
}

const Image& rightPanel(AssetTree& tree, PanelMode mode) {
    static std::map<std::pair<PanelMode, std::string>, Image> painted;
    return paintedOnce(painted, {mode, tree.language()}, [&] { return paintRightPanel(tree, mode); });
}

const Image& gameBackFrame(AssetTree& tree) {
    static std::map<std::string, Image> painted;
    return paintedOnce(painted, tree.language(), [&] { return paintBackFrame(tree); });
}

namespace {

Image paintRightPanel(AssetTree& tree, PanelMode mode) {
    Image panel = panelVelvet();
    const float cx = static_cast<float>(panelX(kPanelCentreX));
    placeCentred(panel, titleLettering(27), cx, static_cast<float>(panelY(kTitleY)));
    const auto [modeContext, modeEnglish] = modeName(mode);
    const std::string modeText = tree.say(modeContext, modeEnglish,
                                          "the mode's name under the title on the game's side panel, at most " +
                                              std::to_string(kPanelTextRoom) + " px");
    const Image modeLabel = styledText(modeText, "Vollkorn-Italic.ttf", 19, labelStyle());
    if (modeLabel.width > kPanelTextRoom) {
        std::fprintf(stderr, "assetgen: %s: \"%s\" is %d px, the side panel holds %d\n", modeContext,
                     modeText.c_str(), modeLabel.width, kPanelTextRoom);
        tree.reportFailure();
    }
    placeCentred(panel, modeLabel, cx, static_cast<float>(panelY(kModeNameY)));
    drawGoldRule(panel, 22, kRightPanel.w - 14, panelY(kTitleRuleY));

    if (mode == PanelMode::Puzzle)
        labelAbove(tree, panel, "panel/puzzlenumber", "Puzzle", inPanel(kLevelPlate));
    else
        labelAbove(tree, panel, "panel/level", "Level", inPanel(kLevelPlate));
    if (mode != PanelMode::Puzzle) labelAbove(tree, panel, "panel/score", "Score", inPanel(kScorePlate));
    if (mode == PanelMode::Quest) {
        labelAbove(tree, panel, "panel/lives", "Lives", inPanel(kLivesPlate));
        placeCentred(panel, saidPanelLabel(tree, "panel/wands", "Wands", 19), cx,
                     static_cast<float>(panelY(kWandLabelY)));
    }
    paintOn(panel, [&](cairo_t* cr) {
        valuePlate(cr, inPanel(kLevelPlate));
        if (mode != PanelMode::Puzzle) valuePlate(cr, inPanel(kScorePlate));
        if (mode == PanelMode::Quest) {
            valuePlate(cr, inPanel(kLivesPlate));
            const ScreenRect socket = inPanel(kWandButton);
            wandSocket(cr, socket.centreX(), socket.centreY(), socket.w / 2.0 - 1);
            valuePlate(cr, inPanel(kWandCountPlate));
        }
    });
    if (mode == PanelMode::Quest) {
        // A small ruby heart on the lives plate, left of the number.
        const ScreenRect lives = inPanel(kLivesPlate);
        placeCentred(panel, decorativeGem(1, 0.36f, 26, 0.6f), lives.x + 16.0f, lives.centreY());
    }
    // The ornament between the plates and the buttons is gold only: a gem
    // there would look like one the game counts.
    drawGoldRule(panel, 22, kRightPanel.w - 14, panelY(kOrnamentY));
    paintOn(panel, [&](cairo_t* cr) {
        const double y = panelY(kOrnamentY);
        goldDiamond(cr, cx, y, 8);
        goldDiamond(cr, cx - 20, y, 4);
        goldDiamond(cr, cx + 20, y, 4);
    });
    drawGoldRule(panel, 22, kRightPanel.w - 14, panelY(kFootRuleY));
    return panel;
}

Image paintBackFrame(AssetTree& tree) {
    Image back = velvetBackdrop(kScreenWidth, kScreenHeight, 400, 300);
    drawOver(back, actionScene(), kScene.x, kScene.y);
    drawOver(back, rightPanel(tree, PanelMode::Action), kRightPanel.x, kRightPanel.y);
    // The border: a heavy moulding inside the 15 pixels the scenes leave,
    // a fine line along its inner edge, gold diamonds at the corners.
    paintOn(back, [](cairo_t* cr) {
        roundedRectPath(cr, 6, 6, kScreenWidth - 12, kScreenHeight - 12, 6);
        goldStroke(cr, 0, kScreenHeight, 6.0);
        roundedRectPath(cr, 12.5, 12.5, kScreenWidth - 25, kScreenHeight - 25, 2);
        goldStroke(cr, 0, kScreenHeight, 1.2, 0.85);
        for (double x : {7.0, kScreenWidth - 7.0})
            for (double y : {7.0, kScreenHeight - 7.0}) goldDiamond(cr, x, y, 7);
        goldDiamond(cr, kScreenWidth / 2.0, 7, 6);
        goldDiamond(cr, kScreenWidth / 2.0, kScreenHeight - 7, 6);
    });
    return back;
}

}  // namespace

Image livePlate(AssetTree& tree) {
    return goalPlate(tree, kLivePlate.w, kLivePlate.h, "plate/climb", "Fill the bar\nunder the board\nto climb\na level",
                     4);
}

Image puzzlePlate(AssetTree& tree) {
    Image plate = goalPlate(tree, kPuzzlePlate.w, kPuzzlePlate.h, "plate/clear", "Clear the board", 1);
    // Under the two buttons: a puzzle deals no new stones.
    plateLines(tree, plate, "plate/nonew", "No new gems",
               static_cast<float>(kResetButton.bottom() - kPuzzlePlate.y + 15), 0, 1);
    return plate;
}

Image wandButton(ButtonLook look) {
    const int size = kWandButton.w;
    Canvas canvas(size, size);
    cairo_t* cr = canvas.cr();
    const double c = size / 2.0, r = c - 4 + (look == ButtonLook::Pressed ? -1 : 0);
    const double cy = c + (look == ButtonLook::Pressed ? 1 : 0);
    struct Jewel {
        Rgb light, deep;
        double rim;
    };
    const Jewel j = look == ButtonLook::Active    ? Jewel{hexColour(0xD890FF), hexColour(0x4A1478), 1.2}
                    : look == ButtonLook::Pressed ? Jewel{hexColour(0x6A3090), hexColour(0x1A0630), 0.85}
                                                  : Jewel{hexColour(0xA060D8), hexColour(0x2A0A48), 1.0};
    cairo_arc(cr, c, cy, r, 0, 2 * kPi);
    cairo_pattern_t* body = cairo_pattern_create_radial(c - r * 0.3, cy - r * 0.4, r * 0.1, c, cy, r);
    cairo_pattern_add_color_stop_rgb(body, 0, j.light.r, j.light.g, j.light.b);
    cairo_pattern_add_color_stop_rgb(body, 1, j.deep.r, j.deep.g, j.deep.b);
    cairo_set_source(cr, body);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(body);
    goldStroke(cr, cy - r, cy + r, 3.0, j.rim);
    if (look == ButtonLook::Active) {
        cairo_arc(cr, c, cy, r - 4, 0, 2 * kPi);
        cairo_set_source_rgba(cr, 1.0, 0.8, 0.4, 0.45);
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
    }
    Image button = canvas.toImage();
    Image wand = magicWandPicture();
    drawOver(button, wand, static_cast<int>(c) - wand.width / 2 + 2, static_cast<int>(cy) - wand.height / 2 + 2,
             look == ButtonLook::Pressed ? 0.85f : 1.0f);
    return button;
}

Image tutorialPanel() {
    Canvas canvas(kHintWidth, kHintHeight);
    cairo_t* cr = canvas.cr();
    const double left = 2.5, top = 2.5, right = kHintWidth - 3.5, bottom = 106;
    const double tipX = kHintSpotX, tipY = kHintSpotY;
    // The card and its pointer as one outline, so the gold runs round both.
    const double r = 12;
    cairo_move_to(cr, left + r, top);
    cairo_arc(cr, right - r, top + r, r, -kPi / 2, 0);
    cairo_arc(cr, right - r, bottom - r, r, 0, kPi / 2);
    cairo_line_to(cr, tipX + 18, bottom);
    cairo_line_to(cr, tipX, tipY);
    cairo_line_to(cr, tipX - 8, bottom);
    cairo_arc(cr, left + r, bottom - r, r, kPi / 2, kPi);
    cairo_arc(cr, left + r, top + r, r, kPi, 3 * kPi / 2);
    cairo_close_path(cr);
    setGradient(cr, material::kCardVelvet, 0, top, 0, bottom);
    cairo_fill_preserve(cr);
    goldStroke(cr, top, tipY, 2.6);
    goldDiamond(cr, (left + right) / 2, top, 6);
    Image panel = canvas.toImage();
    Image shadow = shadowOf(panel, 1.5f, 2.5f, 2.0f, Rgb{0, 0, 0}, 0.6f);
    drawOver(shadow, panel, 0, 0);
    return shadow;
}
