// The game screen's backgrounds under data\BACK: the scene of each quest
// episode (back1..6.jpg), each episode's relic as its outline and as it
// stands after every level of the episode (1\kest1shadow.tga, 1\kest00.jpg
// ...), the scenes of puzzle and cube, and the right-hand panels of quest,
// puzzle and cube. Action draws none of these: the back picture the screen
// file names is its background.

#include <algorithm>
#include <cstdio>
#include <string>

#include "canvas.h"
#include "game_screen_layout.h"
#include "generators.h"
#include "hud_art.h"
#include "picture_output.h"
#include "relic_drawing.h"
#include "scene_painting.h"
#include "screen_file.h"

namespace {

// A row of pictures side by side at a common scale, for the contact sheet.
Image reviewRow(const std::vector<Image>& pictures, double scale) {
    int width = 0, height = 0;
    for (const Image& p : pictures) {
        width += static_cast<int>(p.width * scale) + 6;
        height = std::max(height, static_cast<int>(p.height * scale));
    }
    Canvas canvas(width, height);
    double x = 0;
    for (const Image& p : pictures) {
        cairo_save(canvas.cr());
        cairo_translate(canvas.cr(), x, 0);
        cairo_scale(canvas.cr(), scale, scale);
        canvas.drawImage(p, 0, 0);
        cairo_restore(canvas.cr());
        x += static_cast<int>(p.width * scale) + 6;
    }
    return canvas.toImage();
}

void writeRelic(AssetTree& tree, int episode) {
    const RelicPictures relic = relicPictures(episode);
    const int expected = gamelayout::kEpisodes[static_cast<std::size_t>(episode - 1)].stages;
    if (static_cast<int>(relic.stages.size()) != expected) {
        std::fprintf(stderr, "assetgen: %s has %zu stages, its episode %d levels\n", relic.name.c_str(),
                     relic.stages.size(), expected);
        tree.reportFailure();
    }
    char path[64];
    std::snprintf(path, sizeof path, "data\\BACK\\%d\\kest%dshadow.tga", episode, episode);
    writePicture(tree, path, relic.outline, PictureFormat::Tga32, "", false);
    for (std::size_t k = 0; k < relic.stages.size(); ++k) {
        std::snprintf(path, sizeof path, "data\\BACK\\%d\\kest0%zu.jpg", episode, k);
        writePicture(tree, path, relic.stages[k], PictureFormat::JpegAlphaImage, "", false);
    }
    // On the sheet: the outline, then every stage, in one row.
    std::vector<Image> row{relic.outline};
    row.insert(row.end(), relic.stages.begin(), relic.stages.end());
    tree.addToContactSheet("relic " + std::to_string(episode) + ": " + relic.name + " (outline, stages 0.." +
                               std::to_string(relic.stages.size() - 1) + ")",
                           reviewRow(row, 0.72));
}

}  // namespace

void generateBackgrounds(AssetTree& tree) {
    // The scenes go on the sheet in one row at a reduced size; the review
    // picture of the episodes shows them at work behind a board.
    std::vector<Image> scenes;
    for (int episode = 1; episode <= kEpisodeCount; ++episode) {
        const Image& scene = episodeScene(episode);
        writeBackground(tree, "data\\BACK\\back" + std::to_string(episode) + ".jpg", scene, false);
        scenes.push_back(scene);
        writeRelic(tree, episode);
    }
    writeBackground(tree, "DATA\\BACK\\puzzle.jpg", puzzleScene(), false);
    writeBackground(tree, "DATA\\BACK\\quad.jpg", cubeScene(), false);
    scenes.push_back(puzzleScene());
    scenes.push_back(cubeScene());
    tree.addToContactSheet("back1..6.jpg, puzzle.jpg, quad.jpg", reviewRow(scenes, 0.3));
    generateSidePanels(tree);
}

void generateSidePanels(AssetTree& tree) {
    writeBackground(tree, "DATA\\BACK\\adventure_right.jpg", rightPanel(tree, PanelMode::Quest));
    writeBackground(tree, "DATA\\BACK\\puzzle_right.jpg", rightPanel(tree, PanelMode::Puzzle));
    writeBackground(tree, "DATA\\BACK\\quad_right.jpg", rightPanel(tree, PanelMode::Cube));
}
