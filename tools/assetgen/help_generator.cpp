// The help book: the sliding panel "helpmenu" with its "prev", "next" and
// "ok" buttons, and its pages "data\menu\help0.ini" to "help6.ini": the
// basics (swapping, lines, cascades, gems, the quest, hints), the special
// pieces and cells, then cube, puzzle and action mode, in the order the game
// screen opens them (2 cube, 3 puzzle, 4 action), then the keys for
// playing without a mouse, and last the buttons of a game controller.
//
// Each page is a column of items: a picture made from the board's own
// pictures and, beside it, a paragraph set in the help font and broken into
// lines here, so every line is a caption of its own and none runs past the
// panel. A paragraph that would need more lines than its item has room for
// is reported as a failure of the generator.

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

// The panel on the screen, and the page area inside it (panel pixels).
constexpr ScreenPlace kPanel{40, 15, 720, 570};
constexpr int kTitleY = 40;
constexpr int kRuleY = 64;
constexpr int kContentTop = 74, kContentBottom = 486;
constexpr int kPictureLeft = 30;
constexpr int kTextRight = 684;
constexpr int kLinePitch = 19;
// Room left between one item's text and the next.
constexpr int kItemGap = 10;
constexpr int kButtonWidth = 150, kButtonHeight = 46, kButtonY = 490;

struct HelpItem {
    std::string pictureName;  // file name under data\menu\help\, empty for none
    Image picture;
    std::string text;
};

struct HelpPage {
    std::string title;
    int pictureWidth = 0;  // the picture column; the text starts after it
    int itemHeight = 0;
    std::vector<HelpItem> items;
};

// Pictures side by side with a gap, centred on one line.
Image sideBySide(const std::vector<Image>& pictures, int gap) {
    int width = 0, height = 0;
    for (const Image& p : pictures) {
        width += p.width + (width > 0 ? gap : 0);
        height = std::max(height, p.height);
    }
    Image out(std::max(width, 1), std::max(height, 1));
    int x = 0;
    for (const Image& p : pictures) {
        drawOver(out, p, x, (height - p.height) / 2);
        x += p.width + gap;
    }
    return out;
}

constexpr float kSmall = 2.0f / 3.0f;

Image swapPicture() {
    Image patch = fieldPatch({"40 50 10s", "10 10 40"});
    drawArrow(patch, 124, 20, 124, 76, 9, true);
    return scaled(patch, kSmall);
}

// The middle gem on its way down into the gap a line left.
Image cascadePicture() { return scaled(fieldPatch({"50 20v 60", "70 .0 30"}), kSmall); }

// A big gem on its way into the collector's second slot; the first is full.
Image gemsPicture(const AssetTree& tree) {
    Image picture(136, 64);
    const Image slot = generatedFrame(tree, "diamond_collector");
    const Image filled = generatedFrame(tree, "diamond_collector_a");
    for (int i = 0; i < 2; ++i) drawOver(picture, slot, 40 + 48 * i, 20);
    drawOver(picture, filled, 40 + 18, 20 + 13);
    drawArrow(picture, 30, 16, 112, 34, -10, false);
    drawOver(picture, generatedFrame(tree, "diamond_big2", 3), 0, 0);
    return picture;
}

// The progress bar of action and cube mode, two thirds full.
Image progressPicture() {
    constexpr int kWidth = 112, kHeight = 22, kFilled = 74;
    Image bar = loadingBar(kWidth, kHeight, false);
    const Image full = loadingBar(kWidth, kHeight, true);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kFilled; ++x) bar.at(x, y) = full.at(x, y);
    return bar;
}

// Two gems of a colour with no third left anywhere: they stay for good.
Image strandedPicture() { return scaled(fieldPatch({"10 .0 .0 10"}), 0.6f); }

// A move taken back: an arrow turning back on itself.
Image undoPicture() {
    Image picture(96, 48);
    drawArrow(picture, 80, 34, 16, 34, 16, false);
    return picture;
}

