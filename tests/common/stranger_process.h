#pragma once
// A process of another local user ("nobody"), for the tests of what other
// users on the machine can and cannot do to the game. Only root can become
// another user; elsewhere `available()` is false and the tests skip.

#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstddef>
#include <cstring>
#include <functional>
#include <string>

class StrangerProcess {
public:
    static constexpr uid_t kNobody = 65534;
    static bool available() { return ::getuid() == 0; }

    // Runs `work` as nobody in a child process; the child signals through a
    // pipe once `work` says it is ready (returns true), then stays until
    // ended. `started()` is false when the child failed or never got ready.
    explicit StrangerProcess(const std::function<bool()>& work) {
        int fds[2];
        if (::pipe(fds) != 0) return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::close(fds[0]);
            const bool ready = ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0 && ::getuid() == kNobody && work();
            char c = ready ? 'y' : 'n';
            ssize_t ignored = ::write(fds[1], &c, 1);
            (void)ignored;
            for (;;) ::pause();
        }
        ::close(fds[1]);
        char c = 0;
        ready_ = pid_ > 0 && ::read(fds[0], &c, 1) == 1 && c == 'y';
        ::close(fds[0]);
    }
    ~StrangerProcess() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
    StrangerProcess(const StrangerProcess&) = delete;
    StrangerProcess& operator=(const StrangerProcess&) = delete;

    bool started() const { return ready_; }

private:
    pid_t pid_ = -1;
    bool ready_ = false;
};

// An abstract-namespace address for a local socket name.
inline socklen_t abstractAddress(const std::string& name, sockaddr_un& address) {
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path + 1, name.data(), name.size());
    return static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
}

// In the stranger: takes a socket name and listens on it (the descriptor
// stays open for the child's life).
inline bool holdSocketName(const std::string& name) {
    sockaddr_un address;
    const socklen_t length = abstractAddress(name, address);
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    return fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&address), length) == 0 && ::listen(fd, 4) == 0;
}
