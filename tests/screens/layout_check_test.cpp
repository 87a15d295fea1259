// The layout check: every text the game shows from a data tree, measured
// the way the game measures and draws it, in the place the game draws it.
// It runs over the tree the build generates; a translation's tree is one
// more entry in `kTrees`.
//
// What it checks, screen file by screen file (data\menu\*.ini, the help
// pages as the help book draws them) and text by text (data\language.ini):
//   1. Every button caption lies on its picture with the rim free: its
//      width (TextWidth in the menu font) inside the plate less its rim,
//      and its ink, in each of the three colourings and where each is
//      drawn (4 pixels below the middle, pressed 2 more), inside the plate
//      less its rim from top to bottom. A button without a picture (a
//      heading, a prompt) keeps its caption inside its own rectangle.
//   2. Every static text (in the font the game picks for it) lies inside
//      its box when it is centred in one, and inside the picture it is
//      drawn over, that picture's gold frame left free. Help lines are
//      statics of their page, drawn over the help panel.
//   3. The texts the game writes into controls at run time, at their
//      widest (a nine-letter name, the largest scores, the language
//      texts), by the same rules.
//   4. Every banner in the big letters lies inside the board area (left of
//      the side panel), measured from the letter pictures with
//      renderLetters' rule (letter widths, 30 pixels per space) at the
//      places the game starts them: "levelcomplete" from x = 40,
//      "puzzlesolved" from 120, the intro's label from 196 (every quest
//      level) or 176 (puzzles, action and cube), their last letter popping
//      to 130 %; "nomoves" centred on 430, the time bonus's label on 400,
//      "timeup" on 400, "go" on the intro's centre popping to 115 %; the
//      counted bonus, 40 pixels a digit with the units at 500.
//   5. The texts the game draws itself in a font: the combo banners and
//      "pressanykey" over the board, "dontshowtips" on every tip panel.
// A failure names the tree, the screen, the control, the text and how many
// pixels it runs over on which side.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "config/ini_store.h"
#include "config/language_choice.h"
#include "config/number_format.h"
#include "platform/latin1_text.h"
#include "platform/paths.h"
#include "graphics/font.h"
#include "graphics/game_fonts.h"
#include "graphics/sprite_loading.h"
#include "screens/help_menu_screen.h"
#include "screens/letter_banner.h"
#include "screens/no_moves_screen.h"
#include "screens/profile_menu_screen.h"
#include "screens/tip_dialog.h"
#include "ui/button_control.h"
#include "ui/checkbox_control.h"
#include "ui/progress_control.h"
#include "ui/static_control.h"
#include "ui/ui_test_support.h"

