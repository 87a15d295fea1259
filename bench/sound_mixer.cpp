// What mixing costs: one second of 44 100 Hz stereo output with 32 effect
// copies and one music stream playing, mixed in the device's 1024-frame
// callbacks, with the stream's ring refilled every 50 ms as the sound thread
// does. Beside it, memcpy of the same second of output bytes. The program
// prints both as fractions of real time and their ratio.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "platform/mixer.h"

using namespace platform;

namespace {

constexpr int kOneSecond = Mixer::kOutputRate;
constexpr int kCallbackFrames = 1024;
constexpr int kStepFrames = Mixer::kOutputRate / 20;
constexpr std::uint32_t kRingBytes = 131072;

std::unique_ptr<SoundBuffer> noiseBuffer(Mixer& mixer, const WaveFormat& format, std::uint32_t bytes,
                                         std::uint32_t flags, std::mt19937& random) {
    BufferDescription d;
    d.flags = flags | DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLPAN | DSBCAPS_CTRLFREQUENCY;
    d.bufferBytes = bytes;
    d.format = format;
    std::unique_ptr<SoundBuffer> buffer;
    mixer.createBuffer(d, buffer);
    BufferRegions r;
    buffer->lock(0, bytes, r);
    for (std::uint32_t i = 0; i < r.size1; ++i) r.data1[i] = std::uint8_t(random() >> 24) / 4;
    buffer->unlock(r);
    return buffer;
}

// Effects in the formats the game's data may hold: most at the output rate,
// some at 22 050 Hz mono 8-bit, some at an odd rate that needs resampling.
struct Scene {
    std::shared_ptr<Mixer> mixer = Mixer::create();
    std::vector<std::unique_ptr<SoundBuffer>> effects;
    std::unique_ptr<SoundBuffer> stream;
    std::vector<std::uint8_t> streamSource = std::vector<std::uint8_t>(kRingBytes);
    std::uint32_t written = kRingBytes;

    Scene() {
        std::mt19937 random(1);
        for (int i = 0; i < 32; ++i) {
            WaveFormat format = i % 4 == 1 ? pcmWaveFormat(1, 22050, 8) : i % 4 == 2 ? pcmWaveFormat(2, 32000, 16) : pcmWaveFormat(2, 44100, 16);
            auto buffer = noiseBuffer(*mixer, format, format.avgBytesPerSec / 2 / format.blockAlign * format.blockAlign,
                                      DSBCAPS_STATIC, random);
            buffer->setVolume(-(i * 150));
            buffer->setPan((i % 5 - 2) * 1000);
            buffer->play(DSBPLAY_LOOPING);
            effects.push_back(std::move(buffer));
        }
        stream = noiseBuffer(*mixer, pcmWaveFormat(2, 44100, 16), kRingBytes, DSBCAPS_GETCURRENTPOSITION2, random);
        stream->play(DSBPLAY_LOOPING);
        for (std::uint8_t& b : streamSource) b = std::uint8_t(random());
    }

    // The sound thread's share of the mixer: refill what was played.
    void refill() {
        std::uint32_t play = 0;
        stream->getCurrentPosition(&play, nullptr);
        const std::uint32_t w = written % kRingBytes;
        std::uint32_t free = play - w + (w > play ? kRingBytes : 0);
        if (free == 0) return;
        BufferRegions r;
        if (stream->lock(w, free, r) != DS_OK) return;
        std::memcpy(r.data1, streamSource.data(), r.size1);
        if (r.size2) std::memcpy(r.data2, streamSource.data(), r.size2);
        stream->unlock(r);
        written += free;
    }
};

void BM_MixOneSecond(benchmark::State& state) {
    Scene scene;
    std::vector<std::int16_t> out(std::size_t(kCallbackFrames) * 2);
    for (auto _ : state) {
        int sinceRefill = 0;
        for (int done = 0; done < kOneSecond; done += kCallbackFrames) {
            const int frames = std::min(kCallbackFrames, kOneSecond - done);
            scene.mixer->mix(out.data(), frames);
            benchmark::DoNotOptimize(out.data());
            sinceRefill += frames;
            if (sinceRefill >= kStepFrames) {
                scene.refill();
                sinceRefill -= kStepFrames;
            }
        }
    }
}
BENCHMARK(BM_MixOneSecond)->Unit(benchmark::kMicrosecond);

void BM_MemcpyOneSecond(benchmark::State& state) {
    const std::size_t bytes = std::size_t(kOneSecond) * 4;
    std::vector<std::uint8_t> from(bytes, 1), to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_MemcpyOneSecond)->Unit(benchmark::kMicrosecond);

// Prints as usual and keeps each benchmark's time per iteration.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0) {
                seconds[run.benchmark_name()] = run.GetAdjustedRealTime() * 1e-6;  // reported in microseconds
            }
        }
    }
    std::map<std::string, double> seconds;
};

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    const auto mix = reporter.seconds.find("BM_MixOneSecond");
    const auto copy = reporter.seconds.find("BM_MemcpyOneSecond");
    if (mix == reporter.seconds.end() || copy == reporter.seconds.end()) return 0;
    std::printf("mixer, 32 effects + 1 stream: %.4f of real time (%.2f%% of one core)\n", mix->second,
                mix->second * 100.0);
    std::printf("memcpy of the same output:    %.6f of real time\n", copy->second);
    std::printf("mixer / memcpy:               %.1f\n", mix->second / copy->second);
    return 0;
}
