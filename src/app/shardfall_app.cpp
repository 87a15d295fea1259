#include "app/shardfall_app.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/command_line.h"
#include "app/data_roots.h"
#include "app/demo_run.h"
#include "app/frame_loop.h"
#include "app/screen_manager_client.h"
#include "app/shell_state.h"
#include "app/window_position.h"
#include "app/window_procedure.h"
#include "config/game_settings.h"
#include "config/game_texts.h"
#include "config/ini_store.h"
#include "config/language_choice.h"
#include "config/number_format.h"
#include "config/save_failures.h"
#include "config/url_shortcut.h"
#include "errorlog/error_check.h"
#include "graphics/display.h"
#include "graphics/game_fonts.h"
#include "graphics/screenshot.h"
#include "graphics/trig_tables.h"
#include "platform/backend.h"
#include "sound/sound_output.h"
#include "sound/sound_system.h"
#include "platform/cursor_file.h"
#include "platform/headless_backend.h"
#include "platform/paths.h"
#include "platform/script.h"
#include "platform/sdl_backend.h"
#include "platform/sdl_virtual_pad.h"
#include "platform/single_instance.h"
#include "platform/system_services.h"
#include "platform/window_messages.h"
#include "ui/effect_layer.h"
#include "ui/game_random.h"
#include "ui/typed_history.h"

using namespace platform;

namespace {

constexpr long kDefaultHeadlessRunMs = 10000;

class InstanceListener : public SingleInstanceListener {
public:
    explicit InstanceListener(SingleInstance& instance) : instance_(instance) {}
    bool raiseRequested() override { return instance_.pollRaiseRequests(); }

private:
    SingleInstance& instance_;
};

bool writeFrame(const std::string& path) {
    Sprite* frame = BackBuffer();
    return frame && writeScreenshotPng(*frame, path.c_str());
}

bool installPlatform(const CommandLine& options, RunLimits& limits) {
    if (!options.headless) {
        // In a window a script plays a virtual pad (sdl_virtual_pad.h).
        std::vector<ScriptCommand> padScript;
        std::string error;
        if (!options.scriptFile.empty() &&
            (!loadScript(options.scriptFile, padScript, error) || !playableInWindow(padScript, error))) {
            std::fprintf(stderr, "shardfall: %s\n", error.c_str());
            return false;
        }
        std::unique_ptr<Backend> sdl = createSdlBackend(std::move(padScript));
        if (!sdl) return false;
        installBackend(std::move(sdl));
        return true;
    }
    auto headless = std::make_unique<HeadlessBackend>();
    if (!options.scriptFile.empty()) {
        std::vector<ScriptCommand> commands;
        std::string error;
        if (!loadScript(options.scriptFile, commands, error)) {
            std::fprintf(stderr, "shardfall: %s\n", error.c_str());
            return false;
        }
        headless->setScript(std::move(commands), std::filesystem::path(options.scriptFile).parent_path().string());
        headless->setScreenshotHandler(writeFrame);
        limits.stopWhenScriptEnds = options.runMs < 0;
    } else if (options.runMs < 0) {
        std::fprintf(stderr, "shardfall: headless run without --script or --run-ms: stopping after %ld ms\n",
                     kDefaultHeadlessRunMs);
        limits.runMs = kDefaultHeadlessRunMs;
    }
    installBackend(std::move(headless));
    return true;
}

// A real window opens as the player set it or left it (window_position.h)
// and scales as game.ini says; a headless run keeps its fixed window.
void openWindowWhereItWas(const WindowRequest& request, const GameSettings& settings) {
    Backend* b = backend();
    if (!b || b->isHeadless() || !b->hasWindow()) return;
    const WindowPlacement usable = b->usableArea();
    setOpeningWindowPlacement(openingWindowPlacement(request, readRememberedWindow(),
                                                     startingWindowPlacement(800, 600, usable), usable));
    b->setScaling(settings.sharpScaling ? platform::Scaling::Sharp : platform::Scaling::Smooth);
}

bool createGameWindow(const GameSettings& settings) {
    ShellState& s = shell();
    const WindowPlacement placement{settings.dwPosX, settings.dwPosY, settings.dwScrX, settings.dwScrY};
    const bool created = backend()->createWindow(settings.WinName, placement);
    s.gb_hWnd = created ? 1 : 0;
    ERROR_CHECK_AS(!created,
                   "!( gb_hWnd = CreateWindow( WinName, WinName, WS_POPUP | WS_VISIBLE, dwPosX,dwPosY, "
                   "dwScrX,dwScrY, NULL, NULL, NULL, NULL ) )",
                   __LINE__);
    return created;
}

void initialiseGame(const AppHooks& hooks, DemoRun& demo) {
    ShellState& s = shell();
    GameSettings& settings = gameSettings();

    fillTrigTables();
    resetTypedHistory();
    seedGameRandom(s.randomSeed);
    startFrameTimer();
    SetDisplay(800, 600, 16, settings.fullScreen);
    soundInit(s.gb_hWnd);
    loadSoundTable("DATA\\SOUND\\sound.ini");
    loadCurrentPlayer(settings);
    demo.takeOverPlayer(settings);
    loadGameFonts();
    // The effects stay silent while the screens preload.
    setCategoryVolume(0.0f, SND_VOLUME_EFFECTS);
    setCategoryVolume(iniReadFloat(kGameIni, "main", "music"), SND_VOLUME_MUSIC);
    loadHighScores(settings);
    startFrameTimer();

    if (hooks.makeScreenManager) {
        // A stand-in from a test: no screens to preload.
        s.screenManager = hooks.makeScreenManager();
        createEffectLayer();
        setCategoryVolume(iniReadFloat(kGameIni, "main", "sound"), SND_VOLUME_EFFECTS);
        return;
    }
    auto client = std::make_unique<ScreenManagerClient>();
    ScreenManager& manager = client->manager();
    demo.attach(&manager);
    s.screenManager = std::move(client);
    if (hooks.wrapScreenManager) s.screenManager = hooks.wrapScreenManager(std::move(s.screenManager), manager);
    manager.load(nullptr, nullptr);
    createEffectLayer();
    preloadScreens(manager);
}

void loadGameCursor() {
    ShellState& s = shell();
    Backend* b = backend();
    if (s.cursor) b->destroyCursor(s.cursor);
    s.cursor = loadCursorFromFile("DATA\\game.cur");
    if (s.cursor) b->setCursor(s.cursor);
}

void shutDown(const CommandLine& options, DemoRun& demo) {
    ShellState& s = shell();
    // The settings and the high scores reach game.ini as one save when this
    // batch ends: a program killed on its way out leaves the old file or the
    // new one, never settings of one run beside high scores of another.
    IniSaveBatch writeBack;
    saveMainSettings(gameSettings(), getCategoryVolume(SND_VOLUME_MUSIC), getCategoryVolume(SND_VOLUME_EFFECTS));
    if (s.closedWindow) rememberWindow(*s.closedWindow);
    s.screenManager.reset();
    demo.attach(nullptr);
    demo.finish();
    // Its effects hold pictures that go with the display.
    destroyEffectLayer();
    if (BackBuffer()) {
        releaseGameFonts();
        saveHighScores(gameSettings());
        writeBack.finish();
        soundShutdown();
        if (!options.screenshotFile.empty() && !writeFrame(options.screenshotFile))
            std::fprintf(stderr, "shardfall: could not write the screenshot %s\n", options.screenshotFile.c_str());
        CloseDisplay();
    }
    if (writeBack.finish() != 0) std::fprintf(stderr, "shardfall: could not save %s\n", iniLastWriteFailure().c_str());
    iniReleaseCache();
}

}  // namespace

