#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "config/byte_fields.h"

namespace {

// A scratch stream that lives in memory only.
class Stream {
public:
    Stream() : file_(std::tmpfile()) {}
    ~Stream() { std::fclose(file_); }
    std::FILE* get() const { return file_; }

    std::string bytes() const {
        std::rewind(file_);
        std::string out;
        for (int c; (c = std::fgetc(file_)) != EOF;) out += static_cast<char>(c);
        std::rewind(file_);
        return out;
    }
    void put(const std::string& bytes) const {
        std::fwrite(bytes.data(), 1, bytes.size(), file_);
        std::rewind(file_);
    }

private:
    std::FILE* file_;
};

}  // namespace

TEST(ByteFieldsTest, SixteenBitFieldsClampAndReadBackBigEndian) {
    Stream s;
    for (int value : {70000, -3, 0x1234, 65535}) EXPECT_TRUE(writeU16(s.get(), value));
    EXPECT_EQ(s.bytes(), std::string("\xFF\xFF\x00\x00\x12\x34\xFF\xFF", 8));
    EXPECT_EQ(readU16(s.get()), 65535u);
    EXPECT_EQ(readU16(s.get()), 0u);
    EXPECT_EQ(readU16(s.get()), 0x1234u);
    EXPECT_EQ(readU16(s.get()), 65535u);
    EXPECT_EQ(readU16(s.get()), 0u);
    EXPECT_TRUE(std::feof(s.get()));
}

TEST(ByteFieldsTest, TwentyFourBitFieldsDropNegativesAndHighBits) {
    Stream s;
    for (int value : {-1, 0x01ABCDEF, 0x000102}) EXPECT_TRUE(writeU24(s.get(), value));
    EXPECT_EQ(s.bytes(), std::string("\x00\x00\x00\xAB\xCD\xEF\x00\x01\x02", 9));
    EXPECT_EQ(readU24(s.get()), 0u);
    EXPECT_EQ(readU24(s.get()), 0xABCDEFu);
    EXPECT_EQ(readU24(s.get()), 0x000102u);
}

TEST(ByteFieldsTest, TerminatedTextsStopAtZeroLimitOrEndOfFile) {
    Stream s;
    EXPECT_TRUE(writeTerminatedText(s.get(), "GEM"));
    EXPECT_TRUE(writeTerminatedText(s.get(), ""));
    EXPECT_EQ(s.bytes(), std::string("GEM\0\0", 5));
    EXPECT_STREQ(readTerminatedText(s.get()), "GEM");
    EXPECT_STREQ(readTerminatedText(s.get()), "");

    Stream longText;
    longText.put(std::string(300, 'a') + "BODY");
    EXPECT_EQ(std::string(readTerminatedText(longText.get())), std::string(256, 'a'));
    EXPECT_EQ(std::string(readTerminatedText(longText.get())), std::string(44, 'a') + "BODY");
    EXPECT_TRUE(std::feof(longText.get()));
    EXPECT_STREQ(readTerminatedText(longText.get()), "");
    EXPECT_STREQ(readTerminatedText(nullptr), "");
}
