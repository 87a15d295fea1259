#include "platform/window_messages.h"

#include "platform/backend.h"

namespace platform {
namespace {

WindowProcedure& procedure() {
    static WindowProcedure proc;
    return proc;
}

}  // namespace

void MessageQueue::post(std::uint32_t message, WParam wParam, LParam lParam) {
    messages_.push_back(Message{message, wParam, lParam});
}

void MessageQueue::postFront(std::uint32_t message, WParam wParam, LParam lParam) {
    messages_.push_front(Message{message, wParam, lParam});
}

bool MessageQueue::take(Message& out) {
    if (messages_.empty()) return false;
    out = messages_.front();
    messages_.pop_front();
    return true;
}

MessageQueue& messageQueue() {
    static MessageQueue queue;
    return queue;
}

void setWindowProcedure(WindowProcedure proc) { procedure() = std::move(proc); }

bool peekMessage(Message& out) {
    if (Backend* b = backend()) b->pumpEvents(messageQueue());
    return messageQueue().take(out);
}

void waitMessage() {
    if (!messageQueue().empty()) return;
    if (Backend* b = backend()) b->waitEvents();
}

void translateMessage(const Message& message) {
    if (message.message != WM_KEYDOWN) return;
    switch (message.wParam) {
    case VK_BACK:
    case VK_TAB:
    case VK_RETURN:
    case VK_ESCAPE:
        messageQueue().postFront(WM_CHAR, message.wParam, message.lParam);
        break;
    default:
        break;
    }
}

LResult dispatchMessage(const Message& message) { return sendMessage(message.message, message.wParam, message.lParam); }

LResult sendMessage(std::uint32_t message, WParam wParam, LParam lParam) {
    if (procedure()) return procedure()(message, wParam, lParam);
    return defWindowProc(message, wParam, lParam);
}

void postMessage(std::uint32_t message, WParam wParam, LParam lParam) { messageQueue().post(message, wParam, lParam); }

void postQuitMessage(int exitCode) { messageQueue().post(WM_QUIT, static_cast<WParam>(exitCode), 0); }

LResult defWindowProc(std::uint32_t message, WParam, LParam) {
    if (message == WM_CLOSE) destroyWindow();
    return 0;
}

void destroyWindow() {
    Backend* b = backend();
    if (!b || !b->hasWindow()) return;
    sendMessage(WM_DESTROY, 0, 0);
    b->destroyWindow();
}

void postFocusLost(MessageQueue& queue) {
    queue.post(WM_KEYDOWN, VK_PAUSE, packKeyLParam(false, false));
    queue.post(WM_KEYUP, VK_PAUSE, packKeyLParam(true, false));
    queue.post(WM_ACTIVATEAPP, 0, 0);
}

}  // namespace platform
