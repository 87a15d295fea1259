// The built program in a real window under a real window manager: Xvfb and
// openbox (scripts/bootstrap installs both, and xdotool for the input). What
// it checks is what a player sees: a second copy brings the first one to the
// front, restored, focused and still drawing; a click made before the mouse
// ever moved lands where the pointer really is.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "temp_dir.h"

// Last: Xlib defines short macro names (None, Bool, Status).
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

extern char** environ;

namespace {

using namespace std::chrono_literals;

const std::string kProgram = std::string(SHARDFALL_DIST_DIR) + "/shardfall";
const char kTitle[] = "Shardfall window test";
// The picture's scale and place on this screen follow from the game's own
// rule for a first window: 1.5 times the picture, centred.
constexpr int kScreenWidth = 1600;
constexpr int kScreenHeight = 1200;

bool onPath(const std::string& tool) {
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= dirs.size()) {
        const std::size_t end = std::min(dirs.find(':', start), dirs.size());
        if (::access((dirs.substr(start, end - start) + "/" + tool).c_str(), X_OK) == 0) return true;
        start = end + 1;
    }
    return false;
}

bool waitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (condition()) return true;
        std::this_thread::sleep_for(50ms);
    }
    return condition();
}

// A child process, ended (and reaped) when it goes out of scope.
class Child {
public:
    Child() = default;
    Child(const std::vector<std::string>& args, const std::vector<std::string>& env, int fd3 = -1,
          const std::string& output = "/dev/null") {
        std::vector<std::string> a = args, e = env;
        std::vector<char*> argv, envp;
        for (auto& s : a) argv.push_back(s.data());
        argv.push_back(nullptr);
        for (auto& s : e) envp.push_back(s.data());
        envp.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, output.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        posix_spawn_file_actions_adddup2(&actions, 1, 2);
        if (fd3 >= 0) posix_spawn_file_actions_adddup2(&actions, fd3, 3);
        if (::posix_spawnp(&pid_, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
    }
    Child(Child&& other) noexcept : pid_(other.pid_) { other.pid_ = -1; }
    Child& operator=(Child&& other) noexcept {
        stop();
        pid_ = other.pid_;
        other.pid_ = -1;
        return *this;
    }
    ~Child() { stop(); }

    bool started() const { return pid_ > 0; }
    bool running() const { return pid_ > 0 && ::waitpid(pid_, nullptr, WNOHANG) == 0; }
    // The exit code once it ends by itself within the limit; -1 otherwise.
    int wait(std::chrono::milliseconds limit) {
        int status = 0;
        const bool ended = waitFor([&] { return ::waitpid(pid_, &status, WNOHANG) == pid_; }, limit);
        if (!ended) return -1;
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    void stop() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGTERM);
        if (wait(3000ms) == -1 && pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
};

int ignoreXErrors(Display*, XErrorEvent*) { return 0; }

class WindowManagerTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* tool : {"Xvfb", "openbox", "xdotool", "xmessage"}) {
            if (!onPath(tool)) GTEST_SKIP() << tool << " is not installed; scripts/bootstrap installs it";
        }
        ASSERT_TRUE(startServer());
        window_manager_ = Child({"openbox", "--sm-disable"}, environment());
        ASSERT_TRUE(window_manager_.started());
        ASSERT_TRUE(waitFor([&] { return rootWindowProperty("_NET_SUPPORTING_WM_CHECK") != 0; }, 20s))
            << "openbox did not come up";
        std::filesystem::create_directory_symlink(std::filesystem::path(SHARDFALL_DIST_DIR) / "data",
                                                  dir.path() / "data");
    }
    void TearDown() override {
        window_manager_.stop();
        if (display_) XCloseDisplay(display_);
        server_.stop();
    }

