#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "sound/sound.h"
#include "sound/sound_list.h"
#include "sound_test_support.h"

namespace {

using namespace soundtest;

TEST(SoundCurveTest, ToDirectVolumeGivesTheCurvesValues) {
    EXPECT_EQ(ToDirectVolume(0.0f), -10000);
    EXPECT_EQ(ToDirectVolume(0.004f), -6726);
    EXPECT_EQ(ToDirectVolume(0.1f), -1973);
    EXPECT_EQ(ToDirectVolume(0.25f), -1093);
    EXPECT_EQ(ToDirectVolume(0.5f), -512);
    EXPECT_EQ(ToDirectVolume(0.75f), -208);
    EXPECT_EQ(ToDirectVolume(0.9f), -73);
    EXPECT_EQ(ToDirectVolume(1.0f), 0);
    // Out of range: nothing the mixer accepts, and no undefined conversion.
    EXPECT_GT(ToDirectVolume(2.0f), 0);
    EXPECT_EQ(ToDirectVolume(-0.5f), INT_MIN);
    EXPECT_EQ(ToDirectVolume(std::nanf("")), INT_MIN);
    EXPECT_EQ(ToDirectVolume(1e30f), INT_MIN);
}

TEST(SoundCurveTest, PanFollowsTheSameCurveTowardsEachSide) {
    EXPECT_EQ(ToDirectPan(-1.0f), -10000);
    EXPECT_EQ(ToDirectPan(0.0f), 0);
    EXPECT_EQ(ToDirectPan(0.5f), 512);
    EXPECT_EQ(ToDirectPan(-0.5f), -512);
    EXPECT_EQ(ToDirectPan(1.0f), 10000);
}

TEST(SoundListTest, TakesTheFirstEmptySlotAndGrowsByHalf) {
    SoundList list;
    EXPECT_EQ(list.capacity(), 200);
    std::vector<Sound*> added;
    for (int i = 0; i < 200; ++i) added.push_back(list.add(std::make_unique<Sound>("s", 0)));
    EXPECT_EQ(list.capacity(), 200);
    list.add(std::make_unique<Sound>("s", 0));
    EXPECT_EQ(list.capacity(), 300);
    for (int i = 0; i < 100; ++i) list.add(std::make_unique<Sound>("s", 0));
    EXPECT_EQ(list.capacity(), 450);
    EXPECT_EQ(list.count(), 301);

    list.remove(added[5]);
    list.remove(added[3]);
    EXPECT_EQ(list.at(3), nullptr);
    EXPECT_EQ(list.count(), 301);  // the count never shrinks
    Sound* reused = list.add(std::make_unique<Sound>("t", 0));
    EXPECT_EQ(list.at(3), reused);
    Sound* second = list.add(std::make_unique<Sound>("u", 0));
    EXPECT_EQ(list.at(5), second);
    EXPECT_EQ(list.count(), 301);
}

class SoundVolumeTest : public SoundFixture {};

TEST_F(SoundVolumeTest, GetVolumeInvertsTheCurveForEveryLevel) {
    dir.write("tone.wav", wav16(constantFrames(100, 1000)));
    Sound* sound = getSound("tone.wav");
    ASSERT_NE(sound->buffer(), nullptr);
    for (int level = 0; level <= 255; ++level) {
        sound->setVolume(float(level) / 255.0f);
        EXPECT_EQ(sound->getVolume(), float(level) / 255.0f) << level;
    }
    // At category 0 the buffer is silent whatever the sound's own volume:
    // that volume is kept, not divided by zero.
    sound->setVolume(0.6f);
    setCategoryVolume(0.0f, SND_VOLUME_EFFECTS);
    EXPECT_EQ(bufferVolume(sound), -10000);
    EXPECT_FLOAT_EQ(sound->getVolume(), 0.6f);
    setCategoryVolume(0.5f, SND_VOLUME_EFFECTS);
    EXPECT_EQ(bufferVolume(sound), ToDirectVolume(0.5f * 0.6f));

    sound->setPan(0.5f);
    EXPECT_EQ(bufferPan(sound), 512);
    EXPECT_FLOAT_EQ(sound->getPan(), 1.0f - 128.0f / 255.0f);  // 0.5 lies between two levels
    sound->setFrequency(0.5f);
    EXPECT_FLOAT_EQ(sound->getFrequency(), 0.5f);
    sound->setFrequency(10.0f);  // clamped to the mixer's top rate
    EXPECT_FLOAT_EQ(sound->getFrequency(), 100000.0f / 44100.0f);
}

TEST_F(SoundVolumeTest, CategoryVolumesFollowEachSoundsMode) {
    dir.write("a.wav", wav16(constantFrames(100, 1000)));
    dir.write("b.wav", wav16(constantFrames(100, 1000)));
    Sound* effect = getSound("a.wav");
    Sound* music = createSound("b.wav", SND_MODE_MUSIC);
    EXPECT_FALSE(effect->isStreamed());
    EXPECT_TRUE(music->isStreamed());
    effect->setVolume(0.5f);
    music->setVolume(0.5f);
    setCategoryVolume(0.25f, SND_VOLUME_MUSIC);
    EXPECT_EQ(bufferVolume(effect), ToDirectVolume(0.5f));
    EXPECT_EQ(bufferVolume(music), ToDirectVolume(0.25f * 0.5f));
    EXPECT_FLOAT_EQ(getCategoryVolume(SND_VOLUME_MUSIC), 0.25f);
    setCategoryVolume(0.7f, 3);  // no such entry: ignored
    EXPECT_EQ(getCategoryVolume(3), 0.0f);
    EXPECT_EQ(getSound("A.WAV"), effect);  // one sound per name, any case
    EXPECT_EQ(getSound(""), nullptr);
}

}  // namespace
