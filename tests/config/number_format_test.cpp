#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "config/number_format.h"

TEST(NumberFormatTest, GroupsThousandsFromOneThousandUp) {
    EXPECT_EQ(formatThousands(999), "999");
    EXPECT_EQ(formatThousands(1000), "1,000");
    EXPECT_EQ(formatThousands(10005), "10,005");
    EXPECT_EQ(formatThousands(1000000), "1,000,000");
    EXPECT_EQ(formatThousands(1234567890), "1234,567,890");
    EXPECT_EQ(formatThousands(INT_MAX), "2147,483,647");
    EXPECT_EQ(formatThousands(-5000), "-5000");

    char text[6];
    std::memset(text, '#', sizeof text);
    EXPECT_EQ(formatThousands(text, 5, 1234567), 9);
    EXPECT_STREQ(text, "1,23");
    EXPECT_EQ(text[5], '#');
}

TEST(NumberFormatTest, TheLanguagesMarkPartsTheGroupsAndANonsenseOneKeepsTheComma) {
    setThousandsSeparator(".");
    EXPECT_EQ(formatThousands(1234567), "1.234.567");
    setThousandsSeparator("\xA0");  // the fonts' word gap, for a space
    EXPECT_EQ(formatThousands(4940), "4\xA0" "940");
    for (const char* nonsense : {"", "7", "-", "\t", "\x7F"}) {
        setThousandsSeparator(nonsense);
        EXPECT_EQ(formatThousands(4940), "4,940") << int(nonsense[0]);
    }
}
