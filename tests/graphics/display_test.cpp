// The display: format selection, the back buffer across mode switches, the
// window calls, presenting, the registry, result names and the error log.

#include <cstdio>
#include <string>

#include "errorlog/error_check.h"
#include "graphics/display.h"
#include "graphics/sprite_registry.h"
#include "graphics_test_support.h"
#include "temp_dir.h"

namespace {

// Records the window calls the display makes.
class RecordingBackend : public platform::Backend {
public:
    std::vector<bool> fullScreenCalls;
    std::vector<platform::WindowPlacement> placements;
    std::vector<platform::Rect> presentedClips;
    platform::WindowPlacement client{50, 60, 1000, 750};

    bool isHeadless() const override { return true; }
    bool createWindow(const std::string&, const platform::WindowPlacement&) override { return true; }
    void destroyWindow() override {}
    bool hasWindow() const override { return true; }
    void minimizeWindow() override {}
    void restoreWindow() override {}
    void raiseWindow() override {}
    void placeWindow(const platform::WindowPlacement& placement, bool) override {
        placements.push_back(placement);
        client = placement;
    }
    platform::WindowPlacement clientPlacement() const override { return client; }
    void setFullScreen(bool fullScreen) override { fullScreenCalls.push_back(fullScreen); }
    int screenWidth() const override { return 1920; }
    int screenHeight() const override { return 1080; }
    void pumpEvents(platform::MessageQueue&) override {}
    void waitEvents() override {}
    std::int64_t performanceCounter() const override { return 0; }
    std::int64_t performanceFrequency() const override { return 1000; }
    std::uint32_t tickCount() const override { return 0; }
    void sleep(std::uint32_t) override {}
    void frameDone() override {}
    void present(const std::uint16_t* pixels, int width, int height, int pitchBytes, platform::PixelLayout,
                 const platform::Rect& clip) override {
        EXPECT_NE(pixels, nullptr);
        EXPECT_EQ(width, 800);
        EXPECT_EQ(height, 600);
        EXPECT_GE(pitchBytes, 1600);
        presentedClips.push_back(clip);
    }
    platform::CursorHandle createCursor(const platform::CursorImage&) override { return 0; }
    void destroyCursor(platform::CursorHandle) override {}
    void setCursor(platform::CursorHandle) override {}
    void showSystemCursor(bool) override {}
    bool cursorPosition(int&, int&) const override { return false; }
    void messageBox(const std::string&, const std::string&) override {}
};

class DisplayTest : public ::testing::Test {
protected:
    void TearDown() override {
        CloseDisplay();
        clearDisplayModeForTesting();
        setCurrentPixelFormat(pixelFormatTable[0]);
        platform::installBackend(nullptr);
    }
    RecordingBackend& installRecorder() {
        auto recorder = std::make_unique<RecordingBackend>();
        RecordingBackend& ref = *recorder;
        platform::installBackend(std::move(recorder));
        return ref;
    }
};

platform::PixelLayout backBufferLayout() { return BackBuffer()->lpSurface()->layout(); }

TEST_F(DisplayTest, WindowedOnA32BitDesktopComposesIn565) {
    SetDisplay(800, 600, 16, 0);
    ASSERT_NE(BackBuffer(), nullptr);
    ASSERT_NE(BackBuffer()->lpSurface(), nullptr);
    EXPECT_EQ(backBufferLayout(), platform::PixelLayout::Rgb565);
    EXPECT_EQ(currentPixelFormat().greenMask, 0x07E0u);
    EXPECT_EQ(BackBuffer()->width(), 800);
    EXPECT_EQ(BackBuffer()->height(), 600);
    EXPECT_EQ(BackBuffer()->clip.right, 800);
    EXPECT_EQ(BackBuffer()->clip.bottom, 600);
    EXPECT_EQ(spriteRegistry().at(0), BackBuffer());
    EXPECT_EQ(spriteRegistry().capacity(), 1000);
}

TEST_F(DisplayTest, A16BitDisplayWithGreenMask03E0Selects555) {
    setDisplayModeForTesting(16, 0x03E0);
    SetDisplay(800, 600, 16, 1);
    EXPECT_EQ(backBufferLayout(), platform::PixelLayout::Rgb555);
    EXPECT_EQ(currentPixelFormat().redMask, 0x7C00u);
    CloseDisplay();
    setDisplayModeForTesting(16, 0x07E0);
    SetDisplay(800, 600, 16, 0);
    EXPECT_EQ(backBufferLayout(), platform::PixelLayout::Rgb565);
}

TEST_F(DisplayTest, ModeSwitchesKeepTheBackBufferAndSprites) {
    RecordingBackend& recorder = installRecorder();
    SetDisplay(800, 600, 16, 0);
    Sprite* backBuffer = BackBuffer();
    platform::Surface16* surface = backBuffer->lpSurface();
    Sprite* picture = spriteRegistry().add(makeSprite(4, 4, 0x1234));
    EXPECT_EQ(displayFullScreenFlag(), 0);

    SetDisplay(800, 600, 16, 1);
    EXPECT_EQ(displayFullScreenFlag(), 1);
    SetDisplay(800, 600, 16, 0);
    EXPECT_EQ(BackBuffer(), backBuffer);
    EXPECT_EQ(backBuffer->lpSurface(), surface);
    EXPECT_EQ(spriteRegistry().at(1), picture);
    EXPECT_EQ(pixelAt(*picture, 3, 3), 0x1234);

    // The first call always sets the style; each switch changes it again.
    EXPECT_EQ(recorder.fullScreenCalls, (std::vector<bool>{false, true, false}));
    // Starting centres a fresh window; coming back from full screen gives
    // back the window as it was (here still the starting one).
    ASSERT_EQ(recorder.placements.size(), 2u);
    for (const platform::WindowPlacement& p : recorder.placements) {
        EXPECT_EQ(p.x, 360);
        EXPECT_EQ(p.y, 90);
        EXPECT_EQ(p.width, 1200);
        EXPECT_EQ(p.height, 900);
    }

    // A window the player has sized and moved comes back the same.
    recorder.client = {30, 40, 1000, 750};
    SetDisplay(800, 600, 16, 1);
    recorder.client = {0, 0, 1920, 1080};  // what full screen leaves behind
    SetDisplay(800, 600, 16, 0);
    ASSERT_EQ(recorder.placements.size(), 3u);
    const platform::WindowPlacement& back = recorder.placements[2];
    EXPECT_EQ(back.x, 30);
    EXPECT_EQ(back.y, 40);
    EXPECT_EQ(back.width, 1000);
    EXPECT_EQ(back.height, 750);
}

TEST_F(DisplayTest, StayingWindowedKeepsTheUsersWindow) {
    RecordingBackend& recorder = installRecorder();
    SetDisplay(800, 600, 16, 0);
    recorder.client = {7, 8, 1000, 750};
    SetDisplay(800, 600, 16, 0);
    ASSERT_EQ(recorder.placements.size(), 2u);
    EXPECT_EQ(recorder.placements[1].x, 7);
    EXPECT_EQ(recorder.placements[1].width, 1000);
    EXPECT_EQ(recorder.fullScreenCalls.size(), 1u);
}

TEST_F(DisplayTest, StartingWindowIsTheLargestHalfStepThatFitsTheUsableArea) {
    auto size = [](int x, int y, int w, int h) {
        const platform::WindowPlacement p = startingWindowPlacement(800, 600, {x, y, w, h});
        return std::to_string(p.width) + "x" + std::to_string(p.height) + "@" + std::to_string(p.x) + "," +
               std::to_string(p.y);
    };
    EXPECT_EQ(size(0, 0, 1024, 768), "800x600@112,84");
    EXPECT_EQ(size(0, 0, 1600, 1000), "1200x900@200,50");
    EXPECT_EQ(size(0, 0, 1920, 1080), "1200x900@360,90");
    EXPECT_EQ(size(0, 0, 2560, 1440), "1600x1200@480,120");
    EXPECT_EQ(size(0, 0, 3840, 2160), "2800x2100@520,30");
    EXPECT_EQ(size(0, 0, 640, 480), "800x600@0,0");
    // A panel along the top: the window is centred below it, and a panel
    // that leaves too little height for the frame takes a step off.
    EXPECT_EQ(size(0, 32, 1600, 968), "1200x900@200,66");
    EXPECT_EQ(size(0, 60, 1600, 940), "800x600@400,230");
}

TEST_F(DisplayTest, PresentShowsTheClipRectangleAndUnlocksFirst) {
    RecordingBackend& recorder = installRecorder();
    SetDisplay(800, 600, 16, 0);
    BackBuffer()->FillRect(0, 0, 10, 10, 0x80FFFFFF);  // leaves it locked
    ASSERT_NE(BackBuffer()->pixels(), nullptr);
    EXPECT_EQ(PresentFrame(), 1);
    EXPECT_EQ(BackBuffer()->pixels(), nullptr);
    BackBuffer()->clip = {100, 50, 300, 200};
    EXPECT_EQ(PresentFrame(), 1);
    ASSERT_EQ(recorder.presentedClips.size(), 2u);
    EXPECT_EQ(recorder.presentedClips[0].right, 800);
    const platform::Rect& clip = recorder.presentedClips[1];
    EXPECT_EQ(clip.left, 100);
    EXPECT_EQ(clip.top, 50);
    EXPECT_EQ(clip.right, 300);
    EXPECT_EQ(clip.bottom, 200);
}

TEST_F(DisplayTest, WithoutBackendNothingIsPresented) {
    SetDisplay(800, 600, 16, 0);
    EXPECT_EQ(PresentFrame(), 0);
    CloseDisplay();
    EXPECT_EQ(PresentFrame(), 0);
}

TEST_F(DisplayTest, CloseDisplayDestroysEveryRegisteredSprite) {
    SetDisplay(800, 600, 16, 0);
    spriteRegistry().add(makeSprite(2, 2));
    CloseDisplay();
    EXPECT_EQ(BackBuffer(), nullptr);
    EXPECT_EQ(spriteRegistry().count(), 0);
    EXPECT_EQ(spriteRegistry().capacity(), 0);
    EXPECT_EQ(displayFullScreenFlag(), -1);
    SetDisplay(800, 600, 16, 0);  // and the display can be set up again
    EXPECT_EQ(spriteRegistry().capacity(), 1000);
    EXPECT_NE(BackBuffer(), nullptr);
}

TEST(SpriteRegistryTest, GrowsByHalfAndReusesTheFirstFreeSlot) {
    SpriteRegistry registry;
    ASSERT_TRUE(registry.create());
    std::vector<Sprite*> added;
    for (int i = 0; i < 999; ++i) added.push_back(registry.add(std::make_unique<Sprite>()));
    EXPECT_EQ(registry.capacity(), 1000);
    added.push_back(registry.add(std::make_unique<Sprite>()));
    EXPECT_EQ(registry.count(), 1000);
    EXPECT_EQ(registry.capacity(), 1500);
    EXPECT_EQ(registry.at(999), added[999]);

    EXPECT_TRUE(registry.release(added[7]));
    EXPECT_TRUE(registry.release(added[3]));
    EXPECT_FALSE(registry.release(added[3]));
    EXPECT_EQ(registry.count(), 1000);
    EXPECT_EQ(registry.at(3), nullptr);
    Sprite* reused = registry.add(std::make_unique<Sprite>());
    EXPECT_EQ(registry.at(3), reused);
    EXPECT_EQ(registry.count(), 1000);
    registry.add(std::make_unique<Sprite>());
    EXPECT_NE(registry.at(7), nullptr);
    registry.add(std::make_unique<Sprite>());
    EXPECT_EQ(registry.count(), 1001);
}

TEST(DDErrorNameTest, NamesDirectDrawResults) {
    EXPECT_STREQ(DDErrorName(0), "DD_OK");
    EXPECT_STREQ(DDErrorName(0x12345), "not found");
    EXPECT_STREQ(DDErrorName(std::int32_t(0x887600B5u)), "not found");  // 181 is not one of ours
    EXPECT_STREQ(DDErrorName(std::int32_t(0x887601AEu)), "DDERR_SURFACEBUSY");
    EXPECT_STREQ(DDErrorName(std::int32_t(0x8007000Eu)), "DDERR_OUTOFMEMORY");
    EXPECT_STREQ(DDErrorName(std::int32_t(0x80070057u)), "DDERR_INVALIDPARAMS");
    EXPECT_STREQ(DDErrorName(std::int32_t(0x80004001u)), "DDERR_UNSUPPORTED");
    EXPECT_STREQ(DDErrorName(std::int32_t(0x800401F0u)), "DDERR_NOTINITIALIZED");
    EXPECT_STREQ(DDErrorName(std::int32_t(0x88760168u)), "DDERR_OUTOFCAPS");
    EXPECT_STREQ(DDErrorName(std::int32_t(0x88760005u)), "DDERR_ALREADYINITIALIZED");
    EXPECT_STREQ(DDErrorName(std::int32_t(0x887602BBu)), "DDERR_DEVICEDOESNTOWNSURFACE");
    EXPECT_STREQ(DDErrorName(platform::DDERR_NOTLOCKED), "DDERR_NOTLOCKED");
}

TEST(GraphicsErrorLogTest, FailedFillWritesItsEntryAndTheResultName) {
    TempDir dir;
    const std::string log = dir.file("gerr.log");
    closeErrorLog();
    setErrorLogPath(log.c_str());
    setCurrentPixelFormat(pixelFormatTable[0]);
    auto sprite = makeSprite(4, 4);
    sprite->Unlock();
    platform::SurfaceDC dc;
    ASSERT_EQ(sprite->lpSurface()->getDC(dc), 0);  // a busy surface refuses the fill
    sprite->FillRect(0, 0, 2, 2, 0xFF00FF00);
    sprite->Darken(0, 0, 2, 2, 250);
    ASSERT_EQ(sprite->lpSurface()->releaseDC(), 0);
    closeErrorLog();
    setErrorLogPath(suiteErrorLogPath().c_str());

    const std::string text = dir.read("gerr.log");
    const std::string busy = std::to_string(std::int32_t(0x887601AEu));
    const std::string fill = " line: 365  -  lpSurface->Blt( &rc, NULL, NULL, DDBLT_WAIT|DDBLT_COLORFILL, &ddfx ) = " +
                             busy + "\nDDERR_SURFACEBUSY";
    const std::string darken = " line: 136  -  lpSurface->Blt( &rc, NULL, NULL, DDBLT_WAIT|DDBLT_COLORFILL, &ddfx ) = " +
                               busy + "\nDDERR_SURFACEBUSY";
    EXPECT_EQ(text.rfind("------------------- Compilation data: ", 0), 0u) << text;
    const std::size_t fillAt = text.find(fill);
    ASSERT_NE(fillAt, std::string::npos) << text;
    // The name carries no line break, so the next entry starts on its line.
    const std::size_t darkenAt = text.find(darken);
    ASSERT_NE(darkenAt, std::string::npos) << text;
    const std::string between = text.substr(fillAt + fill.size(), darkenAt - fillAt - fill.size());
    EXPECT_EQ(between.find('\n'), std::string::npos) << between;
    EXPECT_NE(between.find("fills.cpp"), std::string::npos) << between;
    EXPECT_EQ(text.substr(text.size() - 17), "DDERR_SURFACEBUSY");
}

}  // namespace
