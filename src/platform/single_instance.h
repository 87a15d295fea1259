#pragma once
// One running copy per window name and player's folder. The first copy
// holds a named local socket; a second copy of the same user finds it taken,
// asks the first to come to the front, and exits. The socket is released by
// the system when the holder ends, however it ends, so a crash never leaves
// a stale lock.
//
// Local socket names carry no permissions, so anybody on the machine can
// take one. Whoever holds a name is asked who they are (the kernel's peer
// credentials): a holder of another user is stepped around, never deferred
// to, and only a connection of the player's own user raises the window.

#include <string>

namespace platform {

class SingleInstance {
public:
    SingleInstance() = default;
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    enum class Result { First, AnotherIsRunning, Unavailable };

    // Claims the name for this process. AnotherIsRunning: the player's own
    // running copy has been asked to raise its window. Unavailable: no local
    // sockets, or every name taken by other users; the game then runs
    // without the check.
    Result claim(const std::string& windowName, const std::string& dataDirectory);

    // Handles raise requests from later copies; true when one of the same
    // user arrived.
    bool pollRaiseRequests();

    // The first socket name tried for a window name and directory; the name
    // older copies of the game hold (tests).
    static std::string socketName(const std::string& windowName, const std::string& dataDirectory);

    // How many names a claim tries when others hold the first ones.
    static constexpr int kNamesTried = 8;

private:
    [[maybe_unused]] int listener_ = -1;  // natively only
};

}  // namespace platform
