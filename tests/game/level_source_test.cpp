// Level sources: the readable text a level is kept in, parsed into a map,
// and mistakes reported with the file and line they are on.

#include <gtest/gtest.h>

#include "game/level_source.h"

namespace {

const char* kLevel = R"(# a test level
mode quest
size 4 3      # columns rows
time 90
kinds 0 2 5 b
teleport 25
rainbow 1000
ground
s w . .
. # . .

. . . 2
pieces
A . 3 .
b . r .
. . . 7
locks
. . 2 .
. . . .
. . . 9
solution 0-1 5-9
)";

bool parse(const std::string& text, MapData& map, std::string& error) {
    return parseLevelSource(text, "lvl.txt", map, error);
}

// The error for a source, or "" when it parses.
std::string errorOf(const std::string& text) {
    MapData map;
    std::string error;
    return parse(text, map, error) ? "" : error;
}

TEST(LevelSource, EveryPartOfTheDrawingReachesTheMap) {
    MapData map;
    std::string error;
    std::vector<LevelMove> solution;
    ASSERT_TRUE(parseLevelSource(kLevel, "lvl.txt", map, error, &solution)) << error;
    EXPECT_EQ(map.mode, 0);
    EXPECT_EQ(map.w, 4);
    EXPECT_EQ(map.h, 3);
    // Centred on x = 432 and on the middle of 64..528.
    EXPECT_EQ(map.x0, 432 - 2 * 48);
    EXPECT_EQ(map.y0, 296 - 72);
    EXPECT_EQ(map.timeSeconds, 90);
    EXPECT_EQ(map.kests, (std::array<std::uint8_t, 10>{1, 0, 1, 0, 0, 1, 0, 0, 1, 0}));
    EXPECT_EQ(map.bonuses[0], 25);
    EXPECT_EQ(map.bonuses[1], 255) << "a chance above a byte is kept at the largest byte";
    ASSERT_EQ(map.cells.size(), 12u);
    const auto cell = [&](int i) { return map.cells[static_cast<std::size_t>(i)]; };
    EXPECT_EQ(cell(0).coating, CoatScoreBonus);
    EXPECT_EQ(cell(0).piece, kMapTeleport);
    EXPECT_EQ(cell(0).lock, 0);
    EXPECT_EQ(cell(1).coating, CoatWandBonus);
    EXPECT_EQ(cell(1).piece, kMapNoPiece);
    EXPECT_EQ(cell(2).piece, 4);
    EXPECT_EQ(cell(2).lock, 2);
    EXPECT_EQ(cell(4).piece, KindBad + 1);
    EXPECT_EQ(cell(5).active, 0) << "'#' in a drawing is a hole, not a comment";
    EXPECT_EQ(cell(5).piece, 0);
    EXPECT_EQ(cell(6).piece, kMapRaduga);
    EXPECT_EQ(cell(11).coating, CoatDouble);
    EXPECT_EQ(cell(11).piece, 8);
    EXPECT_EQ(cell(11).lock, 9);
    ASSERT_EQ(solution.size(), 2u);
    EXPECT_EQ(solution[1].from, 5);
    EXPECT_EQ(solution[1].to, 9);
}

TEST(LevelSource, FormattedMapsReadBackTheSame) {
    MapData map;
    std::string error;
    ASSERT_TRUE(parse(kLevel, map, error));
    MapData again;
    ASSERT_TRUE(parse(formatLevelSource(map), again, error)) << error;
    EXPECT_EQ(encodeMap(again), encodeMap(map));
    EXPECT_EQ(formatLevelSource(map).find("origin"), std::string::npos) << "the usual place needs no line";

    // A level placed by hand stays where it was put.
    ASSERT_TRUE(parse("origin 3 4\n" + std::string(kLevel), map, error)) << error;
    ASSERT_TRUE(parse(formatLevelSource(map), again, error)) << error;
    EXPECT_EQ(again.x0, 3);
    EXPECT_EQ(again.y0, 4);
    EXPECT_EQ(again, map);
}