HelpPage basicsPage(const AssetTree& tree) {
    HelpPage page{"How to play", 136, 68, {}};
    page.items = {
        {"swap", swapPicture(),
         "Press on a gem and drag it onto a neighbour, or click two neighbouring gems one after the other: they "
         "change places. A swap that makes no line slides back."},
        {"line", scaled(fieldPatch({"00h 00h 00h"}), kSmall),
         "Three or more alike gems in a row or a column vanish and score. Four or more at once also throw a gem "
         "that flies down and pays extra."},
        {"cascade", cascadePicture(),
         "The gems above fall into the gaps and new ones drop in. Every further line this makes in the same move "
         "pays more: 10 points a gem, then 20, then 30 and up."},
        {"gems", gemsPicture(tree),
         "A thrown gem pays 250 points when it lands, a big one 1,000. Big ones also fill the collector, the row "
         "of rings above the board: fill every ring for a bonus of 10,000."},
        {"quest", scaled(fieldPatch({"21 61 01", "31 12 52"}), kSmall),
         "Quest: make lines over every coated cell to clear it before the time bar runs out. Running out of time "
         "costs one of your five lives. 40 levels in six episodes."},
        {"hint", scaled(fieldPatch({"30 00h 30"}), kSmall),
         "Stuck? Wait a few seconds, or press H, and a gem that can make a line starts to glow."},
    };
    return page;
}

HelpPage specialsPage() {
    HelpPage page{"Special gems and cells", 104, 58, {}};
    auto cell = [](const std::string& token) { return fieldPatch({token}); };
    Image rainbow = fieldPatch({"R0s 10"});
    drawArrow(rainbow, 26, 16, 70, 16, -6, false);
    page.items = {
        {"coats", sideBySide({cell("21"), cell("62")}, 8),
         "A line over a coated cell strips a coat and scores 50 more. A single coat (left) needs one line, a "
         "double one (right) two."},
        {"plates", sideBySide({cell("53"), cell("14")}, 8),
         "A line over a score plate (left) pays 500 points; a wand plate (right) gives you a magic wand. Both "
         "count as coats."},
        {"locks", sideBySide({cell("50l"), cell("30L")}, 8),
         "A chained gem cannot move. Each line through it breaks one chain and makes the other gems of that line "
         "pay more."},
        {"bad", cell("B0"),
         "The bad gem: matched by your own swap, it leaves a coat on its cell. Taken by a cascade, it pays 100 "
         "points."},
        {"rainbow", rainbow,
         "The rainbow gem: click it, then a gem next to it, and it takes that gem's colour. Three rainbows in a "
         "row match too."},
        {"teleport", cell("40t"),
         "The teleport gem: click it, then any gem that is not locked. The two change places at once, however "
         "far apart."},
        {"wand", magicWandPicture(),
         "The magic wand: click the wand button, then a gem that is not locked. The gem vanishes and its cell "
         "loses a coat."},
    };
    return page;
}

HelpPage cubePage() {
    HelpPage page{"Cube mode", 120, 136, {}};
    page.items = {
        {"cube", scaled(fieldPatch({"30h 30h 10", "30h 30h 50", "60 20 40"}), 0.75f),
         "Cube mode plays with squares instead of lines: swap gems so that four alike form a square of two by "
         "two. The square vanishes, the gems above fall in, and every further square of the same move pays "
         "more."},
        {"cube_progress", progressPicture(),
         "Every gem you clear and every point you score fill the progress bar. When it is full, the next level "
         "begins; each asks a little more and brings more colours. There is no clock: take your time."},
        {"cube_specials", sideBySide({fieldPatch({"R0"}), fieldPatch({"20t"})}, 8),
         "From level 6 on, rainbow gems turn up, and from level 13 teleport gems. Your game is kept when you "
         "leave, so you can carry on later."},
    };
    return page;
}

HelpPage puzzlePage() {
    HelpPage page{"Puzzle mode", 120, 136, {}};
    page.items = {
        {"puzzle", scaled(fieldPatch({"_ 30 _", "_ 10 30", "10 30 10"}), 0.75f),
         "Each puzzle is a fixed board, and no new gems drop in: gems still fall into the gaps below them, but "
         "the board only empties. Clear every gem from the board to solve it."},
        {"puzzle_stranded", strandedPicture(),
         "A gem left without two partners of its colour can never be removed, so look ahead before you swap. "
         "There is no clock and no score: just you and the puzzle."},
        {"puzzle_undo", undoPicture(),
         "Undo takes back your moves one by one; Reset starts the puzzle again from the beginning. Each solved "
         "puzzle leads on to the next."},
    };
    return page;
}

