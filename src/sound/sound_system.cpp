#include "sound/sound_system.h"

#include <strings.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "config/ini_store.h"
#include "platform/audio_output.h"
#include "sound/music_player.h"
#include "sound/sound.h"
#include "sound/sound_state.h"

using namespace platform;

SoundSystemState::SoundSystemState() = default;
// At exit the thread must not outlive the state it walks.
SoundSystemState::~SoundSystemState() { thread.stop(); }

SoundSystemState& soundState() {
    // The lock is made first so that it is destroyed last, after the state
    // whose destruction may still wait for the thread.
    soundMutex();
    static SoundSystemState state;
    return state;
}

std::recursive_mutex& soundMutex() {
    static std::recursive_mutex mutex;
    return mutex;
}

namespace {

void startSoundThread() {
    SoundSystemState& state = soundState();
    if (state.manualSteps) return;
    state.thread.start(kSoundTickMs, soundThreadStep);
}

void stopSoundThread() { soundState().thread.stop(); }

bool setUpDevice(std::intptr_t window) {
    SoundSystemState& state = soundState();
    if (directSoundCreate(state.lpDS) != DS_OK) return false;
    if (state.lpDS->setCooperativeLevel(window, DSSCL_PRIORITY) != DS_OK) return false;
    BufferDescription primaryDescription;
    primaryDescription.flags = DSBCAPS_PRIMARYBUFFER;
    std::unique_ptr<SoundBuffer> primary;
    if (state.lpDS->createSoundBuffer(primaryDescription, primary) != DS_OK) return false;
    return primary->setFormat(pcmWaveFormat(2, 44100, 16)) == DS_OK;
}

// The section's own value when it has one, else the one in "main", else 0.
float tableValue(const char* path, const char* section, const char* key) {
    if (*iniReadString(path, section, key) != '\0') return iniReadFloat(path, section, key);
    return iniReadFloat(path, "main", key);
}

// Radii are in screen pixels; anything beyond what squares into 32 bits is
// a broken table, kept from overflowing.
std::int32_t radiusSquaredOf(float radius) {
    if (!(std::fabs(radius) < 46341.0f)) return std::isnan(radius) ? 0 : 46340 * 46340;
    const std::int32_t r = static_cast<std::int32_t>(radius);
    return r * r;
}

void loadEffectParameters(const char* path, const char* section, SoundEffect& effect) {
    EffectParameters p;
    p.panSpread = tableValue(path, section, "pan");
    p.maxvolume = tableValue(path, section, "maxvolume");
    p.minvolume = tableValue(path, section, "minvolume");
    p.maxfrq = tableValue(path, section, "maxfrq");
    p.minfrq = tableValue(path, section, "minfrq");
    p.radiusSquared = radiusSquaredOf(tableValue(path, section, "r"));
    if (p.maxfrq == 0.0f) p.maxfrq = p.minfrq = 1.0f;
    effect.setParameters(p);
    effect.setVolume(p.maxvolume);
}

}  // namespace

void soundInit(std::intptr_t window) {
    SoundLock lock;
    SoundSystemState& state = soundState();
    state.window = window;
    if (!state.lpDS && !setUpDevice(window)) {
        soundShutdown();
        return;
    }
    startSoundThread();
    state.groupListReady = true;
    if (!state.musicPlayer) {
        state.musicPlayer = std::make_unique<MusicPlayer>();
        loadMusicConfig(state.musicPlayer.get());
    }
}

void soundShutdown() {
    // The thread is ended first, and outside the lock it takes for each pass.
    stopSoundThread();
    SoundLock lock;
    SoundSystemState& state = soundState();
    for (int i = state.sounds.count() - 1; i >= 0; --i) {
        if (Sound* sound = state.sounds.at(i)) sound->destroy();
    }
    state.sounds.reset();
    state.groups.clear();
    state.groupListReady = false;
    state.musicPlayer.reset();
    state.currentTrack = nullptr;
    state.pendingTrack = nullptr;
    state.musicLoop = 1;
    if (state.lpDS) {
        state.lpDS->setCooperativeLevel(state.window, DSSCL_NORMAL);
        state.lpDS.reset();
    }
}

bool soundDeviceReady() {
    SoundLock lock;
    return soundState().lpDS != nullptr;
}

void loadSoundTable(const char* path) {
    SoundLock lock;
    char sections[4096];
    iniListSections(path, sections, sizeof sections);
    for (const char* section = sections; section < sections + sizeof sections && *section;
         section += std::strlen(section) + 1) {
        if (::strcasecmp(section, "main") == 0) continue;
        for (int i = 0; i < 10; ++i) {
            char key[16];
            std::snprintf(key, sizeof key, "name%d", i);
            const std::string file = iniReadString(path, section, key);
            if (file.empty()) break;
            auto effect = std::make_unique<SoundEffect>(file, SND_MODE_EFFECT);
            effect->load();
            SoundEffect* listed = static_cast<SoundEffect*>(soundState().sounds.add(std::move(effect)));
            loadEffectParameters(path, section, *listed);
        }
    }
}

void setCategoryVolume(float value, int index) {
    if (index < 0 || index > 2) return;
    SoundLock lock;
    SoundSystemState& state = soundState();
    state.sndVolume[index] = value;
    for (int i = state.sounds.count() - 1; i >= 0; --i) {
        if (Sound* sound = state.sounds.at(i)) sound->setVolume(sound->storedVolume());
    }
}

float getCategoryVolume(int index) {
    if (index < 0 || index > 2) return 0.0f;
    SoundLock lock;
    return soundState().sndVolume[index];
}

Sound* findSound(const char* name) {
    if (!name) return nullptr;
    SoundLock lock;
    const SoundList& sounds = soundState().sounds;
    for (int i = 0; i < sounds.count(); ++i) {
        Sound* sound = sounds.at(i);
        if (sound && ::strcasecmp(sound->name().c_str(), name) == 0) return sound;
    }
    return nullptr;
}

Sound* createSound(const char* name, int mode) {
    if (!name || !*name) return nullptr;
    SoundLock lock;
    if (Sound* existing = findSound(name)) return existing;
    auto sound = std::make_unique<Sound>(name, mode);
    sound->load();
    return soundState().sounds.add(std::move(sound));
}

Sound* getSound(const char* name) { return createSound(name, SND_MODE_EFFECT); }

void soundThreadStep() {
    SoundLock lock;
    SoundList& sounds = soundState().sounds;
    // By index, re-reading the count: a fade's callback may add sounds.
    for (int i = 0; i < sounds.count(); ++i) {
        Sound* sound = sounds.at(i);
        if (sound && sound->isTicking()) sound->tick();
    }
}

int soundListCount() {
    SoundLock lock;
    return soundState().sounds.count();
}

int soundListCapacity() {
    SoundLock lock;
    return soundState().sounds.capacity();
}

Sound* soundListAt(int index) {
    SoundLock lock;
    const SoundList& sounds = soundState().sounds;
    return index >= 0 && index < sounds.count() ? sounds.at(index) : nullptr;
}
