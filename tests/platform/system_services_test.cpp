#include "platform/system_services.h"

#include <gtest/gtest.h>

namespace {

TEST(Urls, OnlyWebAndMailAddressesAreOpened) {
    EXPECT_TRUE(platform::isOpenableUrl("http://example.org/"));
    EXPECT_TRUE(platform::isOpenableUrl("HTTPS://example.org/play?a=1&b=2"));
    EXPECT_TRUE(platform::isOpenableUrl("mailto:friend@example.org"));
    EXPECT_FALSE(platform::isOpenableUrl("file:///etc/passwd"));
    EXPECT_FALSE(platform::isOpenableUrl("javascript:alert(1)"));
    EXPECT_FALSE(platform::isOpenableUrl("http://"));
    EXPECT_FALSE(platform::isOpenableUrl("--help http://example.org"));
    EXPECT_FALSE(platform::isOpenableUrl("http://example.org/\nrm -rf /"));
    EXPECT_FALSE(platform::isOpenableUrl(""));
    // Refused addresses fail in the shell's convention (32 or below).
    EXPECT_LE(platform::openUrl("file:///etc/passwd"), 32);
}

}  // namespace