HelpPage actionPage() {
    HelpPage page{"Action mode", 120, 136, {}};
    page.items = {
        {"action", scaled(fieldPatch({"60v 10 40v", ".0 60 .0", "50 00 60"}), 0.75f),
         "Action mode is one endless board that keeps filling up. Make lines as in the quest: every gem you "
         "clear and every point you score fill the progress bar."},
        {"action_progress", progressPicture(),
         "When the bar is full you reach the next level. Each level asks a little more, and every five levels "
         "another colour joins in, which makes lines harder to find."},
        {"action_gems", scaled(fieldPatch({"50h 50h 50h 50h"}), 0.6f),
         "There is no clock, so play at your own pace. Four or more alike at once throw gems for extra points, "
         "and your game is kept when you leave."},
    };
    return page;
}

HelpPage keyboardPage() {
    HelpPage page{"Playing with the keyboard", 154, 68, {}};
    page.items = {
        {"keys_arrows", sideBySide({arrowKeys(), ringedCell(2, false)}, 6),
         "The arrow keys move a ring of four gold corners from cell to cell. It shows at your first key press "
         "and goes as soon as you move the mouse."},
        {"keys_pick", sideBySide({ringedCell(2, true), keycap("Space", 60)}, 8),
         "Space or Enter picks up the gem in the ring; an arrow key then swaps it with its neighbour that way. "
         "Press Space again to put it back down."},
        {"keys_specials", sideBySide({scaled(fieldPatch({"R0"}), kSmall), scaled(fieldPatch({"40t"}), kSmall)}, 8),
         "A picked rainbow gem takes the colour of the neighbour an arrow points at. A picked teleport gem "
         "goes wherever you move the ring and press Space."},
        {"keys_wand", keycap("W", 30),
         "W takes up the magic wand, or puts it away. Move the ring to a gem that is not locked and press Space "
         "to use it."},
        {"keys_hint", sideBySide({keycap("H", 30), keycap("Esc", 40)}, 8),
         "H lights up a move at once. Escape opens the menu and F1 this book. In a puzzle, U takes back a move "
         "and R starts the puzzle again."},
        {"keys_menus", sideBySide({keycap("Tab", 44), keycap("Enter", 52)}, 8),
         "In the menus, Tab moves a gold frame from button to button (Shift and Tab go back), and Enter "
         "presses the framed one."},
    };
    return page;
}

// The last page: the same play with a game controller.
HelpPage padPage() {
    HelpPage page{"Playing with a controller", 154, 68, {}};
    page.items = {
        {"pad_move", sideBySide({arrowKeys(), ringedCell(2, false)}, 6),
         "The d-pad or the left stick moves the ring from cell to cell; hold it to keep going. In the menus it "
         "moves the gold frame from button to button."},
        {"pad_pick", sideBySide({keycap("A", 30), ringedCell(2, true)}, 8),
         "A picks up the gem in the ring, and the d-pad then swaps it. In the menus A presses the framed "
         "button."},
        {"pad_wand", sideBySide({keycap("X", 30), keycap("Y", 30)}, 8),
         "X takes up the magic wand or puts it away. Y lights up a move at once."},
        {"pad_menu", sideBySide({keycap("Start", 56), keycap("B", 30)}, 8),
         "Start opens the menu. B goes back, as Escape does, and Back opens this book."},
        {"pad_puzzle", sideBySide({keycap("LB", 40), keycap("RB", 40)}, 8),
         "In a puzzle the left shoulder takes back a move and the right one starts the puzzle again."},
        {"pad_name", keycap("A", 30),
         "To name a new player, move over the letters below the name box and press A on each; Done adds the "
         "player."},
    };
    return page;
}

void reportOverflow(AssetTree& tree, const std::string& where, const std::string& text) {
    std::fprintf(stderr, "assetgen: %s: the text does not fit its place: %s\n", where.c_str(), text.c_str());
    tree.reportFailure();
}

