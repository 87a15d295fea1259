#pragma once
// The platform backend: one set of operations standing in for the Windows
// services the game was written against (window, message source, counters,
// presentation of the 16-bit frame, cursors, message boxes). Two backends
// implement it: SDL2 for a real window, and the headless backend with its
// virtual clock and script-driven input. One is chosen at start-up.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/win_messages.h"

namespace platform {

class MessageQueue;

// The two 16-bit layouts the frame can be composed in.
enum class PixelLayout { Rgb565, Rgb555 };

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

struct WindowPlacement {
    int x = 0, y = 0, width = 0, height = 0;
};

// A colour cursor image: ARGB8888 pixels, row by row, with its hot spot.
struct CursorImage {
    int width = 0, height = 0;
    int hotX = 0, hotY = 0;
    std::uint32_t* pixels = nullptr;  // width * height, owned by the caller
};

using CursorHandle = std::intptr_t;  // 0: no cursor

class Backend {
public:
    virtual ~Backend() = default;

    virtual bool isHeadless() const = 0;

    // Window. There is one game window; its title is also its identity.
    virtual bool createWindow(const std::string& title, const WindowPlacement& placement) = 0;
    virtual void destroyWindow() = 0;
    virtual bool hasWindow() const = 0;
    virtual void minimizeWindow() = 0;
    virtual void restoreWindow() = 0;
    virtual void raiseWindow() = 0;
    // Places the window's client area in screen pixels; bordered adds a
    // caption. The picture is scaled to whatever size the client area has.
    virtual void placeWindow(const WindowPlacement& client, bool bordered) = 0;
    virtual WindowPlacement clientPlacement() const = 0;
    virtual void setFullScreen(bool fullScreen) = 0;
    virtual int screenWidth() const = 0;
    virtual int screenHeight() const = 0;
    // The part of the desktop windows may take: the screen less its panels
    // and docks, where the desktop says so.
    virtual WindowPlacement usableArea() const { return {0, 0, screenWidth(), screenHeight()}; }

    // Moves native events into the queue as window messages.
    virtual void pumpEvents(MessageQueue& queue) = 0;
    // Blocks until there may be a new event (WaitMessage).
    virtual void waitEvents() = 0;

    // Counters and time (QueryPerformanceCounter, GetTickCount, Sleep).
    virtual std::int64_t performanceCounter() const = 0;
    virtual std::int64_t performanceFrequency() const = 0;
    virtual std::uint32_t tickCount() const = 0;
    virtual void sleep(std::uint32_t milliseconds) = 0;
    // Marks the end of one presented frame: the headless backend advances its
    // virtual clock by one 20 ms frame here and feeds the next script input.
    virtual void frameDone() = 0;

    // Shows the 16-bit frame, the clip rectangle 1:1 into the picture.
    virtual void present(const std::uint16_t* pixels, int width, int height, int pitchBytes,
                         PixelLayout layout, const Rect& clip) = 0;

    // Cursors.
    virtual CursorHandle createCursor(const CursorImage& image) = 0;
    virtual void destroyCursor(CursorHandle cursor) = 0;
    virtual void setCursor(CursorHandle cursor) = 0;
    virtual void showSystemCursor(bool show) = 0;
    // Mouse position in picture pixels (client coordinates); false if unknown.
    virtual bool cursorPosition(int& x, int& y) const = 0;

    // The demo's hand: the program moves the pointer and presses the left
    // button itself, and the game receives the same window messages a real
    // mouse makes, in the same queue. Positions are picture pixels. By
    // default the messages are only posted; a backend with a pointer of its
    // own moves that too, so the player sees where the hand goes.
    virtual void moveHand(int x, int y);
    virtual void pressHand(bool down, int x, int y);

    // A message box; never blocks in headless mode.
    virtual void messageBox(const std::string& text, const std::string& caption) = 0;
};

// The backend in use; null before selectBackend.
Backend* backend();
// Installs the backend (takes ownership); returns the previous one, if any.
std::unique_ptr<Backend> installBackend(std::unique_ptr<Backend> backend);

}  // namespace platform
