#pragma once
// Helpers for the screen framework's tests: a data folder per test with a
// display set up, screen files and flat-coloured pictures written into it,
// a screen that records what reaches it, and pixel reading.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "config/ini_store.h"
#include "graphics/display.h"
#include "graphics/pixel_format.h"
#include "graphics/sprite.h"
#include "platform/win_messages.h"
#include "temp_dir.h"
#include "ui/screen_manager.h"

namespace uitest {

// The 5-6-5 pixel the loader makes of an 8-bit colour.
constexpr std::uint16_t rgb565(int r, int g, int b) { return std::uint16_t((r >> 3) << 11 | (g >> 2) << 5 | b >> 3); }
constexpr std::uint16_t kRed = rgb565(255, 0, 0);
constexpr std::uint16_t kBlue = rgb565(0, 0, 255);
constexpr std::uint16_t kGreen = rgb565(0, 255, 0);
constexpr std::uint16_t kWhite = rgb565(255, 255, 255);

// An opaque 32-bit TGA of one colour (0xRRGGBB).
inline std::string flatTga(int width, int height, std::uint32_t rgb) {
    std::string out(18, '\0');
    out[2] = 2;
    out[12] = char(width & 0xFF);
    out[13] = char(width >> 8);
    out[14] = char(height & 0xFF);
    out[15] = char(height >> 8);
    out[16] = 32;
    out[17] = char(0x20 | 8);  // top-down, 8 alpha bits
    for (int i = 0; i < width * height; ++i) {
        out += char(rgb & 0xFF);
        out += char((rgb >> 8) & 0xFF);
        out += char((rgb >> 16) & 0xFF);
        out += char(0xFF);
    }
    return out;
}

inline std::uint16_t pixelAt(const Sprite& sprite, int x, int y) {
    int pitch = 0;
    const std::uint16_t* p = sprite.readablePixels(pitch);
    if (!p) return 0;
    return reinterpret_cast<const std::uint16_t*>(reinterpret_cast<const std::uint8_t*>(p) + y * pitch)[x];
}

// Counts the pixels of one row in [x0, x1) that have the value.
inline int countInRow(const Sprite& sprite, int y, int x0, int x1, std::uint16_t value) {
    int n = 0;
    for (int x = x0; x < x1; ++x) n += pixelAt(sprite, x, y) == value ? 1 : 0;
    return n;
}

// A screen that remembers the commands, shows and hides it sees.
class RecordingScreen : public Screen {
public:
    int onCommand(UiElement* source) override {
        commands.push_back(source ? source->name() : "");
        return 0;
    }
    void onShow() override {
        ++shows;
        Screen::onShow();
    }
    void onHide() override { ++hides; }
    std::vector<std::string> commands;
    int shows = 0, hides = 0;
};

inline platform::LParam at(int x, int y) { return platform::packMousePosition(x, y); }

// Each test runs in a fresh data folder with an 800 x 600 display.
class UiTest : public ::testing::Test {
protected:
    void SetUp() override {
        chdir_ = std::make_unique<ScopedChdir>(dir.path());
        iniReleaseCache();
        SetDisplay(800, 600, 16, 0);
        setCurrentPixelFormat(pixelFormatTable[0]);
        target = std::make_unique<Sprite>();
        ASSERT_TRUE(target->createPixels(800, 600));
        target->FillRect(0, 0, 800, 600, 0xFF000000u);
    }
    void TearDown() override {
        // Screens release their pictures, which the display owns.
        manager.reset();
        target.reset();
        CloseDisplay();
        iniReleaseCache();
        chdir_.reset();
    }
    // A manager whose every screen is a RecordingScreen.
    ScreenManager& recordingManager() {
        manager = std::make_unique<ScreenManager>();
        manager->factory().add("test", [] { return std::make_unique<RecordingScreen>(); });
        manager->factory().add("other", [] { return std::make_unique<RecordingScreen>(); });
        return *manager;
    }
    RecordingScreen* show(const char* name) { return dynamic_cast<RecordingScreen*>(manager->showScreen(name, 1)); }
    void send(std::uint32_t message, int x, int y, platform::WParam wParam = 0) {
        manager->handleWindowMessage(message, wParam, at(x, y));
    }
    // A left click as the mouse makes it: move, press, release.
    void click(int x, int y) {
        send(platform::WM_MOUSEMOVE, x, y);
        send(platform::WM_LBUTTONDOWN, x, y, platform::MK_LBUTTON);
        send(platform::WM_LBUTTONUP, x, y);
    }
    // Typed characters, as the keyboard's translation delivers them.
    void type(const std::string& text) {
        for (char c : text) manager->handleWindowMessage(platform::WM_CHAR, static_cast<unsigned char>(c), 0);
    }
    void clearTarget() { target->FillRect(0, 0, 800, 600, 0xFF000000u); }

    TempDir dir;
    std::unique_ptr<ScopedChdir> chdir_;
    std::unique_ptr<ScreenManager> manager;
    std::unique_ptr<Sprite> target;
};

}  // namespace uitest
