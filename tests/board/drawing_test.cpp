// Drawing the board: which picture each piece gets, the two layers, and a
// whole board rendered from the game's generated pictures, whose frame must
// close around every hole.

#include <filesystem>
#include <set>

#include "board/frame_tiles.h"
#include "board_test_support.h"
#include "graphics/display.h"
#include "graphics/screenshot.h"
#include "graphics/sprite.h"
#include "temp_dir.h"

namespace {

using namespace boardtest;

std::uint16_t pixelAt(const Sprite& sprite, int x, int y) {
    int pitch = 0;
    const std::uint16_t* p = sprite.readablePixels(pitch);
    return p ? reinterpret_cast<const std::uint16_t*>(reinterpret_cast<const std::uint8_t*>(p) + y * pitch)[x] : 0;
}

// Flat pictures of one colour each stand in for the game's art.
class FlatArt {
public:
    Sprite* make(int w, int h, std::uint32_t argb, int frames = 1) {
        auto s = std::make_unique<Sprite>();
        EXPECT_TRUE(s->createPixels(w, h, frames));
        s->FillRect(0, 0, w, h * frames, argb);
        s->clip = {0, 0, w, h};
        sprites_.push_back(std::move(s));
        return sprites_.back().get();
    }
    std::uint16_t colourOf(const Sprite* s) const { return pixelAt(*s, 0, 0); }

private:
    std::vector<std::unique_ptr<Sprite>> sprites_;
};

class Drawing : public ::testing::Test {
protected:
    void SetUp() override {
        art.field = flat.make(48, 48, 0xFF202020);
        art.locked0 = flat.make(48, 48, 0xFFFF0000);
        art.locked1 = flat.make(48, 48, 0xFF00FF00);
        art.select = flat.make(48, 48, 0xFFFFFF00);
        for (int k = 0; k < BoardArt::kPieceImages; ++k) {
            art.active[static_cast<std::size_t>(k)] = flat.make(44, 44, 0xFF000080 + 8 * static_cast<std::uint32_t>(k));
            art.help[static_cast<std::size_t>(k)] = flat.make(44, 44, 0xFF808000 + 8 * static_cast<std::uint32_t>(k));
        }
        board = std::make_unique<Board>(&host, nullptr, BoardTuning{}, art);
        board->setMode(BoardMode::ModeAction);
        board->setGeometry(0, 0, 4, 1);
        for (int i = 0; i < 4; ++i) board->setCell(i, true);
        target = flat.make(4 * 48, 48, 0xFF0000FF);
    }
    std::uint16_t centre(int cell) const { return pixelAt(*target, 48 * cell + 24, 24); }

