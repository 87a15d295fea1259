// The well behind the name dialog's letter grid, for a player with a pad:
// twenty columns of 27 pixels and seven rows of 22 inside an 8-pixel rim
// (the game cuts the picture into its cells by these counts).

#include "asset_tree.h"
#include "dialog_art.h"
#include "generators.h"
#include "picture_output.h"

void generateLetterGrid(AssetTree& tree) {
    constexpr int kColumns = 20, kRows = 7, kCellWidth = 27, kCellHeight = 22, kRim = 8;
    writePicture(tree, "data\\menu\\lettergrid_panel.tga",
                 wellPicture(kColumns * kCellWidth + 2 * kRim, kRows * kCellHeight + 2 * kRim), PictureFormat::Tga32);
}
