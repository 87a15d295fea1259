#pragma once
// The headless backend: no window, no devices. Time is a virtual clock that
// advances exactly 20 ms per presented frame, so a run is repeatable bit for
// bit, and input comes from a script played against that clock.

#include <functional>
#include <string>
#include <vector>

#include "platform/backend.h"
#include "platform/script.h"
#include "platform/window_messages.h"

namespace platform {

class HeadlessBackend : public Backend {
public:
    static constexpr std::uint32_t kFrameMs = 20;

    // Writes the current frame as PNG; false on failure.
    using ScreenshotHandler = std::function<bool(const std::string& path)>;

    HeadlessBackend();

    void setScript(std::vector<ScriptCommand> commands, std::string shotDirectory);
    void setScreenshotHandler(ScreenshotHandler handler) { screenshotHandler_ = std::move(handler); }
    // True once every command has run and its waits have passed.
    bool scriptFinished() const { return hasScript_ && next_ >= commands_.size() && nowMs() >= dueMs_; }
    bool hasScript() const { return hasScript_; }
    // Moves the virtual clock on without a frame (tests).
    void advanceClock(std::uint32_t milliseconds) { nowUs_ += std::int64_t{milliseconds} * 1000; }
    std::uint32_t nowMs() const { return static_cast<std::uint32_t>(nowUs_ / 1000); }
    int raiseCount() const { return raiseCount_; }

    bool isHeadless() const override { return true; }
    bool createWindow(const std::string& title, const WindowPlacement& placement) override;
    void destroyWindow() override { window_ = false; }
    bool hasWindow() const override { return window_; }
    void minimizeWindow() override;
    void restoreWindow() override;
    void raiseWindow() override;
    void placeWindow(const WindowPlacement& client, bool bordered) override;
    WindowPlacement clientPlacement() const override { return placement_; }
    void setFullScreen(bool fullScreen) override { fullScreen_ = fullScreen; }
    bool fullScreen() const { return fullScreen_; }
    int screenWidth() const override { return 1920; }
    int screenHeight() const override { return 1080; }

    void pumpEvents(MessageQueue& queue) override;
    void waitEvents() override;

    std::int64_t performanceCounter() const override { return nowUs_; }
    std::int64_t performanceFrequency() const override { return 1000000; }
    std::uint32_t tickCount() const override { return nowMs(); }
    void sleep(std::uint32_t) override {}
    void frameDone() override;
    // Called after each frame's 20 ms have passed, with the new virtual time:
    // the mixer pulls its samples and the sound thread steps here.
    using FrameListener = std::function<void(std::uint32_t nowMs)>;
    void addFrameListener(FrameListener listener) { frameListeners_.push_back(std::move(listener)); }

    void present(const std::uint16_t*, int, int, int, PixelLayout, const Rect&) override { ++presentCount_; }
    int presentCount() const { return presentCount_; }

    CursorHandle createCursor(const CursorImage& image) override;
    void destroyCursor(CursorHandle) override {}
    void setCursor(CursorHandle cursor) override { cursor_ = cursor; }
    void showSystemCursor(bool show) override { systemCursorShown_ = show; }
    bool systemCursorShown() const { return systemCursorShown_; }
    bool cursorPosition(int& x, int& y) const override;
    // The hand's input goes the script's way: the pointer is known from then on.
    void moveHand(int x, int y) override { postMove(messageQueue(), x, y); }
    void pressHand(bool down, int x, int y) override { postButton(messageQueue(), down, false, x, y); }

    void messageBox(const std::string& text, const std::string& caption) override;

private:
    void runDueCommands(MessageQueue& queue);
    void runCommand(const ScriptCommand& command, MessageQueue& queue);
    void runPadCommand(const ScriptCommand& command, MessageQueue& queue);
    void postButton(MessageQueue& queue, bool down, bool right, int x, int y);
    void postMove(MessageQueue& queue, int x, int y);
    WParam buttonFlags() const;

    std::int64_t nowUs_ = 0;
    std::vector<FrameListener> frameListeners_;
    bool window_ = false;
    bool minimized_ = false;
    bool fullScreen_ = false;
    WindowPlacement placement_;
    int presentCount_ = 0;
    int raiseCount_ = 0;
    CursorHandle cursor_ = 0;
    CursorHandle nextCursor_ = 1;
    bool systemCursorShown_ = true;

    bool hasScript_ = false;
    std::vector<ScriptCommand> commands_;
    std::size_t next_ = 0;
    std::uint32_t dueMs_ = 0;
    bool pendingClickUp_ = false;
    // The script's pad, and whether its stick is held until the due time.
    static constexpr int kScriptPad = 0;
    bool stickHeld_ = false;
    ScriptCommand clickUp_;
    std::string shotDirectory_;
    ScreenshotHandler screenshotHandler_;

    bool mouseKnown_ = false;
    int mouseX_ = 0, mouseY_ = 0;
    bool leftDown_ = false, rightDown_ = false;
    // Double clicks as the window class asks for them: a second press of the
    // same button within 500 ms and 2 pixels.
    std::uint32_t lastPressMs_[2] = {0, 0};
    int lastPressX_[2] = {0, 0}, lastPressY_[2] = {0, 0};
    bool lastPressValid_[2] = {false, false};
};

}  // namespace platform
