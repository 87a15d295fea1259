#pragma once
// The audio output: one mixer playing 44 100 Hz 16-bit stereo, either on the
// SDL audio device or, headless, on no device at all. Headless, the virtual
// clock pulls the mix (882 frames per 20 ms frame), so every cursor moves the
// same way in every run. Either way the mix can be recorded and written as a
// WAV file when the program ends (--audio-out).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/mixer.h"

namespace platform {

// Frames of output per 20 ms frame of the virtual clock.
constexpr int kHeadlessFramesPerTick = Mixer::kOutputRate / 50;

// Opens the output. With a device it initialises SDL's audio and starts the
// device; false when no device can be opened (the game then runs silent).
// Headless always succeeds. Opening an open output closes it first.
bool openAudioOutput(bool headless);
void closeAudioOutput();
bool audioOutputOpen();
bool audioOutputHeadless();

// The mixer of the open output, or null.
std::shared_ptr<Mixer> audioMixer();

// Headless: mixes the next `frames` frames now. Does nothing with a device,
// whose own callback pulls the mix.
void pullAudio(int frames);

// Our DirectSoundCreate: a device on the open output's mixer, or
// DSERR_NODRIVER when no output is open.
std::int32_t directSoundCreate(std::unique_ptr<SoundDevice>& out);

// Records everything the mixer produces from now on.
void startAudioCapture();
// Writes what was recorded as a 44 100 Hz 16-bit stereo WAV file (replacing
// the file atomically) and stops recording. Works before or after the output
// is closed. False when recording was never started or the file could not be
// written.
bool writeAudioCapture(const std::string& path);

// Stops recording and drops what was recorded.
void stopAudioCapture();

// The bytes of a 44 100 Hz 16-bit stereo WAV file holding the samples.
std::vector<std::uint8_t> encodeWavFile(const std::int16_t* samples, std::size_t count);

}  // namespace platform
