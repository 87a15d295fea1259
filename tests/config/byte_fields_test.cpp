#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "config/byte_fields.h"

namespace {

using Stream = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

Stream scratch(const std::string& bytes = {}) {
    Stream s(std::tmpfile(), &std::fclose);
    std::fwrite(bytes.data(), 1, bytes.size(), s.get());
    std::rewind(s.get());
    return s;
}

std::string rewindAndRead(std::FILE* f) {
    std::rewind(f);
    std::string out;
    for (int c; (c = std::fgetc(f)) != EOF;) out += static_cast<char>(c);
    std::rewind(f);
    return out;
}

}  // namespace

TEST(ByteFieldsTest, IntegersAreBigEndianClampedAndReadBack) {
    Stream s = scratch();
    for (int value : {70000, -3, 0x1234}) EXPECT_TRUE(writeU16(s.get(), value));
    for (int value : {-1, 0x01ABCDEF}) EXPECT_TRUE(writeU24(s.get(), value));
    EXPECT_EQ(rewindAndRead(s.get()), std::string("\xFF\xFF\x00\x00\x12\x34\x00\x00\x00\xAB\xCD\xEF", 12));
    EXPECT_EQ(readU16(s.get()), 65535u);
    EXPECT_EQ(readU16(s.get()), 0u);
    EXPECT_EQ(readU16(s.get()), 0x1234u);
    EXPECT_EQ(readU24(s.get()), 0u);
    EXPECT_EQ(readU24(s.get()), 0xABCDEFu);
    EXPECT_EQ(readU16(s.get()), 0u);  // past the end
    EXPECT_TRUE(std::feof(s.get()));
}

TEST(ByteFieldsTest, TextsStopAtZeroAt256BytesOrAtEndOfFile) {
    Stream s = scratch();
    EXPECT_TRUE(writeTerminatedText(s.get(), "GEM"));
    EXPECT_EQ(rewindAndRead(s.get()), std::string("GEM\0", 4));
    EXPECT_STREQ(readTerminatedText(s.get()), "GEM");

    Stream longText = scratch(std::string(300, 'a') + "BODY");
    EXPECT_EQ(std::string(readTerminatedText(longText.get())), std::string(256, 'a'));
    EXPECT_EQ(std::string(readTerminatedText(longText.get())), std::string(44, 'a') + "BODY");
    EXPECT_STREQ(readTerminatedText(longText.get()), "");
}
