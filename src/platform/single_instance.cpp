#include "platform/single_instance.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace platform {
namespace {

constexpr char kRaiseRequest[] = "raise\n";

// Fills an abstract-namespace address (leading zero byte): no file to clean up.
socklen_t makeAddress(const std::string& name, sockaddr_un& address) {
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    const std::size_t length = std::min(name.size(), sizeof(address.sun_path) - 1);
    std::memcpy(address.sun_path + 1, name.data(), length);
    return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);
}

std::uint64_t fnv1a(const std::string& text) {
    std::uint64_t hash = 1469598103934665603ull;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash;
}

}  // namespace

SingleInstance::~SingleInstance() {
    if (listener_ >= 0) ::close(listener_);
}

std::string SingleInstance::socketName(const std::string& windowName, const std::string& dataDirectory) {
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx",
                  static_cast<unsigned long long>(fnv1a(windowName + '\n' + dataDirectory)));
    return std::string("shardfall-") + hex;
}

SingleInstance::Result SingleInstance::claim(const std::string& windowName, const std::string& dataDirectory) {
    sockaddr_un address;
    const socklen_t length = makeAddress(socketName(windowName, dataDirectory), address);
    int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) return Result::Unavailable;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), length) == 0 && ::listen(fd, 4) == 0) {
        listener_ = fd;
        return Result::First;
    }
    ::close(fd);

    // Taken: tell the holder to come forward.
    fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return Result::AnotherIsRunning;
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), length) == 0) {
        ssize_t ignored = ::send(fd, kRaiseRequest, sizeof kRaiseRequest - 1, MSG_NOSIGNAL);
        (void)ignored;
    }
    ::close(fd);
    return Result::AnotherIsRunning;
}

bool SingleInstance::pollRaiseRequests() {
    if (listener_ < 0) return false;
    bool raised = false;
    for (;;) {
        int client = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (client < 0) break;
        // Any connection is a request to come forward; what it says matters little.
        char buffer[16];
        ssize_t ignored = ::recv(client, buffer, sizeof buffer, 0);
        (void)ignored;
        ::close(client);
        raised = true;
    }
    return raised;
}

}  // namespace platform
