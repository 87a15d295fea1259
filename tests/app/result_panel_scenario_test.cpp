// The real program, headless, judged on what its panels say and where they
// put it. An action level is swept with swaps until gems fly and then won
// with a typed word: the result panel's "Level score" and "Gem points",
// read off the screenshot, make the score the level gained, written the way
// the side panel writes numbers. The quest's last level is won: its result
// shows "Next level" alone, in the middle. The side panel's ornament holds
// no gem that nothing explains, and the high-score table leaves the title
// lettering whole.
//
// The numbers are read with the game's own static font: each glyph of
// "0123456789," drawn by the game's text drawing is a template, and each
// run of light columns in the screenshot is taken for the closest.

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "config/number_format.h"
#include "graphics/display.h"
#include "graphics/font.h"
#include "graphics/pixel_format.h"
#include "graphics/sprite.h"
#include "real_program.h"
#include "temp_dir.h"

namespace {

using namespace realprogram;
namespace fs = std::filesystem;

const std::string kDist = SHARDFALL_DIST_DIR;
const std::string kPlay = SHARDFALL_PLAY;
// The cream of the static font's letters, not the velvet, wells or gold.
bool cream(Rgb c) { return c.r > 200 && c.g > 180 && c.b > 140; }

class NumberReader {
public:
    // Draws the templates with the font of the data folder.
    explicit NumberReader(const fs::path& folder) {
        ScopedChdir inFolder(folder);
        SetDisplay(800, 600, 16, 0);
        setCurrentPixelFormat(pixelFormatTable[0]);
        Font* font = GetFont("DATA\\fonts\\fontStatic.tga");
        for (char c : std::string("0123456789,")) {
            Sprite cell;
            if (!font || !cell.createPixels(64, font->lineHeight)) break;
            cell.FillRect(0, 0, 64, font->lineHeight, 0xFF000000u);
            const char text[2] = {c, 0};
            DrawText(cell, font, 8, 0, text, 0, -1, -1);
            Picture p{64, font->lineHeight, {}};
            int pitch = 0;
            const std::uint16_t* pixels = cell.readablePixels(pitch);
            for (int y = 0; y < p.height; ++y)
                for (int x = 0; x < p.width; ++x) {
                    const std::uint16_t v = pixels[y * (pitch / 2) + x];
                    p.rgb.push_back(std::uint8_t((v >> 11) << 3));
                    p.rgb.push_back(std::uint8_t(((v >> 5) & 63) << 2));
                    p.rgb.push_back(std::uint8_t((v & 31) << 3));
                }
            templates_.push_back({c, inkOf(p, 0, 0, p.width, p.height)});
        }
        CloseDisplay();
    }

    // The number in the box, or what could be read of it ("?" for a glyph
    // like none of the templates).
    std::string read(const Picture& shot, int left, int top, int right, int bottom) const {
        std::string text;
        int x = left;
        while (x < right) {
            if (!columnInked(shot, x, top, bottom)) {
                ++x;
                continue;
            }
            const int start = x;
            while (x < right && columnInked(shot, x, top, bottom)) ++x;
            text += closest(inkOf(shot, start, top, x, bottom));
        }
        return text;
    }

    bool ready() const { return templates_.size() == 11; }

private:
    struct Ink {
        int width = 0, height = 0;
        std::vector<bool> on;
    };
    struct Template {
        char c;
        Ink ink;
    };

    static bool columnInked(const Picture& p, int x, int top, int bottom) {
        for (int y = top; y < bottom; ++y)
            if (cream(p.at(x, y))) return true;
        return false;
    }
    // The light pixels of the box, cut to their own bounds.
    static Ink inkOf(const Picture& p, int left, int top, int right, int bottom) {
        int x0 = right, y0 = bottom, x1 = left, y1 = top;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x)
                if (cream(p.at(x, y))) {
                    x0 = std::min(x0, x), y0 = std::min(y0, y), x1 = std::max(x1, x + 1), y1 = std::max(y1, y + 1);
                }
        Ink ink;
        if (x1 <= x0) return ink;
        ink.width = x1 - x0, ink.height = y1 - y0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) ink.on.push_back(cream(p.at(x, y)));
        return ink;
    }
    char closest(const Ink& ink) const {
        char best = '?';
        int bestScore = ink.width * ink.height / 4 + 1;
        for (const Template& t : templates_) {
            if (std::abs(t.ink.width - ink.width) > 1 || std::abs(t.ink.height - ink.height) > 1) continue;
            int score = 0;
            for (int y = 0; y < std::max(ink.height, t.ink.height); ++y)
                for (int x = 0; x < std::max(ink.width, t.ink.width); ++x) {
                    const bool a = x < ink.width && y < ink.height && ink.on[y * ink.width + x];
                    const bool b = x < t.ink.width && y < t.ink.height && t.ink.on[y * t.ink.width + x];
                    score += a != b;
                }
            if (score < bestScore) best = t.c, bestScore = score;
        }
        return best;
    }

    std::vector<Template> templates_;
};

