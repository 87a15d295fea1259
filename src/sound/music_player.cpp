#include "sound/music_player.h"

#include <strings.h>

#include "config/ini_store.h"
#include "sound/sound.h"
#include "sound/sound_state.h"
#include "sound/sound_system.h"

namespace {

constexpr const char* kMusicIni = "DATA\\sound\\music.ini";

bool sameName(const char* name, const Sound* track) {
    return ::strcasecmp(name, track->name().c_str()) == 0;
}

// Runs on the sound thread when the old track has faded out (and has been
// rewound): the waiting track comes in.
void switchToPendingTrack() {
    SoundSystemState& state = soundState();
    if (!state.pendingTrack) return;
    state.currentTrack = state.pendingTrack;
    state.pendingTrack = nullptr;
    state.currentTrack->fade(FADE_IN, nullptr);
    state.currentTrack->play(state.musicLoop);
}

void rewindCurrentTrack() {
    if (Sound* current = soundState().currentTrack) current->rewind();
}

void startTrack(const char* name, int loop) {
    SoundSystemState& state = soundState();
    state.currentTrack = createSound(name, SND_MODE_MUSIC);
    if (!state.currentTrack) return;
    state.currentTrack->fade(FADE_IN, nullptr);
    state.currentTrack->play(loop);
}

}  // namespace

MusicPlayer* musicPlayer() {
    SoundLock lock;
    return soundState().musicPlayer.get();
}

void loadMusicConfig(MusicPlayer* player) {
    if (!player) return;
    SoundLock lock;
    player->gameTrack = iniReadString(kMusicIni, "main", "game");
    player->menuTrack = iniReadString(kMusicIni, "main", "menu");
    if (!fileExists(player->gameTrack.c_str())) player->gameTrack.clear();
    if (!fileExists(player->menuTrack.c_str())) player->menuTrack.clear();
    player->kind = MUSIC_NONE;
}

void playMusic(MusicPlayer* player, int kind) {
    if (!player) return;
    SoundLock lock;
    player->kind = kind;
    const std::string* track = kind == MUSIC_MENU ? &player->menuTrack : kind == MUSIC_GAME ? &player->gameTrack : nullptr;
    if (track && !track->empty()) musicPlay(track->c_str(), 1);
}

void stopMusic(MusicPlayer* player) {
    if (!player) return;
    SoundLock lock;
    musicStop(1);
    player->kind = MUSIC_NONE;
}

void musicPlay(const char* name, int loop) {
    SoundLock lock;
    SoundSystemState& state = soundState();
    state.musicLoop = loop;
    if (name && !*name) name = nullptr;
    Sound* current = state.currentTrack;

    if (!current) {
        if (name) startTrack(name, loop);
        return;
    }
    const bool playing = current->isPlaying();
    if (!playing && name && !sameName(name, current)) {
        startTrack(name, loop);
        return;
    }
    if (playing) {
        if (!name || sameName(name, current)) {
            // Asked again for the track that is fading out (towards a switch
            // or a stop): it stays, and comes back up instead.
            if (name && current->fadeState() == FADE_OUT) {
                state.pendingTrack = nullptr;
                current->fade(FADE_IN, nullptr);
            }
            return;
        }
        state.pendingTrack = createSound(name, SND_MODE_MUSIC);
        current->play(loop);
        current->fade(FADE_OUT, switchToPendingTrack);
        return;
    }
    current->play(loop);
}

void musicStop(int fade) {
    SoundLock lock;
    SoundSystemState& state = soundState();
    if (!state.currentTrack) return;
    // A switch under way is dropped: its track never plays.
    state.pendingTrack = nullptr;
    if (fade) {
        state.currentTrack->fade(FADE_OUT, rewindCurrentTrack);
    } else {
        state.currentTrack->rewind();
    }
}

Sound* currentMusicTrack() {
    SoundLock lock;
    return soundState().currentTrack;
}

Sound* pendingMusicTrack() {
    SoundLock lock;
    return soundState().pendingTrack;
}
