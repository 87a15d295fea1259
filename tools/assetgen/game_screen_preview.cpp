// Review pictures of the game screen put together the way the game draws
// it, from the same pictures it loads: the back picture, the mode's scene
// and panel, the relic at its episode's place, the board's frame, field and
// pieces, the gem collector, the controls of the mode with numbers in the
// game's fonts, and in quest the tutorial panel open at a move.
// review/game_screen_preview.png holds the four modes, one per quarter;
// review/game_screen_episodes.png the six episodes of the quest at half size.

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "board_generator.h"
#include "canvas.h"
#include "effect_generator.h"
#include "font_generator.h"
#include "frame_tiles.h"
#include "game_screen_layout.h"
#include "generators.h"
#include "hud_art.h"
#include "image_files.h"
#include "piece_generator.h"
#include "relic_drawing.h"
#include "scene_painting.h"
#include "seeded_random.h"
#include "text_layout.h"

namespace {

using namespace gamelayout;

// The pictures every composition shares, made once.
struct Kit {
    BitmapFont staticFont = buildGameFont("DATA\\fonts\\fontStatic.tga");
    BitmapFont menuFont = buildGameFont("DATA\\fonts\\fontmenu.tga");
    BitmapFont helpFont = buildGameFont("DATA\\fonts\\font_help.tga");
    Image back;
    Image questPanel, puzzlePanel, cubePanel, puzzleGoal, liveGoal;
    Image field = fieldCell();
    std::vector<Image> coatings, tiles, pieces;
    Image slot = collectorSlot(), slotGem = collectorGem();
    Image barFull = loadingBar(kTimeBar.w, kTimeBar.h, true), barEmpty = loadingBar(kTimeBar.w, kTimeBar.h, false);
    Image hint = tutorialPanel();

