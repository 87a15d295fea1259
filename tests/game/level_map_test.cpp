// Level maps: the byte layout read and written exactly, the board set from
// it, and files that are not maps refused without touching the board.

#include <filesystem>
#include <random>
#include <sstream>

#include <gtest/gtest.h>

#include "board/board.h"
#include "game/level_files.h"
#include "game/level_map.h"
#include "platform/paths.h"
#include "temp_dir.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

void tag(Bytes& b, const char* t) {
    for (const char* p = t; *p; ++p) b.push_back(static_cast<std::uint8_t>(*p));
    b.push_back(0);
}

// A 3 x 2 map at (300, 200), quest mode, time 90, written out by hand.
Bytes handMadeMap(std::uint8_t w = 3, std::uint8_t h = 2, std::uint16_t seconds = 90) {
    Bytes b;
    tag(b, "GEM");
    b.insert(b.end(), {0x01, 0x2C, 0x00, 0xC8, w, h, 0});
    tag(b, "KESTS");
    b.insert(b.end(), {1, 1, 1, 0, 1, 0, 0, 1, 1, 0});
    tag(b, "BONUSES");
    b.insert(b.end(), {20, 15, 7, 8, 9});
    b.insert(b.end(), {static_cast<std::uint8_t>(seconds >> 8), static_cast<std::uint8_t>(seconds & 0xFF)});
    b.insert(b.end(), 8, 0);
    tag(b, "BODY");
    const std::uint8_t cells[6][4] = {
        {1, 1, 0, 3},   // kind 2 on a single coating
        {0, 0, 0, 0},   // hole
        {1, 2, 2, 5},   // kind 4 with lock 2 on a double coating
        {1, 3, 5, 12},  // teleport of kind 5 on the score plate
        {1, 4, 0, 11},  // rainbow on the wand plate
        {1, 0, 0, 10},  // empty
    };
    for (int i = 0; i < w * h && i < 6; ++i) b.insert(b.end(), cells[i], cells[i] + 4);
    return b;
}

std::unique_ptr<Board> makeBoard() {
    auto board = std::make_unique<Board>(nullptr, nullptr);
    board->setMode(BoardMode::ModeQuest);
    return board;
}

// Everything a map can change, as one comparable text.
std::string boardState(const Board& b) {
    std::ostringstream s;
    s << b.geometry().x0 << ',' << b.geometry().y0 << ' ' << b.width() << 'x' << b.height() << " t" << b.timeTotal()
      << " c" << b.coatRemaining() << " p" << b.pieces().size() << " k";
    for (auto k : b.kestTable()) s << int(k);
    s << " b";
    for (auto v : b.bonusTable()) s << int(v) << '.';
    for (int i = 0; i < b.cellCount(); ++i) {
        const Cell& c = b.cell(i);
        s << ' ' << c.active() << c.coating() << c.fileLock();
        if (const Piece* p = c.piece()) s << 'k' << p->kind << 's' << p->special << 'l' << p->lock;
    }
    s << ' ' << b.mapPath();
    return s.str();
}

Bytes readBytes(const std::string& path) {
    Bytes out;
    EXPECT_TRUE(platform::readWholeFile(path, out));
    return out;
}

