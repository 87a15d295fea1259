#pragma once
// The mixer behind our DirectSound stand-in: every live buffer, and the one
// operation that turns the playing ones into 44 100 Hz 16-bit stereo output.
// The audio device's callback (or, headless, the frame clock) asks it for
// frames; the game's threads create, fill and steer buffers. One mutex guards
// all of it, so the two sides never see each other half-way.
//
// SoundDevice is the object the sound code holds as its DirectSound device:
// it creates and duplicates buffers on one mixer.

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/sound_buffer.h"

namespace platform {

class Mixer : public std::enable_shared_from_this<Mixer> {
public:
    static constexpr int kOutputRate = 44100;
    static constexpr int kOutputChannels = 2;

    static std::shared_ptr<Mixer> create();

    Mixer(const Mixer&) = delete;
    Mixer& operator=(const Mixer&) = delete;

    // A new buffer, silent and stopped at position 0. Static buffers hold
    // exactly `bufferBytes`; sizes are whole frames of the format.
    std::int32_t createBuffer(const BufferDescription& description, std::unique_ptr<SoundBuffer>& out);
    // A new buffer playing the same sample memory, with the original's
    // volume, pan and frequency, stopped at position 0.
    std::int32_t duplicateBuffer(const SoundBuffer& original, std::unique_ptr<SoundBuffer>& out);

    // Mixes `frames` stereo frames of every playing buffer into `out`,
    // saturating at the 16-bit limits, and records them when capturing.
    void mix(std::int16_t* out, int frames);

    // Recording of everything mixed, for writing the run's sound to a file.
    void startCapture();
    bool capturing() const;
    std::vector<std::int16_t> takeCapture();

    int bufferCount() const;

    // Silence at the output, everything playing on unheard (the window out
    // of focus, when the player asks for that).
    void setMuted(bool muted);
    bool muted() const;

private:
    friend class SoundBuffer;
    Mixer() = default;
    void attach(SoundBuffer* buffer);
    void detach(SoundBuffer* buffer);

    mutable std::mutex mutex_;
    std::vector<SoundBuffer*> buffers_;
    std::vector<std::int32_t> accumulator_;
    bool capturing_ = false;
    bool muted_ = false;
    std::vector<std::int16_t> capture_;
};

constexpr std::uint32_t DSSCL_NORMAL = 1;
constexpr std::uint32_t DSSCL_PRIORITY = 2;

class SoundDevice {
public:
    explicit SoundDevice(std::shared_ptr<Mixer> mixer) : mixer_(std::move(mixer)) {}

    // The window is remembered only; our output is shared by nobody else.
    std::int32_t setCooperativeLevel(std::intptr_t window, std::uint32_t level);
    std::int32_t createSoundBuffer(const BufferDescription& description, std::unique_ptr<SoundBuffer>& out);
    std::int32_t duplicateSoundBuffer(const SoundBuffer& original, std::unique_ptr<SoundBuffer>& out);

    Mixer& mixer() { return *mixer_; }

private:
    std::shared_ptr<Mixer> mixer_;
    std::intptr_t window_ = 0;
    std::uint32_t level_ = DSSCL_NORMAL;
};

}  // namespace platform