void writeHelpPage(AssetTree& tree, int number, const HelpPage& page) {
    const TextMeasure measure(helpFont());
    const std::string file = "data\\menu\\help" + std::to_string(number) + ".ini";
    std::vector<Control> controls = {heading("title", page.title, (kPanel.width - kPanelShadow) / 2, kTitleY, 600)};
    const int textLeft = kPictureLeft + page.pictureWidth + 14;
    const int textWidth = kTextRight - textLeft;
    for (std::size_t i = 0; i < page.items.size(); ++i) {
        const HelpItem& item = page.items[i];
        const std::string id = std::to_string(i + 1);
        const int top = kContentTop + static_cast<int>(i) * page.itemHeight;
        const int middle = top + page.itemHeight / 2;
        if (!item.pictureName.empty()) {
            const std::string path = "data\\menu\\help\\" + item.pictureName + ".tga";
            writePicture(tree, path, item.picture, PictureFormat::Tga32, "help_" + item.pictureName);
            if (item.picture.width > page.pictureWidth || item.picture.height > page.itemHeight)
                reportOverflow(tree, path, "picture larger than its place");
            controls.push_back(staticPicture("picture" + id, path,
                                             kPictureLeft + (page.pictureWidth - item.picture.width) / 2,
                                             middle - item.picture.height / 2));
        }
        const int roomLines = (page.itemHeight - kItemGap) / kLinePitch;
        const std::string text =
            tree.say("help" + std::to_string(number) + "/" + item.pictureName, item.text,
                     "help page " + std::to_string(number + 1) + " (" + page.title + "), a paragraph in lines of " +
                         std::to_string(textWidth) + " px, at most " + std::to_string(roomLines) + " lines");
        const std::vector<std::string> lines = wrapText(measure, text, textWidth);
        const int lineCount = static_cast<int>(lines.size());
        if (lineCount > roomLines || top + page.itemHeight > kContentBottom) reportOverflow(tree, file, text);
        for (int k = 0; k < lineCount; ++k) {
            if (measure.width(lines[k]) > textWidth) reportOverflow(tree, file, lines[k]);
            const int y = middle - (lineCount - 1) * kLinePitch / 2 + k * kLinePitch;
            Control line = caption("text" + id + "_" + std::to_string(k + 1), lines[k], textLeft, y, 0, 0, true);
            line.captionSaid = true;
            controls.push_back(line);
        }
    }
    // A page's controls lie inside the panel: the page itself sits at the
    // panel's corner.
    tree.writeText(file, screenFile(tree, "help" + std::to_string(number), controls, {0, 0, kPanel.width, kPanel.height}));
    tree.describe("screen", file, "page=" + std::to_string(number) + " controls=" + std::to_string(controls.size()));
}

void writeHelpPanel(AssetTree& tree) {
    Image panel = panelPicture(kPanel.width - kPanelShadow, kPanel.height - kPanelShadow);
    drawGoldRule(panel, 120, kPanel.width - 140, kRuleY);
    writePicture(tree, "data\\menu\\help_panel.tga", panel, PictureFormat::Tga32);
    const std::string stem = "data\\menu\\button_help";
    writeButtonSet(tree, stem, kButtonWidth, kButtonHeight, -1);

    // The frame is centred in the picture less its shadow.
    const int contentWidth = kPanel.width - kPanelShadow;
    const std::vector<Control> controls = {
        staticPicture("back", "data\\menu\\help_panel.tga", 0, 0),
        button("prev", "Previous", stem, 40, kButtonY),
        button("ok", "OK", stem, (contentWidth - kButtonWidth) / 2, kButtonY),
        button("next", "Next", stem, contentWidth - 40 - kButtonWidth, kButtonY),
    };
    tree.writeText("data\\menu\\helpmenu.ini", screenFile(tree, "helpmenu", controls, kPanel));
    tree.describe("screen", "data\\menu\\helpmenu.ini", "controls=back,prev,ok,next");
}

}  // namespace

void generateHelp(AssetTree& tree) {
    writeHelpPanel(tree);
    const std::vector<HelpPage> pages = {basicsPage(tree), specialsPage(), cubePage(),
                                         puzzlePage(),     actionPage(),   keyboardPage(), padPage()};
    for (std::size_t n = 0; n < pages.size(); ++n) writeHelpPage(tree, static_cast<int>(n), pages[n]);
}
