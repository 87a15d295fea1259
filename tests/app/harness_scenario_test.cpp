// The whole program, headless, driven by a script: what reaches the screen
// manager is exactly what a player's mouse and keyboard would send.

#include <gtest/gtest.h>

#include "app/shardfall_app.h"
#include "platform/win_messages.h"
#include "recording_client.h"
#include "temp_dir.h"

namespace {

using namespace platform;

struct GameRun {
    int exitCode = -1;
    std::shared_ptr<Recording> record = std::make_shared<Recording>();
};

GameRun runScript(const TempDir& dir, const std::string& script, std::vector<std::string> extra = {}) {
    dir.write("game.ini", "[main]\r\nname=Shardfall scenario\r\nxs=800\r\nys=600\r\n");
    dir.write("input.txt", script);
    GameRun run;
    AppHooks hooks;
    hooks.makeScreenManager = [record = run.record]() { return std::make_unique<RecordingClient>(record); };
    std::vector<std::string> args = {"shardfall", "--headless", "--data", dir.path().string(), "--script",
                                     dir.file("input.txt")};
    args.insert(args.end(), extra.begin(), extra.end());
    std::vector<const char*> argv;
    for (auto& a : args) argv.push_back(a.c_str());
    run.exitCode = runShardfall(static_cast<int>(argv.size()), argv.data(), hooks);
    return run;
}

// The messages after start-up's activation, without the activation ones.
std::vector<RecordedMessage> input(const GameRun& run) {
    std::vector<RecordedMessage> out;
    for (const auto& m : run.record->messages)
        if (m.message != WM_ACTIVATEAPP) out.push_back(m);
    return out;
}

TEST(HarnessScenario, MouseAndKeyboardArriveAsWindowMessages) {
    TempDir dir;
    GameRun run = runScript(dir,
                        "# a player at work\n"
                        "wait 100\n"
                        "move 120 -7\n"
                        "down 130 40\n"
                        "wait 40\n"
                        "up 130 40\n"
                        "click 10 20 right\n"
                        "key A\n"
                        "key ENTER\n"
                        "type H\xC3\xA9!\n"
                        "wait 60\n"
                        "quit\n");
    ASSERT_EQ(run.exitCode, 0);
    const auto m = input(run);
    ASSERT_EQ(m.size(), 17u);
    auto expect = [&](std::size_t i, std::uint32_t message, WParam wParam, LParam lParam) {
        EXPECT_EQ(m[i].message, message) << "message " << i;
        EXPECT_EQ(m[i].wParam, wParam) << "message " << i;
        EXPECT_EQ(m[i].lParam, lParam) << "message " << i;
    };
    expect(0, WM_MOUSEMOVE, 0, packMousePosition(120, -7));
    EXPECT_EQ(mouseY(m[0].lParam), -7);
    expect(1, WM_MOUSEMOVE, 0, packMousePosition(130, 40));
    expect(2, WM_LBUTTONDOWN, MK_LBUTTON, packMousePosition(130, 40));
    expect(3, WM_LBUTTONUP, 0, packMousePosition(130, 40));
    expect(4, WM_MOUSEMOVE, 0, packMousePosition(10, 20));
    expect(5, WM_RBUTTONDOWN, MK_RBUTTON, packMousePosition(10, 20));
    expect(6, WM_RBUTTONUP, 0, packMousePosition(10, 20));
    expect(7, WM_KEYDOWN, 'A', 0x00000001);
    expect(8, WM_CHAR, 'a', 0x00000001);
    expect(9, WM_KEYUP, 'A', static_cast<LParam>(0xC0000001u));
    expect(10, WM_KEYDOWN, VK_RETURN, 0x00000001);
    expect(11, WM_CHAR, 13, 0x00000001);  // made by translation, right after its key
    expect(12, WM_KEYUP, VK_RETURN, static_cast<LParam>(0xC0000001u));
    expect(13, WM_CHAR, 'H', 1);
    expect(14, WM_CHAR, 0xE9, 1);  // the typed UTF-8 e-acute arrives as Latin-1
    expect(15, WM_CHAR, '!', 1);
    // "quit" closes the window as a user would; the screens see the close too.
    expect(16, WM_CLOSE, 0, 0);

    // Timing on the virtual clock: the button went down after the 100 ms wait
    // (five steps, one frame of lag), the release two frames later, and the
    // right click's release one frame after its press.
    EXPECT_EQ(m[2].updatesBefore - m[0].updatesBefore, 0);
    EXPECT_EQ(m[3].updatesBefore - m[2].updatesBefore, 2);
    EXPECT_EQ(m[6].updatesBefore - m[5].updatesBefore, 1);
}

TEST(HarnessScenario, SecondPressInTimeIsADoubleClick) {
    TempDir dir;
    GameRun run = runScript(dir, "click 50 50\nwait 100\nclick 51 51\nwait 600\nclick 51 51\nclick 51 51\nwait 20\nquit\n");
    std::vector<std::uint32_t> presses;
    for (const auto& m : input(run))
        if (m.message == WM_LBUTTONDOWN || m.message == WM_LBUTTONDBLCLK) presses.push_back(m.message);
    EXPECT_EQ(presses, (std::vector<std::uint32_t>{WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}));
}

TEST(HarnessScenario, AltEnterArrivesAsSystemKeysWithTheAltBit) {
    TempDir dir;
    GameRun run = runScript(dir, "key ALT+ENTER\nwait 20\n");
    // The shell keeps Alt+Enter: the full-screen switch never reaches the screens,
    // but the key-down does, like every other message the shell doesn't handle.
    const auto m = input(run);
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(m[1].message, WM_CLOSE);  // the script's end
    EXPECT_EQ(m[0].message, WM_SYSKEYDOWN);
    EXPECT_EQ(m[0].wParam, VK_RETURN);
    EXPECT_TRUE(static_cast<std::uint32_t>(m[0].lParam) & (1u << 29));
    EXPECT_NE(dir.read("game.ini").find("FullScreen=1\r\n"), std::string::npos);
}

TEST(HarnessScenario, ScriptEndClosesTheGameAndRunMsOverridesIt) {
    TempDir dir;
    GameRun shortRun = runScript(dir, "wait 200\n");
    EXPECT_EQ(shortRun.exitCode, 0);
    EXPECT_NEAR(shortRun.record->updates, 10, 1);
    GameRun longRun = runScript(dir, "wait 200\n", {"--run-ms", "1000"});
    EXPECT_NEAR(longRun.record->updates, 50, 1);
}

TEST(HarnessScenario, BadScriptIsRefusedWithItsLine) {
    TempDir dir;
    testing::internal::CaptureStderr();
    GameRun run = runScript(dir, "wait 20\njump 3\n");
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(err.find("line 2"), std::string::npos) << err;
}

}  // namespace