    explicit Kit(AssetTree& tree)
        : back(gameBackFrame(tree)),
          questPanel(rightPanel(tree, PanelMode::Quest)),
          puzzlePanel(rightPanel(tree, PanelMode::Puzzle)),
          cubePanel(rightPanel(tree, PanelMode::Cube)),
          puzzleGoal(puzzlePlate(tree)),
          liveGoal(livePlate(tree)) {
        for (int c = 1; c <= 4; ++c) coatings.push_back(coatingImage(c));
        for (int t = 0; t < kFrameTileCount; ++t) tiles.push_back(renderFrameTile(t));
        for (int k = 0; k < 8; ++k) pieces.push_back(pieceActiveFrame(k, 0));
    }
};

// A level's field as the level sources draw it: '.' a cell, '#' a hole,
// '1' and '2' coatings, 's' and 'w' the plates; pieces by kind, ' ' none.
struct PreviewBoard {
    std::vector<std::string> ground;
    std::vector<std::string> pieces;  // empty: dealt at random from `kinds`
    int kinds = 5;
};

struct PreviewState {
    PanelMode mode = PanelMode::Quest;
    int episode = 0;  // quest
    int stage = 0;    // quest: the relic's stage
    int level = 1;
    std::string levelLabel{}, score{}, lives{}, wands{};
    float bar = 0.5f;
    int collectorSlots = 3, collectorFilled = 0;
    PreviewBoard board{};
    int tutorialCell = -1;  // quest: the panel open at this cell
    std::vector<std::string> tutorialLines{};
};

void drawText(Image& onto, const BitmapFont& font, const std::string& text, float cx, float cy, int variant = 0) {
    placeCentred(onto, drawSample(font, withWordGaps(text), variant), cx, cy);
}

void drawBoard(Image& screen, const Kit& kit, const PreviewBoard& board, int seed) {
    const int h = static_cast<int>(board.ground.size()), w = static_cast<int>(board.ground[0].size());
    const int x0 = kBoardCentreX - w * 24, y0 = (kFieldTop + kFieldBottom) / 2 - h * 24;
    std::vector<bool> active;
    for (const std::string& row : board.ground)
        for (char c : row) active.push_back(c != '#');
    for (const FrameTile& t : frameTilePlacements(w, h, active))
        drawOver(screen, kit.tiles[static_cast<std::size_t>(t.tile)], x0 + 48 * t.col, y0 + 48 * t.row);
    const std::string coats = "12sw";
    SeededRandom random(static_cast<std::uint32_t>(seed));
    for (int r = 0; r < h; ++r)
        for (int c = 0; c < w; ++c) {
            const char g = board.ground[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
            if (g == '#') continue;
            const int px = x0 + 48 * c, py = y0 + 48 * r;
            drawOver(screen, kit.field, px, py);
            const std::size_t coat = coats.find(g);
            if (coat != std::string::npos) drawOver(screen, kit.coatings[coat], px, py);
            int kind = -1;
            if (board.pieces.empty()) {
                kind = random.next() % board.kinds;
            } else {
                const char p = board.pieces[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)];
                if (p >= '0' && p <= '7') kind = p - '0';
            }
            if (kind >= 0) drawOver(screen, kit.pieces[static_cast<std::size_t>(kind)], px + 2, py + 2);
        }
}

void drawButton(Image& screen, const Kit& kit, const std::string& caption, const ScreenRect& at) {
    drawOver(screen, menuButton(at.w, at.h, ButtonLook::Normal), at.x, at.y);
    drawText(screen, kit.menuFont, caption, static_cast<float>(at.centreX()), static_cast<float>(at.centreY() + 4));
}

void drawBar(Image& screen, const Kit& kit, float value) {
    const int filled = static_cast<int>(std::lround(kTimeBar.w * value));
    Image bar = kit.barEmpty;
    for (int y = 0; y < kTimeBar.h; ++y)
        for (int x = 0; x < filled; ++x) bar.at(x, y) = kit.barFull.at(x, y);
    drawOver(screen, bar, kTimeBar.x, kTimeBar.y);
}

void drawTutorial(Image& screen, const Kit& kit, const PreviewState& s) {
    const PreviewBoard& board = s.board;
    const int h = static_cast<int>(board.ground.size()), w = static_cast<int>(board.ground[0].size());
    const int x0 = kBoardCentreX - w * 24, y0 = (kFieldTop + kFieldBottom) / 2 - h * 24;
    const int x = x0 + 48 * (s.tutorialCell % w) + 24, y = y0 + 48 * (s.tutorialCell / w) + 24;
    const int top = std::max(0, y - kHintSpotY);
    drawOver(screen, kit.hint, x - kHintSpotX, top);
    for (std::size_t i = 0; i < s.tutorialLines.size(); ++i) {
        const Image line = drawSample(kit.helpFont, withWordGaps(s.tutorialLines[i]));
        drawOver(screen, line, x - 45 - 8,
                 top + kHintFirstLine + kHintLineStep * static_cast<int>(i) - kit.helpFont.lineHeight / 2);
    }
}

Image compose(const Kit& kit, const PreviewState& s) {
    Image screen = kit.back;
    switch (s.mode) {
        case PanelMode::Quest: {
            drawOver(screen, episodeScene(s.episode), kScene.x, kScene.y);
            const RelicPictures relic = relicPictures(s.episode);
            const ScreenRect box = relicBox(s.episode);
            drawOver(screen, relic.outline, box.x, box.y);
            drawOver(screen, relic.stages[static_cast<std::size_t>(s.stage)], box.x, box.y);
            drawOver(screen, kit.questPanel, kRightPanel.x, kRightPanel.y);
            break;
        }
        case PanelMode::Puzzle:
            drawOver(screen, puzzleScene(), kScene.x, kScene.y);
            drawOver(screen, kit.puzzlePanel, kRightPanel.x, kRightPanel.y);
            break;
        case PanelMode::Cube:
            drawOver(screen, cubeScene(), kScene.x, kScene.y);
            drawOver(screen, kit.cubePanel, kRightPanel.x, kRightPanel.y);
            break;
        case PanelMode::Action: break;
    }
    drawBoard(screen, kit, s.board, s.level);

    // The controls the mode shows, in the screen file's order.
    auto number = [&](const std::string& text, const ScreenRect& plate) {
        drawText(screen, kit.staticFont, text, static_cast<float>(plate.centreX()), static_cast<float>(plate.centreY()));
    };
    if (s.mode == PanelMode::Puzzle) drawOver(screen, kit.puzzleGoal, kPuzzlePlate.x, kPuzzlePlate.y);
    if (s.mode == PanelMode::Action || s.mode == PanelMode::Cube) drawOver(screen, kit.liveGoal, kLivePlate.x, kLivePlate.y);
    number(s.levelLabel, kLevelPlate);
    if (s.mode != PanelMode::Puzzle) {
        number(s.score, kScorePlate);
        drawBar(screen, kit, s.bar);
    }
    if (s.mode == PanelMode::Quest) {
        number(s.lives, kLivesPlate);
        number(s.wands, kWandCountPlate);
        drawOver(screen, wandButton(ButtonLook::Normal), kWandButton.x, kWandButton.y);
    }
    if (s.mode == PanelMode::Puzzle) {
        drawButton(screen, kit, "Undo", kUndoButton);
        drawButton(screen, kit, "Reset", kResetButton);
    }
    drawButton(screen, kit, "Menu", kMenuButton);
    drawButton(screen, kit, "Help", kHelpButton);

    if (s.mode != PanelMode::Puzzle) {
        for (int i = 0; i < s.collectorSlots; ++i) {
            const int x = 398 - 24 * s.collectorSlots + 48 * i + (s.mode == PanelMode::Quest ? 32 : 0);
            drawOver(screen, kit.slot, x, 10);
            if (i < s.collectorFilled) drawOver(screen, kit.slotGem, x + 18, 10 + 13);
        }
    }
    if (s.tutorialCell >= 0) drawTutorial(screen, kit, s);
    return screen;
}

const PreviewBoard kQuestBoard{{"........", ".1.11.1.", ".2.22.2.", "...s....", "........", ".2.22.2.", ".1.11.1.", "....w..."},
                               {},
                               7};
const PreviewBoard kPuzzleBoard{{"#.....#", ".......", ".......", "...#...", ".......", ".......", "#.....#"},
                                {"       ", "       ", "   3   ", "  1 2  ", " 21 23 ", "3120134", " 40243 "},
                                0};
const PreviewBoard kOpenBoard{{"........", "........", "........", "........", "........", "........", "........",
                               "........"},
                              {},
                              5};

PreviewState questState(int episode, int levelInEpisode, int level) {
    const int slots = level >= 33 ? 8 : level >= 25 ? 7 : level >= 18 ? 6 : level >= 12 ? 5 : level >= 6 ? 4 : 3;
    return {.mode = PanelMode::Quest,
            .episode = episode,
            .stage = levelInEpisode - 1,
            .level = level,
            .levelLabel = std::to_string(episode) + "-" + std::to_string(levelInEpisode),
            .score = std::string("128,450"),
            .lives = std::string("5"),
            .wands = std::string("3"),
            .bar = 0.62f,
            .collectorSlots = slots,
            .collectorFilled = 2,
            .board = kQuestBoard};
}

Image quarterGrid(const std::vector<Image>& screens, int columns, double scale) {
    const int w = static_cast<int>(kScreenWidth * scale), h = static_cast<int>(kScreenHeight * scale);
    const int rows = (static_cast<int>(screens.size()) + columns - 1) / columns;
    Canvas canvas(w * columns, h * rows);
    for (std::size_t i = 0; i < screens.size(); ++i) {
        cairo_save(canvas.cr());
        cairo_translate(canvas.cr(), static_cast<double>(w) * (i % columns), static_cast<double>(h) * (i / columns));
        cairo_scale(canvas.cr(), scale, scale);
        canvas.drawImage(screens[i], 0, 0);
        cairo_restore(canvas.cr());
    }
    Image out = canvas.toImage();
    for (auto& p : out.pixels) p |= 0xFF000000u;
    return out;
}

}  // namespace

