#include <gtest/gtest.h>

#include <string>

#include "config/byte_fields.h"

namespace {

std::string asText(const std::vector<std::uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

TEST(ByteFieldsTest, IntegersAreBigEndianClampedAndReadBack) {
    ByteFieldWriter w;
    for (int value : {70000, -3, 0x1234}) w.u16(value);
    for (int value : {-1, 0x01ABCDEF}) w.u24(value);
    w.byte(0x1FF);
    EXPECT_EQ(asText(w.bytes()), std::string("\xFF\xFF\x00\x00\x12\x34\x00\x00\x00\xAB\xCD\xEF\xFF", 13));

    ByteFieldReader r(w.bytes().data(), w.bytes().size());
    EXPECT_EQ(r.u16(), 65535u);
    EXPECT_EQ(r.u16(), 0u);
    EXPECT_EQ(r.u16(), 0x1234u);
    EXPECT_EQ(r.u24(), 0u);
    EXPECT_EQ(r.u24(), 0xABCDEFu);
    EXPECT_EQ(r.byte(), 0xFF);
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.u16(), 0u);  // past the end
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.position(), 13u);
}

TEST(ByteFieldsTest, TagsStopAtTheirZeroAtTheLimitOrAtTheEnd) {
    ByteFieldWriter w;
    w.tag("GEM");
    w.tag(nullptr);
    EXPECT_EQ(asText(w.bytes()), std::string("GEM\0\0", 5));
    ByteFieldReader r(w.bytes().data(), w.bytes().size());
    EXPECT_EQ(r.tag(), "GEM");
    EXPECT_EQ(r.tag(), "");
    EXPECT_TRUE(r.ok());

    // A run of 300 letters: the first tag takes 256 bytes and keeps 255.
    const std::string run = std::string(300, 'a') + "BODY";
    ByteFieldReader longRun(reinterpret_cast<const std::uint8_t*>(run.data()), run.size());
    EXPECT_EQ(longRun.tag(), std::string(255, 'a'));
    EXPECT_EQ(longRun.position(), 256u);
    EXPECT_EQ(longRun.tag(), std::string(44, 'a') + "BODY");
    EXPECT_FALSE(longRun.ok()) << "the file ended inside the tag";
}

}  // namespace