    bool startServer() {
        int pipeFds[2];
        if (::pipe(pipeFds) != 0) return false;
        server_ = Child({"Xvfb", "-displayfd", "3", "-screen", "0",
                         std::to_string(screenWidth_) + "x" + std::to_string(screenHeight_) + "x24", "-nolisten",
                         "tcp"},
                        environment(), pipeFds[1]);
        ::close(pipeFds[1]);
        std::string number;
        pollfd p{pipeFds[0], POLLIN, 0};
        while (::poll(&p, 1, 20000) > 0) {
            char c;
            if (::read(pipeFds[0], &c, 1) != 1 || c == '\n') break;
            number += c;
        }
        ::close(pipeFds[0]);
        if (number.empty()) return false;
        displayName_ = ":" + number;
        XSetErrorHandler(ignoreXErrors);
        display_ = XOpenDisplay(displayName_.c_str());
        return display_ != nullptr;
    }

    std::vector<std::string> environment() const {
        std::vector<std::string> env;
        // Under the sanitizer build the X server's client libraries leave a
        // few small blocks whose stacks cannot be walked, so no suppression
        // can name them; these runs are about the window (a game closed by
        // its window would otherwise end with the leak report's status).
        std::string asan = "ASAN_OPTIONS=detect_leaks=0";
        for (char** e = environ; *e; ++e) {
            const std::string entry = *e;
            if (entry.rfind("DISPLAY=", 0) == 0 || entry.rfind("WAYLAND_DISPLAY=", 0) == 0) continue;
            if (entry.rfind("ASAN_OPTIONS=", 0) == 0) {
                asan = entry + ":detect_leaks=0";
                continue;
            }
            env.push_back(entry);
        }
        env.push_back(asan);
        if (!displayName_.empty()) env.push_back("DISPLAY=" + displayName_);
        env.push_back("SDL_AUDIODRIVER=dummy");
        return env;
    }