int numberOf(const std::string& text) {
    std::string digits;
    for (char c : text)
        if (c != ',') digits += c;
    return digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos ? -1 : std::stoi(digits);
}

class ResultPanelScenario : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fs::exists(kDist + "/data/menu/levelcomplete.ini")) << "no generated data in " << kDist;
        linkGeneratedData(kDist, dir.path());
        dir.write("game.ini", "[main]\r\nname=Shardfall result scenario\r\nxs=800\r\nys=600\r\nmusic=0\r\nsound=0\r\n");
        dir.write("profiles.ini", "[main]\r\ncurrent=0\r\n[users]\r\n0=Ann\r\n");
        // Tips off: no dialog waits at a level's start.
        ProgressRecord record;
        record.tipsOff = true;
        const std::vector<std::uint8_t> bytes = encodeProgress(record);
        dir.write("data/profiles/" + profileFileStem("Ann") + ".sav", std::string(bytes.begin(), bytes.end()));
    }
    int play(const std::string& script) {
        dir.write("play.txt", script + "quit\n");
        return run(kPlay, {"--headless", "--seed", "7", "--data", dir.path().string(), "--script",
                           dir.file("play.txt")});
    }
    Picture shot(const std::string& name) const { return readPng(dir.file(name)); }
    // The value a control of the result panel shows: right-aligned at its x
    // over its row.
    std::string resultValue(const NumberReader& reader, const Picture& p, const char* control) const {
        const std::string file = kDist + "/data/menu/levelcomplete.ini";
        const int x = screenFileNumber(file, control, "x"), y = screenFileNumber(file, control, "y"),
                  ys = screenFileNumber(file, control, "ys");
        if (x < 0 || y < 0 || ys <= 0) return "(no " + std::string(control) + ")";
        return reader.read(p, x - 140, y + 4, x + 4, y + ys - 4);
    }

    TempDir dir;
};

// The title's "start", the menu's mode button (quest, puzzle, action, cube
// from the top), the level's fade-in and intro, a click beside the board.
std::string intoMode(int button) {
    std::string script = "wait 300\nclick 400 516\nwait 1000\nclick 515 " + std::to_string(210 + 60 * button) + "\n";
    if (button == 0) {
        const std::string map = kDist + "/data/menu/questmap.ini";
        const int x = screenFileNumber(map, "episode1", "x"), y = screenFileNumber(map, "episode1", "y");
        script += "wait 1000\nclick " + std::to_string(x + 86) + " " + std::to_string(y + 78) + "\n";
    }
    return script + "wait 7000\nclick 720 20\nwait 300\n";
}

TEST_F(ResultPanelScenario, TheResultPanelsFiguresMakeWhatTheLevelAddedToTheScore) {
    // Three sweeps of the action board, time for the last gems to land,
    // then the level is won.
    ASSERT_EQ(play(intoMode(2) + sweepSwaps(240, 104, 8, 8, 3, 600) + "wait 4000\ntype shatter\nwait 6000\n"
                   "shot result.png\n"),
              0);
    const NumberReader reader(dir.path());
    ASSERT_TRUE(reader.ready());
    const Picture result = shot("result.png");
    ASSERT_EQ(result.width, 800);

    const std::string lines = resultValue(reader, result, "levelscore");
    const std::string gems = resultValue(reader, result, "gempoints");
    const int gained = savedProgress(dir.path(), "Ann").action.score;
    SCOPED_TRACE("level score \"" + lines + "\", gem points \"" + gems + "\", gained " + std::to_string(gained));
    ASSERT_GT(numberOf(gems), 0) << "the sweeps threw no gem, or the panel does not say what they paid";
    EXPECT_EQ(numberOf(lines) + numberOf(gems), gained);
    // Written as the side panel writes its score.
    EXPECT_EQ(lines, formatThousands(numberOf(lines)));
    EXPECT_EQ(gems, formatThousands(numberOf(gems)));
}

