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

// The user on the other end of a connected local socket, as the kernel
// knows it; false when it cannot tell.
bool peerUser(int fd, uid_t& user) {
    ucred credentials{};
    socklen_t size = sizeof credentials;
    if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0 || size != sizeof credentials)
        return false;
    user = credentials.uid;
    return true;
}

bool ownUser(int fd) {
    uid_t user = 0;
    return peerUser(fd, user) && user == ::getuid();
}

// Whether the player's own copy holds a taken name; if so it is asked to
// come forward. A holder of another user, or one that does not answer, is
// nobody to defer to.
bool ownCopyHolds(const sockaddr_un& address, socklen_t length) {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    const bool own = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), length) == 0 && ownUser(fd);
    if (own) {
        ssize_t ignored = ::send(fd, kRaiseRequest, sizeof kRaiseRequest - 1, MSG_NOSIGNAL);
        (void)ignored;
    }
    ::close(fd);
    return own;
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
    // The first name is the one every copy of the game has used; the later
    // ones are tried in turn when another user sits on the earlier ones.
    // Every copy walks the same names in the same order, so the player's
    // second copy finds the first one wherever it settled.
    const std::string first = socketName(windowName, dataDirectory);
    for (int attempt = 0; attempt < kNamesTried; ++attempt) {
        const std::string name = attempt == 0 ? first : first + "." + std::to_string(attempt);
        sockaddr_un address;
        const socklen_t length = makeAddress(name, address);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        if (fd < 0) return Result::Unavailable;
        if (::bind(fd, reinterpret_cast<sockaddr*>(&address), length) == 0 && ::listen(fd, 4) == 0) {
            listener_ = fd;
            return Result::First;
        }
        ::close(fd);
        if (ownCopyHolds(address, length)) return Result::AnotherIsRunning;
    }
    return Result::Unavailable;
}

bool SingleInstance::pollRaiseRequests() {
    if (listener_ < 0) return false;
    bool raised = false;
    for (;;) {
        int client = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (client < 0) break;
        // A connection of the player's own user is a request to come forward;
        // what it says matters little. Anyone else's is dropped unheard.
        if (ownUser(client)) {
            char buffer[16];
            ssize_t ignored = ::recv(client, buffer, sizeof buffer, 0);
            (void)ignored;
            raised = true;
        }
        ::close(client);
    }
    return raised;
}

}  // namespace platform
