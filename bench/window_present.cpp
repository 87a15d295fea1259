// Showing the 800 x 600 picture in a window one and a half times its size,
// as the game does when it draws the window itself: the whole frame scaled
// by us beside SDL's own conversion and smoothed stretch of the same frame,
// and a frame of falling confetti, where only the changed parts are found
// and scaled. The ratios at the end say what a frame of each kind costs
// against SDL's whole frame, in processor time (the machine may be shared).

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "platform/frame_changes.h"
#include "platform/picture_scaler.h"

using namespace platform;

namespace {

constexpr int kWidth = 800, kHeight = 600, kWindowWidth = 1200, kWindowHeight = 900;
constexpr Rect kWhole{0, 0, kWidth, kHeight};

std::vector<std::uint16_t> scene() {
    std::vector<std::uint16_t> pixels(std::size_t(kWidth) * kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            pixels[std::size_t(y) * kWidth + x] = std::uint16_t((x * 37 + y * 101) * 2654435761u >> 16);
    return pixels;
}

void ourWholeFrame(benchmark::State& state) {
    const std::vector<std::uint16_t> frame = scene();
    std::vector<std::uint32_t> window(std::size_t(kWindowWidth) * kWindowHeight);
    WindowPixels target{window.data(), kWindowWidth, kWindowHeight, kWindowWidth * 4};
    PictureScaler scaler;
    scaler.setGeometry(kWidth, kHeight, kWindowWidth, kWindowHeight);
    for (auto _ : state) {
        scaler.draw(frame.data(), kWidth * 2, PixelLayout::Rgb565, kWhole, target);
        benchmark::DoNotOptimize(window.data());
    }
}

void sdlWholeFrame(benchmark::State& state) {
    std::vector<std::uint16_t> frame = scene();
    SDL_Surface* source =
        SDL_CreateRGBSurfaceWithFormatFrom(frame.data(), kWidth, kHeight, 16, kWidth * 2, SDL_PIXELFORMAT_RGB565);
    SDL_Surface* wide = SDL_CreateRGBSurfaceWithFormat(0, kWidth, kHeight, 32, SDL_PIXELFORMAT_RGB888);
    SDL_Surface* window = SDL_CreateRGBSurfaceWithFormat(0, kWindowWidth, kWindowHeight, 32, SDL_PIXELFORMAT_RGB888);
    SDL_Rect all{0, 0, kWindowWidth, kWindowHeight};
    for (auto _ : state) {
        SDL_BlitSurface(source, nullptr, wide, nullptr);
        SDL_SoftStretchLinear(wide, nullptr, window, &all);
        benchmark::DoNotOptimize(window->pixels);
    }
    SDL_FreeSurface(window);
    SDL_FreeSurface(wide);
    SDL_FreeSurface(source);
}

// A hundred flakes of 6 x 3 pixels, each moving a little every frame.
void ourConfettiFrame(benchmark::State& state) {
    std::vector<std::uint16_t> frame = scene();
    const std::vector<std::uint16_t> background = frame;
    std::vector<std::uint32_t> window(std::size_t(kWindowWidth) * kWindowHeight);
    WindowPixels target{window.data(), kWindowWidth, kWindowHeight, kWindowWidth * 4};
    PictureScaler scaler;
    scaler.setGeometry(kWidth, kHeight, kWindowWidth, kWindowHeight);
    FrameChanges changes;
    changes.take(frame.data(), kWidth, kHeight, kWidth * 2, kWhole, true);
    std::mt19937 random(7);
    struct Flake {
        int x, y;
    };
    std::vector<Flake> flakes(100);
    for (Flake& f : flakes) f = {int(random() % (kWidth - 8)), int(random() % (kHeight - 8))};
    for (auto _ : state) {
        for (Flake& f : flakes) {
            for (int y = f.y; y < f.y + 3; ++y)
                for (int x = f.x; x < f.x + 6; ++x)
                    frame[std::size_t(y) * kWidth + x] = background[std::size_t(y) * kWidth + x];
            f.y = (f.y + 2) % (kHeight - 8);
            f.x = (f.x + 1) % (kWidth - 8);
            for (int y = f.y; y < f.y + 3; ++y)
                for (int x = f.x; x < f.x + 6; ++x) frame[std::size_t(y) * kWidth + x] = 0xF81F;
        }
        for (const Rect& r : changes.take(frame.data(), kWidth, kHeight, kWidth * 2, kWhole, false))
            scaler.draw(frame.data(), kWidth * 2, PixelLayout::Rgb565, r, target);
        benchmark::DoNotOptimize(window.data());
    }
}

// Nothing changed: the comparison alone.
void ourStillFrame(benchmark::State& state) {
    const std::vector<std::uint16_t> frame = scene();
    FrameChanges changes;
    changes.take(frame.data(), kWidth, kHeight, kWidth * 2, kWhole, true);
    for (auto _ : state) benchmark::DoNotOptimize(changes.take(frame.data(), kWidth, kHeight, kWidth * 2, kWhole, false));
}

class RecordingReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> nanoseconds;
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration && run.iterations > 0)
                nanoseconds[run.benchmark_name()] = run.cpu_accumulated_time * 1e9 / double(run.iterations);
        ConsoleReporter::ReportRuns(runs);
    }
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::RegisterBenchmark("whole frame/ours", ourWholeFrame);
    benchmark::RegisterBenchmark("whole frame/sdl", sdlWholeFrame);
    benchmark::RegisterBenchmark("confetti frame/ours", ourConfettiFrame);
    benchmark::RegisterBenchmark("still frame/ours", ourStillFrame);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    RecordingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double sdl = reporter.nanoseconds["whole frame/sdl"];
    std::printf("\n%-16s %12s %14s\n", "frame", "ours CPU ns", "against SDL's");
    for (const char* name : {"whole frame", "confetti frame", "still frame"}) {
        const double ours = reporter.nanoseconds[std::string(name) + "/ours"];
        std::printf("%-16s %12.0f %14.2f\n", name, ours, sdl > 0 ? ours / sdl : 0.0);
    }
    benchmark::Shutdown();
    return 0;
}
