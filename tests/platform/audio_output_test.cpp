#include "platform/audio_output.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "temp_dir.h"

using namespace platform;

namespace {

std::unique_ptr<SoundBuffer> constantBuffer(SoundDevice& device, int frames, std::int16_t left, std::int16_t right) {
    BufferDescription d;
    d.flags = DSBCAPS_STATIC | DSBCAPS_CTRLVOLUME;
    d.bufferBytes = std::uint32_t(frames * 4);
    d.format.formatTag = WAVE_FORMAT_PCM;
    d.format.channels = 2;
    d.format.samplesPerSec = 44100;
    d.format.bitsPerSample = 16;
    d.format.blockAlign = 4;
    std::unique_ptr<SoundBuffer> buffer;
    EXPECT_EQ(device.createSoundBuffer(d, buffer), DS_OK);
    BufferRegions r;
    EXPECT_EQ(buffer->lock(0, d.bufferBytes, r), DS_OK);
    for (int i = 0; i < frames; ++i) {
        std::memcpy(r.data1 + 4 * i, &left, 2);
        std::memcpy(r.data1 + 4 * i + 2, &right, 2);
    }
    EXPECT_EQ(buffer->unlock(r), DS_OK);
    return buffer;
}

TEST(AudioOutputTest, HeadlessPullsMoveCursorsAndTheCaptureBecomesAWavFile) {
    TempDir dir;
    std::unique_ptr<SoundDevice> device;
    EXPECT_EQ(directSoundCreate(device), DSERR_NODRIVER);

    startAudioCapture();
    ASSERT_TRUE(openAudioOutput(true));
    EXPECT_TRUE(audioOutputHeadless());
    ASSERT_EQ(directSoundCreate(device), DS_OK);
    auto buffer = constantBuffer(*device, 1500, 1234, -4321);
    ASSERT_EQ(buffer->play(0), DS_OK);
    pullAudio(kHeadlessFramesPerTick);
    std::uint32_t play = 0;
    buffer->getCurrentPosition(&play, nullptr);
    EXPECT_EQ(play, 882u * 4u);
    pullAudio(kHeadlessFramesPerTick);  // plays out the last 618 frames
    buffer.reset();
    closeAudioOutput();  // the recording survives the output

    ASSERT_TRUE(writeAudioCapture(dir.file("out.wav")));
    const std::string wav = dir.read("out.wav");
    ASSERT_EQ(wav.size(), 44u + 2 * 882 * 4);
    const std::string header = "RIFF" + std::string("\xB4\x1B\0\0", 4) + "WAVEfmt " + std::string("\x10\0\0\0\x01\0\x02\0", 8) +
                               std::string("\x44\xAC\0\0\x10\xB1\x02\0\x04\0\x10\0", 12) + "data" +
                               std::string("\x90\x1B\0\0", 4);
    EXPECT_EQ(wav.substr(0, 44), header);
    auto sampleAt = [&](std::size_t frame, int channel) {
        std::int16_t v;
        std::memcpy(&v, wav.data() + 44 + frame * 4 + std::size_t(channel) * 2, 2);
        return v;
    };
    EXPECT_EQ(sampleAt(0, 0), 1234);
    EXPECT_EQ(sampleAt(0, 1), -4321);
    EXPECT_EQ(sampleAt(1499, 0), 1234);
    EXPECT_EQ(sampleAt(1500, 0), 0);
    // Only one recording per start.
    EXPECT_FALSE(writeAudioCapture(dir.file("again.wav")));
}

TEST(AudioOutputTest, TheDeviceCallbackConsumesSamplesInRealTime) {
    ::setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (!openAudioOutput(false)) GTEST_SKIP() << "no audio device, not even SDL's dummy";
    EXPECT_FALSE(audioOutputHeadless());
    std::unique_ptr<SoundDevice> device;
    ASSERT_EQ(directSoundCreate(device), DS_OK);
    auto buffer = constantBuffer(*device, 44100, 1, 1);
    ASSERT_EQ(buffer->play(DSBPLAY_LOOPING), DS_OK);
    // Headless pulls do nothing while a device runs the mix.
    pullAudio(100);
    std::uint32_t play = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (play == 0 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ASSERT_EQ(buffer->getCurrentPosition(&play, nullptr), DS_OK);
    }
    EXPECT_GT(play, 0u);
    buffer.reset();
    closeAudioOutput();
    EXPECT_FALSE(audioOutputOpen());
}

}  // namespace
