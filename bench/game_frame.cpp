// What one busy frame of the game screen costs: quest level 26 (an 8 x 9
// board) in the middle of a cascade, with its episode scene and relic, the
// HUD, 500 live particles, the combo banner and the gem collector, composed
// into the 800 x 600 picture and presented the way the window presents it:
// uploaded into a streaming 16-bit texture, and with a software renderer
// also converted to the 32-bit pixels of the window. Beside it, in the same
// run, a memcpy of the picture: the least any frame can cost.
//
// It plays from the generated tree beside the program (build/dist), so the
// pictures are the game's own.

#include <benchmark/benchmark.h>

#include <SDL.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "config/game_settings.h"
#include "config/ini_store.h"
#include "game/game_screen.h"
#include "graphics/display.h"
#include "graphics/game_fonts.h"
#include "graphics/pixel_format.h"
#include "graphics/sprite.h"
#include "graphics/sprite_loading.h"
#include "ui/effect_layer.h"
#include "ui/game_random.h"
#include "ui/particle.h"
#include "ui/screen_manager.h"

namespace {

constexpr int kScreenW = 800, kScreenH = 600;
constexpr int kTick = 20;
constexpr int kParticles = 500;
constexpr int kFallingPieces = 6;

std::filesystem::path distFolder() {
    char self[4096] = {};
    const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) return "build/dist";
    return std::filesystem::path(std::string(self, std::size_t(n))).parent_path().parent_path() / "dist";
}

// The game's own screen file when the tree has one; otherwise a HUD of the
// same controls made of the menus' pictures.
const char* kStandInScreen =
    "[main]\r\n0=back\r\n1=score\r\n2=lifes\r\n3=level\r\n4=mw\r\n5=timebar\r\n6=magic\r\n7=menu\r\n8=help\r\n"
    "[back]\r\ntype=static\r\npath=data\\menu\\mainmenu_back.jpg\r\n"
    "[score]\r\ntype=static\r\nx=640\r\ny=100\r\nxs=140\r\nys=20\r\n"
    "[lifes]\r\ntype=static\r\nx=640\r\ny=130\r\nxs=140\r\nys=20\r\n"
    "[level]\r\ntype=static\r\nx=640\r\ny=160\r\nxs=140\r\nys=20\r\n"
    "[mw]\r\ntype=static\r\nx=640\r\ny=190\r\nxs=140\r\nys=20\r\n"
    "[timebar]\r\ntype=progress\r\nx=250\r\ny=560\r\nbtabstop=0\r\nleftpath=data\\menu\\bar_full.tga\r\n"
    "rightpath=data\\menu\\bar_empty.tga\r\n"
    "[magic]\r\ntype=checkbox\r\nx=650\r\ny=300\r\npath=data\\menu\\button_small.tga\r\n"
    "[menu]\r\ntype=button\r\nx=650\r\ny=400\r\npath=data\\menu\\button_small.tga\r\n"
    "[help]\r\ntype=button\r\nx=650\r\ny=460\r\npath=data\\menu\\button_small.tga\r\n";

// The level intro only hands the level to play.
class HandOver : public Screen {};

struct Scene {
    std::filesystem::path dir, oldDir;
    std::unique_ptr<ScreenManager> manager;
    GameScreen* game = nullptr;
    SDL_Surface* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;
    std::vector<std::uint8_t> copyFrom, copyTo;
    int dynamicPieces = 0;

    Scene() {
        const std::filesystem::path dist = distFolder();
        dir = std::filesystem::temp_directory_path() / ("shardfall-bench-frame-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir / "data" / "menu");
        for (const auto& entry : std::filesystem::directory_iterator(dist / "data")) {
            const std::string name = entry.path().filename().string();
            if (name == "menu" || name == "profiles") continue;
            std::filesystem::create_symlink(entry.path(), dir / "data" / name);
        }
        for (const auto& entry : std::filesystem::directory_iterator(dist / "data" / "menu"))
            std::filesystem::create_symlink(entry.path(), dir / "data" / "menu" / entry.path().filename());
        if (!std::filesystem::exists(dir / "data" / "menu" / "game.ini"))
            std::ofstream(dir / "data" / "menu" / "game.ini", std::ios::binary) << kStandInScreen;
        oldDir = std::filesystem::current_path();
        std::filesystem::current_path(dir);

        SetDisplay(kScreenW, kScreenH, 16, 0);
        loadGameFonts();
        createEffectLayer();
        seedGameRandom(2024);
        gameSettings().currentPlayerName = "";  // nothing is saved

        manager = std::make_unique<ScreenManager>();
        manager->factory().add("game", [] { return std::make_unique<GameScreen>(); });
        manager->factory().add("readyintro", [] { return std::make_unique<HandOver>(); });
        game = dynamic_cast<GameScreen*>(manager->showScreen("game", 1));
        game->newQuest(26);
        for (int t = 0; t < 600; t += kTick) manager->update(kTick);
        manager->currentScreen()->closeOverlay();
        game->setLevelRunning();
        startCascade();
        addParticles();
        // The window's stand-in: a 32-bit surface drawn by SDL's software
        // renderer, the texture streamed as the game's backend streams it.
        window = SDL_CreateRGBSurfaceWithFormat(0, kScreenW, kScreenH, 32, SDL_PIXELFORMAT_ARGB8888);
        renderer = window ? SDL_CreateSoftwareRenderer(window) : nullptr;
        if (renderer)
            texture = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING, kScreenW, kScreenH);
        const std::size_t bytes = std::size_t(kScreenW) * kScreenH * 2;
        copyFrom.assign(bytes, 0x5A);
        copyTo.assign(bytes, 0);
    }