int runShardfall(int argc, const char* const* argv, const AppHooks& hooks) {
    CommandLine options;
    std::string error;
    if (!parseCommandLine(argc, argv, options, error)) {
        std::fprintf(stderr, "shardfall: %s\n%s", error.c_str(), commandLineUsage());
        return 2;
    }
    if (options.showHelp) {
        std::fputs(commandLineUsage(), stdout);
        return 0;
    }
    DataRoots roots;
    if (!enterDataRoots(options.dataDirectory, roots, error)) {
        std::fprintf(stderr, "shardfall: %s\n", error.c_str());
        return 1;
    }
    // A fresh start, also when tests run the game more than once in one process.
    shell() = ShellState{};
    forgetSaveFailures();
    gameSettings() = GameSettings{};
    messageQueue().clear();

    RunLimits limits;
    limits.runMs = options.runMs;
    if (!installPlatform(options, limits)) return 1;

    startSoundSystem(options.headless, !options.audioOutFile.empty());

    ShellState& s = shell();
    GameSettings& settings = gameSettings();
    loadWindowSettings(settings);
    // --lang, else the options panel's choice, else the desktop's. Nothing
    // shown has been read yet: the language's files are found from here on.
    std::string language = options.language.empty() ? settings.language : options.language;
    if (language.empty())
        language = languageFromEnvironment(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
    platform::setLanguageFolder(languageFolder(language));
    setThousandsSeparator(gameText("thousands"));
    const WindowRequest windowRequest = windowRequestOf(settings);
    s.randomSeed = options.hasSeed ? options.seed : tickCount();
    correctWindowPosition(settings, backend()->screenWidth(), backend()->screenHeight());

    // One copy per player's folder: two copies would overwrite each other's saves.
    SingleInstance instance;
    if (instance.claim(settings.WinName, roots.playerFolder) == SingleInstance::Result::AnotherIsRunning) {
        std::fprintf(stderr,
                     "shardfall: the game is already running for this player's folder (%s); "
                     "that copy has been brought to the front\n",
                     roots.playerFolder.c_str());
        stopSoundSystem("");
        installBackend(nullptr);
        return 0;
    }

    setWindowProcedure(gameWindowProcedure);
    createGameWindow(settings);
    openWindowWhereItWas(windowRequest, settings);
    DemoRun demo(options, s.randomSeed);
    initialiseGame(hooks, demo);
    loadGameCursor();

    InstanceListener listener(instance);
    runMessageLoop(limits, &listener, demo.wanted() ? &demo : nullptr);

    shutDown(options, demo);
    openUrlShortcut("play.url");

    if (Backend* b = backend()) {
        if (b->hasWindow()) destroyWindow();
        s.gb_hWnd = 0;
        if (s.cursor) b->destroyCursor(s.cursor);
        s.cursor = 0;
    }
    setWindowProcedure(nullptr);
    messageQueue().clear();
    if (!stopSoundSystem(options.audioOutFile))
        std::fprintf(stderr, "shardfall: could not write the sound to %s\n", options.audioOutFile.c_str());
    installBackend(nullptr);
    // Told to the player and on stderr as it happened; the status says it too.
    return savesFailedThisRun() ? 3 : 0;
}
