#include "platform/backend.h"

#include "platform/window_messages.h"

namespace platform {
namespace {

std::unique_ptr<Backend>& installed() {
    static std::unique_ptr<Backend> current;
    return current;
}

}  // namespace

void Backend::moveHand(int x, int y) { messageQueue().post(WM_MOUSEMOVE, 0, packMousePosition(x, y)); }

void Backend::pressHand(bool down, int x, int y) {
    moveHand(x, y);
    messageQueue().post(down ? WM_LBUTTONDOWN : WM_LBUTTONUP, down ? MK_LBUTTON : 0, packMousePosition(x, y));
}

Backend* backend() { return installed().get(); }

std::unique_ptr<Backend> installBackend(std::unique_ptr<Backend> next) {
    std::unique_ptr<Backend> previous = std::move(installed());
    installed() = std::move(next);
    return previous;
}

}  // namespace platform
