// The player's progress file: its 46 bytes read and written exactly, damaged
// files giving defaults for what they lack, and player names that can never
// reach outside data/profiles or share a file with another player.

#include <filesystem>
#include <fstream>
#include <set>

#include <gtest/gtest.h>

#include "errorlog/error_check.h"
#include "game/progress_file.h"
#include "temp_dir.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// Every field distinct, widths exercised to their top byte.
Bytes handWrittenFile() {
    return {
        7,                 // puzzle level
        12,                // action level
        0x01, 0x02, 0x03,  // action score 66051
        4,                 // action wands
        0x01, 0x00,        // action time 256 s
        0x00, 0x09,        // action gems
        0x0A, 0x0B, 0x0C,  // action level score
        0x03, 0xE8,        // action progress 1000
        5,                 // action collector
        23,                // quest level
        0x98, 0x96, 0x80,  // quest score 10,000,000
        3,                 // quest wands
        0x00, 0x5A,        // quest time left 90 s
        0x00, 0x11,        // quest gems
        0x00, 0x30, 0x39,  // quest level score 12345
        2,                 // quest lives
        6,                 // quest collector
        24,                // highest quest level
        15,                // cube level
        0x00, 0x00, 0x64,  // cube score 100
        0x00, 0x3C,        // cube time 60 s
        0x00, 0x02,        // cube gems
        0x00, 0x00, 0x32,  // cube level score 50
        0x01, 0xF4,        // cube progress 500
        1,                 // cube collector
        1,                 // tips off
    };
}

TEST(ProgressFile, HandWrittenFileReadsFieldByFieldAndWritesBackTheSameBytes) {
    const Bytes file = handWrittenFile();
    ASSERT_EQ(file.size(), kOlderProgressFileSize);
    ProgressRecord r;
    ASSERT_EQ(decodeProgress(file.data(), file.size(), r), ProgressReadResult::Complete);
    EXPECT_EQ(r.puzzleLevel, 7);
    EXPECT_EQ(r.action.level, 12);
    EXPECT_EQ(r.action.score, 66051);
    EXPECT_EQ(r.action.wands, 4);
    EXPECT_EQ(r.action.timeSeconds, 256);
    EXPECT_EQ(r.action.gems, 9);
    EXPECT_EQ(r.action.levelScore, 0x0A0B0C);
    EXPECT_EQ(r.action.progress, 1000);
    EXPECT_EQ(r.action.collector, 5);
    EXPECT_EQ(r.quest.level, 23);
    EXPECT_EQ(r.quest.score, 10000000);
    EXPECT_EQ(r.quest.wands, 3);
    EXPECT_EQ(r.quest.timeLeftSeconds, 90);
    EXPECT_EQ(r.quest.gems, 17);
    EXPECT_EQ(r.quest.levelScore, 12345);
    EXPECT_EQ(r.quest.lives, 2);
    EXPECT_EQ(r.quest.collector, 6);
    EXPECT_EQ(r.highestQuestLevel, 24);
    EXPECT_EQ(r.cube.level, 15);
    EXPECT_EQ(r.cube.score, 100);
    EXPECT_EQ(r.cube.timeSeconds, 60);
    EXPECT_EQ(r.cube.gems, 2);
    EXPECT_EQ(r.cube.levelScore, 50);
    EXPECT_EQ(r.cube.progress, 500);
    EXPECT_EQ(r.cube.collector, 1);
    EXPECT_TRUE(r.tipsOff);
    EXPECT_EQ(encodeProgress(r), file);
}

TEST(ProgressFile, DefaultsAndFieldLimits) {
    ProgressRecord r;
    Bytes expected(kOlderProgressFileSize, 0);
    expected[0] = 1;   // puzzle level
    expected[1] = 1;   // action level
    expected[16] = 1;  // quest level
    expected[31] = 1;  // cube level
    EXPECT_EQ(encodeProgress(r), expected);

    // u16 stops at 65535, u24 keeps its low 24 bits, bytes their low 8.
    r.action.timeSeconds = 70000;
    r.quest.score = 16777216 + 5;
    r.quest.lives = 257;
    const Bytes b = encodeProgress(r);
    EXPECT_EQ(b[6], 0xFF);
    EXPECT_EQ(b[7], 0xFF);
    EXPECT_EQ(b[17], 0);
    EXPECT_EQ(b[19], 5);
    EXPECT_EQ(b[28], 1);
}

std::string onDisk(std::string gamePath) {
    for (char& c : gamePath) {
        if (c == '\\') c = '/';
    }
    return gamePath;
}

