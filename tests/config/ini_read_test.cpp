#include <cfloat>
#include <climits>
#include <cstring>
#include <string>

#include "ini_test_fixture.h"

using IniReadTest = IniFixture;

TEST_F(IniReadTest, FindsKeysByTheLineRules) {
    dir.write("data/Game.ini",
              "; settings\r\n[Main] x=1\n"
              "XS = 800\r"
              "b=   800\r\n"
              "c==800\n"
              "\td\t=\t800\n"
              "e=  padded  \n"
              "name1=a\nname=b\nName=second\n"
              "two words = 7\n"
              "[two]\r\ny=2\r\n[main]\r\ny=3\r\n");
    const char* path = "DATA\\game.INI";
    for (const char* key : {"xs", "b", "c", "d"}) EXPECT_EQ(iniReadInt(path, "main", key), 800) << key;
    EXPECT_STREQ(iniReadString(path, "MAIN", "x"), "1");  // text after "]" is a line of its own
    EXPECT_STREQ(iniReadString(path, "main", "e"), "padded  ");
    EXPECT_STREQ(iniReadString(path, "main", "name"), "b");
    EXPECT_STREQ(iniReadString(path, "main", "nam"), "");
    // Keys with blanks or "=" in them match as the line rules say.
    for (const char* key : {"two words", "TWO WORDS", "two words "}) EXPECT_EQ(iniReadInt(path, "main", key), 7) << key;
    EXPECT_EQ(iniReadInt(path, "main", "two"), 0);
    EXPECT_EQ(iniReadInt(path, "main", "c="), 800);
    EXPECT_STREQ(iniReadString(path, "main", "y"), "");  // the section ends at [two]; later [main] unseen
    EXPECT_STREQ(iniReadString(path, "two", "y"), "2");
    EXPECT_STREQ(iniReadString("missing.ini", "main", "xs"), "");
    EXPECT_STREQ(iniReadString(nullptr, nullptr, nullptr), "");
}

TEST_F(IniReadTest, NumbersAreTakenFromTheStartOfTheValue) {
    dir.write("n.ini",
              "[n]\r\nmixed=12abc\r\nword=abc\r\nbig=99999999999\r\nsmall=-99999999999\r\n"
              "exp=-2.5e2x\r\ndot=.25\r\nhuge=1e39\r\nnotnum=nan\r\ntiny=1e-999\r\n");
    EXPECT_EQ(iniReadInt("n.ini", "n", "mixed"), 12);
    EXPECT_EQ(iniReadInt("n.ini", "n", "word"), 0);
    EXPECT_EQ(iniReadInt("n.ini", "n", "big"), INT_MAX);
    EXPECT_EQ(iniReadInt("n.ini", "n", "small"), INT_MIN);
    EXPECT_EQ(iniReadFloat("n.ini", "n", "exp"), -250.0f);
    EXPECT_EQ(iniReadFloat("n.ini", "n", "dot"), 0.25f);
    EXPECT_EQ(iniReadFloat("n.ini", "n", "huge"), FLT_MAX);
    EXPECT_EQ(iniReadFloat("n.ini", "n", "notnum"), 0.0f);
    EXPECT_EQ(iniReadFloat("n.ini", "n", "tiny"), 0.0f);
    EXPECT_EQ(iniReadFloat("n.ini", "n", "missing"), 0.0f);
}

TEST_F(IniReadTest, CacheSeesOutsideChangesOnlyAfterAnotherFileOrARelease) {
    dir.write("a.ini", "[s]\r\nk=old\r\n");
    EXPECT_STREQ(iniReadString("a.ini", "s", "k"), "old");
    dir.write("a.ini", "[s]\r\nk=new\r\n");
    EXPECT_STREQ(iniReadString("A.INI", "s", "k"), "old");
    iniReadString("b.ini", "s", "k");
    EXPECT_STREQ(iniReadString("a.ini", "s", "k"), "new");

    dir.write("a.ini", "[s]\r\nk=newer\r\n");
    iniReleaseCache();
    // Neither a read nor a write may treat the released file as empty.
    EXPECT_EQ(iniWriteString("a.ini", "s", "j", "1"), 0);
    EXPECT_EQ(dir.read("a.ini"), "[s]\r\nj=1\r\nk=newer\r\n");
}

TEST_F(IniReadTest, ListSectionsRereadsAndStaysInsideTheBuffer) {
    dir.write("s.ini", "x");
    iniReadString("s.ini", "a", "b");
    dir.write("s.ini", "\t[one]\r\nk=1\r\n  [Two] ; c\r\n[broken\r\n[]\r\nz=[no]\r\n[three]");
    char list[64];
    EXPECT_EQ(iniListSections("s.ini", list, sizeof list), 3);
    EXPECT_EQ(std::string(list, 16), std::string("one\0Two\0three\0\0", 16));

    char small[8];
    std::memset(small, '#', sizeof small);
    EXPECT_EQ(iniListSections("s.ini", small, 6), 1);  // "Two" no longer fits
    EXPECT_EQ(std::string(small, 8), std::string("one\0\0###", 8));
}

TEST_F(IniReadTest, FileExistsOnlyForFiles) {
    dir.write("data/Sound/a.wav", "RIFF");
    EXPECT_TRUE(fileExists("DATA\\sound\\A.WAV"));
    EXPECT_FALSE(fileExists("data\\sound\\b.wav"));
    EXPECT_FALSE(fileExists("data\\sound"));
    EXPECT_FALSE(fileExists(""));
}