TEST(LevelMap, EveryFieldIsReadAndWrittenBackByteForByte) {
    TempDir dir;
    const Bytes original = handMadeMap();
    dir.write("in.map", std::string(original.begin(), original.end()));
    auto board = makeBoard();
    bool hookRan = false;
    ASSERT_EQ(loadMap(*board, dir.file("in.map"), [&](Board& b) { hookRan = &b == board.get(); }), MapLoad::Loaded);
    EXPECT_TRUE(hookRan) << "the game screen rebuilds its background after a load";
    EXPECT_EQ(board->mapPath(), dir.file("in.map"));

    EXPECT_EQ(board->geometry().x0, 300);
    EXPECT_EQ(board->geometry().y0, 200);
    EXPECT_EQ(board->width(), 3);
    EXPECT_EQ(board->height(), 2);
    EXPECT_EQ(board->cell(3).px(), 300);
    EXPECT_EQ(board->cell(3).py(), 248);
    EXPECT_EQ(board->timeTotal(), 90000);
    EXPECT_EQ(board->timeLeft(), 90000);
    EXPECT_EQ(board->kestTable(), (std::array<std::uint8_t, 10>{1, 1, 1, 0, 1, 0, 0, 1, 1, 0}));
    EXPECT_EQ(board->bonusTable(), (std::array<std::uint8_t, 5>{20, 15, 7, 8, 9}));
    // Plates count 3 and 4 toward the coating total.
    EXPECT_EQ(board->coatRemaining(), 1 + 2 + 3 + 4);

    EXPECT_EQ(board->pieceAt(0)->kind, 2);
    EXPECT_EQ(board->cell(0).coating(), CoatSingle);
    EXPECT_FALSE(board->cell(1).active());
    EXPECT_EQ(board->pieceAt(1), nullptr);
    // The lock waits in the cell until the level starts.
    EXPECT_EQ(board->cell(2).fileLock(), 2);
    EXPECT_EQ(board->pieceAt(2)->lock, 0);
    EXPECT_EQ(board->pieceAt(2)->kind, 4);
    // A teleport keeps its kind but never a lock.
    EXPECT_EQ(board->pieceAt(3)->special, SpecialTeleport);
    EXPECT_EQ(board->pieceAt(3)->kind, 5);
    EXPECT_EQ(board->cell(3).fileLock(), 0);
    EXPECT_EQ(board->pieceAt(4)->kind, KindRaduga);
    EXPECT_EQ(board->pieceAt(4)->special, SpecialRaduga);
    EXPECT_EQ(board->pieceAt(5), nullptr);
    const Piece* p = board->pieceAt(0);
    EXPECT_EQ(p->x, 324.0f);
    EXPECT_EQ(p->y, 224.0f);

    // The level starts (its locks reach the pieces), and is saved at once.
    board->applyFileLocks();
    ASSERT_TRUE(saveMap(*board, dir.file("out.map")));
    EXPECT_EQ(readBytes(dir.file("out.map")), original);
}

TEST(LevelMap, TimeZeroKeepsTheRunningTimeAndSavedLocksComeBackAsFileLocks) {
    TempDir dir;
    const Bytes zero = handMadeMap(3, 2, 0);
    dir.write("zero.map", std::string(zero.begin(), zero.end()));
    auto board = makeBoard();
    board->setTime(45000);
    ASSERT_EQ(loadMap(*board, dir.file("zero.map")), MapLoad::Loaded);
    EXPECT_EQ(board->timeTotal(), 45000);

    // A piece locked during play is saved with its lock and comes back
    // unlocked, its lock waiting in the cell.
    board->applyFileLocks();
    ASSERT_EQ(board->pieceAt(2)->lock, 2);
    board->pieceAt(0)->lock = 1;
    ASSERT_TRUE(saveMap(*board, dir.file("saved.map")));
    auto again = makeBoard();
    ASSERT_EQ(loadMap(*again, dir.file("saved.map")), MapLoad::Loaded);
    EXPECT_EQ(again->cell(0).fileLock(), 1);
    EXPECT_EQ(again->cell(2).fileLock(), 2);
    EXPECT_EQ(again->pieceAt(0)->lock, 0);
    EXPECT_EQ(again->pieceAt(2)->lock, 0);
}

TEST(LevelMap, NoPieceIsWrittenAsTenAndReadFromZeroOrTenOrUnknownValues) {
    TempDir dir;
    Bytes bytes = handMadeMap();
    const std::size_t lastCell = bytes.size() - 4;
    for (std::uint8_t value : {0, 10, 13, 200}) {
        bytes[lastCell + 3] = value;
        dir.write("m.map", std::string(bytes.begin(), bytes.end()));
        auto board = makeBoard();
        ASSERT_EQ(loadMap(*board, dir.file("m.map")), MapLoad::Loaded);
        EXPECT_EQ(board->pieceAt(5), nullptr) << int(value);
        ASSERT_TRUE(saveMap(*board, dir.file("o.map")));
        EXPECT_EQ(readBytes(dir.file("o.map"))[lastCell + 3], 10);
    }
}