void generateGameScreenPreview(AssetTree& tree) {
    const Kit kit(tree);
    PreviewState quest = questState(4, 3, 20);
    quest.tutorialCell = 3 * 8 + 2;
    quest.tutorialLines = {"Here is a move for you!", "Drag this gem onto its", "neighbour to swap them.",
                           "Three or more alike in a", "row vanish and score."};
    const PreviewState puzzle{
        .mode = PanelMode::Puzzle, .level = 12, .levelLabel = std::string("12"), .board = kPuzzleBoard};
    const PreviewState action{.mode = PanelMode::Action,
                              .level = 7,
                              .levelLabel = std::string("7"),
                              .score = std::string("46,200"),
                              .bar = 0.35f,
                              .collectorSlots = 4,
                              .collectorFilled = 1,
                              .board = {kOpenBoard.ground, {}, 6}};
    const PreviewState cube{.mode = PanelMode::Cube,
                            .level = 3,
                            .levelLabel = std::string("3"),
                            .score = std::string("8,150"),
                            .bar = 0.8f,
                            .collectorSlots = 3,
                            .board = {kOpenBoard.ground, {}, 3}};
    tree.writeFile("review/game_screen_preview.png",
                   encodePng(quarterGrid({compose(kit, quest), compose(kit, puzzle), compose(kit, action), compose(kit, cube)}, 2, 1.0)));

    std::vector<Image> episodes;
    const int firstLevel[6] = {1, 6, 12, 18, 25, 33};
    for (int e = 1; e <= kEpisodeCount; ++e) {
        // Each episode a little further on, the last one complete.
        const int stages = kEpisodes[static_cast<std::size_t>(e - 1)].stages;
        const int inEpisode = e == kEpisodeCount ? stages : std::min(stages, e + 1);
        episodes.push_back(compose(kit, questState(e, inEpisode, firstLevel[e - 1] + inEpisode - 1)));
    }
    tree.writeFile("review/game_screen_episodes.png", encodePng(quarterGrid(episodes, 3, 0.5)));
}