class ProgressFileOnDisk : public ::testing::Test {
protected:
    TempDir dir;
    ScopedChdir chdir{dir.path()};
    void SetUp() override { setErrorLogPath("gerr.log"); }
    void TearDown() override {
        closeErrorLog();
        setErrorLogPath("gerr.log");
    }
    std::string log() const {
        std::ifstream in(dir.file("gerr.log"));
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
};

TEST_F(ProgressFileOnDisk, ShortLongAndMissingFilesGiveDefaultsForWhatTheyLack) {
    ProgressRecord missing;
    EXPECT_EQ(readProgressFile("anna", missing), ProgressReadResult::Missing);
    EXPECT_EQ(missing.quest.level, 1);

    // Cut inside the quest score: the fields before it are read, the rest
    // keep the defaults, and the log names the file.
    const Bytes full = handWrittenFile();
    dir.write("data/profiles/anna.sav", std::string(full.begin(), full.begin() + 18));
    ProgressRecord shortRead;
    EXPECT_EQ(readProgressFile("anna", shortRead), ProgressReadResult::Damaged);
    EXPECT_EQ(shortRead.action.collector, 5);
    EXPECT_EQ(shortRead.quest.level, 23);
    EXPECT_EQ(shortRead.quest.score, 0);
    EXPECT_EQ(shortRead.cube.level, 1);
    EXPECT_NE(log().find("anna.sav"), std::string::npos);

    Bytes longer = full;
    longer.insert(longer.end(), 100, 0xEE);
    dir.write("data/profiles/anna.sav", std::string(longer.begin(), longer.end()));
    ProgressRecord longRead;
    EXPECT_EQ(readProgressFile("anna", longRead), ProgressReadResult::Damaged);
    const Bytes longFields = encodeProgress(longRead);
    EXPECT_EQ(Bytes(longFields.begin(), longFields.begin() + kOlderProgressFileSize), full);

    dir.write("data/profiles/anna.sav", std::string(1 << 20, '\xAB'));  // far too big: not read
    ProgressRecord hugeRead;
    EXPECT_EQ(readProgressFile("anna", hugeRead), ProgressReadResult::Damaged);
    EXPECT_EQ(hugeRead.quest.level, 1);
}

TEST_F(ProgressFileOnDisk, WritingCreatesTheFolderAndDeletingRemovesEveryFileOfOnePlayer) {
    ProgressRecord r;
    r.quest.level = 9;
    ASSERT_EQ(writeProgressFile("Bo b", r), 0);
    EXPECT_TRUE(dir.exists("data/profiles/Bo b.sav"));
    ProgressRecord back;
    ASSERT_EQ(readProgressFile("Bo b", back), ProgressReadResult::Complete);
    EXPECT_EQ(back.quest.level, 9);

    for (ProfileFile f : {ProfileFile::QuestBoard, ProfileFile::ActionBoard, ProfileFile::CubeBoard}) {
        dir.write(onDisk(profileFilePath("Bo b", f)), "map");
        dir.write(onDisk(profileFilePath("Bo c", f)), "other");
    }
    dir.write("data/profiles/%42o%20bcube.map", "an older version's board");
    deleteProfileFiles("Bo b");
    for (ProfileFile f : {ProfileFile::Progress, ProfileFile::QuestBoard, ProfileFile::ActionBoard,
                          ProfileFile::CubeBoard}) {
        EXPECT_FALSE(profileFileExists("Bo b", f));
    }
    EXPECT_FALSE(dir.exists("data/profiles/%42o%20bcube.map"));
    EXPECT_TRUE(profileFileExists("Bo c", ProfileFile::CubeBoard));
}

// Older versions escaped capitals too: their file is read while the plain
// one is missing, and gives way to it once the progress is written again.
TEST_F(ProgressFileOnDisk, AFileUnderTheOlderNameIsReadThenWrittenUnderThePlainName) {
    const Bytes full = handWrittenFile();
    dir.write("data/profiles/%54ess.sav", std::string(full.begin(), full.end()));
    EXPECT_TRUE(profileFileExists("Tess", ProfileFile::Progress));
    ProgressRecord record;
    ASSERT_EQ(readProgressFile("Tess", record), ProgressReadResult::Complete);
    EXPECT_EQ(encodeProgress(record), full);

    record.puzzleLevel = 8;
    ASSERT_EQ(writeProgressFile("Tess", record), 0);
    EXPECT_FALSE(dir.exists("data/profiles/%54ess.sav"));
    ProgressRecord back;
    ASSERT_EQ(readProgressFile("Tess", back), ProgressReadResult::Complete);
    EXPECT_EQ(back.puzzleLevel, 8);
    EXPECT_EQ(back.quest.score, 10000000);
    // A plain file, once there, wins over an older one that turns up.
    dir.write("data/profiles/%54ess.sav", std::string(full.begin(), full.end()));
    ASSERT_EQ(readProgressFile("Tess", back), ProgressReadResult::Complete);
    EXPECT_EQ(back.puzzleLevel, 8);
}

// The player list refuses names that differ only in letter case, so names
// are compared here as the path layer compares them, ignoring case.
TEST(ProfileFileNames, HostileNamesStayInsideTheFolderAndNeverShareAFile) {
    const std::vector<std::string> names = {
        "../x", "a/b", "a\\b", "CON", "a%2Fb", "a%252Fb", "..", ".", "...", ".x", "x.", "Bob", " a", "a ",
        "a:b", "a*?<>|\"",
        "\xE9t\xE9 \xC0 l'\xEEle",  // nine Latin-1 characters
        "x", "xquest", "xcube", "xaction", " ", "~",
    };
    std::set<std::string> folded;
    for (const std::string& name : names) {
        const std::string stem = profileFileStem(name);
        EXPECT_EQ(stem.find('/'), std::string::npos) << name;
        EXPECT_EQ(stem.find('\\'), std::string::npos) << name;
        EXPECT_EQ(stem.find(".."), std::string::npos) << name;
        EXPECT_EQ(stem.find_first_of(":*?\"<>|"), std::string::npos) << name;
        ASSERT_FALSE(stem.empty());
        EXPECT_NE(stem.front(), '.') << name;
        EXPECT_NE(stem.front(), ' ') << name;
        EXPECT_NE(stem.back(), ' ') << name;
        EXPECT_NE(stem.back(), '.') << name;
        for (unsigned char c : stem) EXPECT_TRUE(c >= 32 && c < 127) << name;
        for (ProfileFile f : {ProfileFile::Progress, ProfileFile::QuestBoard, ProfileFile::ActionBoard,
                              ProfileFile::CubeBoard}) {
            std::string path = profileFilePath(name, f);
            EXPECT_EQ(path.rfind("data\\profiles\\", 0), 0u);
            for (char& c : path) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            EXPECT_TRUE(folded.insert(path).second) << "shared file: " << path;
        }
    }
    // A plain name is its own file name.
    EXPECT_EQ(profileFileStem("Tess"), "Tess");
    EXPECT_EQ(profileFileStem("Anna Lee_2-b"), "Anna Lee_2-b");
    EXPECT_EQ(profileFilePath("", ProfileFile::Progress), "");
}

}  // namespace

