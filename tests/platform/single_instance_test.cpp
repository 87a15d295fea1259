#include "platform/single_instance.h"

#include <unistd.h>

#include <gtest/gtest.h>

namespace {

using platform::SingleInstance;

TEST(SingleInstance, SecondClaimRaisesTheFirst) {
    const std::string dir = "/tmp/single-instance-test-" + std::to_string(::getpid());
    SingleInstance first;
    ASSERT_EQ(first.claim("Shardfall", dir), SingleInstance::Result::First);
    EXPECT_FALSE(first.pollRaiseRequests());
    {
        SingleInstance second;
        EXPECT_EQ(second.claim("Shardfall", dir), SingleInstance::Result::AnotherIsRunning);
    }
    EXPECT_TRUE(first.pollRaiseRequests());
    EXPECT_FALSE(first.pollRaiseRequests());

    // Another data directory or another name is another game.
    SingleInstance elsewhere;
    EXPECT_EQ(elsewhere.claim("Shardfall", dir + "-other"), SingleInstance::Result::First);
    SingleInstance renamed;
    EXPECT_EQ(renamed.claim("Other", dir), SingleInstance::Result::First);
}

TEST(SingleInstance, NameIsReleasedWithItsHolder) {
    const std::string dir = "/tmp/single-instance-release-" + std::to_string(::getpid());
    {
        SingleInstance first;
        ASSERT_EQ(first.claim("Shardfall", dir), SingleInstance::Result::First);
    }
    SingleInstance again;
    EXPECT_EQ(again.claim("Shardfall", dir), SingleInstance::Result::First);
}

}  // namespace