    void writeSettings(int x, int y, const std::string& more = "") {
        dir.write("game.ini", "[main]\r\nname=" + std::string(kTitle) + "\r\nx=" + std::to_string(x) +
                                  "\r\ny=" + std::to_string(y) + "\r\nxs=800\r\nys=600\r\nFullScreen=0\r\n" + more);
    }
    // The window's close button, as the window manager sends it.
    void closeWindow(Window w) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = w;
        event.xclient.message_type = atom("WM_PROTOCOLS");
        event.xclient.format = 32;
        event.xclient.data.l[0] = long(atom("WM_DELETE_WINDOW"));
        event.xclient.data.l[1] = CurrentTime;
        XSendEvent(display_, w, False, NoEventMask, &event);
        XFlush(display_);
    }
    // What the copies of the game said, for a failure's message.
    Child startGame() { return Child({kProgram, "--data", dir.path().string()}, environment(), -1, dir.file("log")); }
    std::string gameLog() const { return dir.read("log"); }
    void xdotool(const std::vector<std::string>& args) {
        std::vector<std::string> all = {"xdotool"};
        all.insert(all.end(), args.begin(), args.end());
        Child tool(all, environment());
        EXPECT_EQ(tool.wait(10s), 0) << args[0];
    }

    Window root() const { return DefaultRootWindow(display_); }
    Atom atom(const char* name) const { return XInternAtom(display_, name, False); }

    std::vector<unsigned long> property(Window w, const char* name, Atom type) const {
        std::vector<unsigned long> values;
        Atom actualType;
        int format;
        unsigned long count, after;
        unsigned char* data = nullptr;
        XSync(display_, False);
        if (XGetWindowProperty(display_, w, atom(name), 0, 1024, False, type, &actualType, &format, &count, &after,
                               &data) == Success &&
            data && format == 32) {
            const auto* longs = reinterpret_cast<const unsigned long*>(data);
            values.assign(longs, longs + count);
        }
        if (data) XFree(data);
        return values;
    }
    unsigned long rootWindowProperty(const char* name) const {
        const auto v = property(root(), name, AnyPropertyType);
        return v.empty() ? 0 : v[0];
    }

    // The game's own window, wherever the window manager has put it.
    Window gameWindow() const { return findByName(root()); }
    Window findByName(Window w) const {
        char* name = nullptr;
        const bool match = XFetchName(display_, w, &name) && name && std::strcmp(name, kTitle) == 0;
        if (name) XFree(name);
        if (match) return w;
        Window rootReturn, parent, *children = nullptr;
        unsigned int count = 0;
        Window found = 0;
        if (XQueryTree(display_, w, &rootReturn, &parent, &children, &count)) {
            for (unsigned int i = 0; i < count && !found; ++i) found = findByName(children[i]);
        }
        if (children) XFree(children);
        return found;
    }
    bool hidden(Window w) const {
        for (unsigned long a : property(w, "_NET_WM_STATE", XA_ATOM))
            if (a == atom("_NET_WM_STATE_HIDDEN")) return true;
        const auto state = property(w, "WM_STATE", atom("WM_STATE"));
        return !state.empty() && state[0] == IconicState;
    }
    bool focused(Window w) const { return rootWindowProperty("_NET_ACTIVE_WINDOW") == w; }

    struct Picture {
        int width = 0, height = 0;
        std::vector<unsigned long> pixels;
    };
    Picture picture(Window w) const {
        Picture p;
        XWindowAttributes a;
        if (!XGetWindowAttributes(display_, w, &a) || a.map_state != IsViewable) return p;
        XImage* image = XGetImage(display_, w, 0, 0, unsigned(a.width), unsigned(a.height), AllPlanes, ZPixmap);
        if (!image) return p;
        p.width = a.width;
        p.height = a.height;
        for (int y = 0; y < a.height; ++y)
            for (int x = 0; x < a.width; ++x) p.pixels.push_back(XGetPixel(image, x, y));
        XDestroyImage(image);
        return p;
    }
    // The game has drawn into the window: a root background or an unpainted
    // window is a handful of colours, the title screen thousands.
    bool painted(Window w) const {
        const Picture p = picture(w);
        std::set<unsigned long> colours;
        for (std::size_t i = 0; i < p.pixels.size() && colours.size() <= 200; i += 97) colours.insert(p.pixels[i]);
        return colours.size() > 200;
    }
    // Waits until the game has opened its window and drawn into it. A window
    // the window manager opened without the focus runs no frames until it is
    // activated (the game pauses when it is not the active application), so
    // it is activated, as a player would by clicking its title bar.
    Window waitUntilShown(const Child& game) {
        Window w = 0;
        if (waitFor([&] { return (w = gameWindow()) != 0 && !hidden(w) && painted(w); }, 30s)) return w;
        if (w) xdotool({"windowactivate", std::to_string(w)});
        if (waitFor([&] { return (w = gameWindow()) != 0 && !hidden(w) && painted(w); }, 60s)) return w;
        ADD_FAILURE() << "window " << w << (w && hidden(w) ? " hidden" : "") << (w && focused(w) ? " focused" : "")
                      << (game.running() ? ", running" : ", ended") << "\n"
                      << gameLog();
        return 0;
    }
    static double changedShare(const Picture& a, const Picture& b) {
        if (a.pixels.size() != b.pixels.size() || a.pixels.empty()) return 1.0;
        std::size_t changed = 0;
        for (std::size_t i = 0; i < a.pixels.size(); ++i) changed += a.pixels[i] != b.pixels[i];
        return double(changed) / double(a.pixels.size());
    }
    // The client area's top-left corner on the screen.
    void clientOrigin(Window w, int& x, int& y) const {
        Window child;
        XTranslateCoordinates(display_, w, root(), 0, 0, &x, &y, &child);
    }

    TempDir dir;
    int screenWidth_ = kScreenWidth, screenHeight_ = kScreenHeight;
    Display* display_ = nullptr;
    std::string displayName_;
    Child server_;
    Child window_manager_;
};