TEST(LevelMap, NumbersAboveSixteenBitsAreWrittenAsTheLargest) {
    MapData map;
    map.x0 = 70000;
    map.y0 = -5;
    map.w = 1;
    map.h = 1;
    map.timeSeconds = 70000;
    map.cells = {MapCell{1, 0, 0, kMapNoPiece}};
    const Bytes b = encodeMap(map);
    EXPECT_EQ(b[4], 0xFF);
    EXPECT_EQ(b[5], 0xFF);
    EXPECT_EQ(b[6], 0x00) << "negative values are written as 0";
    EXPECT_EQ(b[7], 0x00);
    const std::size_t timeAt = 4 + 4 + 3 + 6 + 10 + 8 + 5;
    EXPECT_EQ(b[timeAt], 0xFF);
    EXPECT_EQ(b[timeAt + 1], 0xFF);
    // And a board whose time is 70000 seconds saves 65535.
    auto board = makeBoard();
    board->setGeometry(10, 10, 1, 1);
    board->setTime(70000 * 1000);
    const Bytes saved = encodeMap(mapFromBoard(*board));
    EXPECT_EQ(saved[timeAt], 0xFF);
    EXPECT_EQ(saved[timeAt + 1], 0xFF);
}

TEST(LevelMap, EmptyPathAndMissingFileDoNothing) {
    auto board = makeBoard();
    board->setGeometry(10, 20, 2, 2);
    const std::string before = boardState(*board);
    bool hookRan = false;
    const auto hook = [&](Board&) { hookRan = true; };
    EXPECT_EQ(loadMap(*board, "", hook), MapLoad::NoPath);
    EXPECT_EQ(loadMap(*board, "no\\such\\level.map", hook), MapLoad::Unreadable);
    EXPECT_FALSE(hookRan);
    EXPECT_EQ(boardState(*board), before);
}

// A board that already holds a level, to prove a refused file leaves it be.
std::unique_ptr<Board> boardWithLevel(const TempDir& dir) {
    auto board = makeBoard();
    const Bytes good = handMadeMap();
    dir.write("good.map", std::string(good.begin(), good.end()));
    EXPECT_EQ(loadMap(*board, dir.file("good.map")), MapLoad::Loaded);
    return board;
}

TEST(LevelMap, TruncatedAndOversizedFilesAreRefusedAndTheBoardKept) {
    TempDir dir;
    auto board = boardWithLevel(dir);
    std::string before = boardState(*board);
    const Bytes good = handMadeMap();
    for (std::size_t n = 0; n < good.size(); ++n) {
        dir.write("cut.map", std::string(good.begin(), good.begin() + static_cast<long>(n)));
        std::string error;
        ASSERT_EQ(loadMap(*board, dir.file("cut.map"), {}, &error), MapLoad::Refused) << n;
        EXPECT_FALSE(error.empty());
        ASSERT_EQ(boardState(*board), before) << "cut at " << n;
    }
    // 12 x 12 = 144 cells, 141 x 1 and empty sizes are refused even with
    // enough bytes for their cells.
    for (auto [w, h] : {std::pair{12, 12}, {141, 1}, {0, 5}, {5, 0}}) {
        Bytes big = handMadeMap(static_cast<std::uint8_t>(w), static_cast<std::uint8_t>(h));
        big.insert(big.end(), 4 * 160, 1);
        dir.write("big.map", std::string(big.begin(), big.end()));
        EXPECT_EQ(loadMap(*board, dir.file("big.map")), MapLoad::Refused) << w << "x" << h;
        EXPECT_EQ(boardState(*board), before);
    }
    // Only the number of cells is limited: a 20 x 7 map fills the 140 cells.
    {
        Bytes wide = handMadeMap(20, 7);
        wide.resize(wide.size() - 24);
        for (int i = 0; i < 140; ++i) wide.insert(wide.end(), {1, 0, 0, static_cast<std::uint8_t>(1 + i % 5)});
        dir.write("wide.map", std::string(wide.begin(), wide.end()));
        ASSERT_EQ(loadMap(*board, dir.file("wide.map")), MapLoad::Loaded);
        EXPECT_EQ(board->width(), 20);
        EXPECT_EQ(board->cellCount(), 140);
        ASSERT_EQ(loadMap(*board, dir.file("cut.map")), MapLoad::Refused);
        ASSERT_EQ(loadMap(*board, dir.file("good.map")), MapLoad::Loaded);
        before = boardState(*board);
    }
    // A coating the art has no picture for, and a teleport of no kind.
    for (auto [offset, value] : {std::pair{1, 9}, {10, 8}}) {
        Bytes bad = good;
        bad[bad.size() - 24 + static_cast<std::size_t>(offset)] = static_cast<std::uint8_t>(value);
        if (offset == 10) bad[bad.size() - 24 + 11] = kMapTeleport;
        dir.write("bad.map", std::string(bad.begin(), bad.end()));
        EXPECT_EQ(loadMap(*board, dir.file("bad.map")), MapLoad::Refused);
        EXPECT_EQ(boardState(*board), before);
    }
}