TEST_F(ResultPanelScenario, TheLastQuestLevelsResultShowsNextAloneInTheMiddle) {
    // Level 39 won by a word, "next" to level 40, which is won too.
    const std::string file = kDist + "/data/menu/levelcomplete.ini";
    const int nextX = screenFileNumber(file, "next", "x"), nextY = screenFileNumber(file, "next", "y");
    const int menuX = screenFileNumber(file, "mainmenu", "x");
    ASSERT_EQ(play(intoMode(0) + "type crown\nwait 9000\nshot level39.png\nmove " + std::to_string(nextX + 80) + " " +
                   std::to_string(nextY + 23) + "\nwait 100\nclick " + std::to_string(nextX + 80) + " " +
                   std::to_string(nextY + 23) + "\nwait 7000\nshot level40.png\nclick 720 20\nwait 300\n"
                   "type shatter\nwait 9000\nshot won.png\n"),
              0);
    const Picture beside = shot("level39.png"), alone = shot("won.png"), playing = shot("level40.png");
    ASSERT_EQ(alone.width, 800);
    // The plates' gold rim along their top edge, a few pixels in.
    auto rimAt = [](const Picture& p, int x, int y) {
        int n = 0;
        for (int dy = 0; dy < 6; ++dy) n += gold(p.at(x, y + dy)) ? 1 : 0;
        return n > 0;
    };
    const int plate = 168, middle = (menuX + nextX + plate) / 2;
    EXPECT_TRUE(rimAt(beside, menuX + plate / 2, nextY)) << "two buttons after an ordinary level";
    EXPECT_TRUE(rimAt(beside, nextX + plate / 2, nextY));
    EXPECT_TRUE(rimAt(alone, middle, nextY)) << "next in the middle";
    EXPECT_TRUE(rimAt(alone, middle - plate / 2 + 12, nextY));
    EXPECT_TRUE(rimAt(alone, middle + plate / 2 - 12, nextY));
    EXPECT_FALSE(rimAt(alone, menuX + 12, nextY)) << "no button on the left";
    EXPECT_FALSE(rimAt(alone, nextX + plate - 12, nextY)) << "nothing on the right";

    // The side panel's ornament between the plates and the buttons is gold
    // only, from deep amber to pale yellow: no red, green or blue stone
    // that nothing in the game explains.
    int coloured = 0;
    for (int y = 396; y < 430; ++y)
        for (int x = 680; x < 748; ++x) {
            const Rgb c = playing.at(x, y);
            const int high = std::max({c.r, c.g, c.b}), low = std::min({c.r, c.g, c.b});
            const bool goldish = c.r >= c.g && c.g >= c.b && c.g * 100 >= c.r * 45;
            coloured += high - low > 90 && !goldish ? 1 : 0;
        }
    EXPECT_LT(coloured, 20);
}

TEST_F(ResultPanelScenario, TheHighScoreTableLeavesTheTitleWhole) {
    ASSERT_EQ(play("wait 300\nclick 400 516\nwait 1500\nshot menu.png\nclick 580 470\nwait 1500\nshot scores.png\n"),
              0);
    const Picture menu = shot("menu.png"), scores = shot("scores.png");
    ASSERT_EQ(scores.width, 800);
    // The title's last letter, "l", between x = 306 and 328.
    auto titleGold = [](const Picture& p) {
        int n = 0;
        for (int y = 55; y < 112; ++y)
            for (int x = 306; x < 328; ++x) n += gold(p.at(x, y)) ? 1 : 0;
        return n;
    };
    ASSERT_GT(titleGold(menu), 150);
    EXPECT_GT(titleGold(scores), titleGold(menu) * 9 / 10);
}

}  // namespace
