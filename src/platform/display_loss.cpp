#include "platform/display_loss.h"

#include <unistd.h>

#include <cstring>

// Last: Xlib defines short macro names (None, Bool, Status).
#include <X11/Xlib.h>

namespace platform {
namespace {

int displayLost(Display*) {
    static const char kMessage[] = "shardfall: the connection to the display was lost; the game ends\n";
    // Only what is safe from inside the library: no stdio, no exit handlers.
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, kMessage, sizeof kMessage - 1);
    ::_exit(1);
}

}  // namespace

void endWhenDisplayIsLost(const char* videoDriver) {
    if (videoDriver && std::strcmp(videoDriver, "x11") == 0) XSetIOErrorHandler(displayLost);
}

}  // namespace platform
