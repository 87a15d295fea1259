// A new player's first hour, through the real program headless, judged as
// a player judges it: from the screenshots and the files left behind.
//
//  - A new player: Enter on the title, a name too long for its field, the
//    quest's first level with its intro cut short by Escape, the tip closed
//    with Space (the first move's card never shows with it), the card
//    waiting with its pulsing arrow, and the drag the card asks for made
//    while it is open: the move is played. The player's file has the plain
//    name.
//  - The four modes entered after one another, every ordered pair through
//    the menus: each shows its own scene and side panel every time.
//  - A returning player whose file has the name older versions gave it:
//    Space on the title, the puzzle it kept ("PUZZLE 2"), a quest level run
//    out of time until no life is left (the side panel keeps the numbers
//    the level was lost with), the high-score table, and the player deleted with every file of
//    both names (the list's Delete then stands dimmed).

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/progress_file.h"
#include "real_program.h"
#include "temp_dir.h"

namespace {

using namespace realprogram;

const std::string kDist = SHARDFALL_DIST_DIR;
constexpr int kCell = 48;

struct Box {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // x1, y1 exclusive
    bool contains(int x, int y) const { return x >= x0 && x < x1 && y >= y0 && y < y1; }
};

int distance(Rgb a, Rgb b) { return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b); }
int brightness(Rgb c) { return c.r + c.g + c.b; }

// Where two pictures differ by more than `threshold`; an empty box when nowhere.
Box changedBox(const Picture& a, const Picture& b, int threshold, int* count = nullptr) {
    Box box{a.width, a.height, 0, 0};
    int n = 0;
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x) {
            if (distance(a.at(x, y), b.at(x, y)) <= threshold) continue;
            ++n;
            box = {std::min(box.x0, x), std::min(box.y0, y), std::max(box.x1, x + 1), std::max(box.y1, y + 1)};
        }
    if (count) *count = n;
    return n ? box : Box{};
}

bool sameIn(const Picture& a, const Picture& b, const Box& box) {
    for (int y = box.y0; y < box.y1; ++y)
        for (int x = box.x0; x < box.x1; ++x)
            if (distance(a.at(x, y), b.at(x, y)) > 0) return false;
    return true;
}

// The width and height of a generated TGA, from its header.
std::array<int, 2> tgaSize(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::array<unsigned char, 18> h{};
    in.read(reinterpret_cast<char*>(h.data()), h.size());
    return {h[12] | h[13] << 8, h[14] | h[15] << 8};
}

// How far a text advances in a generated font: its metrics file read the
// way the game reads it (a header of three numbers, then six per glyph).
int textAdvance(const std::string& metricsPath, const std::string& text) {
    std::ifstream in(metricsPath);
    std::vector<int> n((std::istream_iterator<int>(in)), {});
    if (n.size() < 3) return -1;
    int advance[256] = {};
    for (std::size_t i = 3; i + 5 < n.size(); i += 6)
        if (n[i] >= 0 && n[i] < 256) advance[n[i]] = n[i + 3] + n[i + 4] + n[i + 5];
    int width = 0;
    for (unsigned char c : text) width += c <= 32 ? n[1] / 2 : advance[c];
    return width;
}

// The leftmost and rightmost column with light ink in a band.
std::array<int, 2> inkColumns(const Picture& p, const Box& band) {
    std::array<int, 2> cols{-1, -1};
    for (int x = band.x0; x < band.x1; ++x)
        for (int y = band.y0; y < band.y1; ++y)
            if (brightness(p.at(x, y)) > 450) {
                if (cols[0] < 0) cols[0] = x;
                cols[1] = x;
                break;
            }
    return cols;
}

int brightestIn(const Picture& p, const Box& box) {
    int best = 0;
    for (int y = box.y0; y < box.y1; ++y)
        for (int x = box.x0; x < box.x1; ++x) best = std::max(best, brightness(p.at(x, y)));
    return best;
}

