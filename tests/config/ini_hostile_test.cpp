// Files the store reads may be damaged, hand-edited or hostile. None of them
// may crash it or make it read or write out of bounds (these tests are meant
// to run under the sanitizers), and a write must always be readable again.

#include <random>
#include <string>

#include "ini_test_fixture.h"

using IniHostileTest = IniFixture;

TEST_F(IniHostileTest, RandomBytesNeverBreakReadsListsOrWrites) {
    // Biased toward the bytes the syntax cares about, so sections and keys
    // named "s" and "k" do turn up in odd places.
    const std::string alphabet = std::string("[]= \t\r\n\0sk;x\xEF\xBB\xBF\xFF", 17);
    std::mt19937 random(20240611u);
    char list[32];
    for (int round = 0; round < 300; ++round) {
        std::string bytes(random() % 400, '\0');
        for (char& c : bytes) {
            c = (random() % 4 == 0) ? static_cast<char>(random()) : alphabet[random() % alphabet.size()];
        }
        dir.write("r.ini", bytes);
        iniReleaseCache();
        iniReadString("r.ini", "s", "k");
        iniReadInt("r.ini", "", "");
        iniReadFloat("r.ini", "s", "");
        iniListSections("r.ini", list, sizeof list);
        ASSERT_EQ(iniWriteString("r.ini", "s", "k", "value"), 0) << round;
        ASSERT_STREQ(iniReadString("r.ini", "s", "k"), "value") << round;
        iniReleaseCache();
        ASSERT_STREQ(iniReadString("r.ini", "s", "k"), "value") << round;
    }
}

TEST_F(IniHostileTest, HugeLinesAndLongNamesAreBounded) {
    const std::string huge(10u * 1024u * 1024u, 'x');
    dir.write("big.ini", "[s]\r\nk=" + huge);
    EXPECT_EQ(std::string(iniReadString("big.ini", "s", "k")), huge.substr(0, 1023));
    EXPECT_STREQ(iniReadString("big.ini", "s", "x"), "");
    EXPECT_EQ(iniWriteString("big.ini", "s", "k", "short"), 0);
    EXPECT_EQ(dir.read("big.ini"), "[s]\r\nk=short\r\n");

    dir.write("flat.ini", huge);
    char list[16];
    EXPECT_EQ(iniListSections("flat.ini", list, sizeof list), 0);
    dir.write("open.ini", "[" + huge);
    EXPECT_EQ(iniListSections("open.ini", list, sizeof list), 0);
    EXPECT_STREQ(iniReadString("open.ini", huge.c_str(), "k"), "");

    // A key far longer than the value buffer, with a value that is cut.
    const std::string key(3000, 'k');
    const std::string value(5000, 'v');
    EXPECT_EQ(iniWriteString("long.ini", "s", key.c_str(), value.c_str()), 0);
    EXPECT_EQ(std::string(iniReadString("long.ini", "s", key.c_str())), value.substr(0, 1023));
    EXPECT_EQ(dir.read("long.ini"), "[s]\r\n" + key + "=" + value + "\r\n");
}

TEST_F(IniHostileTest, ByteOrderMarkHidesOnlyTheFirstHeader) {
    const std::string file = "\xEF\xBB\xBF[main]\r\nxs=800\r\n[two]\r\ny=1\r\n";
    dir.write("bom.ini", file);
    EXPECT_STREQ(iniReadString("bom.ini", "main", "xs"), "");
    EXPECT_STREQ(iniReadString("bom.ini", "two", "y"), "1");
    EXPECT_EQ(iniWriteInt("bom.ini", "main", "xs", 640), 0);
    EXPECT_EQ(iniReadInt("bom.ini", "main", "xs"), 640);
    EXPECT_EQ(dir.read("bom.ini"), file + "[main]\r\nxs=640\r\n");
}

TEST_F(IniHostileTest, FilesThatCannotBeLoadedAreNeverOverwritten) {
    // Past the loading limit a file reads as empty; saving the cache over it
    // would replace it with a single key.
    dir.write("big.ini", "[s]\r\nk=1\r\n");
    std::filesystem::resize_file(dir.path() / "big.ini", 65u * 1024u * 1024u);
    EXPECT_STREQ(iniReadString("big.ini", "s", "k"), "");
    EXPECT_EQ(iniWriteString("big.ini", "s", "k", "2"), -1);
    EXPECT_EQ(std::filesystem::file_size(dir.path() / "big.ini"), 65u * 1024u * 1024u);

    const std::string path(1024, 'p');  // longer than the cached name can hold
    EXPECT_STREQ(iniReadString(path.c_str(), "s", "k"), "");
    EXPECT_EQ(iniWriteString(path.c_str(), "s", "k", "v"), -1);
}