namespace {

namespace fs = std::filesystem;

struct Tree {
    const char* name;
    std::string root;      // holds data\ as the game reads it
    const char* language;  // the code of the language read first, or empty
};
const Tree kTrees[] = {{"generated", SHARDFALL_DIST_DIR, ""}, {"de", SHARDFALL_DIST_DIR, "de"},
                       {"fr", SHARDFALL_DIST_DIR, "fr"},      {"es", SHARDFALL_DIST_DIR, "es"},
                       {"it", SHARDFALL_DIST_DIR, "it"},      {"pt_BR", SHARDFALL_DIST_DIR, "pt_BR"},
                       {"nl", SHARDFALL_DIST_DIR, "nl"}};
void PrintTo(const Tree& tree, std::ostream* out) { *out << tree.name; }

// A text as a person reads it in the log: the word gap shown as a space,
// the accents in UTF-8.
std::string readable(std::string text) {
    std::replace(text.begin(), text.end(), '\xA0', ' ');
    return platform::latin1ToUtf8(text);
}

// The board area: the scene left of the side panel, inside the border.
constexpr int kAreaLeft = 15, kAreaTop = 15, kAreaRight = 635, kAreaBottom = 585;
// The gold rim of our button plates ends this many pixels inside the
// plate's solid edge; a caption's ink (its shadow too) keeps inside it.
constexpr int kButtonRim = 4;
// The gold frame of a panel or a backdrop: text keeps this far inside.
constexpr int kPictureFrame = 12;
// Below the middle of a plate where a caption is drawn, and further down
// while pressed (the game's drop, and its pressed colouring drawn a pixel
// lower still).
constexpr int kCaptionDrop = 4, kPressedDrop = 2;

struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
    Box inset(int by) const { return {left + by, top + by, right - by, bottom - by}; }
    Box moved(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

// The pixels of a picture's first frame that the blits draw as solid.
Box solidBox(const Sprite& picture) {
    const std::uint8_t* alpha = picture.alphaPlane();
    if (!alpha) return {0, 0, picture.width(), picture.height()};
    Box box{picture.width(), picture.height(), 0, 0};
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (alpha[static_cast<std::size_t>(y) * picture.width() + x] >= 128)
                box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
                       std::max(box.bottom, y + 1)};
    return box;
}

// The rows of a font's line cell that the text's glyphs ink (alpha 64 and
// more) in the colouring of `style`: first and one past the last.
std::pair<int, int> inkRows(const Font& font, const std::string& text, int style) {
    int first = font.lineHeight, last = 0;
    const std::uint8_t* alpha = font.alphaPlane();
    if (!alpha) return {0, font.lineHeight};
    const int rowOffset = fontVariantRow(font, style) * font.lineHeight;
    for (unsigned char c : text) {
        if (c < 33) continue;
        const GlyphMetrics& g = font.glyphs[c];
        for (int y = 0; y < font.lineHeight; ++y)
            for (int x = 0; x < g.width; ++x) {
                const int px = g.x + x, py = g.y + rowOffset + y;
                if (px < 0 || py < 0 || px >= font.width() || py >= font.height()) continue;
                if (alpha[static_cast<std::size_t>(py) * font.width() + px] < 64) continue;
                first = std::min(first, y);
                last = std::max(last, y + 1);
            }
    }
    return {first, std::max(first, last)};
}

// Where DrawText puts a line: its advance across (TextWidth) and its ink
// from top to bottom.
Box textBox(const Font& font, const std::string& text, int x, int y, int style, int hAlign, int vAlign) {
    const int width = TextWidth(&font, text.c_str());
    const int left = hAlign == 0 ? x - width / 2 : hAlign > 0 ? x - width : x;
    int top = vAlign == 0 ? y - font.lineHeight / 2 : vAlign > 0 ? y - font.lineHeight : y;
    if (style == 3) top += 1;
    const auto [inkTop, inkBottom] = inkRows(font, text, style);
    return {left, top + inkTop, left + width, top + inkBottom};
}

class LayoutCheck : public uitest::UiTest, public ::testing::WithParamInterface<Tree> {
protected:
    void SetUp() override {
        const fs::path data = fs::path(GetParam().root) / "data";
        ASSERT_TRUE(fs::exists(data / "menu" / "helpmenu.ini")) << "no data in " << GetParam().root;
        fs::create_directory_symlink(fs::absolute(data), dir.path() / "data");
        UiTest::SetUp();
        if (*GetParam().language) {
            ASSERT_TRUE(fs::exists(languageData())) << "no files of the language in " << languageData();
            platform::setLanguageFolder(languageFolder(GetParam().language));
        }
        loadGameFonts();
        setThousandsSeparator(iniReadString("data\\language.ini", "game", "thousands"));
        for (const auto& entry : fs::directory_iterator(data / "menu"))
            if (entry.path().extension() == ".ini") screenNames_.push_back(entry.path().stem().string());
        std::sort(screenNames_.begin(), screenNames_.end());
    }
    // The language's own files, beside the English ones (the generator
    // writes every name in lower case; the game finds names in any case).
    fs::path languageData() const {
        std::string folder = GetParam().language;
        for (char& c : folder) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return fs::path(GetParam().root) / "data" / "lang" / folder;
    }