TEST_F(WindowManagerTest, ASecondCopyBringsTheFirstToTheFrontEveryTime) {
    writeSettings(-1, -1);
    Child game = startGame();
    const Window w = waitUntilShown(game);
    ASSERT_NE(w, 0u);

    Child other;
    for (int round = 0; round < 6; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        if (round % 3 == 1) {
            XIconifyWindow(display_, w, DefaultScreen(display_));
            XFlush(display_);
            ASSERT_TRUE(waitFor([&] { return hidden(w); }, 10s));
        } else if (round % 3 == 2) {
            // Another program's window takes the focus.
            other = Child({"xmessage", "-geometry", "300x100+10+10", "another program"}, environment());
            xdotool({"search", "--sync", "--name", "xmessage", "windowactivate", "--sync"});
            ASSERT_TRUE(waitFor([&] { return !focused(w); }, 10s));
        }
        Child second = startGame();
        EXPECT_EQ(second.wait(60s), 0) << "the second copy hands over and ends";
        EXPECT_TRUE(waitFor([&] { return !hidden(w) && focused(w) && painted(w); }, 10s))
            << "hidden " << hidden(w) << ", focused " << focused(w);
        // It stays there: nothing minimises it a moment later.
        std::this_thread::sleep_for(500ms);
        EXPECT_FALSE(hidden(w));
        other.stop();
    }
}

TEST_F(WindowManagerTest, AClickBeforeTheMouseEverMovedLandsWhereThePointerIs) {
    // Where the window settles on this screen, learnt from a first run: at
    // the position game.ini gives, scaled up.
    writeSettings(100, 100);
    int originX = 0, originY = 0, width = 0;
    {
        Child game = startGame();
        const Window w = waitUntilShown(game);
        ASSERT_NE(w, 0u);
        clientOrigin(w, originX, originY);
        width = picture(w).width;
    }
    ASSERT_GT(width, 800) << "the first window is scaled up on this screen";
    const double scale = width / 800.0;
    // The middle of "Start" (picture 290..510 x 488..544), where the pointer
    // waits while the window opens at 100, 100 at 800 x 600 and then takes its
    // final size: the pointer was below the first window, and the window
    // grows under it without a move.
    const int pointerX = originX + int(400 * scale), pointerY = originY + int(505 * scale);
    ASSERT_GT(std::abs((pointerY - 100) - 505), 40) << "the first size would put the pointer on Start as well";

    xdotool({"mousemove", std::to_string(pointerX), std::to_string(pointerY)});
    Child game = startGame();
    const Window w = waitUntilShown(game);
    ASSERT_NE(w, 0u);
    std::this_thread::sleep_for(1500ms);
    const Picture before = picture(w);
    std::this_thread::sleep_for(500ms);
    const Picture title = picture(w);
    ASSERT_LT(changedShare(before, title), 0.2) << "the title screen holds still";
    xdotool({"click", "1"});
    EXPECT_TRUE(waitFor([&] { return changedShare(title, picture(w)) > 0.3; }, 5s))
        << "the click did not reach Start: the title screen is still shown";
}

TEST_F(WindowManagerTest, TheGameEndsWhenItsDisplayGoesAway) {
    // The session ends under a running game (a log-out, a crashed server):
    // the game must end too, not wait for the lost display for ever.
    writeSettings(-1, -1);
    Child game = startGame();
    ASSERT_NE(waitUntilShown(game), 0u);
    window_manager_.stop();
    XCloseDisplay(display_);
    display_ = nullptr;
    server_.stop();
    EXPECT_EQ(game.wait(20s), 1) << "the game went on without its display, or crashed:\n" << gameLog();
    EXPECT_NE(gameLog().find("the connection to the display was lost"), std::string::npos) << gameLog();
}

