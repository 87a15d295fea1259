// What the effect layer costs per frame with a screenful of sparks: 500
// live particles (310 lasting, the rest coming from all ten emitters at a
// steady rate), stepped and drawn additively into the 800 x 600 picture.
// Beside it, in the same run, the memory traffic every frame pays anyway:
// copying the whole picture (memcpy) and clearing it (FillRect).

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "graphics/pixel_format.h"
#include "graphics/sprite.h"
#include "graphics/sprite_loading.h"
#include "ui/effect_layer.h"
#include "ui/game_random.h"
#include "ui/particle.h"

namespace {

constexpr int kScreenW = 800, kScreenH = 600;
constexpr int kTick = 20;
constexpr int kLasting = 310;
// Each emitter keeps 19 particles alive: one per 20 ms tick, each living
// 400 ms (it goes in the step its age reaches 400).
constexpr int kEmitterLife = 400, kEmitterInterval = 20;
constexpr int kSparkSize = 24, kSparkFrames = 6;

// A soft round spark strip as a 32-bit TGA, like the game's sparks.
std::string sparkTga() {
    const int h = kSparkSize * kSparkFrames;
    std::string out(18, '\0');
    out[2] = 2;
    out[12] = char(kSparkSize);
    out[14] = char(h & 0xFF);
    out[15] = char(h >> 8);
    out[16] = 32;
    out[17] = char(0x20 | 8);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < kSparkSize; ++x) {
            const int dx = x - kSparkSize / 2, dy = y % kSparkSize - kSparkSize / 2;
            const int v = std::max(0, 255 - (dx * dx + dy * dy) * 2);
            out += char(v / 2);
            out += char(v);
            out += char(v);
            out += char(v ? 255 : 0);
        }
    return out;
}

struct Scene {
    std::filesystem::path dir;
    std::filesystem::path oldDir;
    Sprite frame;
    std::unique_ptr<EffectLayer> layer;
    std::vector<std::uint8_t> copyFrom, copyTo;

    Scene() {
        setCurrentPixelFormat(pixelFormatTable[0]);
        frame.createPixels(kScreenW, kScreenH);
        frame.clip = {0, 0, kScreenW, kScreenH};
        dir = std::filesystem::temp_directory_path() / ("shardfall-bench-effects-" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir / "data" / "fx");
        std::ofstream(dir / "data" / "fx" / "spark7.tga", std::ios::binary) << sparkTga();
        oldDir = std::filesystem::current_path();
        std::filesystem::current_path(dir);

        seedGameRandom(2024);
        layer = std::make_unique<EffectLayer>();
        Sprite* spark = framedPicture("data\\fx\\spark7.tga", kSparkFrames);
        for (int slot = 0; slot < EffectLayer::kEmitterSlots; ++slot)
            layer->addEmitter(80.0f + 70.0f * float(slot), 300, 10, 10, 0, -0.05f, 0.1f, 0.1f, 0.96f, 0.98f, 0.002f,
                              kEmitterLife, 0, kEmitterInterval, 0, "data\\fx\\spark7.tga", kSparkFrames, 1, 0);
        for (int i = 0; i < kLasting; ++i) {
            auto p = std::make_unique<Particle>();
            p->sprite = spark;
            p->additive = true;
            p->x = float(gameRandom() % (kScreenW - kSparkSize));
            p->y = float(gameRandom() % (kScreenH - kSparkSize));
            p->g = 0;
            p->lifetime = 1 << 30;  // lasting: only the emitters' sparks come and go
            layer->addEffect(std::move(p));
        }
        // Warm up until the emitters' sparks have reached their steady count.
        for (int t = 0; t < 50; ++t) layer->stepAll(kTick);
        const std::size_t bytes = std::size_t(kScreenW) * kScreenH * 2;
        copyFrom.assign(bytes, 0x5A);
        copyTo.assign(bytes, 0);
    }
    ~Scene() {
        layer.reset();
        std::filesystem::current_path(oldDir);
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
};

Scene& scene() {
    static Scene s;
    return s;
}

void BM_Step(benchmark::State& state) {
    Scene& s = scene();
    for (auto _ : state) s.layer->stepAll(kTick);
    state.counters["live"] = s.layer->effectCount();
    state.counters["emitters"] = s.layer->emitterCount();
}
BENCHMARK(BM_Step);

void BM_Render(benchmark::State& state) {
    Scene& s = scene();
    for (auto _ : state) {
        s.layer->renderAll(s.frame);
        benchmark::ClobberMemory();
    }
    state.counters["live"] = s.layer->effectCount();
}
BENCHMARK(BM_Render);

void BM_StepAndRender(benchmark::State& state) {
    Scene& s = scene();
    for (auto _ : state) {
        s.layer->stepAll(kTick);
        s.layer->renderAll(s.frame);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_StepAndRender);

void BM_CopyPicture(benchmark::State& state) {
    Scene& s = scene();
    for (auto _ : state) {
        std::memcpy(s.copyTo.data(), s.copyFrom.data(), s.copyTo.size());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CopyPicture);

void BM_ClearPicture(benchmark::State& state) {
    Scene& s = scene();
    for (auto _ : state) {
        s.frame.FillRect(0, 0, kScreenW, kScreenH, 0xFF000000u);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ClearPicture);

class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && run.iterations > 0)
                nanoseconds[run.benchmark_name()] = run.real_accumulated_time * 1e9 / double(run.iterations);
    }
    double of(const std::string& name) const {
        auto it = nanoseconds.find(name);
        return it == nanoseconds.end() ? 0.0 : it->second;
    }
    std::map<std::string, double> nanoseconds;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const double copy = reporter.of("BM_CopyPicture"), clear = reporter.of("BM_ClearPicture");
    std::printf("\n%d live particles, %d emitters, 800 x 600 x 16 bit picture\n", scene().layer->effectCount(),
                scene().layer->emitterCount());
    std::printf("%-22s %12s %14s %14s %12s\n", "work", "ns", "/ memcpy pic", "/ clear pic", "% of 20 ms");
    for (const char* name : {"BM_Step", "BM_Render", "BM_StepAndRender"}) {
        const double ns = reporter.of(name);
        if (ns <= 0) continue;
        std::printf("%-22s %12.0f %14.2f %14.2f %12.3f\n", name + 3, ns, copy > 0 ? ns / copy : 0.0,
                    clear > 0 ? ns / clear : 0.0, ns / 20e6 * 100);
    }
    std::printf("%-22s %12.0f\n%-22s %12.0f\n", "memcpy of the picture", copy, "clear of the picture", clear);
    return 0;
}