// From a level in play back to the main menu: the HUD's "Menu", the pause
// panel's "Main menu", the question's "Leave", and the menu's fade-in.
const char* const kBackToTheMenu =
    "click 713 497\nwait 1500\nclick 485 439\nwait 800\nclick 315 345\nwait 1600\n";

class FirstHourScenario : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::exists(kDist + "/data/menu/tiptile_dlg.ini")) << "no generated data in " << kDist;
        linkGeneratedData(kDist, dir.path());
    }
    void settings(const std::string& more = "") {
        dir.write("game.ini", "[main]\r\nname=Shardfall first hour\r\nxs=800\r\nys=600\r\nmusic=0\r\nsound=0\r\n" + more);
    }
    void player(const std::string& name) { dir.write("profiles.ini", "[main]\r\ncurrent=0\r\n[users]\r\n0=" + name + "\r\n"); }
    void progressFile(const std::string& fileName, const ProgressRecord& record) {
        const std::vector<std::uint8_t> bytes = encodeProgress(record);
        dir.write("data/profiles/" + fileName, std::string(bytes.begin(), bytes.end()));
    }
    int play(const std::string& script, int seed) {
        dir.write("play.txt", script + "quit\n");
        return run(kDist + "/shardfall",
                   {"--headless", "--seed", std::to_string(seed), "--data", dir.path().string(), "--script", dir.file("play.txt")});
    }
    Picture shot(const std::string& name) const { return readPng(dir.file(name)); }

    TempDir dir;
};

// The first cells of a quest level's board, sampled at their middles: alike
// pieces are drawn alike, so equal colours are equal kinds.
struct BoardSample {
    static constexpr int kReach = 3;  // cells each way from the spot's cell
    int left = 0, top = 0;            // the spot's cell
    std::array<std::array<Rgb, 2 * kReach + 1>, 2 * kReach + 1> colour{};

    BoardSample(const Picture& p, int cellLeft, int cellTop) : left(cellLeft), top(cellTop) {
        for (int r = -kReach; r <= kReach; ++r)
            for (int c = -kReach; c <= kReach; ++c) {
                int sum[3] = {};
                const int cx = left + c * kCell + kCell / 2, cy = top + r * kCell + kCell / 2;
                for (int y = cy - 3; y <= cy + 3; ++y)
                    for (int x = cx - 3; x <= cx + 3; ++x) {
                        const Rgb v = p.at(std::clamp(x, 0, p.width - 1), std::clamp(y, 0, p.height - 1));
                        sum[0] += v.r, sum[1] += v.g, sum[2] += v.b;
                    }
                colour[static_cast<std::size_t>(r + kReach)][static_cast<std::size_t>(c + kReach)] = {sum[0] / 49, sum[1] / 49, sum[2] / 49};
            }
    }
    // Whether swapping the spot's cell with its neighbour (dr, dc) lines up
    // three alike through either of the two cells.
    bool swapMakesLine(int dr, int dc) const {
        auto grid = colour;
        std::swap(grid[kReach][kReach], grid[kReach + dr][kReach + dc]);
        auto alike = [&](int r, int c, Rgb k) {
            return r >= 0 && c >= 0 && r <= 2 * kReach && c <= 2 * kReach && distance(grid[r][c], k) < 24;
        };
        for (const auto& [r, c] : {std::array<int, 2>{kReach, kReach}, std::array<int, 2>{kReach + dr, kReach + dc}}) {
            const Rgb k = grid[r][c];
            for (const auto& [sr, sc] : {std::array<int, 2>{0, 1}, std::array<int, 2>{1, 0}}) {
                int run = 1;
                for (int i = 1; alike(r + sr * i, c + sc * i, k); ++i) ++run;
                for (int i = 1; alike(r - sr * i, c - sc * i, k); ++i) ++run;
                if (run >= 3) return true;
            }
        }
        return false;
    }
};