    void TearDown() override {
        setThousandsSeparator(",");
        platform::setLanguageFolder("");
        screens_.clear();
        releaseGameFonts();
        UiTest::TearDown();
    }

    // The screen as the game loads it: help pages and the help panel's
    // frame as the help book holds them, the tips and the puzzle's notice
    // in their own classes (which choose their fonts).
    Screen* loadScreen(const std::string& name) {
        std::unique_ptr<Screen> screen;
        if (name.rfind("tip", 0) == 0 && name.size() > 4 && name.substr(name.size() - 4) == "_dlg")
            screen = std::make_unique<TipDialog>();
        else if (name == "nomovespuzzle")
            screen = std::make_unique<NoMovesScreen>();
        else if (name == "helpmenu")
            screen = std::make_unique<HelpMenuScreen>();
        else
            screen = std::make_unique<Screen>();
        const std::string file = "data\\menu\\" + name + ".ini";
        screen->load(file.c_str(), "main");
        screens_.push_back(std::move(screen));
        return screens_.back().get();
    }

    void expectInside(const std::string& where, const std::string& text, const Box& box, const Box& room,
                      const std::string& roomName) {
        const int over[4] = {room.left - box.left, room.top - box.top, box.right - room.right,
                             box.bottom - room.bottom};
        const char* sides[4] = {"left", "top", "right", "bottom"};
        ++checked_;
        // A translation changes a text's width, not its height: the
        // figure is the room left across.
        for (int i = 0; i < 4; i += 2)
            if (-over[i] < tightest_) {
                tightest_ = -over[i];
                tightestWhere_ = where + " \"" + readable(text) + "\" at the " + sides[i] + " of " + roomName;
            }
        for (int i = 0; i < 4; ++i)
            if (over[i] > 0)
                faults_.push_back(std::string(GetParam().name) + ": " + where + " \"" + readable(text) + "\" runs " +
                                  std::to_string(over[i]) + " px past the " + sides[i] + " of " + roomName);
    }
    // Rule 1: a button's caption on its plate.
    void checkButton(const std::string& where, const ButtonControl& button, const std::string& text) {
        const Font& menu = *gameFonts().menu;
        const Sprite* plate = button.stateImage(ButtonControl::kNormal);
        const int cx = button.x + button.xs / 2, cy = button.y + button.ys / 2;
        if (!hasPixels(plate)) {
            const Box own{button.x, button.y, button.x + button.xs, button.y + button.ys};
            Box line = textBox(menu, text, cx, cy, 1, 0, 0);
            line.top = own.top;  // headings and prompts are judged across only
            line.bottom = own.bottom;
            expectInside(where, text, line, own, "its rectangle");
            return;
        }
        const Box face = solidBox(*plate).moved(button.x, button.y).inset(kButtonRim);
        for (int style = 1; style <= 3; ++style) {
            const int drop = kCaptionDrop + (style == 3 ? kPressedDrop - 1 : 0);
            expectInside(where + " (colouring " + std::to_string(style) + ")", text,
                         textBox(menu, text, cx, cy + drop, style, 0, 0), face, "its plate less the rim");
        }
    }

    // The topmost picture of the screen that lies under the point and is
    // drawn before `control` (every one of them when `control` is not the
    // screen's); null for none.
    static const UiElement* pictureUnder(const Screen& screen, const UiElement& control, int x, int y) {
        bool below = control.parent() != &screen;
        for (int i = 0; i < screen.childCount(); ++i) {
            const UiElement* c = screen.child(i);
            if (c == &control) {
                below = true;
                continue;
            }
            if (!below || !hasPixels(c->image) || dynamic_cast<const ButtonControl*>(c)) continue;
            if (Box{c->x, c->y, c->x + c->xs, c->y + c->ys}.contains(x, y)) return c;
        }
        return nullptr;
    }

