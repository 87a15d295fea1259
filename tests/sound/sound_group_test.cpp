#include <gtest/gtest.h>

#include "sound/sound_group.h"
#include "sound_test_support.h"

namespace {

using namespace soundtest;

class SoundGroupTest : public SoundFixture {
protected:
    void writeTable(const std::string& text) {
        dir.write("data/sound/sound.ini", text);
        loadSoundTable("DATA\\SOUND\\sound.ini");
    }
    SoundGroup* group(const char* section) { return loadSoundGroup("data\\sound\\sound.ini", section); }
    void writeTones(std::initializer_list<const char*> names, int frames = 441) {
        for (const char* name : names) dir.write(name, wav16(constantFrames(frames, 8000)));
    }
};

TEST_F(SoundGroupTest, TheTableFillsInParametersFromMainAndGroupsKeepNineNames) {
    writeTones({"a.wav", "b.wav", "n0.wav", "n1.wav", "n2.wav", "n3.wav", "n4.wav", "n5.wav", "n6.wav", "n7.wav",
                "n8.wav", "n9.wav"});
    writeTable(
        "[main]\nmaxvolume=0.8\nr=100.9\npan=0.5\nminfrq=0.7\n"
        "[swap]\nname0=a.wav\nname1=b.wav\nminvolume=0.1\npan=0.25\n"
        "[many]\nname0=n0.wav\nname1=n1.wav\nname2=n2.wav\nname3=n3.wav\nname4=n4.wav\nname5=n5.wav\n"
        "name6=n6.wav\nname7=n7.wav\nname8=n8.wav\nname9=n9.wav\nmaxfrq=2\n"
        "[gap]\nname0=a.wav\nname2=b.wav\n");
    auto* swap = dynamic_cast<SoundEffect*>(findSound("B.wav"));
    ASSERT_NE(swap, nullptr);
    const EffectParameters& p = swap->parameters();
    EXPECT_EQ(p.radiusSquared, 100 * 100);
    EXPECT_FLOAT_EQ(p.maxvolume, 0.8f);
    EXPECT_FLOAT_EQ(p.minvolume, 0.1f);
    EXPECT_FLOAT_EQ(p.panSpread, 0.25f);
    EXPECT_FLOAT_EQ(p.maxfrq, 1.0f);  // no maxfrq anywhere: both become 1
    EXPECT_FLOAT_EQ(p.minfrq, 1.0f);
    EXPECT_FLOAT_EQ(swap->storedVolume(), 0.8f);
    EXPECT_EQ(bufferVolume(swap), ToDirectVolume(0.8f));
    auto* many = dynamic_cast<SoundEffect*>(findSound("n9.wav"));
    ASSERT_NE(many, nullptr);  // the tenth name is loaded...
    EXPECT_FLOAT_EQ(many->parameters().maxfrq, 2.0f);
    EXPECT_FLOAT_EQ(many->parameters().minfrq, 0.7f);

    SoundGroup* manyGroup = group("many");
    ASSERT_NE(manyGroup, nullptr);
    EXPECT_EQ(manyGroup->names.size(), 9u);  // ...but never enters a group
    EXPECT_EQ(manyGroup->names.back(), "n8.wav");
    EXPECT_EQ(group("gap")->names.size(), 1u);
    EXPECT_EQ(group("nothing"), nullptr);
    EXPECT_EQ(findSound("b.wav"), findSound("B.WAV"));
}

TEST_F(SoundGroupTest, MembersArePickedInTheGeneratorsSequence) {
    writeTones({"a.wav", "b.wav", "c.wav"});
    writeTable("[pick]\nname0=a.wav\nname1=b.wav\nname2=c.wav\nr=100\nmaxvolume=1\n[one]\nname0=a.wav\nr=100\n");
    SoundGroup* pick = group("pick");
    ASSERT_NE(pick, nullptr);
    std::uint32_t state = soundRandomState();
    for (int i = 0; i < 12; ++i) {
        state = state * 214013u + 2531011u;
        const std::uint32_t r = (state >> 16) & 0x7FFF;
        const char* expected = pick->names[(r * 3) >> 15].c_str();
        Sound* copy = playSoundGroup(pick, 10, 10, 10, 10);
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(copy->name(), expected) << i;
    }
    EXPECT_EQ(soundRandomState(), state);
    // A single member takes nothing from the generator.
    playSoundGroup(group("one"), 10, 10, 10, 10);
    EXPECT_EQ(soundRandomState(), state);
}

TEST_F(SoundGroupTest, DistanceSetsVolumeAndPanTowardsTheSource) {
    writeTones({"d.wav"}, 4410);
    writeTable("[dist]\nname0=d.wav\nr=100\nminvolume=0.2\nmaxvolume=1.0\npan=0.8\n");
    SoundGroup* dist = group("dist");

    // Listener at 0, source 60 to the right: s = 10000 - 3600.
    Sound* right = playSoundGroup(dist, 0, 0, 60, 0);
    ASSERT_NE(right, nullptr);
    EXPECT_FLOAT_EQ(right->storedVolume(), 0.2f + 0.8f * 0.64f);
    EXPECT_EQ(bufferVolume(right), ToDirectVolume(0.2f + 0.8f * 0.64f));
    EXPECT_EQ(bufferPan(right), ToDirectPan(0.8f * -3600.0f * -1.0f / 10000.0f));
    auto out = mix(1);
    EXPECT_LT(out[0], out[1]);
    EXPECT_GT(out[0], 0);
    right->stop();

    Sound* left = playSoundGroup(dist, 0, 0, -60, 30);
    ASSERT_NE(left, nullptr);
    EXPECT_EQ(bufferPan(left), ToDirectPan(0.8f * -4500.0f * 1.0f / 10000.0f));
    left->stop();

    Sound* centre = playSoundGroup(dist, 5, 5, 5, 5);
    EXPECT_EQ(bufferVolume(centre), 0);
    EXPECT_EQ(bufferPan(centre), 0);
    out = mix(1);
    EXPECT_EQ(out[0], out[1]);

    // On the edge of the radius and beyond it nothing plays.
    EXPECT_EQ(playSoundGroup(dist, 0, 0, 100, 0), nullptr);
    EXPECT_EQ(playSoundGroup(dist, 0, 0, 60, 80), nullptr);
    EXPECT_EQ(playSoundGroup(dist, INT32_MIN, 0, INT32_MAX, 0), nullptr);
}

TEST_F(SoundGroupTest, NoRadiusOrNoEffectsVolumeMeansNoCopyAtAll) {
    writeTones({"a.wav", "b.wav"});
    // A file named in two sections is one sound to the groups: the first one's.
    writeTable("[deaf]\nname0=a.wav\nmaxvolume=1\n[ok]\nname0=b.wav\nr=50\nmaxvolume=1\n[alias]\nname0=a.wav\nr=50\n");
    EXPECT_EQ(playSoundGroup(group("alias"), 10, 10, 10, 10), nullptr);
    EXPECT_EQ(playSoundGroup(group("deaf"), 10, 10, 10, 10), nullptr);
    EXPECT_EQ(temporaryCopies(), 0);

    SoundGroup* ok = group("ok");
    setCategoryVolume(0.009f, SND_VOLUME_EFFECTS);
    EXPECT_EQ(playSoundGroup(ok, 10, 10, 10, 10), nullptr);
    EXPECT_EQ(temporaryCopies(), 0);
    setCategoryVolume(0.5f, SND_VOLUME_EFFECTS);
    Sound* copy = playSoundGroup(ok, 10, 10, 10, 10);
    ASSERT_NE(copy, nullptr);
    EXPECT_TRUE(copy->isPlaying());
    EXPECT_EQ(bufferVolume(copy), ToDirectVolume(0.5f));
    EXPECT_EQ(playSoundGroup(nullptr, 0, 0, 0, 0), nullptr);
}

TEST_F(SoundGroupTest, OverlappingPlaysMakeCopiesThatShareSamplesAndAreCollectedOnceDone) {
    writeTones({"a.wav"}, 4410);  // 100 ms
    writeTable("[hit]\nname0=a.wav\nr=50\nmaxvolume=1\n");
    SoundGroup* hit = group("hit");
    Sound* original = findSound("a.wav");
    Sound* first = playSoundGroup(hit, 1, 1, 1, 1);
    mix(1000);
    Sound* second = playSoundGroup(hit, 1, 1, 1, 1);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(first, second);
    EXPECT_TRUE(first->isPlaying());
    EXPECT_TRUE(second->isPlaying());
    EXPECT_TRUE(first->buffer()->sharesSamplesWith(*original->buffer()));
    EXPECT_TRUE(second->buffer()->sharesSamplesWith(*original->buffer()));
    EXPECT_EQ(playCursor(first), 4000u);  // the second play did not restart the first
    EXPECT_EQ(playCursor(second), 0u);
    EXPECT_FALSE(original->isPlaying());
    // Both heard at once.
    EXPECT_EQ(mix(1)[0], 16000);

    mix(4410);
    EXPECT_EQ(temporaryCopies(), 2);
    Sound* third = playSoundGroup(hit, 1, 1, 1, 1);
    EXPECT_EQ(temporaryCopies(), 1);
    EXPECT_NE(third->buffer(), nullptr);
}

TEST_F(SoundGroupTest, WithoutTheDeviceThereAreNoGroups) {
    writeTones({"a.wav"});
    dir.write("data/sound/sound.ini", "[hit]\nname0=a.wav\nr=50\n");
    soundShutdown();
    EXPECT_EQ(group("hit"), nullptr);
}

}  // namespace
