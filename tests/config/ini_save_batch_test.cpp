// A run of writes held by a batch reaches the disk as one save per file, and
// until then the old file stays whole on disk.

#include <filesystem>
#include <string>

#include "ini_test_fixture.h"

using IniSaveBatchTest = IniFixture;

TEST_F(IniSaveBatchTest, ThePlayerListIsRebuiltInOneSave) {
    const std::string old = "[main]\r\ncurrent=1\r\n[users]\r\n0=Ann\r\n1=Bob\r\n";
    dir.write("profiles.ini", old);
    {
        IniSaveBatch save;
        EXPECT_EQ(iniClearFile("profiles.ini"), 0);
        EXPECT_EQ(iniWriteInt("profiles.ini", "main", "current", 0), 0);
        EXPECT_EQ(iniWriteString("profiles.ini", "users", "0", "Bob"), 0);
        // Another file read and written in between: both changes are kept.
        dir.write("data/language.ini", "[game]\r\nhello=Hi\r\n");
        EXPECT_STREQ(iniReadString("data\\language.ini", "game", "hello"), "Hi");
        EXPECT_EQ(iniWriteInt("game.ini", "main", "music", 1), 0);
        EXPECT_STREQ(iniReadString("profiles.ini", "users", "0"), "Bob");
        EXPECT_EQ(iniWriteString("profiles.ini", "users", "1", "Cy"), 0);
        {
            IniSaveBatch inner;
            EXPECT_EQ(iniWriteString("game.ini", "main", "sound", "0.5"), 0);
            EXPECT_EQ(inner.finish(), 0);
        }
        iniReleaseCache();
        // Nothing has reached the disk yet, not even the cleared file.
        EXPECT_EQ(dir.read("profiles.ini"), old);
        EXPECT_FALSE(dir.exists("game.ini"));
        EXPECT_EQ(save.finish(), 0);
        EXPECT_EQ(save.finish(), 0);
    }
    EXPECT_EQ(dir.read("profiles.ini"), "[main]\r\ncurrent=0\r\n[users]\r\n1=Cy\r\n0=Bob\r\n");
    EXPECT_EQ(dir.read("game.ini"), "[main]\r\nsound=0.5\r\nmusic=1\r\n");
    EXPECT_FALSE(dir.exists("profiles.ini.tmp"));

    // Outside a batch every write saves at once again.
    EXPECT_EQ(iniWriteInt("profiles.ini", "main", "current", 1), 0);
    EXPECT_EQ(dir.read("profiles.ini"), "[main]\r\ncurrent=1\r\n[users]\r\n1=Cy\r\n0=Bob\r\n");
}

TEST_F(IniSaveBatchTest, AFileThatCannotBeSavedFailsTheBatchAndSparesTheOthers) {
    dir.write("game.ini/keep.txt", "keep");
    std::filesystem::create_directories(dir.path() / "gone");
    IniSaveBatch save;
    EXPECT_EQ(iniWriteInt("gone\\a.ini", "s", "k", 5), 0);
    EXPECT_EQ(iniWriteInt("b.ini", "s", "k", 6), 0);
    // A folder where the file should be reads as unreadable: refused at once.
    EXPECT_EQ(iniWriteInt("game.ini", "s", "k", 7), -1);
    std::filesystem::remove_all(dir.path() / "gone");
    EXPECT_EQ(save.finish(), -1);
    EXPECT_EQ(dir.read("b.ini"), "[s]\r\nk=6\r\n");
    EXPECT_EQ(dir.read("game.ini/keep.txt"), "keep");
}