    // Rule 2: a static text in its box and on its picture. `backdrop` is
    // the screen whose pictures lie under this one's (a help page's panel).
    void checkStatic(const std::string& where, const Screen& screen, const UiElement& control, const std::string& text,
                     const Screen* backdrop = nullptr) {
        const Font& font = *staticFontOf(control);
        const int cx = control.x + control.xs / 2, cy = control.y + control.ys / 2;
        const Box line = textBox(font, text, cx, cy, 0, control.xalign, control.yalign);
        if (control.xs > 0 && control.xalign == 0)
            expectInside(where, text, {line.left, 0, line.right, 0}, {control.x, 0, control.x + control.xs, 0},
                         "its box");
        const int anchorX = control.xalign < 0 ? line.left : control.xalign > 0 ? line.right - 1 : cx;
        const UiElement* under = pictureUnder(screen, control, anchorX, cy);
        if (!under && backdrop) under = pictureUnder(*backdrop, control, anchorX, cy);
        if (!under) {
            expectInside(where, text, line, {0, 0, 800, 600}, "the screen");
            return;
        }
        const Box frame = solidBox(*under->image).moved(under->x, under->y).inset(kPictureFrame);
        expectInside(where, text, line, frame, std::string("the picture ") + under->name() + " less its frame");
    }

    void checkControl(const std::string& screenName, const Screen& screen, const UiElement& control,
                      const Screen* backdrop = nullptr) {
        const std::string text = control.caption();
        const std::string where = screenName + " " + control.name();
        if (const auto* button = dynamic_cast<const ButtonControl*>(&control)) {
            if (dynamic_cast<const ProgressControl*>(button) || dynamic_cast<const CheckboxControl*>(button)) return;
            if (!text.empty()) checkButton(where, *button, text);
            if (button->prompt() && button->prompt()->caption()[0] != '\0')
                checkButton(where + " prompt", *button->prompt(), button->prompt()->caption());
        } else if (dynamic_cast<const StaticControl*>(&control) && !text.empty()) {
            checkStatic(where, screen, control, text, backdrop);
        }
    }

    void checkScreen(const std::string& name, const Screen& screen, const Screen* backdrop = nullptr) {
        for (int i = 0; i < screen.childCount(); ++i) checkControl(name, screen, *screen.child(i), backdrop);
    }

    // A letter without a picture would leave a gap in the banner: every
    // character but a space must have one, accents included.
    void expectEveryLetterDrawn(const std::string& where, const std::string& text) {
        std::string missing;
        for (const char c : text)
            if (c != ' ' && !renderLetters(std::string(1, c))) missing += c;
        if (!missing.empty())
            faults_.push_back(std::string(GetParam().name) + ": " + where + " \"" + readable(text) +
                              "\" has no big letter for \"" + readable(missing) + "\"");
    }

    // Rule 4: a line of letters from `left`, its last letter popping to
    // `pop` times its size.
    void checkLetters(const std::string& where, const std::string& text, int left, int centreY, float pop) {
        expectEveryLetterDrawn(where, text);
        const std::unique_ptr<Sprite> line = renderLetters(text);
        ASSERT_TRUE(line) << where << ": no letters for \"" << text << "\"";
        const std::unique_ptr<Sprite> last = renderLetters(text.substr(text.size() - 1));
        const int popReach = last ? static_cast<int>((pop - 1.0f) * last->width() / 2 + 0.5f) : 0;
        const Box box{left, centreY - line->height() / 2, left + line->width() + popReach,
                      centreY + (line->height() + 1) / 2};
        expectInside(where, text, box, {kAreaLeft, kAreaTop, kAreaRight, kAreaBottom}, "the board area");
    }
    void checkCentredLetters(const std::string& where, const std::string& text, int centreX, int centreY,
                             float scale) {
        expectEveryLetterDrawn(where, text);
        const std::unique_ptr<Sprite> line = renderLetters(text);
        ASSERT_TRUE(line) << where << ": no letters for \"" << text << "\"";
        const int width = static_cast<int>(line->width() * scale), height = static_cast<int>(line->height() * scale);
        const Box box{centreX - width / 2, centreY - height / 2, centreX - width / 2 + width,
                      centreY - height / 2 + height};
        expectInside(where, text, box, {kAreaLeft, kAreaTop, kAreaRight, kAreaBottom}, "the board area");
    }