namespace {

// A player's files as the game before board fingerprints left them.
class OlderSaveOnDisk : public ProgressFileOnDisk {
protected:
    void writeOlderPair(const std::string& board) {
        const Bytes progress = handWrittenFile();
        dir.write("data/profiles/Tess.sav", std::string(progress.begin(), progress.end()));
        dir.write("data/profiles/Tessaction.map", board);
    }
    std::string resumedActionBoard() {
        ProgressRecord record;
        readProgressFile("Tess", record);
        return savedBoardToResume("Tess", record, ProfileFile::ActionBoard);
    }
};

TEST_F(OlderSaveOnDisk, AnOlderProgressFileKeepsItsBoardThroughTheNextSaveOfAnotherMode) {
    writeOlderPair("action board");
    EXPECT_EQ(resumedActionBoard(), "data\\profiles\\Tessaction.map");

    // A quest save writes the current layout; the action board it did not
    // touch is still the one that belongs.
    ProgressRecord record;
    readProgressFile("Tess", record);
    ASSERT_FALSE(writeSaveUnit("Tess", record, BoardMode::ModeQuest, SavedBoardChange::Replace, Bytes{1, 2, 3}));
    EXPECT_EQ(dir.read("data/profiles/Tess.sav").size(), kProgressFileSize);
    EXPECT_EQ(resumedActionBoard(), "data\\profiles\\Tessaction.map");
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "data/profiles/Tessquest.map.new"));
}

TEST_F(OlderSaveOnDisk, ABoardTheProgressDoesNotNameIsNotResumedAndAPendingOneThatItNamesIs) {
    writeOlderPair("action board");
    ProgressRecord record;
    readProgressFile("Tess", record);
    ASSERT_FALSE(writeSaveUnit("Tess", record, BoardMode::ModeAction, SavedBoardChange::Replace, Bytes{9, 9}));
    EXPECT_EQ(dir.read("data/profiles/Tessaction.map"), std::string("\x09\x09"));

    // A board from a save that never reached its progress file.
    dir.write("data/profiles/Tessaction.map", "left over");
    EXPECT_EQ(resumedActionBoard(), "");

    // A save cut off after its progress: the board still waits under its
    // pending name, and the resume puts it in place.
    dir.write("data/profiles/Tessaction.map.new", std::string("\x09\x09"));
    EXPECT_EQ(resumedActionBoard(), "data\\profiles\\Tessaction.map");
    EXPECT_EQ(dir.read("data/profiles/Tessaction.map"), std::string("\x09\x09"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "data/profiles/Tessaction.map.new"));
}

}  // namespace
