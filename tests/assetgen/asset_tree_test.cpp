// The tree the generators write into: one file per path, whatever the
// spelling, so two generators cannot quietly hand one picture to both.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "asset_tree.h"
#include "temp_dir.h"

TEST(AssetTree, AFileWrittenTwiceInOneRunIsAFailure) {
    TempDir dir;
    AssetTree tree(dir.path().string());
    EXPECT_TRUE(tree.writeText("data\\menu\\Button.tga", "first"));
    EXPECT_EQ(tree.failures(), 0);
    tree.writeText("DATA/menu/button.TGA", "second");
    EXPECT_EQ(tree.failures(), 1);
    std::ifstream in(dir.path() / "data/menu/button.tga");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "second");

    // A new run writes every file once again.
    AssetTree again(dir.path().string());
    again.writeText("data\\menu\\button.tga", "second");
    EXPECT_EQ(again.failures(), 0);
    EXPECT_EQ(again.changedFiles(), 0);
}