TEST_F(FirstHourScenario, ANewPlayerPlaysTheMoveTheFirstCardAsksFor) {
    settings();
    // Level 1's intro grows the first move's card in over the board, so two
    // pictures of its first half second show where the card stands.
    const std::string intro = "wait 300\nkey ENTER\nwait 1000\ntype Annabellex\nwait 400\nshot name.png\nkey ENTER\n"
                              "wait 600\nclick 515 210\n" +
                              clickFirstEpisode(kDist) + "wait 1020\nshot intro.png\nwait 380\nshot intro_card.png\n"
                              "key ESC\nwait 100\nkey ESC\nwait 300\nshot tip.png\nkey SPACE\nwait 300\n"
                              "shot card.png\nwait 440\nshot card_later.png\n";
    ASSERT_EQ(play(intro, 1), 0);
    const Picture introStart = shot("intro.png"), introCard = shot("intro_card.png");
    ASSERT_EQ(introStart.width, 800) << "Enter on the title led on to the name, the menu and the quest";

    // The tenth letter found the field full: its rim says so.
    const Picture name = shot("name.png");
    int rim = 0;
    for (int x = 310; x < 490; ++x) rim += gold(name.at(x, 288)) ? 1 : 0;
    EXPECT_GT(rim, 150) << "the full field's rim";

    // The card: the change between the two intro pictures. Its pointer is
    // the narrow end, and ends on the spot, 20 pixels into the move's cell.
    const Box card = changedBox(introStart, introCard, 30);
    ASSERT_GT(card.x1 - card.x0, 200) << "the intro shows the card";
    auto widthOfRow = [&](int y) {
        int n = 0;
        for (int x = card.x0; x < card.x1; ++x) n += distance(introStart.at(x, y), introCard.at(x, y)) > 30 ? 1 : 0;
        return n;
    };
    const bool pointsUp = widthOfRow(card.y0 + 1) < widthOfRow(card.y1 - 4);
    const int tipY = pointsUp ? card.y0 + 1 : card.y1 - 4;
    int tipX = 0, tipCount = 0;
    for (int x = card.x0; x < card.x1; ++x)
        if (distance(introStart.at(x, tipY), introCard.at(x, tipY)) > 30) tipX += x, ++tipCount;
    ASSERT_GT(tipCount, 0);
    tipX /= tipCount;
    // The HUD stays clear of it: the side panel and the rings at the top.
    EXPECT_LE(card.x1, 635);
    EXPECT_GE(card.y0, 58);

    // Which neighbour the card means: the one whose swap lines up three.
    const BoardSample board(introStart, tipX - 20, tipY - 20);
    const bool right = board.swapMakesLine(0, 1);
    ASSERT_TRUE(right || board.swapMakesLine(1, 0)) << "no move at the card's spot " << tipX << "," << tipY;

    // The tip showed without the card: behind it, where the tip's panel does
    // not cover, the board is as it was, dimmed.
    const Picture tip = shot("tip.png");
    const std::string tipFile = kDist + "/data/menu/tiptile_dlg.ini";
    const auto panelSize = tgaSize(kDist + "/data/menu/tip_panel.tga");
    const Box panel{screenFileNumber(tipFile, "back", "x"), screenFileNumber(tipFile, "back", "y"),
                    screenFileNumber(tipFile, "back", "x") + panelSize[0],
                    screenFileNumber(tipFile, "back", "y") + panelSize[1]};
    int behind = 0, asItWas = 0;
    for (int y = card.y0; y < card.y1; ++y)
        for (int x = card.x0; x < card.x1; ++x) {
            if (panel.contains(x, y)) continue;
            const Rgb was = introStart.at(x, y);
            const Rgb dimmed{was.r * 155 / 255, was.g * 155 / 255, was.b * 155 / 255};
            ++behind;
            asItWas += distance(tip.at(x, y), dimmed) < 36 ? 1 : 0;
        }
    EXPECT_GT(behind, 0) << "this deal's card reaches out beside the tip";
    EXPECT_GT(asItWas, behind * 9 / 10) << "the card showed behind the tip";

    // Space closed the tip; the card waits, and its arrow swings: the
    // only change while the game stands still.
    int changed = 0;
    const Box swing = changedBox(shot("card.png"), shot("card_later.png"), 0, &changed);
    EXPECT_GT(changed, 10) << "nothing moves on the waiting card";
    EXPECT_LT(changed, 300);
    EXPECT_TRUE(card.contains(swing.x0, swing.y0) && card.contains(swing.x1 - 1, swing.y1 - 1));

    // Now the drag the card asks for, from the spot's cell onto its
    // neighbour, with the card still open.
    const int fromX = tipX + 4, fromY = tipY + 4;
    const int toX = fromX + (right ? kCell / 2 + 2 : 0), toY = fromY + (right ? 0 : kCell / 2 + 2);
    const std::string drag = "down " + std::to_string(fromX) + " " + std::to_string(fromY) + "\nwait 20\nmove " +
                             std::to_string((fromX + toX) / 2) + " " + std::to_string((fromY + toY) / 2) +
                             "\nwait 20\nmove " + std::to_string(toX) + " " + std::to_string(toY) + "\nwait 20\nup " +
                             std::to_string(toX) + " " + std::to_string(toY) + "\nwait 3000\n";
    // The same start again, from a folder as it was, so the same deal.
    std::filesystem::remove(dir.path() / "profiles.ini");
    std::filesystem::remove_all(dir.path() / "data" / "profiles");
    settings();
    ASSERT_EQ(play(intro + drag, 1), 0);
    EXPECT_GT(savedProgress(dir.path(), "Annabelle").quest.score, 0) << "the drag was lost";
    // The name is the file's name as it is.
    EXPECT_TRUE(dir.exists("data/profiles/Annabelle.sav"));
    EXPECT_TRUE(dir.exists("data/profiles/Annabellequest.map"));
    EXPECT_FALSE(dir.exists("data/profiles/%41nnabelle.sav"));
}

