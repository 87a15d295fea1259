#pragma once
// One running copy per window name and data directory. The first copy holds
// a named local socket; a second copy finds it taken, asks the first to come
// to the front, and exits. The socket is released by the system when the
// holder ends, however it ends, so a crash never leaves a stale lock.

#include <string>

namespace platform {

class SingleInstance {
public:
    SingleInstance() = default;
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    enum class Result { First, AnotherIsRunning, Unavailable };

    // Claims the name for this process. AnotherIsRunning: the running copy
    // has been asked to raise its window. Unavailable: no local sockets; the
    // game then runs without the check.
    Result claim(const std::string& windowName, const std::string& dataDirectory);

    // Handles raise requests from later copies; true when one arrived.
    bool pollRaiseRequests();

    // The socket name used for a window name and directory (tests).
    static std::string socketName(const std::string& windowName, const std::string& dataDirectory);

private:
    [[maybe_unused]] int listener_ = -1;  // natively only
};

}  // namespace platform