    std::string text(const char* key) const { return iniReadString("data\\language.ini", "game", key); }

    // The figures go to the log either way: how many placings were
    // checked and which came closest to its edge.
    void report() const {
        std::printf("[ layout   ] %s: %d texts checked, tightest fit across %d px: %s\n", GetParam().name, checked_,
                    tightest_, tightestWhere_.c_str());
        std::string all;
        for (const std::string& f : faults_) all += "\n  " + f;
        EXPECT_TRUE(faults_.empty()) << faults_.size() << " texts do not fit:" << all;
    }

    std::vector<std::string> screenNames_;
    std::vector<std::unique_ptr<Screen>> screens_;
    std::vector<std::string> faults_;
    int checked_ = 0;
    int tightest_ = 1 << 20;
    std::string tightestWhere_;
};

TEST_P(LayoutCheck, EveryScreenTextFitsWhereTheGameDrawsIt) {
    for (const std::string& name : screenNames_) {
        // The help pages are drawn inside the help panel, with it.
        if (name.rfind("help", 0) == 0 && name != "helpmenu") continue;
        Screen* screen = loadScreen(name);
        if (name != "helpmenu") {
            checkScreen(name, *screen);
            continue;
        }
        checkScreen(name, *screen);
        auto* book = dynamic_cast<HelpMenuScreen*>(screen);
        ASSERT_GT(book->pageCount(), 0);
        for (int page = 0; page < book->pageCount(); ++page)
            checkScreen("help" + std::to_string(page), *book->pageScreen(page), screen);
    }

    // Rule 3: what the game writes into controls, at its widest.
    const std::string name = "WWWWWWWWW";  // the name field holds nine letters
    struct Written {
        const char* screen;
        const char* control;
        std::string text;
    };
    std::vector<Written> written = {
        {"mainmenu", "name", name},
        {"levelcomplete", "name", name},
        {"levelcomplete", "levelscore", formatThousands(999999)},
        {"levelcomplete", "gempoints", formatThousands(99999)},
        {"levelcomplete", "time", "59 : 59"},
        {"levelcomplete", "kests", "999"},
        {"questmap", "continue", text("continue")},
        {"questmap", "continue", text("newgame")},
        {"editname", "message", text("playerlistfull")},
        {"deletedialog", "question", text("areyousure1") + " \"" + name + "\"?"},
        {"options", "language", text("languageauto")},
    };
    for (const Language& language : kLanguages) written.push_back({"options", "language", language.name});
    for (const Written& w : written) {
        Screen* screen = loadScreen(w.screen);
        UiElement* control = screen->findChild(w.control);
        if (!control) {
            faults_.push_back(std::string(GetParam().name) + ": " + w.screen + " has no control " + w.control);
            continue;
        }
        control->setText(w.text.c_str());
        checkControl(w.screen, *screen, *control);
    }
    // The quest map's prompts and the player list's first row.
    Screen* map = loadScreen("questmap");
    for (int episode = 1; episode <= 6; ++episode) {
        auto* button = dynamic_cast<ButtonControl*>(map->findChild(("episode" + std::to_string(episode)).c_str()));
        ASSERT_TRUE(button && button->prompt()) << "episode " << episode;
        for (const char* key : {"restart", "start"}) {
            button->setPromptText(text(key).c_str());
            checkControl("questmap", *map, *button);
        }
    }
    // The player list's rows, which the list makes itself: each a caption
    // centred in its row.
    for (const std::string& entry : {text("createnewplayer"), name}) {
        const Box row{ProfileMenuScreen::kRowX, 0, ProfileMenuScreen::kRowX + ProfileMenuScreen::kRowWidth, 0};
        const Box line = textBox(*gameFonts().statics, entry, (row.left + row.right) / 2, 0, 0, 0, 0);
        expectInside("profilemenu row", entry, {line.left, 0, line.right, 0}, row, "its row");
    }

    // Rule 5: texts the game draws in a font at places of its own.
    const Box area{kAreaLeft, kAreaTop, kAreaRight, kAreaBottom};
    for (const char* key : {"combo", "supercombo", "ultracombo", "unbelievable", "gembonus"}) {
        Box line = textBox(*gameFonts().combo, text(key), 416, 250, 0, 0, 0);
        line.left -= 8;  // the banner is drawn 16 pixels wider than its text
        line.right += 8;
        expectInside(std::string("combo banner ") + key, text(key), line, area, "the board area");
    }
    expectInside("puzzlesolved pressanykey", text("pressanykey"),
                 textBox(*gameFonts().dark, text("pressanykey"), 400, 500, 0, 0, 0), area, "the board area");
    for (const std::string& tip : screenNames_) {
        if (tip.rfind("tip", 0) != 0 || tip.size() < 5 || tip.substr(tip.size() - 4) != "_dlg") continue;
        const Screen* dialog = loadScreen(tip);
        const UiElement* back = dialog->findChild("back");
        ASSERT_TRUE(back && hasPixels(back->image)) << tip;
        expectInside(tip + " dontshowtips", text("dontshowtips"),
                     textBox(*gameFonts().help, text("dontshowtips"), 436, 354, 0, 0, 0),
                     solidBox(*back->image).moved(back->x, back->y).inset(kPictureFrame), "its panel less the frame");
    }
    report();
}

TEST_P(LayoutCheck, EveryBannerStaysInsideTheBoardArea) {
    constexpr float kLetterPop = 1.3f, kGoPop = 1.15f;
    constexpr int kBannerY = 300;
    checkLetters("levelcomplete banner", text("levelcomplete"), 40, kBannerY, kLetterPop);
    checkLetters("puzzlesolved banner", text("puzzlesolved"), 120, kBannerY, kLetterPop);
    // The intro's label: every quest level from 196, the other modes from
    // 176 (a puzzle's number, an action or cube level of three digits).
    for (int level = 1; level <= 40; ++level) {
        static const int firstOf[] = {1, 6, 12, 18, 25, 33, 41};
        int episode = 1;
        while (level >= firstOf[episode]) ++episode;
        const std::string label = text("level") + " " + std::to_string(episode) + "-" +
                                  std::to_string(level - firstOf[episode - 1] + 1);
        checkLetters("readyintro quest label", label, 196, kBannerY, kLetterPop);
    }
    int puzzles = 0;
    while (fileExists(("data\\levels\\puzzle\\puzzle" + std::to_string(puzzles + 1) + ".map").c_str())) ++puzzles;
    EXPECT_GT(puzzles, 0);
    const std::string puzzleWord = text("puzzle").empty() ? text("level") : text("puzzle");
    checkLetters("readyintro puzzle label", puzzleWord + " " + std::to_string(puzzles), 176, kBannerY, kLetterPop);
    checkLetters("readyintro action label", text("level") + " 999", 176, kBannerY, kLetterPop);
    const int introX = iniReadInt("data\\menu\\readyintro.ini", "main", "x_center");
    const int introY = iniReadInt("data\\menu\\readyintro.ini", "main", "y_center");
    checkCentredLetters("readyintro go", text("go"), introX, introY, kGoPop);
    checkCentredLetters("readyintro go (other modes)", text("go"), introX - 24, introY, kGoPop);
    checkCentredLetters("nomovespuzzle", text("nomoves"), NoMovesScreen::kCentreX, NoMovesScreen::kCentreY, 1.0f);
    checkCentredLetters("levelcomplete bonus label", text("bonus"), 400, 280, 1.0f);
    checkCentredLetters("timeup", text("timeup"), 400, 300, 1.0f);

    // The counted bonus: the units digit at 500, each further digit 40
    // pixels left, the top at 310; five digits at most (a level of 30
    // minutes).
    int right = 0, height = 0;
    for (int digit = 0; digit <= 9; ++digit) {
        Sprite* picture = GetSprite(("data\\letters\\" + std::to_string(digit) + ".tga").c_str());
        ASSERT_TRUE(hasPixels(picture)) << "digit " << digit;
        right = std::max(right, 500 + picture->width());
        height = std::max(height, picture->height());
        EXPECT_LE(picture->width(), 40) << "digit " << digit << " overlaps the next";
    }
    expectInside("levelcomplete counted bonus", "99999", {500 - 4 * 40, 310, right, 310 + height},
                 {kAreaLeft, kAreaTop, kAreaRight, kAreaBottom}, "the board area");
    report();
}

// Every text shown in a font, on the screens, in the language file and on
// the tutorial's cards: a piece is a gem in all of them ("cell" is for the
// board's squares), and words part with the fonts' gap, about a letter
// wide in every font, never with a space (half a line, three letters).
TEST_P(LayoutCheck, EveryTextSaysGemAndPartsItsWordsByALetter) {
    const std::vector<std::string> otherWords = {"stone", "stones", "tile", "tiles", "jewel", "jewels", "piece", "pieces"};
    const std::vector<std::string> letterTexts = {"levelcomplete", "puzzlesolved", "bonus", "nomoves",
                                                  "level",         "puzzle",       "go",    "timeup"};
    std::vector<std::string> found;
    // A translation is held to the word gaps; its words are its own.
    const bool english = !*GetParam().language;
    const fs::path data = english ? fs::path(GetParam().root) / "data" : languageData();
    for (const auto& entry : fs::recursive_directory_iterator(data)) {
        if (entry.path().extension() != ".ini") continue;
        const bool language = entry.path().filename() == "language.ini";
        std::ifstream in(entry.path(), std::ios::binary);
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            const std::size_t equals = line.find('=');
            if (line.empty() || line[0] == ';' || line[0] == '[' || equals == std::string::npos) continue;
            const std::string key = line.substr(0, equals), value = line.substr(equals + 1);
            const bool shown = key == "name" || language ||
                               (key.rfind("str", 0) == 0 && entry.path().parent_path().filename() == "menu");
            if (!shown) continue;
            const std::string where = fs::relative(entry.path(), data).string() + ": " + line;
            const bool inLetters = language && std::find(letterTexts.begin(), letterTexts.end(), key) != letterTexts.end();
            if (!inLetters && value.find(' ') != std::string::npos) found.push_back(where + " (a space for a gap)");
            std::string word;
            for (char c : value + " ") {
                if (std::isalpha(static_cast<unsigned char>(c))) {
                    word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
                    continue;
                }
                if (english && std::find(otherWords.begin(), otherWords.end(), word) != otherWords.end())
                    found.push_back(where + " (\"" + word + "\" for a gem)");
                word.clear();
            }
        }
    }
    const GameFonts& fonts = gameFonts();
    for (const Font* font : {fonts.menu, fonts.statics, fonts.dark, fonts.help, fonts.combo}) {
        const int gap = TextWidth(font, "\xA0"), letter = TextWidth(font, "n");
        if (gap < 3 || gap > letter)
            found.push_back(std::string(font->name) + ": a word gap of " + std::to_string(gap) + " px, \"n\" " +
                            std::to_string(letter) + " px");
    }
    std::string all;
    for (const std::string& f : found) all += "\n  " + f;
    EXPECT_TRUE(found.empty()) << found.size() << " texts:" << all;
}

INSTANTIATE_TEST_SUITE_P(Trees, LayoutCheck, ::testing::ValuesIn(kTrees),
                         [](const ::testing::TestParamInfo<Tree>& info) { return std::string(info.param.name); });

}  // namespace
