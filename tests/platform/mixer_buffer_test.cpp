#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "platform/mixer.h"
#include "platform/sound_buffer.h"

using namespace platform;

namespace {

constexpr std::uint32_t kAllControls = DSBCAPS_CTRLVOLUME | DSBCAPS_CTRLPAN | DSBCAPS_CTRLFREQUENCY;

class MixerTest : public ::testing::Test {
protected:
    std::unique_ptr<SoundBuffer> make(const WaveFormat& format, const std::vector<std::uint8_t>& bytes,
                                      std::uint32_t flags = kAllControls | DSBCAPS_STATIC) {
        BufferDescription d;
        d.flags = flags;
        d.bufferBytes = std::uint32_t(bytes.size());
        d.format = format;
        std::unique_ptr<SoundBuffer> buffer;
        EXPECT_EQ(mixer->createBuffer(d, buffer), DS_OK);
        if (!buffer) return nullptr;
        write(*buffer, 0, bytes);
        return buffer;
    }
    void write(SoundBuffer& buffer, std::uint32_t offset, const std::vector<std::uint8_t>& bytes) {
        BufferRegions r;
        ASSERT_EQ(buffer.lock(offset, std::uint32_t(bytes.size()), r), DS_OK);
        std::memcpy(r.data1, bytes.data(), r.size1);
        if (r.size2) std::memcpy(r.data2, bytes.data() + r.size1, r.size2);
        ASSERT_EQ(buffer.unlock(r), DS_OK);
    }
    std::vector<std::int16_t> mix(int frames) {
        std::vector<std::int16_t> out(std::size_t(frames) * 2);
        mixer->mix(out.data(), frames);
        return out;
    }
    std::uint32_t playCursor(const SoundBuffer& buffer) {
        std::uint32_t play = 0, write = 0;
        EXPECT_EQ(buffer.getCurrentPosition(&play, &write), DS_OK);
        return play;
    }

