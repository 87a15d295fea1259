#include "platform/paths.h"

#include "temp_dir.h"

namespace {

// A data tree (and a language folder) for one test, gone again after it.
struct TreeScope {
    explicit TreeScope(std::string tree, std::string language = "") {
        platform::setDataTree(std::move(tree));
        platform::setLanguageFolder(std::move(language));
    }
    ~TreeScope() {
        platform::setDataTree("");
        platform::setLanguageFolder("");
    }
};

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
    using platform::WholeFileRead;
    EXPECT_EQ(platform::tryReadWholeFile("big.bin", bytes, 999), WholeFileRead::NotReadWhole);
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(platform::tryReadWholeFile("BIG.bin", bytes, 1000), WholeFileRead::Read);
    EXPECT_EQ(bytes.size(), 1000u);
    EXPECT_EQ(platform::tryReadWholeFile("", bytes), WholeFileRead::Missing);
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(platform::tryReadWholeFile("gone.bin", bytes), WholeFileRead::Missing);
    EXPECT_EQ(platform::tryReadWholeFile("big.bin\\inside", bytes), WholeFileRead::Missing);
    EXPECT_EQ(platform::tryReadWholeFile(std::string(5000, 'n'), bytes), WholeFileRead::CannotOpen);
    EXPECT_EQ(platform::tryReadWholeFile(".", bytes), WholeFileRead::NotReadWhole);  // a folder is not a file
    EXPECT_TRUE(platform::deleteFile("BIG.BIN"));
    EXPECT_FALSE(platform::deleteFile("BIG.BIN"));
    EXPECT_TRUE(platform::makeDirectories("Data\\Profiles"));
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "Data/Profiles"));
}

// An installed game: the player's folder (the working directory) over a
// read-only data tree. Reads look in the player's folder first and find any
// spelling in either; writes, deletes and new folders stay in the player's.
TEST(Paths, TwoRootsReadThePlayersFolderFirstAndWriteOnlyThere) {
    TempDir dir;
    dir.write("tree/game.ini", "shipped settings");
    dir.write("tree/Data/FX/Glow.tga", "glow");
    dir.write("tree/Data/language.ini", "shipped texts");
    dir.write("home/data/Language.INI", "own texts");
    dir.write("home/data/profiles/Ann.sav", "ann");
    ScopedChdir here(dir.path() / "home");
    TreeScope scope(dir.file("tree") + "/");
    EXPECT_EQ(platform::dataTree(), dir.file("tree"));

    // A folder of the same name in the player's folder does not hide the tree.
    EXPECT_EQ(platform::resolvePath("DATA\\fx\\GLOW.TGA"), dir.file("tree/Data/FX/Glow.tga"));
    EXPECT_EQ(platform::resolvePath("data\\LANGUAGE.ini"), "data/Language.INI");
    EXPECT_EQ(platform::resolvePath("DATA\\Profiles\\ann.SAV"), "data/profiles/Ann.sav");
    EXPECT_EQ(platform::resolvePath("data\\fx\\missing.tga"), "data/fx/missing.tga");
    EXPECT_TRUE(platform::fileReadable("data\\fx\\glow.tga"));
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(platform::readWholeFile("GAME.INI", bytes));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "shipped settings");

    // The first write of a shipped file creates the player's own copy, and
    // the tree is left as it was.
    ASSERT_EQ(platform::writeFileAtomic("Game.ini", "own settings", 12), 0);
    EXPECT_EQ(dir.read("home/Game.ini"), "own settings");
    EXPECT_EQ(dir.read("tree/game.ini"), "shipped settings");
    ASSERT_TRUE(platform::readWholeFile("game.ini", bytes));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "own settings");
    std::FILE* created = platform::openFile("DATA\\profiles\\Bob.sav", "wb");
    ASSERT_NE(created, nullptr);
    std::fclose(created);
    EXPECT_TRUE(dir.exists("home/data/profiles/Bob.sav"));
    // Appending to a shipped file would write into the tree: it opens in
    // the player's folder or not at all (there is no folder fx there).
    EXPECT_EQ(platform::openFile("data\\fx\\glow.tga", "ab"), nullptr);
    EXPECT_EQ(dir.read("tree/Data/FX/Glow.tga"), "glow");

    // Deleting reaches only the player's folder; the shipped file is read again.
    EXPECT_TRUE(platform::deleteFile("data\\language.ini"));
    EXPECT_FALSE(platform::deleteFile("data\\language.ini"));
    ASSERT_TRUE(platform::readWholeFile("data\\language.ini", bytes));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "shipped texts");
    EXPECT_TRUE(platform::makeDirectories("Data\\FX\\Own"));
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "home/data/FX/Own"));
    EXPECT_FALSE(dir.exists("tree/Data/FX/Own"));
}

// A language's own files sit under data/lang/CODE in either root; a read
// under data/ finds the language's copy first and the shared file where the
// language has none. Writes and everything outside data/ are untouched.
TEST(Paths, ALanguageFolderIsReadBeforeTheSharedFiles) {
    TempDir dir;
    dir.write("tree/data/language.ini", "english");
    dir.write("tree/data/lang/de/Language.ini", "deutsch");
    dir.write("tree/data/menu/Title.jpg", "shared title");
    dir.write("home/data/lang/de/menu/help.txt", "eigene hilfe");
    dir.write("home/game.ini", "settings");
    ScopedChdir here(dir.path() / "home");
    TreeScope scope(dir.file("tree"), "data\\lang\\de\\");

    std::vector<std::uint8_t> bytes;
    const auto read = [&](const char* path) {
        return platform::readWholeFile(path, bytes) ? std::string(bytes.begin(), bytes.end()) : std::string("-");
    };
    EXPECT_EQ(read("DATA\\language.INI"), "deutsch");
    EXPECT_EQ(read("data\\MENU\\title.jpg"), "shared title");
    EXPECT_EQ(read("data\\menu\\help.txt"), "eigene hilfe");
    EXPECT_EQ(read("game.ini"), "settings");
    EXPECT_EQ(read("data\\lang\\de\\language.ini"), "deutsch");  // named outright, read as it is
    EXPECT_EQ(read("data\\missing.ini"), "-");
    // A write goes where it always went, and English is the shared files again.
    ASSERT_EQ(platform::writeFileAtomic("data\\language.ini", "own", 3), 0);
    EXPECT_EQ(dir.read("home/data/language.ini"), "own");
    EXPECT_EQ(dir.read("tree/data/lang/de/Language.ini"), "deutsch");
    platform::setLanguageFolder("");
    EXPECT_EQ(read("data\\language.ini"), "own");
    EXPECT_EQ(read("data\\menu\\help.txt"), "-");
}

}  // namespace
