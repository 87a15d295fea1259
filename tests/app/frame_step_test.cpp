#include <gtest/gtest.h>

#include "app/frame_loop.h"
#include "app/shell_state.h"
#include "app/window_procedure.h"
#include "config/game_settings.h"
#include "platform/headless_backend.h"
#include "platform/window_messages.h"
#include "recording_client.h"

namespace {

using namespace platform;

// The frame loop on the headless backend, whose clock the test moves by hand.
class FrameStepTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto backend = std::make_unique<HeadlessBackend>();
        clock = backend.get();
        installBackend(std::move(backend));
        shell() = ShellState{};
        client = std::make_shared<Recording>();
        shell().screenManager = std::make_unique<RecordingClient>(client);
        startFrameTimer();
    }
    void TearDown() override {
        shell() = ShellState{};
        installBackend(nullptr);
        messageQueue().clear();
    }
    // Lets `ms` pass, then runs one frame; frameDone's own 20 ms is undone so
    // only the time given here counts.
    int frameAfter(std::uint32_t ms) {
        clock->advanceClock(ms);
        const int result = frameStep();
        shell().lastCounter = clock->performanceCounter();
        return result;
    }
    HeadlessBackend* clock = nullptr;
    std::shared_ptr<Recording> client;
};

TEST_F(FrameStepTest, LongFrameIsClampedToFiveSteps) {
    EXPECT_EQ(frameAfter(250), 0);
    EXPECT_EQ(client->updates, 5);
    EXPECT_EQ(client->stepMs, std::vector<int>(5, 20));
    EXPECT_FLOAT_EQ(shell().timeAccumulator, 0.0f);
    EXPECT_EQ(client->draws, 1);
}

TEST_F(FrameStepTest, ShortFramesAccumulate) {
    frameAfter(15);
    EXPECT_EQ(client->updates, 0);
    frameAfter(15);
    EXPECT_EQ(client->updates, 1);
    EXPECT_NEAR(shell().timeAccumulator, 10.0f, 1e-4);
    EXPECT_EQ(client->draws, 2);
}

TEST_F(FrameStepTest, SpeedFactorScalesMeasuredTime) {
    shell().speedFactor = 2.0f;
    frameAfter(100);  // clamped to 100 first, then doubled
    EXPECT_EQ(client->updates, 10);
}

TEST_F(FrameStepTest, NonZeroUpdateClosesAtOnce) {
    client->quitAfter = 2;
    EXPECT_EQ(frameAfter(100), 1);
    EXPECT_EQ(client->updates, 2);
    EXPECT_EQ(client->draws, 0);
}

TEST_F(FrameStepTest, NoScreenManagerCloses) {
    shell().screenManager.reset();
    EXPECT_EQ(frameAfter(20), 1);
}

TEST_F(FrameStepTest, MinimisedWindowRunsNoFramesAndResumesWithoutBurst) {
    setWindowProcedure(gameWindowProcedure);
    shell().gb_hWnd = 1;
    clock->createWindow("Shardfall", WindowPlacement{0, 0, 800, 600});
    gameWindowProcedure(WM_SIZE, SIZE_MINIMIZED, 0);
    EXPECT_EQ(shell().active, 0);
    // While inactive the loop only waits; ten seconds pass outside the game.
    clock->advanceClock(10000);
    gameWindowProcedure(WM_SIZE, SIZE_RESTORED, 0);
    EXPECT_EQ(shell().active, 1);
    frameStep();
    EXPECT_EQ(client->updates, 5);
    setWindowProcedure(nullptr);
}

TEST_F(FrameStepTest, ActivationFollowsTheApplication) {
    gameWindowProcedure(WM_ACTIVATEAPP, 0, 0);
    EXPECT_EQ(shell().active, 0);
    gameWindowProcedure(WM_ACTIVATEAPP, 2, 0);
    EXPECT_EQ(shell().active, 1);
    gameWindowProcedure(WM_SIZE, SIZE_MAXHIDE, 0);
    EXPECT_EQ(shell().active, 0);
    // The screen manager sees activation, but not sizing.
    ASSERT_EQ(client->messages.size(), 2u);
    EXPECT_EQ(client->messages[0].message, WM_ACTIVATEAPP);
}

TEST_F(FrameStepTest, AQuickAltEnterSwitchesOnceEachWay) {
    setWindowProcedure(gameWindowProcedure);
    clock->createWindow("Shardfall", WindowPlacement{0, 0, 800, 600});
    gameSettings().fullScreen = 0;
    // Alt goes down, Enter goes down, Alt comes up before Enter does.
    auto quickPress = [] {
        gameWindowProcedure(WM_SYSKEYDOWN, VK_MENU, packKeyLParam(false, true));
        gameWindowProcedure(WM_SYSKEYDOWN, VK_RETURN, packKeyLParam(false, true));
        gameWindowProcedure(WM_KEYUP, VK_MENU, packKeyLParam(true, false));
        gameWindowProcedure(WM_KEYUP, VK_RETURN, packKeyLParam(true, false));
    };
    quickPress();
    EXPECT_EQ(gameSettings().fullScreen, 1);
    // Held down, the repeats of Enter change nothing.
    gameWindowProcedure(WM_SYSKEYDOWN, VK_RETURN, packKeyLParam(false, true) | KEY_WAS_DOWN);
    EXPECT_EQ(gameSettings().fullScreen, 1);
    quickPress();
    EXPECT_EQ(gameSettings().fullScreen, 0);
    setWindowProcedure(nullptr);
}

}  // namespace