    std::shared_ptr<Mixer> mixer = Mixer::create();
};

// 16-bit stereo frames, little endian.
std::vector<std::uint8_t> stereo16(const std::vector<std::pair<int, int>>& frames) {
    std::vector<std::uint8_t> b;
    for (auto [l, r] : frames) {
        for (int v : {l, r}) {
            b.push_back(std::uint8_t(v & 0xFF));
            b.push_back(std::uint8_t((v >> 8) & 0xFF));
        }
    }
    return b;
}

std::vector<std::uint8_t> constantStereo16(int frames, int value) {
    return stereo16(std::vector<std::pair<int, int>>(std::size_t(frames), {value, value}));
}

std::vector<std::uint8_t> mono16(const std::vector<int>& samples) {
    std::vector<std::uint8_t> b;
    for (int v : samples) {
        b.push_back(std::uint8_t(v & 0xFF));
        b.push_back(std::uint8_t((v >> 8) & 0xFF));
    }
    return b;
}

TEST_F(MixerTest, CursorsAdvanceAsFramesAreConsumedAndOneShotsEndAtTheirStart) {
    auto buffer = make(pcmWaveFormat(2, 44100, 16), constantStereo16(1000, 100));
    std::uint32_t status = 99;
    ASSERT_EQ(buffer->getStatus(&status), DS_OK);
    EXPECT_EQ(status, 0u);
    ASSERT_EQ(buffer->play(0), DS_OK);
    mix(100);
    std::uint32_t play = 0, write = 0;
    ASSERT_EQ(buffer->getCurrentPosition(&play, &write), DS_OK);
    EXPECT_EQ(play, 400u);
    EXPECT_EQ(write, (100u + 441u) * 4u);  // 10 ms ahead while playing
    ASSERT_EQ(buffer->getStatus(&status), DS_OK);
    EXPECT_EQ(status, DSBSTATUS_PLAYING);

    ASSERT_EQ(buffer->stop(), DS_OK);
    mix(50);
    ASSERT_EQ(buffer->getCurrentPosition(&play, &write), DS_OK);
    EXPECT_EQ(play, 400u);
    EXPECT_EQ(write, 400u);

    // Played out: silent after the last frame, stopped, back at the start.
    ASSERT_EQ(buffer->play(0), DS_OK);
    auto out = mix(1000);
    EXPECT_EQ(out[2 * 899], 100);
    EXPECT_EQ(out[2 * 900], 0);
    ASSERT_EQ(buffer->getStatus(&status), DS_OK);
    EXPECT_EQ(status, 0u);
    EXPECT_EQ(playCursor(*buffer), 0u);

    // Looping wraps to the start; the cursor can be set anywhere inside.
    auto loop = make(pcmWaveFormat(2, 44100, 16), stereo16({{1, 1}, {2, 2}, {3, 3}, {4, 4}}));
    ASSERT_EQ(loop->setCurrentPosition(8), DS_OK);
    ASSERT_EQ(loop->play(DSBPLAY_LOOPING), DS_OK);
    EXPECT_EQ(mix(6), (std::vector<std::int16_t>{3, 3, 4, 4, 1, 1, 2, 2, 3, 3, 4, 4}));
    EXPECT_EQ(playCursor(*loop), 0u);
    EXPECT_EQ(loop->setCurrentPosition(16), DSERR_INVALIDPARAM);
}

TEST_F(MixerTest, LockHandsOutTwoRegionsAcrossTheEndAndUnlockWritesThemBack) {
    auto ring = make(pcmWaveFormat(2, 44100, 16), constantStereo16(250, 0), kAllControls);  // 1000 bytes
    BufferRegions r;
    ASSERT_EQ(ring->lock(800, 400, r), DS_OK);
    EXPECT_EQ(r.size1, 200u);
    EXPECT_EQ(r.size2, 200u);
    ASSERT_NE(r.data2, nullptr);
    // A second lock while one is out is refused.
    BufferRegions other;
    EXPECT_EQ(ring->lock(0, 4, other), DSERR_INVALIDCALL);
    const auto tail = constantStereo16(50, 7);
    const auto head = constantStereo16(50, 9);
    std::memcpy(r.data1, tail.data(), 200);
    std::memcpy(r.data2, head.data(), 200);
    ASSERT_EQ(ring->unlock(r), DS_OK);
    EXPECT_EQ(ring->unlock(r), DSERR_INVALIDCALL);

    ASSERT_EQ(ring->setCurrentPosition(796), DS_OK);
    ASSERT_EQ(ring->play(DSBPLAY_LOOPING), DS_OK);
    auto out = mix(3);
    EXPECT_EQ(out, (std::vector<std::int16_t>{0, 0, 7, 7, 7, 7}));
    mix(49);
    out = mix(2);
    EXPECT_EQ(out, (std::vector<std::int16_t>{9, 9, 9, 9}));

    // Only the bytes reported as written go back.
    ASSERT_EQ(ring->lock(0, 8, r), DS_OK);
    std::memset(r.data1, 0, 8);
    r.size1 = 4;
    ASSERT_EQ(ring->unlock(r), DS_OK);
    ASSERT_EQ(ring->lock(0, 8, r), DS_OK);
    EXPECT_EQ(r.data1[0], 0);
    EXPECT_EQ(r.data1[4], 9);
    r.size1 = 9;
    EXPECT_EQ(ring->unlock(r), DSERR_INVALIDPARAM);

    EXPECT_EQ(ring->lock(1000, 4, r), DSERR_INVALIDPARAM);
    EXPECT_EQ(ring->lock(0, 1001, r), DSERR_INVALIDPARAM);
    ASSERT_EQ(ring->lock(500, 0, r, DSBLOCK_ENTIREBUFFER), DS_OK);
    EXPECT_EQ(r.size1 + r.size2, 1000u);
    ring->unlock(r);
}

TEST_F(MixerTest, VolumeAndPanAttenuateInHundredthsOfADecibel) {
    auto buffer = make(pcmWaveFormat(2, 44100, 16), constantStereo16(100, 10000));
    ASSERT_EQ(buffer->play(DSBPLAY_LOOPING), DS_OK);
    EXPECT_EQ(mix(1), (std::vector<std::int16_t>{10000, 10000}));

    ASSERT_EQ(buffer->setVolume(-2000), DS_OK);  // -20 dB: a tenth
    EXPECT_EQ(mix(1), (std::vector<std::int16_t>{1000, 1000}));

    ASSERT_EQ(buffer->setVolume(0), DS_OK);
    ASSERT_EQ(buffer->setPan(-602), DS_OK);  // right side at about half
    auto out = mix(1);
    EXPECT_EQ(out[0], 10000);
    EXPECT_NEAR(out[1], 5000, 2);
    ASSERT_EQ(buffer->setPan(DSBPAN_RIGHT), DS_OK);
    EXPECT_EQ(mix(1), (std::vector<std::int16_t>{0, 10000}));

    ASSERT_EQ(buffer->setPan(0), DS_OK);
    ASSERT_EQ(buffer->setVolume(DSBVOLUME_MIN), DS_OK);
    EXPECT_EQ(mix(1), (std::vector<std::int16_t>{0, 0}));

    std::int32_t value = 0;
    ASSERT_EQ(buffer->getVolume(&value), DS_OK);
    EXPECT_EQ(value, DSBVOLUME_MIN);
    EXPECT_EQ(buffer->setVolume(1), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->setVolume(-10001), DSERR_INVALIDPARAM);
    EXPECT_EQ(buffer->setPan(10001), DSERR_INVALIDPARAM);
    ASSERT_EQ(buffer->getVolume(&value), DS_OK);
    EXPECT_EQ(value, DSBVOLUME_MIN);  // a refused value leaves the volume alone

    auto plain = make(pcmWaveFormat(2, 44100, 16), constantStereo16(4, 1), DSBCAPS_STATIC);
    EXPECT_EQ(plain->setVolume(0), DSERR_CONTROLUNAVAIL);
    EXPECT_EQ(plain->setPan(0), DSERR_CONTROLUNAVAIL);
    EXPECT_EQ(plain->setFrequency(22050), DSERR_CONTROLUNAVAIL);
}

TEST_F(MixerTest, OtherRatesAreResampledByLinearInterpolation) {
    auto half = make(pcmWaveFormat(1, 22050, 16), mono16({0, 1000, 2000, 3000}));
    ASSERT_EQ(half->play(0), DS_OK);
    auto out = mix(8);
    EXPECT_EQ(out, (std::vector<std::int16_t>{0, 0, 500, 500, 1000, 1000, 1500, 1500, 2000, 2000, 2500, 2500,
                                              3000, 3000, 3000, 3000}));

    auto full = make(pcmWaveFormat(1, 44100, 16), mono16({0, 100, 200, 300, 400, 500}));
    ASSERT_EQ(full->setFrequency(88200), DS_OK);
    ASSERT_EQ(full->play(0), DS_OK);
    out = mix(3);
    EXPECT_EQ(out, (std::vector<std::int16_t>{0, 0, 200, 200, 400, 400}));
    std::uint32_t frequency = 0;
    ASSERT_EQ(full->setFrequency(DSBFREQUENCY_ORIGINAL), DS_OK);
    ASSERT_EQ(full->getFrequency(&frequency), DS_OK);
    EXPECT_EQ(frequency, 44100u);
    EXPECT_EQ(full->setFrequency(99), DSERR_INVALIDPARAM);
    EXPECT_EQ(full->setFrequency(100001), DSERR_INVALIDPARAM);
    EXPECT_EQ(full->setFrequency(100), DS_OK);
    EXPECT_EQ(full->setFrequency(100000), DS_OK);
}

TEST_F(MixerTest, EightBitAndMonoSourcesAreConvertedWhileMixing) {
    auto eight = make(pcmWaveFormat(1, 44100, 8), {128, 255, 0, 192});
    ASSERT_EQ(eight->play(0), DS_OK);
    EXPECT_EQ(mix(4), (std::vector<std::int16_t>{0, 0, 32512, 32512, -32768, -32768, 16384, 16384}));

    auto eightStereo = make(pcmWaveFormat(2, 44100, 8), {0, 255, 128, 64});
    ASSERT_EQ(eightStereo->play(0), DS_OK);
    EXPECT_EQ(mix(2), (std::vector<std::int16_t>{-32768, 32512, 0, -16384}));

    auto stereo = make(pcmWaveFormat(2, 44100, 16), stereo16({{-5, 7}, {32767, -32768}}));
    ASSERT_EQ(stereo->play(0), DS_OK);
    EXPECT_EQ(mix(2), (std::vector<std::int16_t>{-5, 7, 32767, -32768}));
}

TEST_F(MixerTest, TheMixSaturatesAtTheSixteenBitLimits) {
    auto a = make(pcmWaveFormat(2, 44100, 16), stereo16({{30000, -30000}}));
    auto b = make(pcmWaveFormat(2, 44100, 16), stereo16({{30000, -30000}}));
    auto c = make(pcmWaveFormat(2, 44100, 16), stereo16({{-20000, 30000}}));
    a->play(0);
    b->play(0);
    EXPECT_EQ(mix(1), (std::vector<std::int16_t>{32767, -32768}));
    a->play(0);
    b->play(0);
    c->play(0);
    EXPECT_EQ(mix(1), (std::vector<std::int16_t>{32767, -30000}));
}

TEST_F(MixerTest, DuplicatesShareSamplesButPlayOnTheirOwn) {
    auto original = make(pcmWaveFormat(2, 44100, 16), stereo16({{1, 1}, {2, 2}, {3, 3}}));
    ASSERT_EQ(original->setVolume(-2000), DS_OK);
    std::unique_ptr<SoundBuffer> copy;
    ASSERT_EQ(mixer->duplicateBuffer(*original, copy), DS_OK);
    EXPECT_TRUE(copy->sharesSamplesWith(*original));
    std::int32_t volume = 0;
    copy->getVolume(&volume);
    EXPECT_EQ(volume, -2000);

    write(*original, 4, stereo16({{20000, 20000}}));
    ASSERT_EQ(copy->setVolume(0), DS_OK);
    ASSERT_EQ(copy->setCurrentPosition(4), DS_OK);
    ASSERT_EQ(copy->play(0), DS_OK);
    EXPECT_EQ(mix(1), (std::vector<std::int16_t>{20000, 20000}));
    EXPECT_EQ(playCursor(*original), 0u);

    // The copy keeps the samples alive after the original is gone.
    original.reset();
    EXPECT_EQ(mix(1), (std::vector<std::int16_t>{3, 3}));
    EXPECT_EQ(mixer->bufferCount(), 1);
}

TEST_F(MixerTest, FormatsAndSizesTheMixerCannotPlayAreRefused) {
    std::unique_ptr<SoundBuffer> buffer;
    BufferDescription d;
    d.bufferBytes = 64;
    WaveFormat badAlign = pcmWaveFormat(2, 44100, 16), badTag = badAlign;
    badAlign.blockAlign = 2;
    badTag.formatTag = 2;
    for (WaveFormat f : {pcmWaveFormat(0, 44100, 16), pcmWaveFormat(3, 44100, 16), pcmWaveFormat(2, 44100, 24),
                         pcmWaveFormat(2, 99, 16), pcmWaveFormat(2, 100001, 16), badAlign, badTag}) {
        d.format = f;
        EXPECT_EQ(mixer->createBuffer(d, buffer), DSERR_BADFORMAT);
        EXPECT_EQ(buffer, nullptr);
    }
    d.format = pcmWaveFormat(2, 44100, 16);
    for (std::uint32_t size : {3u, DSBSIZE_MAX + 1}) {
        d.bufferBytes = size;
        EXPECT_EQ(mixer->createBuffer(d, buffer), DSERR_INVALIDPARAM);
    }
}

}  // namespace
