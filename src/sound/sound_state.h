#pragma once
// The sound system's process-wide state, in one place, and the lock that the
// sound thread and every main-thread operation share. Internal to src/sound.

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/mixer.h"
#include "platform/periodic_task.h"
#include "sound/sound_group.h"
#include "sound/sound_list.h"

struct MusicPlayer;

struct SoundSystemState {
    SoundSystemState();
    ~SoundSystemState();

    float sndVolume[3] = {0.0f, 0.0f, 0.0f};
    SoundList sounds;
    std::unique_ptr<platform::SoundDevice> lpDS;
    std::intptr_t window = 0;

    // The group list exists only while the device does.
    bool groupListReady = false;
    std::vector<std::unique_ptr<SoundGroup>> groups;

    std::uint32_t randomState = 125423;

    // Music: the player, the track heard, the one waiting for it to fade
    // out, and the loop flag of the last request.
    std::unique_ptr<MusicPlayer> musicPlayer;
    Sound* currentTrack = nullptr;
    Sound* pendingTrack = nullptr;
    int musicLoop = 1;

    // The sound thread: the platform's periodic task. Headless runs and
    // tests step it by hand instead.
    bool manualSteps = false;
    platform::PeriodicTask thread;
};

SoundSystemState& soundState();

// Held by the sound thread for each pass and by every sound operation; the
// same thread may take it again (a fade's callback plays music).
std::recursive_mutex& soundMutex();

class SoundLock {
public:
    SoundLock() : guard_(soundMutex()) {}

private:
    std::lock_guard<std::recursive_mutex> guard_;
};
