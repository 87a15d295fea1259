#include "platform/audio_output.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>
#include <mutex>

#include "platform/paths.h"

namespace platform {
namespace {

struct AudioOutput {
    std::mutex mutex;  // guards the fields below, not the mixing
    std::shared_ptr<Mixer> mixer;
    SDL_AudioDeviceID device = 0;
    bool headless = false;
    std::vector<std::int16_t> pullBuffer;
    // A recording taken from a mixer that has since been closed.
    bool captureRequested = false;
    std::vector<std::int16_t> keptCapture;

    // A device left open at exit must not call into a mixer being destroyed.
    ~AudioOutput() {
        if (device != 0) SDL_CloseAudioDevice(device);
    }
};

AudioOutput& output() {
    static AudioOutput instance;
    return instance;
}

void SDLCALL audioCallback(void* userData, Uint8* stream, int length) {
    auto* mixer = static_cast<Mixer*>(userData);
    mixer->mix(reinterpret_cast<std::int16_t*>(stream), length / (Mixer::kOutputChannels * 2));
}

bool openDevice(AudioOutput& out) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    SDL_AudioSpec wanted{};
    wanted.freq = Mixer::kOutputRate;
    wanted.format = AUDIO_S16SYS;
    wanted.channels = Mixer::kOutputChannels;
    // About 23 ms per callback: well inside the 0.74 s a stream's ring holds,
    // short enough that an effect starts without a noticeable delay.
    wanted.samples = 1024;
    wanted.callback = audioCallback;
    wanted.userdata = out.mixer.get();
    SDL_AudioSpec obtained{};
    // No changes allowed: SDL converts to whatever the hardware wants.
    out.device = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
    if (out.device == 0) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    SDL_PauseAudioDevice(out.device, 0);
    return true;
}

void closeLocked(AudioOutput& out) {
    if (out.device != 0) {
        // Waits for a running callback, so the mixer is free once this returns.
        SDL_CloseAudioDevice(out.device);
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        out.device = 0;
    }
    if (out.mixer && out.mixer->capturing()) {
        out.keptCapture = out.mixer->takeCapture();
    }
    out.mixer.reset();
    out.headless = false;
}

void put16(std::uint8_t* at, std::uint32_t value) {
    at[0] = std::uint8_t(value);
    at[1] = std::uint8_t(value >> 8);
}

void put32(std::uint8_t* at, std::uint32_t value) {
    put16(at, value & 0xFFFF);
    put16(at + 2, value >> 16);
}

}  // namespace

bool openAudioOutput(bool headless) {
    AudioOutput& out = output();
    std::lock_guard<std::mutex> lock(out.mutex);
    closeLocked(out);
    out.mixer = Mixer::create();
    out.headless = headless;
    if (out.captureRequested) out.mixer->startCapture();
    if (!headless && !openDevice(out)) {
        out.mixer.reset();
        return false;
    }
    return true;
}

void closeAudioOutput() {
    AudioOutput& out = output();
    std::lock_guard<std::mutex> lock(out.mutex);
    closeLocked(out);
}

bool audioOutputOpen() {
    AudioOutput& out = output();
    std::lock_guard<std::mutex> lock(out.mutex);
    return out.mixer != nullptr;
}

bool audioOutputHeadless() {
    AudioOutput& out = output();
    std::lock_guard<std::mutex> lock(out.mutex);
    return out.mixer && out.headless;
}

std::shared_ptr<Mixer> audioMixer() {
    AudioOutput& out = output();
    std::lock_guard<std::mutex> lock(out.mutex);
    return out.mixer;
}

void pullAudio(int frames) {
    AudioOutput& out = output();
    std::lock_guard<std::mutex> lock(out.mutex);
    if (!out.mixer || !out.headless || frames <= 0) return;
    out.pullBuffer.resize(std::size_t(frames) * Mixer::kOutputChannels);
    out.mixer->mix(out.pullBuffer.data(), frames);
}

std::int32_t directSoundCreate(std::unique_ptr<SoundDevice>& device) {
    device.reset();
    std::shared_ptr<Mixer> mixer = audioMixer();
    if (!mixer) return DSERR_NODRIVER;
    device = std::make_unique<SoundDevice>(std::move(mixer));
    return DS_OK;
}

void startAudioCapture() {
    AudioOutput& out = output();
    std::lock_guard<std::mutex> lock(out.mutex);
    out.captureRequested = true;
    out.keptCapture.clear();
    if (out.mixer) out.mixer->startCapture();
}

void stopAudioCapture() {
    AudioOutput& out = output();
    std::lock_guard<std::mutex> lock(out.mutex);
    out.captureRequested = false;
    out.keptCapture.clear();
    if (out.mixer && out.mixer->capturing()) out.mixer->takeCapture();
}

bool writeAudioCapture(const std::string& path) {
    AudioOutput& out = output();
    std::vector<std::int16_t> samples;
    {
        std::lock_guard<std::mutex> lock(out.mutex);
        if (!out.captureRequested) return false;
        out.captureRequested = false;
        samples = out.mixer && out.mixer->capturing() ? out.mixer->takeCapture() : std::move(out.keptCapture);
        out.keptCapture.clear();
    }
    const std::vector<std::uint8_t> file = encodeWavFile(samples.data(), samples.size());
    return writeFileAtomic(path, file.data(), file.size()) == 0;
}

std::vector<std::uint8_t> encodeWavFile(const std::int16_t* samples, std::size_t count) {
    const std::uint32_t dataBytes = static_cast<std::uint32_t>(count * 2);
    std::vector<std::uint8_t> bytes(44 + std::size_t(dataBytes));
    std::uint8_t* p = bytes.data();
    std::memcpy(p, "RIFF", 4);
    put32(p + 4, 36 + dataBytes);
    std::memcpy(p + 8, "WAVEfmt ", 8);
    put32(p + 16, 16);
    put16(p + 20, 1);
    put16(p + 22, Mixer::kOutputChannels);
    put32(p + 24, Mixer::kOutputRate);
    put32(p + 28, Mixer::kOutputRate * Mixer::kOutputChannels * 2);
    put16(p + 32, Mixer::kOutputChannels * 2);
    put16(p + 34, 16);
    std::memcpy(p + 36, "data", 4);
    put32(p + 40, dataBytes);
    for (std::size_t i = 0; i < count; ++i) put16(p + 44 + 2 * i, std::uint16_t(samples[i]));
    return bytes;
}

}  // namespace platform
