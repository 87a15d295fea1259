#include "platform/riff_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

#include "temp_dir.h"

using namespace platform;

namespace {

std::string le32(std::uint32_t v) {
    return std::string{char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF), char((v >> 24) & 0xFF)};
}

std::string chunk(const std::string& id, const std::string& data, std::uint32_t claimed = UINT32_MAX) {
    std::string c = id + le32(claimed == UINT32_MAX ? std::uint32_t(data.size()) : claimed) + data;
    if (data.size() % 2) c += '\0';
    return c;
}

std::string riff(const std::string& form, const std::string& body) { return chunk("RIFF", form + body); }

class RiffReaderTest : public ::testing::Test {
protected:
    TempDir dir;
    RiffReader reader;

    void open(const std::string& bytes) {
        dir.write("f.riff", bytes);
        ASSERT_EQ(reader.open(dir.file("f.riff")), MMSYSERR_NOERROR);
    }
    RiffChunk find(const char* id, const RiffChunk* parent) {
        RiffChunk c;
        c.id = makeFourCC(id[0], id[1], id[2], id[3]);
        EXPECT_EQ(reader.descend(c, parent, MMIO_FINDCHUNK), MMSYSERR_NOERROR) << id;
        return c;
    }
};

TEST_F(RiffReaderTest, DescendsIntoTheFirstChunkAndFindsChildrenPastOddSizedOnes) {
    open(riff("WAVE", chunk("junk", "abc") + chunk("fmt ", "0123456789abcdef") + chunk("data", "PCM!")));
    RiffChunk top;
    ASSERT_EQ(reader.descend(top, nullptr, 0), MMSYSERR_NOERROR);
    EXPECT_EQ(top.id, FOURCC_RIFF);
    EXPECT_EQ(top.formType, makeFourCC('W', 'A', 'V', 'E'));
    EXPECT_EQ(top.dataOffset, 8u);
    EXPECT_EQ(reader.tell(), 12u);  // after the form type

    RiffChunk data = find("data", &top);
    EXPECT_EQ(data.size, 4u);
    char bytes[8] = {};
    EXPECT_EQ(reader.read(bytes, 8), 4);  // the file ends there
    EXPECT_EQ(std::string(bytes, 4), "PCM!");

    // From the start of the parent's chunks again: the format record.
    reader.seek(top.dataOffset + 4);
    RiffChunk format = find("fmt ", &top);
    EXPECT_EQ(format.size, 16u);
    EXPECT_EQ(reader.read(bytes, 4), 4);
    EXPECT_EQ(std::string(bytes, 4), "0123");
    ASSERT_EQ(reader.ascend(format), MMSYSERR_NOERROR);
    EXPECT_EQ(reader.tell(), data.dataOffset - 8);
}

TEST_F(RiffReaderTest, ChildrenOutsideTheParentAreNotFound) {
    // The RIFF chunk claims only its form type; "data" follows outside it.
    open(chunk("RIFF", "WAVE", 4) + chunk("data", "xy"));
    RiffChunk top;
    ASSERT_EQ(reader.descend(top, nullptr, 0), MMSYSERR_NOERROR);
    RiffChunk data;
    data.id = makeFourCC('d', 'a', 't', 'a');
    EXPECT_EQ(reader.descend(data, &top, MMIO_FINDCHUNK), MMIOERR_CHUNKNOTFOUND);
    // Without a parent the search goes on to the end of the file.
    reader.seek(12);
    EXPECT_EQ(reader.descend(data, nullptr, MMIO_FINDCHUNK), MMSYSERR_NOERROR);
}

TEST_F(RiffReaderTest, ClaimsPastTheEndAndTruncatedHeadersEndCleanly) {
    open(riff("WAVE", chunk("data", "abcd", 0x7FFFFFF0)));
    RiffChunk top;
    ASSERT_EQ(reader.descend(top, nullptr, 0), MMSYSERR_NOERROR);
    RiffChunk data = find("data", &top);
    EXPECT_EQ(data.size, 0x7FFFFFF0u);
    char bytes[16];
    EXPECT_EQ(reader.read(bytes, 16), 4);
    EXPECT_EQ(reader.read(bytes, 16), 0);
    // A skip of a huge claimed size lands past the end: nothing more found.
    reader.seek(12);
    RiffChunk missing;
    missing.id = makeFourCC('f', 'm', 't', ' ');
    EXPECT_EQ(reader.descend(missing, nullptr, MMIO_FINDCHUNK), MMIOERR_CHUNKNOTFOUND);

    open("RIFF\x10");
    EXPECT_EQ(reader.descend(top, nullptr, 0), MMIOERR_CHUNKNOTFOUND);
    open("RIFF" + le32(4) + "WA");
    EXPECT_EQ(reader.descend(top, nullptr, 0), MMIOERR_CHUNKNOTFOUND);
    EXPECT_EQ(reader.open(dir.file("missing.riff")), MMIOERR_CANNOTOPEN);
}

TEST_F(RiffReaderTest, RandomBytesNeverCrashTheChunkWalk) {
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        std::string bytes(random() % 200, '\0');
        for (char& c : bytes) c = char(random());
        if (round % 3 == 0 && bytes.size() >= 4) bytes.replace(0, 4, "RIFF");
        open(bytes);
        RiffChunk top;
        if (reader.descend(top, nullptr, 0) != MMSYSERR_NOERROR) continue;
        // A chunk found lies inside the file, and its data reads out to the
        // end of the file at most, whatever its header claims.
        RiffChunk c;
        c.id = makeFourCC('d', 'a', 't', 'a');
        if (reader.descend(c, &top, MMIO_FINDCHUNK) == MMSYSERR_NOERROR) {
            ASSERT_GE(c.dataOffset, 8u);
            ASSERT_LE(c.dataOffset, bytes.size());
            std::uint64_t delivered = 0;
            char sink[64];
            for (std::int32_t got; (got = reader.read(sink, sizeof sink)) > 0;) {
                ASSERT_LE(got, std::int32_t(sizeof sink));
                delivered += std::uint64_t(got);
            }
            EXPECT_LE(delivered, std::min<std::uint64_t>(c.size, bytes.size() - c.dataOffset));
        }
    }
}

}  // namespace