TEST_F(FirstHourScenario, EveryModeShowsItsOwnPanelWhicheverModeCameBefore) {
    settings();
    player("Walker");
    ProgressRecord record;
    record.tipsOff = true;
    progressFile("Walker.sav", record);

    // Quest, puzzle, action, cube: this walk passes from each to each other.
    const std::vector<int> walk = {0, 1, 2, 3, 0, 2, 1, 3, 2, 0, 3, 1, 0};
    std::string script = "wait 300\nclick 400 516\nwait 1000\n";
    for (std::size_t i = 0; i < walk.size(); ++i) {
        const int mode = walk[i];
        script += "click 515 " + std::to_string(210 + 60 * mode) + "\n";
        if (mode == 0) script += clickFirstEpisode(kDist);
        // The menu's fade (or the map's), then most of the game's fade-in.
        script += "wait 900\nshot visit" + std::to_string(i) + ".png\n";
        // The intro cut short twice, any card closed beside the board.
        script += "wait 1500\nclick 720 20\nwait 100\nclick 720 20\nwait 400\nclick 720 20\nwait 300\n";
        script += kBackToTheMenu;
    }
    ASSERT_EQ(play(script, 5), 0);

    std::vector<Picture> visits;
    for (std::size_t i = 0; i < walk.size(); ++i) {
        visits.push_back(shot("visit" + std::to_string(i) + ".png"));
        ASSERT_EQ(visits.back().width, 800) << "visit " << i;
    }
    // Everything but the widest board's field, where the pieces are dealt.
    auto sameScreen = [](const Picture& a, const Picture& b) {
        for (int y = 0; y < 600; ++y)
            for (int x = 0; x < 800; ++x) {
                if (x >= 240 && x < 624 && y >= 64 && y < 528) continue;
                if (distance(a.at(x, y), b.at(x, y)) > 0) return false;
            }
        return true;
    };
    const Box sidePanel{635, 15, 785, 585};
    std::array<int, 4> firstVisit{-1, -1, -1, -1};
    const char* const modeNames[] = {"quest", "puzzle", "action", "cube"};
    for (std::size_t i = 0; i < walk.size(); ++i) {
        const int mode = walk[i];
        if (firstVisit[mode] < 0) {
            firstVisit[mode] = static_cast<int>(i);
            continue;
        }
        EXPECT_TRUE(sameScreen(visits[firstVisit[mode]], visits[i]))
            << modeNames[mode] << " after " << modeNames[walk[i - 1]] << " looks otherwise than before";
    }
    for (int a = 0; a < 4; ++a)
        for (int b = a + 1; b < 4; ++b)
            EXPECT_FALSE(sameIn(visits[firstVisit[a]], visits[firstVisit[b]], sidePanel))
                << modeNames[a] << " and " << modeNames[b] << " share a side panel";
}

