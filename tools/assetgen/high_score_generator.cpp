// The high-score table's panel ("highscores"): a gold-framed panel with
// its heading, ten row bands for the ranks, name and score the game writes
// into them, and "ok". The rows' places are fixed by the game (first row
// centred 90 pixels below the panel's top, 34 apart; rank at 90, name at
// 120, score ending at 360), so the bands here follow them.

#include <string>
#include <vector>

#include "canvas.h"
#include "generators.h"
#include "dialog_art.h"
#include "menu_art.h"
#include "picture_output.h"
#include "screen_file.h"

namespace {

// Wide and tall enough to hide the main menu's panel underneath whole, and
// right of the game's title lettering, which stays whole beside it.
constexpr ScreenPlace kPanel{332, 20, 458, 576};
constexpr int kFirstRowY = 90, kRowStep = 34, kRows = 10;
constexpr int kBandLeft = 62, kBandRight = 388;
constexpr int kOkWidth = 150, kOkHeight = 46, kOkY = 488;

Image highScorePanel() {
    Image panel = panelPicture(kPanel.width - kPanelShadow, kPanel.height - kPanelShadow);
    drawGoldRule(panel, 70, kPanel.width - 90, 64);
    Canvas canvas(panel.width, panel.height);
    cairo_t* cr = canvas.cr();
    for (int i = 0; i < kRows; ++i) {
        const double middle = kFirstRowY + kRowStep * i;
        // Soft bands on every other row guide the eye across.
        const double alpha = i % 2 == 0 ? 0.10 : 0.04;
        cairo_set_source_rgba(cr, 1.0, 0.85, 0.55, alpha);
        cairo_rectangle(cr, kBandLeft, middle - kRowStep / 2.0 + 2, kBandRight - kBandLeft, kRowStep - 4);
        cairo_fill(cr);
    }
    drawOver(panel, canvas.toImage(), 0, 0);
    // The first three places wear a gem.
    const int kinds[3] = {2, 7, 5};
    for (int i = 0; i < 3; ++i) {
        const Image gem = decorativeGem(kinds[i], 0.5f, 28, 0.6f);
        drawOver(panel, gem, kBandLeft - 4 - 14, kFirstRowY + kRowStep * i - 14);
    }
    return panel;
}

}  // namespace

void generateHighScores(AssetTree& tree) {
    writePicture(tree, "data\\menu\\highscores_panel.tga", highScorePanel(), PictureFormat::Tga32);
    writeButtonSet(tree, "data\\menu\\button_scores_ok", kOkWidth, kOkHeight, -1);
    // The frame is centred in the picture less its shadow.
    const int contentWidth = kPanel.width - kPanelShadow;
    const std::vector<Control> controls = {
        staticPicture("back", "data\\menu\\highscores_panel.tga", 0, 0),
        heading("title", "Best scores", contentWidth / 2, 38, 300),
        button("ok", "OK", "data\\menu\\button_scores_ok", (contentWidth - kOkWidth) / 2, kOkY),
    };
    tree.writeText("data\\menu\\highscores.ini", screenFile(tree, "highscores", controls, kPanel));
    tree.describe("screen", "data\\menu\\highscores.ini", "controls=back,title,ok");
}
