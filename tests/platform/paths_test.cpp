#include "platform/paths.h"

#include "temp_dir.h"

namespace {

TEST(Paths, AnySpellingFindsTheFileThatExists) {
    TempDir dir;
    dir.write("data/fx/Glow.tga", "glow");
    ScopedChdir here(dir.path());
    EXPECT_EQ(platform::resolvePath("DATA\\FX\\glow.TGA"), "data/fx/Glow.tga");
    EXPECT_EQ(platform::resolvePath("data/fx/Glow.tga"), "data/fx/Glow.tga");
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(platform::readWholeFile("Data\\Fx\\GLOW.tga", bytes));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "glow");
    // Missing parts keep the caller's spelling below the last part that exists.
    EXPECT_EQ(platform::resolvePath("DATA\\Profiles\\Ann.sav"), "data/Profiles/Ann.sav");
    EXPECT_EQ(platform::resolvePath(dir.file("DATA/fx/GLOW.TGA")), dir.file("data/fx/Glow.tga"));
}

TEST(Paths, AtomicWriteReplacesOrLeavesTheOldFile) {
    TempDir dir;
    ScopedChdir here(dir.path());
    dir.write("Game.ini", "old");
    ASSERT_EQ(platform::writeFileAtomic("game.INI", "new bytes", 9), 0);
    EXPECT_EQ(dir.read("Game.ini"), "new bytes");
    EXPECT_FALSE(dir.exists("game.INI"));
    // A target that cannot be written: -1, and nothing changed or left behind.
    std::filesystem::create_directory(dir.path() / "folder");
    EXPECT_EQ(platform::writeFileAtomic("folder", "x", 1), -1);
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "folder"));
    EXPECT_EQ(platform::writeFileAtomic("nowhere\\file.ini", "x", 1), -1);
    int entries = 0;
    for (auto& e : std::filesystem::directory_iterator(dir.path())) entries += e.is_regular_file();
    EXPECT_EQ(entries, 1);
}

TEST(Paths, ReadsAreBoundedAndDeletesResolve) {
    TempDir dir;
    ScopedChdir here(dir.path());
    dir.write("big.bin", std::string(1000, 'x'));
    std::vector<std::uint8_t> bytes;
    EXPECT_FALSE(platform::readWholeFile("big.bin", bytes, 999));
    EXPECT_TRUE(bytes.empty());
    EXPECT_TRUE(platform::readWholeFile("big.bin", bytes, 1000));
    EXPECT_FALSE(platform::readWholeFile("", bytes));
    EXPECT_FALSE(platform::readWholeFile(".", bytes));  // a folder is not a file
    EXPECT_TRUE(platform::deleteFile("BIG.BIN"));
    EXPECT_FALSE(platform::deleteFile("BIG.BIN"));
    EXPECT_TRUE(platform::makeDirectories("Data\\Profiles"));
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "Data/Profiles"));
}

}  // namespace