TEST_F(WindowManagerTest, TheWindowComesBackAsItWasLeftAndSharpScalingKeepsWholeMultiples) {
    writeSettings(-1, -1);
    int leftX = 0, leftY = 0;
    {
        Child game = startGame();
        const Window w = waitUntilShown(game);
        ASSERT_NE(w, 0u);
        xdotool({"windowsize", std::to_string(w), "1000", "750"});
        xdotool({"windowmove", std::to_string(w), "100", "80"});
        ASSERT_TRUE(waitFor([&] { return picture(w).width == 1000 && picture(w).height == 750; }, 10s));
        std::this_thread::sleep_for(500ms);
        clientOrigin(w, leftX, leftY);
        closeWindow(w);
        ASSERT_EQ(game.wait(30s), 0) << gameLog();
    }
    const std::string remembered = dir.read("window.ini");
    EXPECT_NE(remembered.find("width=1000"), std::string::npos) << remembered;
    EXPECT_NE(remembered.find("height=750"), std::string::npos) << remembered;
    EXPECT_EQ(dir.read("game.ini").find("xs=1000"), std::string::npos) << "game.ini's window keys are never written";

    // Next time it opens there, at that size, and sharp scaling (one whole
    // picture, the rest black) leaves bars a smooth fit of 4:3 would not.
    writeSettings(-1, -1, "SharpScaling=1\r\n");
    Child game = startGame();
    const Window w = waitUntilShown(game);
    ASSERT_NE(w, 0u);
    std::this_thread::sleep_for(1000ms);
    const Picture p = picture(w);
    EXPECT_EQ(p.width, 1000);
    EXPECT_EQ(p.height, 750);
    int x = 0, y = 0;
    clientOrigin(w, x, y);
    EXPECT_EQ(x, leftX);
    EXPECT_EQ(y, leftY);
    ASSERT_EQ(p.pixels.size(), std::size_t(1000 * 750));
    std::set<unsigned long> bar, middle;
    for (int row = 0; row < 750; row += 5) {
        for (int col = 0; col < 100; col += 5) bar.insert(p.pixels[std::size_t(row) * 1000 + col] & 0xFFFFFF);
        for (int col = 300; col < 700; col += 5) middle.insert(p.pixels[std::size_t(row) * 1000 + col] & 0xFFFFFF);
    }
    EXPECT_EQ(bar, std::set<unsigned long>{0}) << "the picture is stretched into the bars";
    EXPECT_GT(middle.size(), 50u);
}

TEST_F(WindowManagerTest, APadSdlMakesNamesANewPlayerInTheRealWindow) {
    // The script's pad is one SDL makes itself: its presses arrive as game
    // controller events, as a real pad's do. The title, the main menu and
    // the player list crossed with the d-pad and A, then "AB" taken from the
    // letter grid and Done.
    writeSettings(-1, -1);
    dir.write("profiles.ini", "[main]\r\ncurrent=0\r\n[users]\r\n0=Ann\r\n");
    dir.write("pad.txt",
              "wait 3000\npad attach\nwait 500\npad a\nwait 1500\npad down\nwait 200\npad a\nwait 2000\n"
              "pad up\nwait 200\npad a\nwait 1500\npad a\nwait 200\npad right\nwait 200\npad a\nwait 200\n"
              "pad up\nwait 200\npad right\nwait 200\npad right\nwait 200\npad a\nwait 2000\nquit\n");
    Child game({kProgram, "--data", dir.path().string(), "--script", dir.file("pad.txt")}, environment(), -1,
               dir.file("log"));
    ASSERT_NE(waitUntilShown(game), 0u);
    ASSERT_EQ(game.wait(60s), 0) << gameLog();
    const std::string players = dir.read("profiles.ini");
    EXPECT_NE(players.find("=AB\r\n"), std::string::npos) << players << gameLog();
}

// The same game on desktops of other sizes: the first window takes the
// largest scale, in half steps, that fits with its frame.
class DesktopSizeTest : public WindowManagerTest, public ::testing::WithParamInterface<std::array<int, 3>> {
protected:
    DesktopSizeTest() {
        screenWidth_ = GetParam()[0];
        screenHeight_ = GetParam()[1];
    }
};

TEST_P(DesktopSizeTest, TheFirstWindowTakesTheLargestScaleThatFits) {
    writeSettings(-1, -1);
    Child game = startGame();
    const Window w = waitUntilShown(game);
    ASSERT_NE(w, 0u);
    const Picture p = picture(w);
    EXPECT_EQ(p.width, GetParam()[2]) << "on a " << screenWidth_ << " x " << screenHeight_ << " desktop";
    EXPECT_EQ(p.height, GetParam()[2] * 3 / 4);
}

INSTANTIATE_TEST_SUITE_P(Desktops, DesktopSizeTest,
                         ::testing::Values(std::array<int, 3>{1600, 1000, 1200}, std::array<int, 3>{1024, 768, 800}));

}  // namespace
