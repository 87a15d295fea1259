#include <gtest/gtest.h>

#include "sound_test_support.h"

namespace {

using namespace soundtest;

int callbackRuns = 0;
void countCallback() { ++callbackRuns; }

class SoundFadeTest : public SoundFixture {
protected:
    Sound* tone() {
        dir.write("tone.wav", wav16(constantFrames(44100, 4000)));
        Sound* sound = getSound("tone.wav");
        EXPECT_NE(sound->buffer(), nullptr);
        sound->setVolume(0.8f);
        callbackRuns = 0;
        return sound;
    }
};

TEST_F(SoundFadeTest, AFadeInRampsOverTwentyStepsAndRunsItsCallbackOnce) {
    Sound* sound = tone();
    sound->play(1);
    sound->fade(FADE_IN, countCallback);
    EXPECT_EQ(bufferVolume(sound), -10000);  // the ramp starts from silence
    EXPECT_TRUE(sound->isTicking());
    std::int32_t previous = -10001;
    for (int i = 1; i < 20; ++i) {
        run(1);
        const std::int32_t expected = ToDirectVolume(1.0f * 0.8f * float(50 * i) / 1000.0f);
        EXPECT_EQ(bufferVolume(sound), expected) << "step " << i;
        EXPECT_GT(expected, previous);
        previous = expected;
        EXPECT_EQ(callbackRuns, 0);
    }
    run(1);
    EXPECT_EQ(callbackRuns, 1);
    EXPECT_EQ(sound->fadeState(), FADE_NONE);
    EXPECT_FALSE(sound->isTicking());  // a static sound is served only while fading
    EXPECT_TRUE(sound->isPlaying());
    EXPECT_EQ(bufferVolume(sound), ToDirectVolume(0.8f));
    run(5);
    EXPECT_EQ(callbackRuns, 1);
}

TEST_F(SoundFadeTest, AFadeOutEndsRewoundAtFullVolume) {
    Sound* sound = tone();
    sound->play(1);
    run(3);
    sound->fade(FADE_OUT, countCallback);
    EXPECT_EQ(bufferVolume(sound), ToDirectVolume(0.8f));  // no jump at the start of a fade-out
    run(1);
    EXPECT_EQ(bufferVolume(sound), ToDirectVolume(0.8f * 950 / 1000.0f));
    run(18);
    EXPECT_EQ(bufferVolume(sound), ToDirectVolume(0.8f * 50 / 1000.0f));
    EXPECT_TRUE(sound->isPlaying());
    run(1);
    EXPECT_EQ(callbackRuns, 1);
    EXPECT_FALSE(sound->isPlaying());
    EXPECT_EQ(playCursor(sound), 0u);
    EXPECT_EQ(bufferVolume(sound), ToDirectVolume(0.8f));
    EXPECT_EQ(mix(1)[0], 0);
}

TEST_F(SoundFadeTest, ACategoryChangeDuringAFadeAppliesOnTheNextStep) {
    Sound* sound = tone();
    sound->play(1);
    sound->fade(FADE_IN, nullptr);
    run(5);
    setCategoryVolume(0.5f, SND_VOLUME_EFFECTS);
    run(1);
    EXPECT_EQ(bufferVolume(sound), ToDirectVolume(0.5f * 0.8f * 300 / 1000.0f));
    run(14);
    EXPECT_EQ(bufferVolume(sound), ToDirectVolume(0.5f * 0.8f));
}

TEST_F(SoundFadeTest, AFadeOnASoundThatCouldNotLoadStillEndsWithItsCallback) {
    dir.write("bad.wav", "RIFF....nonsense");
    ::testing::internal::CaptureStderr();
    Sound* broken = getSound("bad.wav");
    const std::string shown = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(shown.find("sound file is bad"), std::string::npos);
    EXPECT_NE(shown.find("bad.wav"), std::string::npos);
    ASSERT_NE(broken, nullptr);
    EXPECT_EQ(broken->buffer(), nullptr);
    callbackRuns = 0;
    broken->fade(FADE_IN, countCallback);
    broken->play(0);  // nothing to play, and no fade step taken either
    run(19);
    EXPECT_EQ(callbackRuns, 0);
    run(1);
    EXPECT_EQ(callbackRuns, 1);
    EXPECT_FALSE(broken->isPlaying());
}

// A stream of 200 000 bytes (not a multiple of the 128 KiB ring), consumed at
// 8 820 bytes per step: the tick that finds the play cursor within one step
// of the end stops it (8 820 * 23 >= 200 000), at the start, ready to replay.
TEST_F(SoundFadeTest, AStreamStopsAtTheRightTickAndIsReadyToReplay) {
    const std::vector<std::int16_t> frames = countingFrames(50000);
    dir.write("long.wav", wav16(frames));
    Sound* stream = createSound("long.wav", SND_MODE_MUSIC);
    ASSERT_TRUE(stream->isStreamed());
    stream->play(0);
    EXPECT_TRUE(stream->isTicking());
    std::vector<std::int16_t> heard;
    for (int i = 1; i <= 22; ++i) {
        const auto out = mix(kFramesPerStep);
        heard.insert(heard.end(), out.begin(), out.end());
        step();
        EXPECT_EQ(stream->isPlaying(), i < 22) << "step " << i;
    }
    // Everything up to the stop was the file, through several ring refills.
    ASSERT_EQ(heard.size(), std::size_t(22 * kFramesPerStep * 2));
    EXPECT_TRUE(std::equal(heard.begin(), heard.end(), frames.begin()));
    EXPECT_FALSE(stream->isTicking());
    EXPECT_EQ(playCursor(stream), 0u);
    EXPECT_EQ(stream->written(), kStreamRingBytes);
    EXPECT_EQ(mix(3), std::vector<std::int16_t>(6, 0));

    stream->play(0);
    const auto again = mix(4);
    EXPECT_TRUE(std::equal(again.begin(), again.end(), frames.begin()));
}

TEST_F(SoundFadeTest, ALoopingOggStreamGoesOnPastItsEnd) {
    std::vector<std::int16_t> samples;
    for (int i = 0; i < 20000; ++i) {
        const auto v = std::int16_t(8000 * std::sin(i * 0.05));
        samples.push_back(v);
        samples.push_back(v);
    }
    dir.write("loop.ogg", oggFile(samples, 2, 44100));
    Sound* stream = createSound("loop.ogg", SND_MODE_MUSIC);
    ASSERT_TRUE(stream->isStreamed());
    EXPECT_NEAR(stream->getLength(), 20000 / 44100.0f, 1e-4);
    stream->play(1);
    run(40);  // two seconds: four times its length
    EXPECT_TRUE(stream->isPlaying());
    int loud = 0;
    for (std::int16_t v : mix(kFramesPerStep)) loud += std::abs(v) > 1000;
    EXPECT_GT(loud, 1000);

    // A copy of a stream reads its own.
    Sound* copy = stream->duplicate();
    ASSERT_TRUE(copy->isStreamed());
    EXPECT_FALSE(copy->buffer()->sharesSamplesWith(*stream->buffer()));
}

TEST_F(SoundFadeTest, HostileFilesAreRefusedOrSilentNeverACrash) {
    std::vector<std::pair<std::string, std::string>> files = {
        {"empty.wav", ""},
        {"junk.ogg", "OggS but not really an ogg file at all"},
        {"zero.wav", wavFile(formatRecord(1, 0, 44100, 16), "abcd")},
        {"rate.wav", wavFile(formatRecord(1, 2, 4000000000u, 16), "abcd")},
        {"tag.wav", wavFile(formatRecord(85, 2, 44100, 16), "abcd")},
        {"short.wav", "RIFF" + le32(12) + "WAVEfmt " + le32(16) + "\x01"},
        {"huge.wav", "RIFF" + le32(0xFFFFFFF0u) + "WAVEfmt " + le32(16) + formatRecord(1, 2, 44100, 16) + "data" +
                         le32(0xFFFFFF00u) + "abcdefgh"},
        {"nodata.wav", "RIFF" + le32(28) + "WAVEfmt " + le32(16) + formatRecord(1, 1, 22050, 8)},
    };
    ::testing::internal::CaptureStderr();
    for (const auto& [name, bytes] : files) {
        dir.write(name, bytes);
        dir.write("m" + name, bytes);
        Sound* effect = getSound(name.c_str());
        Sound* music = createSound(("m" + name).c_str(), SND_MODE_MUSIC);
        for (Sound* s : {effect, music}) {
            if (!s) continue;
            s->play(1);
            s->setVolume(0.5f);
            s->fade(FADE_OUT, nullptr);
        }
    }
    Sound* huge = createSound("mhuge.wav", SND_MODE_MUSIC);
    huge->play(0);
    run(25);
    ::testing::internal::GetCapturedStderr();
    // The huge claim streams what exists, then silence; it never reads past the file.
    EXPECT_TRUE(huge->isStreamed());
}

}  // namespace