    // A move that makes a line, played until the pieces above it are falling
    // into the gap and new ones are born; a third wave shows the banner.
    void startCascade() {
        Board& board = game->board();
        const int move = board.findMove();
        if (move == kNoMove) return;
        board.startSwap(moveFirst(move), moveSecond(move));
        for (int t = 0; t < 3000; t += kTick) {
            manager->update(kTick);
            if (!board.busy()) continue;
            dynamicPieces = 0;
            board.pieces().forEach([this](const Piece& p) { dynamicPieces += p.onDynamicLayer ? 1 : 0; });
            if (dynamicPieces >= kFallingPieces) break;
        }
        WaveTally wave;
        wave.waveCount = 2;
        for (int i = 0; i < 6; ++i) game->queueScoreEvent(i, 0);
        game->scoreWave(wave);
        manager->update(kTick);
    }

    // Lasting sparks up to 500 live particles in all, spread over the picture.
    void addParticles() {
        EffectLayer& layer = *effectLayer();
        Sprite* spark = framedPicture("data\\fx\\spark7.tga", 6);
        while (layer.effectCount() < kParticles) {
            auto p = std::make_unique<Particle>();
            p->sprite = spark;
            p->additive = true;
            p->x = float(gameRandom() % (kScreenW - 24));
            p->y = float(gameRandom() % (kScreenH - 24));
            p->g = 0;
            p->lifetime = 1 << 30;
            layer.addEffect(std::move(p));
        }
    }

    ~Scene() {
        if (texture) SDL_DestroyTexture(texture);
        if (renderer) SDL_DestroyRenderer(renderer);
        if (window) SDL_FreeSurface(window);
        manager.reset();
        destroyEffectLayer();
        releaseGameFonts();
        CloseDisplay();
        iniReleaseCache();
        std::filesystem::current_path(oldDir);
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
};

Scene& scene() {
    static Scene s;
    return s;
}

// The frame loop's work for one frame: clear, compose, and hand the picture
// to the texture the window shows (`convert` also renders it into the
// window's 32-bit pixels, as a software renderer does).
void frame(benchmark::State& state, bool upload, bool convert) {
    Scene& s = scene();
    Sprite& picture = *BackBuffer();
    for (auto _ : state) {
        picture.FillRect(0, 0, kScreenW, kScreenH, 0xFF000000u);
        s.manager->draw(0, 0, picture);
        if (upload && s.texture) {
            int pitch = 0;
            const std::uint16_t* pixels = picture.readablePixels(pitch);
            SDL_UpdateTexture(s.texture, nullptr, pixels, pitch);
            if (convert) SDL_RenderCopy(s.renderer, s.texture, nullptr, nullptr);
        }
        benchmark::ClobberMemory();
    }
    state.counters["particles"] = effectLayer()->effectCount();
    state.counters["moving pieces"] = s.dynamicPieces;
    state.counters["banner"] = s.game->banner().running() ? 1 : 0;
}

void BM_Compose(benchmark::State& state) { frame(state, false, false); }
BENCHMARK(BM_Compose);
void BM_ComposeAndUpload(benchmark::State& state) { frame(state, true, false); }
BENCHMARK(BM_ComposeAndUpload);
void BM_ComposeUploadAndConvert(benchmark::State& state) { frame(state, true, true); }
BENCHMARK(BM_ComposeUploadAndConvert);

void BM_CopyPicture(benchmark::State& state) {
    Scene& s = scene();
    for (auto _ : state) {
        std::memcpy(s.copyTo.data(), s.copyFrom.data(), s.copyTo.size());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CopyPicture);

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
                nanoseconds[run.benchmark_name()] = run.real_accumulated_time * 1e9 / double(run.iterations);
                cpuNanoseconds[run.benchmark_name()] = run.cpu_accumulated_time * 1e9 / double(run.iterations);
            }
    }
    double of(const std::string& name) const {
        auto it = nanoseconds.find(name);
        return it == nanoseconds.end() ? 0.0 : it->second;
    }
    double cpuOf(const std::string& name) const {
        auto it = cpuNanoseconds.find(name);
        return it == cpuNanoseconds.end() ? 0.0 : it->second;
    }
    std::map<std::string, double> nanoseconds, cpuNanoseconds;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const double copy = reporter.of("BM_CopyPicture");
    std::printf("\nquest level 26, %d live particles, %d pieces moving, 800 x 600 x 16 bit picture\n",
                effectLayer()->effectCount(), scene().dynamicPieces);
    // On a busy machine the wall clock also counts other programs' turns;
    // the CPU time is this program's own.
    const double copyCpu = reporter.cpuOf("BM_CopyPicture");
    std::printf("%-28s %10s %10s %14s %14s\n", "work", "wall ms", "cpu ms", "wall / memcpy", "cpu / memcpy");
    for (const char* name : {"BM_Compose", "BM_ComposeAndUpload", "BM_ComposeUploadAndConvert"}) {
        const double ns = reporter.of(name), cpu = reporter.cpuOf(name);
        if (ns > 0)
            std::printf("%-28s %10.3f %10.3f %14.2f %14.2f\n", name + 3, ns / 1e6, cpu / 1e6, copy > 0 ? ns / copy : 0.0,
                        copyCpu > 0 ? cpu / copyCpu : 0.0);
    }
    std::printf("%-28s %10.3f %10.3f\n", "memcpy of the picture", copy / 1e6, copyCpu / 1e6);
    return 0;
}
