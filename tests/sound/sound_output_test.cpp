#include "sound/sound_output.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "platform/backend.h"
#include "platform/headless_backend.h"
#include "sound_test_support.h"

namespace {

using namespace soundtest;

TEST(SoundOutputTest, HeadlessFramesMixAndStepOnTheVirtualClock) {
    TempDir dir;
    ScopedChdir chdir(dir.path());
    auto owned = std::make_unique<platform::HeadlessBackend>();
    platform::HeadlessBackend* backend = owned.get();
    platform::installBackend(std::move(owned));

    startSoundSystem(true, true);
    soundInit(1);
    setCategoryVolume(1.0f, SND_VOLUME_EFFECTS);
    dir.write("tone.wav", wav16(constantFrames(44100, 2500)));
    Sound* tone = getSound("tone.wav");
    tone->play(0);
    tone->fade(FADE_OUT, nullptr);

    backend->frameDone();  // 20 ms
    backend->frameDone();  // 40 ms
    EXPECT_EQ(tone->fadeRemaining(), 1000);
    std::uint32_t play = 0;
    tone->buffer()->getCurrentPosition(&play, nullptr);
    EXPECT_EQ(play, 2u * 882 * 4);
    backend->frameDone();  // 60 ms: the 50 ms boundary is crossed
    EXPECT_EQ(tone->fadeRemaining(), 950);
    backend->frameDone();
    backend->frameDone();  // 100 ms
    EXPECT_EQ(tone->fadeRemaining(), 900);
    for (int i = 0; i < 50; ++i) backend->frameDone();  // 1.1 s: the fade is over
    EXPECT_FALSE(tone->isPlaying());

    soundShutdown();
    ASSERT_TRUE(stopSoundSystem(dir.file("run.wav")));
    // Frames after the output closed add nothing.
    backend->frameDone();
    const std::string wav = dir.read("run.wav");
    ASSERT_EQ(wav.size(), 44u + 55u * 882 * 4);
    auto leftAt = [&](std::size_t frame) {
        std::int16_t v;
        std::memcpy(&v, wav.data() + 44 + frame * 4, 2);
        return v;
    };
    EXPECT_EQ(leftAt(0), 2500);   // full before the first step
    EXPECT_LT(leftAt(30000), 2500);  // fading
    EXPECT_GT(leftAt(30000), 0);
    EXPECT_EQ(leftAt(54 * 882), 0);  // rewound and silent
    platform::installBackend(nullptr);
}

TEST(SoundOutputTest, WithADeviceTheThreadFeedsStreamsByItself) {
    ::setenv("SDL_AUDIODRIVER", "dummy", 0);
    TempDir dir;
    ScopedChdir chdir(dir.path());
    dir.write("long.wav", wav16(countingFrames(200000)));
    startSoundSystem(false, false);
    soundInit(1);
    if (!soundDeviceReady()) {
        stopSoundSystem("");
        GTEST_SKIP() << "no audio device, not even SDL's dummy";
    }
    Sound* stream = createSound("long.wav", SND_MODE_MUSIC);
    ASSERT_TRUE(stream->isStreamed());
    stream->play(1);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (stream->written() == kStreamRingBytes && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_GT(stream->written(), kStreamRingBytes);
    soundShutdown();
    EXPECT_FALSE(soundDeviceReady());
    stopSoundSystem("");
}

}  // namespace
