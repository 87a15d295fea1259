#pragma once
// Files and a fixture for the sound tests: WAV files built byte by byte, Ogg
// files encoded by the data generator's encoder, and a headless sound system
// whose mixer and thread step only when the test says so.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "config/ini_store.h"
#include "ogg_writer.h"
#include "errorlog/error_check.h"
#include "platform/audio_output.h"
#include "sound/sound.h"
#include "sound/sound_output.h"
#include "sound/sound_system.h"
#include "temp_dir.h"

namespace soundtest {

inline std::string le16(std::uint32_t v) { return std::string{char(v & 0xFF), char((v >> 8) & 0xFF)}; }
inline std::string le32(std::uint32_t v) { return le16(v & 0xFFFF) + le16(v >> 16); }

inline std::string pcm16(const std::vector<std::int16_t>& samples) {
    std::string bytes;
    for (std::int16_t s : samples) bytes += le16(std::uint16_t(s));
    return bytes;
}

inline std::string formatRecord(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits) {
    const std::uint16_t block = std::uint16_t(channels * bits / 8);
    return le16(tag) + le16(channels) + le32(rate) + le32(rate * block) + le16(block) + le16(bits);
}

// A RIFF WAVE file: "fmt " with the record, then "data" with the bytes.
inline std::string wavFile(const std::string& record, const std::string& data) {
    std::string body = "WAVE";
    body += "fmt " + le32(std::uint32_t(record.size())) + record;
    body += "data" + le32(std::uint32_t(data.size())) + data;
    if (data.size() % 2) body += '\0';
    return "RIFF" + le32(std::uint32_t(body.size())) + body;
}

inline std::string wav16(const std::vector<std::int16_t>& interleaved, int channels = 2, std::uint32_t rate = 44100) {
    return wavFile(formatRecord(1, std::uint16_t(channels), rate, 16), pcm16(interleaved));
}

// Stereo frames whose left sample is the frame's number (plus one, so no frame
// is silent) and whose right sample is its negative.
inline std::vector<std::int16_t> countingFrames(int frames) {
    std::vector<std::int16_t> samples;
    for (int i = 0; i < frames; ++i) {
        const std::int16_t v = std::int16_t(i % 30000 + 1);
        samples.push_back(v);
        samples.push_back(std::int16_t(-v));
    }
    return samples;
}

inline std::vector<std::int16_t> constantFrames(int frames, std::int16_t value) {
    return std::vector<std::int16_t>(std::size_t(frames) * 2, value);
}

// One logical Ogg Vorbis stream of the samples (mono or stereo), made by the
// data generator's own encoder.
inline std::string oggFile(const std::vector<std::int16_t>& interleaved, int channels, long rate, int serial = 1) {
    const std::size_t frames = interleaved.size() / std::size_t(channels);
    const auto sample = [&](std::size_t frame, int c) {
        return float(interleaved[frame * std::size_t(channels) + std::size_t(c)]) / 32768.0f;
    };
    OggSettings settings;
    settings.quality = 0.5f;
    settings.serial = serial;
    std::vector<std::uint8_t> bytes;
    if (channels == 1) {
        synth::Mono mono(frames);
        for (std::size_t i = 0; i < frames; ++i) mono[i] = sample(i, 0);
        bytes = encodeOgg(mono, int(rate), settings);
    } else {
        synth::Stereo stereo(frames);
        for (std::size_t i = 0; i < frames; ++i) {
            stereo.left[i] = sample(i, 0);
            stereo.right[i] = sample(i, 1);
        }
        bytes = encodeOgg(stereo, int(rate), settings);
    }
    EXPECT_FALSE(bytes.empty());
    return std::string(bytes.begin(), bytes.end());
}

// A headless sound system in a fresh working directory. The test moves time:
// mix() consumes output frames, step() runs one pass of the sound thread.
class SoundFixture : public ::testing::Test {
protected:
    static constexpr int kFramesPerStep = 2205;  // 50 ms of output

    void SetUp() override {
        // The INI store caches by path, and every test has its own files.
        iniReleaseCache();
        prepareData();
        startSoundSystem(true, false);
        soundInit(1);
        ASSERT_TRUE(soundDeviceReady());
        setCategoryVolume(1.0f, SND_VOLUME_EFFECTS);
        setCategoryVolume(1.0f, SND_VOLUME_MUSIC);
    }
    void TearDown() override {
        soundShutdown();
        stopSoundSystem("");
        closeErrorLog();
    }
    // Files the set-up already needs (music.ini).
    virtual void prepareData() {}

    std::vector<std::int16_t> mix(int frames) {
        std::vector<std::int16_t> out(std::size_t(frames) * 2);
        platform::audioMixer()->mix(out.data(), frames);
        return out;
    }
    void step() { soundThreadStep(); }
    // Time passing as the thread sees it: 50 ms of output, then a step.
    void run(int steps) {
        for (int i = 0; i < steps; ++i) {
            mix(kFramesPerStep);
            step();
        }
    }
    static std::int32_t bufferVolume(const Sound* sound) {
        std::int32_t v = 1;
        EXPECT_EQ(sound->buffer()->getVolume(&v), platform::DS_OK);
        return v;
    }
    static std::int32_t bufferPan(const Sound* sound) {
        std::int32_t v = 1;
        EXPECT_EQ(sound->buffer()->getPan(&v), platform::DS_OK);
        return v;
    }
    static std::uint32_t playCursor(const Sound* sound) {
        std::uint32_t play = 0;
        EXPECT_EQ(sound->buffer()->getCurrentPosition(&play, nullptr), platform::DS_OK);
        return play;
    }
    int temporaryCopies() const {
        int n = 0;
        for (int i = 0; i < soundListCount(); ++i) {
            if (Sound* s = soundListAt(i); s && s->isTemporary()) ++n;
        }
        return n;
    }

    TempDir dir;
    ScopedChdir chdir{dir.path()};
};

}  // namespace soundtest