    EventLog log;
    RecordingHost host{log};
    FlatArt flat;
    BoardArt art;
    std::unique_ptr<Board> board;
    Sprite* target = nullptr;
};

TEST_F(Drawing, LockOverlayFollowsTheLockLevel) {
    board->putPiece(0, 1)->lock = 1;
    board->putPiece(1, 1)->lock = 3;
    board->putPiece(2, 1);
    board->drawStatic(*target, false);
    EXPECT_EQ(centre(0), flat.colourOf(art.locked0));
    EXPECT_EQ(centre(1), flat.colourOf(art.locked1));
    EXPECT_EQ(centre(2), flat.colourOf(art.active[1]));
    EXPECT_EQ(centre(3), flat.colourOf(art.field)) << "an empty cell shows its field";
    EXPECT_FALSE(board->needsRedraw());
}

TEST_F(Drawing, PiecesOnTheDynamicLayerStayOutOfTheStaticOne) {
    board->putPiece(0, 2);
    board->putPiece(1, 3);
    board->onLeftPress(24, 24);
    ASSERT_TRUE(board->pieceAt(0)->onDynamicLayer);
    board->drawStatic(*target, false);
    EXPECT_EQ(centre(0), flat.colourOf(art.field));
    EXPECT_EQ(centre(1), flat.colourOf(art.active[3]));
    board->drawDynamic(*target);
    EXPECT_EQ(centre(0), flat.colourOf(art.active[2]));
    // The ring lies under the piece: it shows at the cell's edge.
    EXPECT_EQ(pixelAt(*target, 0, 0), flat.colourOf(art.select));
    board->drawStatic(*target, true);
    EXPECT_EQ(centre(0), flat.colourOf(art.active[2]));
}

TEST_F(Drawing, HintShowsTheHelpPictureAndSizeFollowsThePiece) {
    Piece* p = board->putPiece(0, 4);
    p->hintPhase = 2;
    Piece* small = board->putPiece(1, 4);
    small->width = small->height = 10.0f;
    board->drawStatic(*target, false);
    EXPECT_EQ(centre(0), flat.colourOf(art.help[4]));
    EXPECT_EQ(centre(1), flat.colourOf(art.active[4]));
    EXPECT_EQ(pixelAt(*target, 48 + 24 - 8, 24), flat.colourOf(art.field));
}

// The rainbow has a picture of its own; a teleport piece wears the overlay,
// added onto it, with the frame the board's clock picks, and leaves it behind
// when it has teleported.
TEST_F(Drawing, RainbowPictureAndAnimatedTeleportOverlay) {
    art.raduga = flat.make(44, 44, 0xFF00C0C0);
    art.teleport = flat.make(48, 96, 0xFF800000);
    art.teleport->FillRect(0, 48, 48, 96, 0xFF008000);
    ASSERT_TRUE(art.teleport->cutIntoFrames(2, 600));
    const Sprite* redPlusPiece = flat.make(1, 1, 0xFF800088);
    const Sprite* greenPlusPiece = flat.make(1, 1, 0xFF008088);
    board = std::make_unique<Board>(&host, nullptr, BoardTuning{}, art);
    board->setMode(BoardMode::ModeAction);
    board->setGeometry(0, 0, 4, 1);
    for (int i = 0; i < 4; ++i) board->setCell(i, true);
    board->putPiece(0, KindRaduga, SpecialRaduga);
    board->putPiece(1, 1, SpecialTeleport);
    board->putPiece(2, 2);

    board->drawStatic(*target, true);
    board->drawDynamic(*target);
    EXPECT_EQ(centre(0), flat.colourOf(art.raduga));
    EXPECT_EQ(centre(1), flat.colourOf(redPlusPiece));
    for (int t = 0; t < 16; ++t) board->tick(20);
    board->drawStatic(*target, true);
    EXPECT_EQ(centre(1), flat.colourOf(greenPlusPiece)) << "the second frame after 320 ms";

    board->onLeftPress(48 + 24, 24);
    board->onLeftPress(2 * 48 + 24, 24);
    for (int t = 0; t < 60; ++t) board->tick(20);
    board->drawStatic(*target, true);
    EXPECT_EQ(centre(2), flat.colourOf(art.active[1])) << "the teleported piece, bare";
    EXPECT_EQ(centre(1), flat.colourOf(art.active[2]));
}

// Frame tiles for a single field cell: the whole ring around it is closed.
TEST(FrameTiles, OneCellIsRingedOnAllSides) {
    const auto tiles = frameTilePlacements(1, 1, {true});
    std::set<std::pair<int, int>> places;
    for (const FrameTile& t : tiles) places.insert({t.row, t.col});
    EXPECT_EQ(places.size(), 8u);
    EXPECT_FALSE(places.count({0, 0}));
    EXPECT_TRUE(frameTilePlacements(2, 2, {false, false, false, false}).empty());
}

// The field and holes of the rendered board, '#' field and '.' hole.
const std::vector<std::string> kShape = {
    "..####.###",
    ".#########",
    "####..####",
    "####..####",
    "##.#######",
    "##########",
    ".########.",
    "..######..",
};

TEST(RenderedBoard, FrameClosesAroundHolesWithoutGaps) {
    const std::filesystem::path dist(SHARDFALL_DIST_DIR);
    if (!std::filesystem::exists(dist / "data" / "tiles" / "00.tga"))
        GTEST_SKIP() << "the game's data is not generated in " << dist;
    const std::filesystem::path out = std::filesystem::path(SHARDFALL_TEST_TMP) / "board_render.png";
    std::filesystem::create_directories(out.parent_path());

    ScopedChdir inData(dist);
    SetDisplay(800, 600, 16, 0);
    {
        EventLog log;
        RecordingHost host(log);
        Board board(&host, nullptr, BoardTuning{}, BoardArt::load());
        const int w = static_cast<int>(kShape[0].size()), h = static_cast<int>(kShape.size());
        constexpr int x0 = 160, y0 = 100;
        board.setMode(BoardMode::ModeAction);
        board.setGeometry(x0, y0, w, h);
        for (int i = 0; i < w * h; ++i) {
            const bool field = kShape[static_cast<std::size_t>(i / w)][static_cast<std::size_t>(i % w)] == '#';
            board.setCell(i, field, i % 7 == 2 ? CoatSingle : i % 11 == 5 ? CoatDouble : CoatNone, 0);
        }
        seedBoardRandom(2024);
        board.fillEmptyCells();
        board.pieceAt(12)->lock = 1;
        board.pieceAt(41)->lock = 1;
        board.pieceAt(57)->lock = 2;
        board.putPiece(33, KindRaduga, SpecialRaduga);
        board.pieceAt(23)->special = SpecialTeleport;
        board.onLeftPress(x0 + 48 * 7 + 24, y0 + 48 * 3 + 24);

        Sprite& frame = *BackBuffer();
        constexpr std::uint32_t kBackdrop = 0xFF0000FF;  // a blue no frame tile uses
        frame.FillRect(0, 0, 800, 600, kBackdrop);
        const std::uint16_t backdrop = pixelAt(frame, 0, 0);
        board.drawFrame(frame);
        board.drawStatic(frame, false);
        board.drawDynamic(frame);
        ASSERT_TRUE(writeScreenshotPng(frame, out.string().c_str()));

        // Just outside every edge where the field meets a hole or the board's
        // border, the moulding must be there: no backdrop along the whole edge.
        int gaps = 0;
        const auto field = [&](int r, int c) {
            return r >= 0 && r < h && c >= 0 && c < w &&
                   kShape[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] == '#';
        };
        for (int r = 0; r < h; ++r) {
            for (int c = 0; c < w; ++c) {
                if (!field(r, c)) continue;
                const int left = x0 + 48 * c, top = y0 + 48 * r;
                for (int k = 0; k < 48; ++k) {
                    if (!field(r - 1, c)) gaps += pixelAt(frame, left + k, top - 3) == backdrop;
                    if (!field(r + 1, c)) gaps += pixelAt(frame, left + k, top + 50) == backdrop;
                    if (!field(r, c - 1)) gaps += pixelAt(frame, left - 3, top + k) == backdrop;
                    if (!field(r, c + 1)) gaps += pixelAt(frame, left + 50, top + k) == backdrop;
                }
            }
        }
        EXPECT_EQ(gaps, 0) << "see " << out;
    }
    CloseDisplay();
}

// The specials with the game's own pictures, at three moments of play: after
// the player matched bad pieces (their cells are left coated), halfway
// through a teleport, and while a rainbow is born again in a new kind. The
// coating must reach the static layer as soon as the pieces have gone.
TEST(RenderedBoard, SpecialsAtWork) {
    const std::filesystem::path dist(SHARDFALL_DIST_DIR);
    if (!std::filesystem::exists(dist / "data" / "cell0.tga"))
        GTEST_SKIP() << "the game's data is not generated in " << dist;
    const std::filesystem::path dir = std::filesystem::path(SHARDFALL_TEST_TMP);
    std::filesystem::create_directories(dir);

    ScopedChdir inData(dist);
    SetDisplay(800, 600, 16, 0);
    {
        EventLog log;
        RecordingHost host(log);
        Board board(&host, nullptr, BoardTuning{}, BoardArt::load());
        // Puzzle mode: nothing is born, so the cleared cells stay open; a
        // move is left (16 with 17), so the no-moves notice stays away.
        board.setMode(BoardMode::ModePuzzle);
        const std::vector<std::string> rows = {"884812", "123450", "451121"};
        constexpr int x0 = 256, y0 = 228;
        board.setGeometry(x0, y0, 6, 3);
        for (int i = 0; i < 18; ++i) {
            board.setCell(i, true, i == 12 ? CoatScoreBonus : i == 13 ? CoatWandBonus : i == 8 ? CoatDouble : 0);
            board.putPiece(i, rows[static_cast<std::size_t>(i / 6)][static_cast<std::size_t>(i % 6)] - '0');
        }
        board.pieceAt(6)->special = SpecialTeleport;
        board.putPiece(11, KindRaduga, SpecialRaduga);
        const auto centre = [&](int cell) { return std::pair{x0 + 48 * (cell % 6) + 24, y0 + 48 * (cell / 6) + 24}; };
        const auto click = [&](int cell) {
            board.onLeftPress(centre(cell).first, centre(cell).second);
            board.onLeftRelease();
        };
        const auto ticks = [&](int n) {
            for (int t = 0; t < n; ++t) board.tick(20);
        };
        Sprite& frame = *BackBuffer();
        const auto shot = [&](const char* name) {
            frame.FillRect(0, 0, 800, 600, 0xFF101018);
            board.drawFrame(frame);
            board.drawStatic(frame, false);
            board.drawDynamic(frame);
            const std::filesystem::path out = dir / name;
            EXPECT_TRUE(writeScreenshotPng(frame, out.string().c_str()));
        };

        click(3);
        click(2);
        ticks(60);
        ASSERT_FALSE(board.busy());
        ASSERT_EQ(board.kindAt(0), kNoKind);
        shot("specials_bad_coated.png");
        EXPECT_EQ(board.cell(0).coating(), CoatSingle);
        board.removePiece(5);
        shot("specials_bad_coated.png");
        // An open coated cell and an open bare one look different.
        EXPECT_NE(pixelAt(frame, centre(0).first, centre(0).second), pixelAt(frame, centre(5).first, centre(5).second));

        click(6);
        click(11);
        ticks(10);
        EXPECT_EQ(board.pieceAt(6)->state, PieceState::TeleportOut);
        shot("specials_teleport.png");
        ticks(40);
        click(6);
        click(7);
        ticks(9);
        EXPECT_EQ(board.pieceAt(6)->state, PieceState::Birth);
        shot("specials_rainbow.png");
    }
    CloseDisplay();
}

}  // namespace
