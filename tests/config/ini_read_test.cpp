#include <cfloat>
#include <climits>
#include <cstring>
#include <string>

#include "ini_test_fixture.h"

using IniReadTest = IniFixture;

TEST_F(IniReadTest, MatchesSectionKeyAndPathIgnoringLetterCase) {
    dir.write("data/Game.ini", "; settings\r\n[Main]\r\nXS=800\r\n");
    EXPECT_STREQ(iniReadString("DATA\\game.INI", "main", "xs"), "800");
    EXPECT_STREQ(iniReadString("data\\game.ini", "MAIN", "Xs"), "800");
}

TEST_F(IniReadTest, SpacingAndEqualsSignsAroundTheValue) {
    dir.write("a.ini",
              "[s]\n"
              "a = 800\n"
              "b=   800\r"
              "c==800\r\n"
              "\td\t=\t800\n"
              "e=  padded  \n"
              "f=\"quoted\" ; not a comment\n");
    for (const char* key : {"a", "b", "c", "d"}) EXPECT_EQ(iniReadInt("a.ini", "s", key), 800) << key;
    EXPECT_STREQ(iniReadString("a.ini", "s", "e"), "padded  ");
    EXPECT_STREQ(iniReadString("a.ini", "s", "f"), "\"quoted\" ; not a comment");
}

TEST_F(IniReadTest, KeyMatchesOnlyAsAWholeName) {
    dir.write("a.ini", "[s]\r\nname1=a\r\nname=b\r\n");
    EXPECT_STREQ(iniReadString("a.ini", "s", "name"), "b");
    EXPECT_STREQ(iniReadString("a.ini", "s", "nam"), "");
}

TEST_F(IniReadTest, SectionEndsAtNextHeaderAndFirstDuplicateWins) {
    dir.write("a.ini",
              "[one] x=1\r\n"
              "[two]\r\ny=2\r\n"
              "[one]\r\ny=3\r\n"
              "[two]\r\ny=4\r\n");
    EXPECT_STREQ(iniReadString("a.ini", "one", "y"), "");
    EXPECT_STREQ(iniReadString("a.ini", "two", "y"), "2");
    // Text after "]" reads as the section's first line.
    EXPECT_STREQ(iniReadString("a.ini", "one", "x"), "1");
}

TEST_F(IniReadTest, MissingFileSectionOrKeyReadsEmpty) {
    dir.write("a.ini", "[s]\r\nk=1\r\n");
    EXPECT_STREQ(iniReadString("missing.ini", "s", "k"), "");
    EXPECT_EQ(iniReadInt("missing.ini", "s", "k"), 0);
    EXPECT_EQ(iniReadFloat("missing.ini", "s", "k"), 0.0f);
    EXPECT_STREQ(iniReadString("a.ini", "t", "k"), "");
    EXPECT_STREQ(iniReadString("a.ini", "s", "j"), "");
    EXPECT_STREQ(iniReadString("", "s", "k"), "");
    EXPECT_STREQ(iniReadString(nullptr, nullptr, nullptr), "");
}

TEST_F(IniReadTest, NumbersAreTakenFromTheStartOfTheValue) {
    dir.write("n.ini",
              "[n]\r\nmixed=12abc\r\nword=abc\r\nneg=-7\r\nbig=99999999999\r\nsmall=-99999999999\r\n"
              "half=0.5x\r\nexp=-2.5e2\r\ndot=.25\r\nhuge=1e39\r\nnotnum=nan\r\ntiny=1e-999\r\n");
    EXPECT_EQ(iniReadInt("n.ini", "n", "mixed"), 12);
    EXPECT_EQ(iniReadInt("n.ini", "n", "word"), 0);
    EXPECT_EQ(iniReadInt("n.ini", "n", "neg"), -7);
    EXPECT_EQ(iniReadInt("n.ini", "n", "big"), INT_MAX);
    EXPECT_EQ(iniReadInt("n.ini", "n", "small"), INT_MIN);
    EXPECT_EQ(iniReadFloat("n.ini", "n", "half"), 0.5f);
    EXPECT_EQ(iniReadFloat("n.ini", "n", "exp"), -250.0f);
    EXPECT_EQ(iniReadFloat("n.ini", "n", "dot"), 0.25f);
    EXPECT_EQ(iniReadFloat("n.ini", "n", "huge"), FLT_MAX);
    EXPECT_EQ(iniReadFloat("n.ini", "n", "notnum"), 0.0f);
    EXPECT_EQ(iniReadFloat("n.ini", "n", "tiny"), 0.0f);
}

TEST_F(IniReadTest, CacheDoesNotSeeOutsideChangesUntilAnotherFileIsLoaded) {
    dir.write("a.ini", "[s]\r\nk=old\r\n");
    dir.write("b.ini", "");
    EXPECT_STREQ(iniReadString("a.ini", "s", "k"), "old");
    dir.write("a.ini", "[s]\r\nk=new\r\n");
    EXPECT_STREQ(iniReadString("A.INI", "s", "k"), "old");
    iniReadString("b.ini", "s", "k");
    EXPECT_STREQ(iniReadString("a.ini", "s", "k"), "new");
}

TEST_F(IniReadTest, ReleasedCacheReadsTheFileAgain) {
    dir.write("a.ini", "[s]\r\nk=old\r\n");
    EXPECT_STREQ(iniReadString("a.ini", "s", "k"), "old");
    dir.write("a.ini", "[s]\r\nk=new\r\n");
    iniReleaseCache();
    EXPECT_STREQ(iniReadString("a.ini", "s", "k"), "new");
    // A write after the release must not rebuild the file from an empty cache.
    EXPECT_EQ(iniWriteString("a.ini", "s", "j", "1"), 0);
    iniReleaseCache();
    EXPECT_EQ(dir.read("a.ini"), "[s]\r\nj=1\r\nk=new\r\n");
}

TEST_F(IniReadTest, ListSectionsRereadsAndStaysInsideTheBuffer) {
    dir.write("s.ini", "x");
    iniReadString("s.ini", "a", "b");
    dir.write("s.ini", "\t[one]\r\nk=1\r\n  [Two] ; c\r\n[broken\r\n[]\r\nz=[no]\r\n[three]");
    char list[64];
    EXPECT_EQ(iniListSections("s.ini", list, sizeof list), 3);
    EXPECT_EQ(std::string(list, 16), std::string("one\0Two\0three\0\0", 16));

    // Room for "one\0" and the closing byte only: "Two" is left out.
    char small[8];
    std::memset(small, '#', sizeof small);
    EXPECT_EQ(iniListSections("s.ini", small, 6), 1);
    EXPECT_EQ(std::string(small, 8), std::string("one\0\0###", 8));
    EXPECT_EQ(iniListSections("s.ini", small, 1), 0);
    EXPECT_EQ(small[0], '\0');
    EXPECT_EQ(iniListSections("missing.ini", small, sizeof small), 0);
    EXPECT_EQ(small[0], '\0');
}

TEST_F(IniReadTest, FileExistsOnlyForReadableFiles) {
    dir.write("data/Sound/a.wav", "RIFF");
    std::filesystem::create_directories(dir.path() / "folder");
    EXPECT_TRUE(fileExists("DATA\\sound\\A.WAV"));
    EXPECT_FALSE(fileExists("data\\sound\\b.wav"));
    EXPECT_FALSE(fileExists("folder"));
    EXPECT_FALSE(fileExists(""));
    EXPECT_FALSE(fileExists(nullptr));
}
