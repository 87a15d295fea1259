#include "platform/headless_backend.h"

#include <cstdio>
#include <cstdlib>

#include "platform/pad_input.h"
#include "platform/window_messages.h"

namespace platform {

HeadlessBackend::HeadlessBackend() = default;

void HeadlessBackend::setScript(std::vector<ScriptCommand> commands, std::string shotDirectory) {
    commands_ = std::move(commands);
    next_ = 0;
    dueMs_ = nowMs();
    hasScript_ = true;
    shotDirectory_ = std::move(shotDirectory);
}

bool HeadlessBackend::createWindow(const std::string&, const WindowPlacement& placement) {
    window_ = true;
    placement_ = placement;
    // A new top-level window is activated when it is shown.
    messageQueue().post(WM_ACTIVATEAPP, 1, 0);
    return true;
}

void HeadlessBackend::minimizeWindow() {
    if (!window_ || minimized_) return;
    minimized_ = true;
    messageQueue().post(WM_ACTIVATEAPP, 0, 0);
    messageQueue().post(WM_SIZE, SIZE_MINIMIZED, 0);
}

void HeadlessBackend::restoreWindow() {
    if (!window_ || !minimized_) return;
    minimized_ = false;
    messageQueue().post(WM_SIZE, SIZE_RESTORED,
                        packMousePosition(placement_.width, placement_.height));
    messageQueue().post(WM_ACTIVATEAPP, 1, 0);
}

void HeadlessBackend::raiseWindow() {
    ++raiseCount_;
    std::fprintf(stderr, "shardfall: raised by a second copy\n");
    minimizeWindow();
    restoreWindow();
}

void HeadlessBackend::frameDone() {
    nowUs_ += std::int64_t{kFrameMs} * 1000;
    for (const FrameListener& listener : frameListeners_) listener(nowMs());
}

void HeadlessBackend::placeWindow(const WindowPlacement& client, bool) { placement_ = client; }

void HeadlessBackend::pumpEvents(MessageQueue& queue) { runDueCommands(queue); }

void HeadlessBackend::waitEvents() {
    // Nothing can arrive from outside: let time pass so the script goes on.
    frameDone();
}

WParam HeadlessBackend::buttonFlags() const {
    return (leftDown_ ? MK_LBUTTON : 0) | (rightDown_ ? MK_RBUTTON : 0);
}

void HeadlessBackend::postMove(MessageQueue& queue, int x, int y) {
    mouseKnown_ = true;
    mouseX_ = x;
    mouseY_ = y;
    queue.post(WM_MOUSEMOVE, buttonFlags(), packMousePosition(x, y));
}

void HeadlessBackend::postButton(MessageQueue& queue, bool down, bool right, int x, int y) {
    // A real mouse reports where it is before it reports a press there.
    if (!mouseKnown_ || x != mouseX_ || y != mouseY_) postMove(queue, x, y);
    const int b = right ? 1 : 0;
    bool& held = right ? rightDown_ : leftDown_;
    if (down) {
        const std::uint32_t now = nowMs();
        const bool doubleClick = lastPressValid_[b] && now - lastPressMs_[b] <= 500 &&
                                 std::abs(x - lastPressX_[b]) <= 2 && std::abs(y - lastPressY_[b]) <= 2;
        // After a double click the next press starts a new pair.
        lastPressValid_[b] = !doubleClick;
        lastPressMs_[b] = now;
        lastPressX_[b] = x;
        lastPressY_[b] = y;
        held = true;
        std::uint32_t message = right ? (doubleClick ? WM_RBUTTONDBLCLK : WM_RBUTTONDOWN)
                                      : (doubleClick ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN);
        queue.post(message, buttonFlags(), packMousePosition(x, y));
    } else {
        held = false;
        queue.post(right ? WM_RBUTTONUP : WM_LBUTTONUP, buttonFlags(), packMousePosition(x, y));
    }
}

void HeadlessBackend::runDueCommands(MessageQueue& queue) {
    padInput().tick(queue, nowMs());
    while (hasScript_ && nowMs() >= dueMs_) {
        if (stickHeld_) {
            stickHeld_ = false;
            padInput().stick(kScriptPad, 0, 0, queue, nowMs());
            continue;
        }
        if (pendingClickUp_) {
            pendingClickUp_ = false;
            postButton(queue, false, clickUp_.right, clickUp_.x, clickUp_.y);
            continue;
        }
        if (next_ >= commands_.size()) return;
        runCommand(commands_[next_++], queue);
    }
}

void HeadlessBackend::runPadCommand(const ScriptCommand& command, MessageQueue& queue) {
    using Action = ScriptCommand::PadAction;
    PadInput& pads = padInput();
    switch (command.padAction) {
    case Action::Attach:
        pads.attach(kScriptPad);
        return;
    case Action::Detach:
        pads.detach(kScriptPad, queue);
        return;
    case Action::Press:
    case Action::Stick:
        break;
    }
    if (!pads.attached(kScriptPad)) {
        // As with a real pad, nothing arrives from one that is not plugged in.
        std::fprintf(stderr, "shardfall: script line %d: no pad attached\n", command.line);
        return;
    }
    if (command.padAction == Action::Press) {
        pads.button(kScriptPad, command.padButton, true, queue, nowMs());
        pads.button(kScriptPad, command.padButton, false, queue, nowMs());
        return;
    }
    pads.stick(kScriptPad, command.stickX * 32767 / 100, command.stickY * 32767 / 100, queue, nowMs());
    stickHeld_ = true;
    dueMs_ = nowMs() + (static_cast<std::uint32_t>(command.milliseconds) + kFrameMs - 1) / kFrameMs * kFrameMs;
}

void HeadlessBackend::runCommand(const ScriptCommand& command, MessageQueue& queue) {
    using Kind = ScriptCommand::Kind;
    if (command.kind != Kind::Wait && command.kind != Kind::Shot && command.kind != Kind::Pad)
        noteKeyboardOrMouseInput();
    switch (command.kind) {
    case Kind::Wait:
        // Whole frames: a wait of 30 ms lasts two frames.
        dueMs_ = nowMs() + (static_cast<std::uint32_t>(command.milliseconds) + kFrameMs - 1) / kFrameMs * kFrameMs;
        break;
    case Kind::Move:
        postMove(queue, command.x, command.y);
        break;
    case Kind::Down:
        postButton(queue, true, command.right, command.x, command.y);
        break;
    case Kind::Up:
        postButton(queue, false, command.right, command.x, command.y);
        break;
    case Kind::Click:
        postButton(queue, true, command.right, command.x, command.y);
        clickUp_ = command;
        pendingClickUp_ = true;
        dueMs_ = nowMs() + kFrameMs;
        break;
    case Kind::Key:
        postKeyPress(queue, command);
        break;
    case Kind::Type:
        for (char c : command.text) queue.post(WM_CHAR, static_cast<unsigned char>(c), packKeyLParam(false, false));
        break;
    case Kind::Shot: {
        std::string path = command.text;
        if (!path.empty() && path[0] != '/' && !shotDirectory_.empty()) path = shotDirectory_ + "/" + path;
        if (!screenshotHandler_ || !screenshotHandler_(path))
            std::fprintf(stderr, "shardfall: script line %d: could not write screenshot %s\n", command.line,
                         path.c_str());
        break;
    }
    case Kind::Quit:
        queue.post(WM_CLOSE, 0, 0);
        break;
    case Kind::Pad:
        runPadCommand(command, queue);
        break;
    }
}

CursorHandle HeadlessBackend::createCursor(const CursorImage& image) {
    if (image.width <= 0 || image.height <= 0) return 0;
    return nextCursor_++;
}

bool HeadlessBackend::cursorPosition(int& x, int& y) const {
    if (!mouseKnown_) return false;
    x = mouseX_;
    y = mouseY_;
    return true;
}

void HeadlessBackend::messageBox(const std::string& text, const std::string& caption) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
}

}  // namespace platform