// Random bytes and damaged copies of a good map: each is either a map the
// board can hold or refused, and a refusal never changes the board. Run
// under the sanitizers this also shows that no read leaves the buffer.
TEST(LevelMap, RandomBytesNeverCrashAndNeverHalfLoad) {
    TempDir dir;
    auto board = boardWithLevel(dir);
    std::mt19937 rng(99);
    const Bytes good = handMadeMap();
    int loaded = 0, refused = 0;
    for (int round = 0; round < 3000; ++round) {
        Bytes bytes;
        if (round % 2 == 0) {
            bytes.resize(rng() % 700);
            for (auto& b : bytes) b = static_cast<std::uint8_t>(rng());
        } else {
            bytes = good;
            for (int k = 0; k < 4; ++k) bytes[rng() % bytes.size()] = static_cast<std::uint8_t>(rng());
            bytes.resize(rng() % (bytes.size() + 40), 0x41);
        }
        MapData map;
        const std::string before = boardState(*board);
        if (decodeMap(bytes.data(), bytes.size(), map)) {
            ++loaded;
            ASSERT_EQ(map.cells.size(), static_cast<std::size_t>(map.w * map.h));
            ASSERT_LE(map.w * map.h, kMaxCells);
            applyMap(*board, map);
            ASSERT_EQ(board->width() * board->height(), map.w * map.h);
        } else {
            ++refused;
            ASSERT_EQ(boardState(*board), before);
        }
    }
    EXPECT_GT(loaded, 0);
    EXPECT_GT(refused, 0);
}

TEST(LevelFiles, NamesPerModeAndEpisodes) {
    EXPECT_EQ(questLevelPath(7), "data\\LEVELS\\QUEST\\level7.map");
    EXPECT_EQ(puzzleLevelPath(30), "data\\LEVELS\\PUZZLE\\puzzle30.map");
    EXPECT_EQ(savedGamePath("ann", BoardMode::ModeCube), "data\\profiles\\anncube.map");
    EXPECT_EQ(savedGamePath("ann", BoardMode::ModeQuest), "data\\profiles\\annquest.map");
    EXPECT_EQ(savedGamePath("ann", BoardMode::ModePuzzle), "");
    const int firsts[] = {1, 6, 12, 18, 25, 33};
    for (int e = 0; e < 6; ++e) {
        EXPECT_EQ(episodeOf(firsts[e]), e + 1);
        EXPECT_EQ(levelInEpisode(firsts[e]), 1);
        EXPECT_EQ(episodeOf(firsts[e] - 1), e) << "the level before starts no episode";
    }
    EXPECT_EQ(levelInEpisode(40), 8);
    EXPECT_EQ(episodeOf(41), 0);
}

}  // namespace
