#include <filesystem>
#include <string>

#include "ini_test_fixture.h"

using IniWriteTest = IniFixture;

TEST_F(IniWriteTest, WritingIntoAMissingFileCreatesExactlyOneSectionAndKey) {
    std::filesystem::create_directories(dir.path() / "data");
    EXPECT_EQ(iniWriteString("data\\new.ini", "sec", "key", "value"), 0);
    EXPECT_EQ(dir.read("data/new.ini"), "[sec]\r\nkey=value\r\n");
}

TEST_F(IniWriteTest, NewKeyBecomesFirstKeyOfTheFirstMatchingSection) {
    dir.write("a.ini", "; top\n[a] ; first\nx=1\n[b]\ny=2\n");
    EXPECT_EQ(iniWriteString("a.ini", "A", "z", "9"), 0);
    EXPECT_EQ(dir.read("a.ini"), "; top\n[a] ; first\nz=9\r\nx=1\n[b]\ny=2\n");
    EXPECT_STREQ(iniReadString("a.ini", "a", "z"), "9");
    EXPECT_STREQ(iniReadString("a.ini", "b", "z"), "");
}

TEST_F(IniWriteTest, ReplacingAValueKeepsEverythingOutsideItsLine) {
    dir.write("a.ini", "[s]\r\nk =  old value\r\n\r\n  next=1\r\n; note\n[t]\nk=2");
    EXPECT_EQ(iniWriteString("a.ini", "s", "K", "new"), 0);
    // The blank line and the next key's indentation go with the old line end.
    EXPECT_EQ(dir.read("a.ini"), "[s]\r\nk =  new\r\nnext=1\r\n; note\n[t]\nk=2");
    EXPECT_EQ(iniWriteString("a.ini", "t", "k", "3"), 0);
    EXPECT_EQ(dir.read("a.ini"), "[s]\r\nk =  new\r\nnext=1\r\n; note\n[t]\nk=3\r\n");
}

TEST_F(IniWriteTest, NumbersAreWrittenWithFixedFormats) {
    EXPECT_EQ(iniWriteFloat("n.ini", "n", "f", 0.25f), 0);
    EXPECT_EQ(iniWriteFloat("n.ini", "n", "max", 3.4028235e38f), 0);
    EXPECT_EQ(iniWriteInt("n.ini", "n", "i", -12), 0);
    EXPECT_EQ(dir.read("n.ini"), "[n]\r\ni=-12\r\nmax=340282346638528859811704183484516925440.000000\r\nf=0.250000\r\n");
}

TEST_F(IniWriteTest, HeadersAndKeysAlwaysStartTheirOwnLine) {
    dir.write("a.ini", "[a]\r\nx=1");
    EXPECT_EQ(iniWriteString("a.ini", "b", "y", "2"), 0);
    EXPECT_EQ(dir.read("a.ini"), "[a]\r\nx=1\r\n[b]\r\ny=2\r\n");

    dir.write("h.ini", "[a]");
    EXPECT_EQ(iniWriteString("h.ini", "a", "k", "v"), 0);
    EXPECT_EQ(dir.read("h.ini"), "[a]\r\nk=v\r\n");

    // A "[" after the header would end the section before the new key.
    dir.write("j.ini", "[a] [junk\r\nq=1\r\n");
    EXPECT_EQ(iniWriteString("j.ini", "a", "k", "v"), 0);
    EXPECT_EQ(dir.read("j.ini"), "[a]\r\nk=v\r\n[] [junk\r\nq=1\r\n");
    EXPECT_STREQ(iniReadString("j.ini", "a", "k"), "v");

    // ...and the rest of that line never becomes a header of its own: keys
    // nobody could read before stay unread.
    dir.write("m.ini", "[a] [main]\r\npath=1\r\n");
    EXPECT_STREQ(iniReadString("m.ini", "main", "path"), "");
    EXPECT_EQ(iniWriteString("m.ini", "a", "k", "v"), 0);
    EXPECT_STREQ(iniReadString("m.ini", "main", "path"), "");
    iniReleaseCache();
    EXPECT_STREQ(iniReadString("m.ini", "main", "path"), "");
    EXPECT_STREQ(iniReadString("m.ini", "a", "k"), "v");
    EXPECT_STREQ(iniReadString("m.ini", "a", "path"), "");
}

TEST_F(IniWriteTest, ValuesAndNamesCannotPlantLines) {
    EXPECT_EQ(iniWriteString("a.ini", "s", "k", "Ann\r\n[evil]\r\nx=1"), 0);
    EXPECT_EQ(dir.read("a.ini"), "[s]\r\nk=Ann\r\n");
    for (const char* key : {"k\n[t]", "[t]", " k"}) EXPECT_EQ(iniWriteString("a.ini", "s", key, "v"), -1);
    EXPECT_EQ(dir.read("a.ini"), "[s]\r\nk=Ann\r\n");
}

TEST_F(IniWriteTest, ClearFileEmptiesFileAndCacheForARebuild) {
    dir.write("profiles.ini", "[main]\r\ncurrent=1\r\n[users]\r\n0=Ann\r\n1=Bob\r\n");
    const int current = iniReadInt("profiles.ini", "main", "current");
    EXPECT_EQ(iniClearFile("profiles.ini"), 0);
    EXPECT_EQ(dir.read("profiles.ini"), "");
    EXPECT_STREQ(iniReadString("profiles.ini", "users", "0"), "");
    EXPECT_EQ(iniWriteInt("profiles.ini", "main", "current", current), 0);
    EXPECT_EQ(iniWriteString("profiles.ini", "users", "0", "Bob"), 0);
    EXPECT_EQ(dir.read("profiles.ini"), "[main]\r\ncurrent=1\r\n[users]\r\n0=Bob\r\n");
    EXPECT_EQ(iniClearFile("nowhere\\profiles.ini"), -1);
}

TEST_F(IniWriteTest, FailedSaveKeepsChangeInMemoryAndDiskUntouched) {
    // Tests may run as root, where permissions do not stop writes: a missing
    // parent folder and a folder in the file's place fail for everyone.
    EXPECT_EQ(iniWriteString("gone\\a.ini", "s", "k", "v"), -1);
    EXPECT_FALSE(dir.exists("gone"));

    dir.write("game.ini/keep.txt", "keep");
    EXPECT_EQ(iniWriteInt("game.ini", "s", "k", 5), -1);
    EXPECT_EQ(iniReadInt("game.ini", "s", "k"), 5);
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "game.ini"));
    EXPECT_EQ(dir.read("game.ini/keep.txt"), "keep");
}