TEST(LevelSource, MistakesNameTheirLine) {
    EXPECT_EQ(errorOf("size 3 1\nmode story\n"), "lvl.txt:2: mode is one of quest, puzzle, action, cube");
    EXPECT_EQ(errorOf("size 3\n"), "lvl.txt:1: size needs columns 1..14 and rows 1..10");
    EXPECT_EQ(errorOf("size 15 2\n"), "lvl.txt:1: size needs columns 1..14 and rows 1..10");
    EXPECT_EQ(errorOf("size 2 2\nsize 2 2\n"), "lvl.txt:2: size given twice");
    EXPECT_EQ(errorOf("colour red\n"), "lvl.txt:1: unknown word 'colour'");
    EXPECT_EQ(errorOf("ground\n"), "lvl.txt:1: size must come before the drawing");
    EXPECT_EQ(errorOf("size 3 2\nground\n...\n..\n"), "lvl.txt:4: row has 2 cells, size says 3");
    EXPECT_EQ(errorOf("size 3 2\nground\n...\n"), "lvl.txt:4: the drawing stops after 1 rows");
    EXPECT_EQ(errorOf("size 2 1\nground\n.x\n"), "lvl.txt:3: unknown ground 'x'");
    EXPECT_EQ(errorOf("size 2 1\nground\n#.\npieces\n1.\n"), "lvl.txt:5: a piece lies in a hole");
    EXPECT_EQ(errorOf("size 2 1\nground\n..\npieces\n1.\nlocks\n.1\n"),
              "lvl.txt:7: a lock needs an ordinary piece under it");
    EXPECT_EQ(errorOf("size 2 1\nground\n..\npieces\nr.\nlocks\n1.\n"),
              "lvl.txt:7: a lock needs an ordinary piece under it");
    EXPECT_EQ(errorOf("size 2 1\npieces\n"), "lvl.txt:2: the ground comes before pieces");
    EXPECT_EQ(errorOf("size 2 1\nkinds 0 8\n"), "lvl.txt:2: kinds are 0..7 and b, not '8'");
    EXPECT_EQ(errorOf("size 2 1\ntime -4\n"), "lvl.txt:2: time needs seconds 0..65535");
    EXPECT_EQ(errorOf("size 2 1\ntime 99999999999\n"), "lvl.txt:2: time needs seconds 0..65535");
    EXPECT_EQ(errorOf("size 3 3\nsolution 0-4\n"), "lvl.txt:2: the cells of '0-4' are not neighbours");
    EXPECT_EQ(errorOf("size 3 3\nsolution 0-\n"), "lvl.txt:2: a move is two cells from-to, not '0-'");
    EXPECT_EQ(errorOf("time 5\n"), "lvl.txt:2: no size given");
    EXPECT_EQ(errorOf(std::string(300, 'x')), "lvl.txt:1: line longer than 256 characters");
}

TEST(LevelSource, HostileTextIsRefusedWithoutHarm) {
    MapData map;
    map.w = 77;
    std::string error;
    EXPECT_FALSE(parse(std::string(100000, '.'), map, error));
    EXPECT_EQ(map.w, 77) << "a refused source leaves the map alone";
    std::string junk;
    for (int i = 0; i < 4000; ++i) junk += static_cast<char>((i * 7919) % 256);
    EXPECT_FALSE(parse(junk, map, error));
    EXPECT_EQ(map.w, 77);
}

TEST(LevelSource, LayoutContract) {
    MapData map;
    map.w = 8;
    map.h = 9;
    map.x0 = 432 - 4 * 48;
    map.y0 = 64;
    EXPECT_EQ(layoutContractViolation(map), "");
    map.y0 = 96;
    EXPECT_EQ(layoutContractViolation(map), "");
    map.y0 = 97;
    EXPECT_EQ(layoutContractViolation(map), "the field leaves y 64..528");
    map.y0 = 63;
    EXPECT_EQ(layoutContractViolation(map), "the field leaves y 64..528");
    map.y0 = 64;
    map.x0 += 1;
    EXPECT_EQ(layoutContractViolation(map), "the field is not centred on x = 432");
    map.w = 9;
    EXPECT_EQ(layoutContractViolation(map), "the field is 9 x 9, more than 8 x 9");
}

}  // namespace
