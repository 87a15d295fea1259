#include "app/demo_run.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "app/command_line.h"
#include "config/game_settings.h"
#include "game/progress_file.h"
#include "graphics/display.h"
#include "graphics/screenshot.h"
#include "platform/backend.h"
#include "platform/paths.h"

namespace {

constexpr const char* kProfilesFolder = "data\\profiles";

bool folderExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_directory(path, ec);
}

}  // namespace

DemoRun::DemoRun(const CommandLine& options, std::uint32_t seed)
    : player_(options.autoplayPlayer.empty() ? kDemoPlayerName : options.autoplayPlayer),
      keepFiles_(!options.autoplayPlayer.empty()),
      shotsDirectory_(options.shotsDirectory),
      frameHashes_(options.frameHashesFile) {
    if (options.autoplay) {
        demo_ = std::make_unique<DemoPlayer>(seed, options.autoplayMode, stdout);
        demo_->usePuzzleSolutions(options.puzzleSolutions);
    }
}

void DemoRun::takeOverPlayer(GameSettings& settings) {
    if (!demo_) return;
    madeProfilesFolder_ = !folderExists(platform::resolveWritePath(kProfilesFolder));
    // A run that was killed may have left the demo's files behind; the
    // demo starts afresh either way.
    if (!keepFiles_) deleteProfileFiles(player_);
    settings.currentPlayerName = player_;
}

void DemoRun::afterFrame(std::uint32_t nowMs) {
    if (!started_) {
        started_ = true;
        startMs_ = lastMs_ = nowMs;
        nextShotMs_ = 0;
    }
    const int elapsed = static_cast<int>(nowMs - lastMs_);
    lastMs_ = nowMs;
    const std::uint32_t gameMs = nowMs - startMs_;
    frameHashes_.afterFrame(gameMs, BackBuffer());
    if (!shotsDirectory_.empty() && gameMs >= nextShotMs_) {
        takeShot(gameMs);
        nextShotMs_ += kShotEveryMs;
    }
    platform::Backend* backend = platform::backend();
    if (demo_ && manager_ && backend) demo_->step(*manager_, elapsed, *backend);
}

void DemoRun::takeShot(std::uint32_t gameMs) {
    Sprite* frame = BackBuffer();
    if (!frame) return;
    if (shots_ == 0) {
        std::error_code ec;
        std::filesystem::create_directories(shotsDirectory_, ec);
    }
    char name[32];
    std::snprintf(name, sizeof name, "/shot-%04us.png", static_cast<unsigned>(gameMs / 1000));
    const std::string path = shotsDirectory_ + name;
    if (writeScreenshotPng(*frame, path.c_str())) {
        ++shots_;
    } else {
        std::fprintf(stderr, "shardfall: could not write the screenshot %s\n", path.c_str());
    }
}

void DemoRun::finish() {
    if (demo_ && !keepFiles_) {
        deleteProfileFiles(player_);
        const std::string folder = platform::resolveWritePath(kProfilesFolder);
        std::error_code ec;
        if (madeProfilesFolder_ && std::filesystem::is_empty(folder, ec)) std::filesystem::remove(folder, ec);
    }
    if (demo_) {
        std::printf("autoplay: %d moves, %d buttons pressed, score %d\n", demo_->moves(), demo_->buttonsPressed(),
                    demo_->score());
        // Where the game stood as the program closed (and saved): the next
        // run of the same player and mode should go on from here.
        std::printf("autoplay: ended %s on %s level %d with score %d\n",
                    demo_->endedInPlay() ? "in play" : "between levels", demo_->modeName(), demo_->level(),
                    demo_->score());
    }
    frameHashes_.finish();
    if (shots_ > 0) std::printf("shots: %d pictures in %s\n", shots_, shotsDirectory_.c_str());
    std::fflush(stdout);
}