TEST_F(FirstHourScenario, ALostLevelKeepsItsNumbersUntilThePlayerAnswers) {
    // A returning player from an older version, and one score in the table.
    settings("[highscores]\r\nname0=Bea\r\nscore0=20\r\n");
    player("Tess");
    ProgressRecord record;
    record.puzzleLevel = 2;
    record.cube.level = 7;
    progressFile("%54ess.sav", record);

    std::string script = "wait 300\nkey SPACE\nwait 1000\n";
    // The puzzle the file kept: its intro's label, whole after the letters came.
    // The mouse waits aside, so the two pictures differ by the banner alone.
    script += "click 515 270\nmove 700 590\nwait 1950\nshot puzzle_intro.png\nwait 5000\nshot puzzle.png\n";
    script += kBackToTheMenu;
    // The quest: the intro cut short, the tip closed with Escape, the card
    // beside the board; points, then the clock runs out.
    script += "click 515 210\n" + clickFirstEpisode(kDist) +
              "wait 1300\nkey ESC\nwait 100\nkey ESC\nwait 400\nkey ESC\nwait 300\nclick 720 20\nwait 300\n"
              "type riches\nwait 500\n";
    // Out of time with five lives, four, ... one: each time "Try again", the
    // level from its start, its intro cut short. The pictures kept are the
    // last round's, from one life to none.
    for (int round = 0; round < 5; ++round)
        script += "shot before_time_up.png\ntype dusk\nwait 5500\nshot time_up.png\nclick 305 356\nwait 1500\n"
                  "click 720 20\nwait 100\nclick 720 20\nwait 600\n";
    // No life left: the numbers the level is lost with, then game over.
    script += "shot before_game_over.png\ntype dusk\nwait 5500\nshot game_over.png\n"
              // "Main menu", the table, then the player list and the player deleted.
              "click 495 356\nwait 1500\nclick 585 472\nwait 1500\nshot scores.png\nkey ESC\nwait 1500\n"
              "click 500 150\nwait 1500\nshot list.png\nclick 514 512\nwait 500\nclick 305 352\nwait 800\n"
              "shot list_empty.png\n";
    ASSERT_EQ(play(script, 3), 0);

    // "PUZZLE 2": the banner ends where those letters end, not "LEVEL 2".
    const Picture intro = shot("puzzle_intro.png");
    ASSERT_EQ(intro.width, 800) << "Space on the title led on";
    auto bannerWidth = [](const std::string& text) {
        int w = 0;
        for (char c : text) {
            const std::string letter = c == ' ' ? "" : std::string(1, static_cast<char>(std::tolower(c)));
            w += letter.empty() ? 30 : tgaSize(kDist + "/data/letters/" + letter + ".tga")[0];
        }
        return w;
    };
    const Box banner = changedBox(intro, shot("puzzle.png"), 60);
    EXPECT_NEAR(banner.x0, 176, 12);
    const int bannerEnd = banner.x1;
    const int puzzleEnd = 176 + bannerWidth("PUZZLE 2"), levelEnd = 176 + bannerWidth("LEVEL 2");
    ASSERT_GT(std::abs(puzzleEnd - levelEnd), 20);
    EXPECT_NEAR(bannerEnd, puzzleEnd, 12) << "LEVEL 2 ends at " << levelEnd;

    // Time up, then game over: the side panel behind the question shows
    // the score and lives the level was lost with.
    const Box scoreBox{651, 174, 775, 206}, livesBox{651, 234, 775, 266};
    const Picture beforeTimeUp = shot("before_time_up.png"), timeUp = shot("time_up.png");
    int question = 0;
    changedBox(beforeTimeUp, timeUp, 60, &question);
    ASSERT_GT(question, 20000) << "the question has come";
    EXPECT_TRUE(sameIn(beforeTimeUp, timeUp, scoreBox));
    EXPECT_TRUE(sameIn(beforeTimeUp, timeUp, livesBox)) << "the life was taken off the picture behind the question";
    const Picture lostWith = shot("before_game_over.png"), gameOver = shot("game_over.png");
    EXPECT_TRUE(sameIn(lostWith, gameOver, scoreBox)) << "the score shows reset behind the question";
    EXPECT_TRUE(sameIn(lostWith, gameOver, livesBox)) << "the lives show reset behind the question";

    // The table: Tess first with 24,990, Bea's 20 below, eight free places
    // that show no score and read faded. The separator is judged by width:
    // "20" and "24,990" begin and end with the same glyphs, so their ink is
    // as much wider than their advance in the font.
    const Picture scores = shot("scores.png");
    const std::string metrics = kDist + "/data/fonts/fontstatic.fh";
    // Columns from the panel's left edge: names from 120, scores ending at 360.
    const int left = screenFileNumber(kDist + "/data/menu/highscores.ini", "main", "x");
    ASSERT_GE(left, 0);
    auto row = [left](int rank, int x0, int x1) {
        return Box{left + x0, 110 + 34 * rank - 9, left + x1, 110 + 34 * rank + 9};
    };
    const auto first = inkColumns(scores, row(0, 264, 364)), second = inkColumns(scores, row(1, 264, 364));
    ASSERT_GE(first[0], 0);
    ASSERT_GE(second[0], 0);
    EXPECT_NEAR((first[1] - first[0]) - textAdvance(metrics, "24,990"), (second[1] - second[0]) - textAdvance(metrics, "20"),
                2);
    for (int rank = 2; rank < 10; ++rank) {
        EXPECT_EQ(inkColumns(scores, row(rank, 264, 364))[0], -1) << "a score beside a free place " << rank + 1;
        EXPECT_LT(brightestIn(scores, row(rank, 120, 244)), brightestIn(scores, row(0, 120, 244)) * 2 / 3)
            << "a free place reads like a name " << rank + 1;
    }

    // The player went with every file, under both names; the list's
    // Delete stays, dimmed, with nobody left to delete.
    for (const char* file : {"Tess.sav", "%54ess.sav", "Tessquest.map", "%54essquest.map"})
        EXPECT_FALSE(dir.exists(std::string("data/profiles/") + file)) << file;
    const Picture list = shot("list.png"), empty = shot("list_empty.png");
    int rimPixels = 0, dimmed = 0;
    for (int y = 491; y < 535; ++y)
        for (int x = 468; x < 560; ++x) {
            if (!gold(list.at(x, y))) continue;
            ++rimPixels;
            const int share = brightness(empty.at(x, y)) * 100 / std::max(1, brightness(list.at(x, y)));
            dimmed += share >= 22 && share <= 75 ? 1 : 0;
        }
    ASSERT_GT(rimPixels, 100);
    EXPECT_GT(dimmed, rimPixels * 8 / 10) << "the disabled Delete is not drawn dimmed";
}

}  // namespace
