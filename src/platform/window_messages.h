#pragma once
// The message loop's services: the queue of window messages, the window
// procedure, and the default processing every message falls through to.
// Backends post native events here; the game takes them out one by one
// (peekMessage), translates key presses into characters and dispatches them
// to its window procedure, exactly in the shape of a Windows message loop.

#include <deque>
#include <functional>

#include "platform/win_messages.h"

namespace platform {

using WindowProcedure = std::function<LResult(std::uint32_t, WParam, LParam)>;

class MessageQueue {
public:
    void post(std::uint32_t message, WParam wParam = 0, LParam lParam = 0);
    // Puts a message in front of everything already queued (the characters
    // that translation makes from a key press arrive right after it).
    void postFront(std::uint32_t message, WParam wParam = 0, LParam lParam = 0);
    bool take(Message& out);
    bool empty() const { return messages_.empty(); }
    void clear() { messages_.clear(); }

private:
    std::deque<Message> messages_;
};

// The queue of the game window.
MessageQueue& messageQueue();

// The window lost the focus: a Pause press first, so that a level being
// played waits behind its pause menu when the player comes back, then
// WM_ACTIVATEAPP 0, which stops the frames.
void postFocusLost(MessageQueue& queue);

void setWindowProcedure(WindowProcedure procedure);

// Pumps the backend's events into the queue, then removes and returns the
// first message. False when nothing is waiting.
bool peekMessage(Message& out);
// Blocks until an event may be waiting.
void waitMessage();
// A key press of Backspace, Tab, Enter or Escape queues its character.
void translateMessage(const Message& message);
LResult dispatchMessage(const Message& message);
LResult sendMessage(std::uint32_t message, WParam wParam = 0, LParam lParam = 0);
void postMessage(std::uint32_t message, WParam wParam = 0, LParam lParam = 0);
void postQuitMessage(int exitCode);
// The default processing: WM_CLOSE destroys the window; all else is ignored.
LResult defWindowProc(std::uint32_t message, WParam wParam, LParam lParam);
// Sends WM_DESTROY and removes the window.
void destroyWindow();

}  // namespace platform
