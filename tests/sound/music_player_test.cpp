#include "sound/music_player.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "sound_test_support.h"

namespace {

using namespace soundtest;

class MusicTest : public SoundFixture {
protected:
    void prepareData() override {
        for (const char* name : {"game.wav", "third.wav"}) dir.write(name, wav16(constantFrames(22050, 3000)));
        // Long enough to be heard through a whole back and forth of fades.
        dir.write("menu.wav", wav16(constantFrames(441000, 3000)));
        dir.write("data/sound/music.ini", "[main]\ngame=game.wav\nmenu=Menu.wav\n");
    }
    void startMenuMusic() {
        playMusic(player(), MUSIC_MENU);
        run(25);
        ASSERT_EQ(current(), menu());
        ASSERT_EQ(menu()->fadeState(), FADE_NONE);
        ASSERT_TRUE(menu()->isPlaying());
    }
    MusicPlayer* player() { return musicPlayer(); }
    Sound* current() { return currentMusicTrack(); }
    Sound* menu() { return findSound("menu.wav"); }
    Sound* game() { return findSound("game.wav"); }
    Sound* third() { return findSound("third.wav"); }
    bool everPlayed(Sound* track) { return track && (track->isPlaying() || playCursor(track) != 0); }
    // The loudest sample of the next 50 ms of output, and the sound thread's
    // step after it: what a listener hears of each step of a fade.
    int heardStep() {
        int loudest = 0;
        for (std::int16_t v : mix(kFramesPerStep)) loudest = std::max(loudest, std::abs(int(v)));
        step();
        return loudest;
    }
    // From the level heard last, the track must only grow until it is full.
    // The first step may be one fade step (2 dB or less) below: the fade had
    // moved on once more after that level was heard. The dip it guards
    // against is 25 dB.
    void expectRisingToFull(int before) {
        int previous = before * 3 / 4;
        for (int i = 0; i < 22; ++i) {
            const int level = heardStep();
            EXPECT_GE(level, previous * 99 / 100) << "step " << i;
            previous = level;
        }
        EXPECT_EQ(previous, 3000);
    }
};

TEST_F(MusicTest, TheConfigurationIsReadAtStartAndMissingTracksPlayNothing) {
    ASSERT_NE(player(), nullptr);
    EXPECT_EQ(player()->kind, MUSIC_NONE);
    EXPECT_EQ(player()->gameTrack, "game.wav");
    EXPECT_EQ(player()->menuTrack, "Menu.wav");

    player()->gameTrack.clear();
    playMusic(player(), MUSIC_GAME);
    EXPECT_EQ(player()->kind, MUSIC_GAME);
    EXPECT_EQ(current(), nullptr);
    playMusic(player(), 7);
    EXPECT_EQ(current(), nullptr);
    playMusic(nullptr, MUSIC_MENU);
    EXPECT_EQ(current(), nullptr);
}

TEST_F(MusicTest, AskingForTheTrackThatPlaysChangesNothing) {
    playMusic(player(), MUSIC_MENU);
    ASSERT_NE(menu(), nullptr);
    EXPECT_TRUE(menu()->isStreamed());
    EXPECT_EQ(menu()->fadeState(), FADE_IN);
    run(25);
    const std::uint32_t cursor = playCursor(menu());
    playMusic(player(), MUSIC_MENU);
    EXPECT_EQ(menu()->fadeState(), FADE_NONE);
    EXPECT_EQ(pendingMusicTrack(), nullptr);
    EXPECT_EQ(playCursor(menu()), cursor);
    EXPECT_EQ(bufferVolume(menu()), 0);
}

TEST_F(MusicTest, ASwitchFadesTheOldTrackOutBeforeTheNewOneFadesIn) {
    startMenuMusic();
    playMusic(player(), MUSIC_GAME);
    EXPECT_EQ(player()->kind, MUSIC_GAME);
    EXPECT_EQ(pendingMusicTrack(), game());
    EXPECT_EQ(menu()->fadeState(), FADE_OUT);
    run(19);
    EXPECT_EQ(current(), menu());
    EXPECT_FALSE(everPlayed(game()));
    EXPECT_LT(bufferVolume(menu()), -1000);
    run(1);
    EXPECT_EQ(current(), game());
    EXPECT_EQ(pendingMusicTrack(), nullptr);
    EXPECT_TRUE(game()->isPlaying());
    EXPECT_EQ(game()->fadeState(), FADE_IN);
    EXPECT_FALSE(menu()->isPlaying());
    EXPECT_EQ(playCursor(menu()), 0u);
    EXPECT_EQ(bufferVolume(menu()), 0);  // full again for its next play
    run(20);
    EXPECT_EQ(game()->fadeState(), FADE_NONE);
    EXPECT_EQ(bufferVolume(game()), 0);
}

TEST_F(MusicTest, OnlyTheLastOfTwoQuickSwitchesIsHeard) {
    startMenuMusic();
    musicPlay("game.wav", 1);
    run(5);
    musicPlay("third.wav", 1);
    EXPECT_EQ(pendingMusicTrack(), third());
    EXPECT_EQ(menu()->fadeRemaining(), PERIOD_FADE);  // the fade-out starts over
    run(19);
    EXPECT_EQ(current(), menu());
    run(1);
    EXPECT_EQ(current(), third());
    EXPECT_TRUE(third()->isPlaying());
    run(30);
    EXPECT_FALSE(everPlayed(game()));
}

TEST_F(MusicTest, StoppingDuringASwitchDropsTheWaitingTrack) {
    startMenuMusic();
    playMusic(player(), MUSIC_GAME);
    run(5);
    stopMusic(player());
    EXPECT_EQ(player()->kind, MUSIC_NONE);
    EXPECT_EQ(pendingMusicTrack(), nullptr);
    run(20);
    EXPECT_FALSE(menu()->isPlaying());
    EXPECT_EQ(playCursor(menu()), 0u);
    EXPECT_EQ(current(), menu());
    run(10);
    EXPECT_FALSE(everPlayed(game()));
}

TEST_F(MusicTest, AStoppedTrackResumesAtOnceFromItsStartAtFullVolume) {
    startMenuMusic();
    stopMusic(player());
    run(20);
    ASSERT_FALSE(menu()->isPlaying());
    playMusic(player(), MUSIC_MENU);
    EXPECT_TRUE(menu()->isPlaying());
    EXPECT_EQ(menu()->fadeState(), FADE_NONE);
    EXPECT_EQ(bufferVolume(menu()), 0);
    EXPECT_EQ(playCursor(menu()), 0u);
    EXPECT_EQ(mix(1)[0], 3000);

    // Without a fade the stop is immediate.
    musicStop(0);
    EXPECT_FALSE(menu()->isPlaying());
}

// Menu, game and menu again within a second, or a stop taken back: the track
// that was fading out goes on from the level it had reached.
TEST_F(MusicTest, TheFadeTurnsAroundWithoutADip) {
    startMenuMusic();
    playMusic(player(), MUSIC_GAME);
    int reached = 0;
    for (int i = 0; i < 10; ++i) reached = heardStep();
    ASSERT_LT(reached, 2000);
    ASSERT_GT(reached, 1000);
    playMusic(player(), MUSIC_MENU);
    expectRisingToFull(reached);
    EXPECT_FALSE(everPlayed(game()));

    stopMusic(player());
    for (int i = 0; i < 16; ++i) reached = heardStep();
    ASSERT_LT(reached, 1000);
    playMusic(player(), MUSIC_MENU);
    expectRisingToFull(reached);
}

// The volumes set while the title screen loads reach a track that has just
// started: it must still be heard from the start of its fade-in.
TEST_F(MusicTest, ANewTrackIsNeverHeardAboveItsFadeIn) {
    playMusic(player(), MUSIC_MENU);
    setCategoryVolume(0.0f, SND_VOLUME_EFFECTS);
    setCategoryVolume(1.0f, SND_VOLUME_MUSIC);
    // The fade's first step, 1/20 of the way: 26 dB down.
    const int first = heardStep();
    EXPECT_LT(first, 150);
    expectRisingToFull(first);
}

TEST_F(MusicTest, AskingBackForTheTrackThatIsFadingOutKeepsIt) {
    startMenuMusic();
    playMusic(player(), MUSIC_GAME);
    run(5);
    playMusic(player(), MUSIC_MENU);
    EXPECT_EQ(pendingMusicTrack(), nullptr);
    EXPECT_EQ(menu()->fadeState(), FADE_IN);
    run(25);
    EXPECT_EQ(current(), menu());
    EXPECT_TRUE(menu()->isPlaying());
    EXPECT_EQ(bufferVolume(menu()), 0);
    EXPECT_FALSE(everPlayed(game()));

    // The same after a stop that has not finished fading.
    stopMusic(player());
    run(5);
    playMusic(player(), MUSIC_MENU);
    run(25);
    EXPECT_TRUE(menu()->isPlaying());
}

}  // namespace
