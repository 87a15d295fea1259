#include "platform/single_instance.h"

#include <unistd.h>

#include <gtest/gtest.h>

#include "stranger_process.h"

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

TEST(SingleInstance, AnotherUserNeitherStopsNorRaisesThePlayersCopy) {
    if (!StrangerProcess::available()) GTEST_SKIP() << "only root can run a process as another user";
    const std::string dir = "/tmp/single-instance-stranger-" + std::to_string(::getpid());
    const std::string name = SingleInstance::socketName("Shardfall", dir);

    // Another user sits on the name first: the player's game still starts,
    // and the player's second copy still finds the first one.
    StrangerProcess squatter([&] { return holdSocketName(name); });
    ASSERT_TRUE(squatter.started());
    SingleInstance first;
    ASSERT_EQ(first.claim("Shardfall", dir), SingleInstance::Result::First);
    {
        SingleInstance second;
        EXPECT_EQ(second.claim("Shardfall", dir), SingleInstance::Result::AnotherIsRunning);
    }
    EXPECT_TRUE(first.pollRaiseRequests());

    // Another user asking the running copy to come forward is not heard.
    StrangerProcess caller([&] {
        for (int attempt = 0; attempt < SingleInstance::kNamesTried; ++attempt) {
            sockaddr_un address;
            const std::string tried = attempt == 0 ? name : name + "." + std::to_string(attempt);
            const socklen_t length = abstractAddress(tried, address);
            const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
            if (::connect(fd, reinterpret_cast<sockaddr*>(&address), length) == 0)
                (void)!::send(fd, "raise\n", 6, MSG_NOSIGNAL);
            ::close(fd);
        }
        return true;
    });
    ASSERT_TRUE(caller.started());
    EXPECT_FALSE(first.pollRaiseRequests());
}

}  // namespace
