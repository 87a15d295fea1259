#pragma once
// The sound system: the device, the category volumes, the list of every
// sound, and the sound thread that keeps streams fed and fades moving every
// 50 ms. All operations here, on sounds and on music, may be called from the
// main thread while the sound thread runs: both take one lock.

#include <cstdint>

class Sound;

// Index of sndVolume.
constexpr int SND_VOLUME_EFFECTS = 0;
constexpr int SND_VOLUME_MUSIC = 1;

// Sets up the device for the window, starts the sound thread and creates the
// music player. When the device cannot be set up, everything is shut down
// again and the game runs silent: sounds are created but never heard.
void soundInit(std::intptr_t window);
// Stops the thread, destroys every sound, group and the music player, and
// lets the device go. Safe to call more than once.
void soundShutdown();
bool soundDeviceReady();

// Creates and loads every effect the table names ("DATA\SOUND\sound.ini").
void loadSoundTable(const char* path);

// Sets entry `index` of the category volumes (0 effects, 1 music) and applies
// it to every sound at once.
void setCategoryVolume(float value, int index);
float getCategoryVolume(int index);

// The listed sound of that name, or a new one loaded from the file; none for
// an empty name. getSound makes effects; createSound takes the mode.
Sound* getSound(const char* name);
Sound* createSound(const char* name, int mode);
// The first listed sound whose name matches, ignoring case.
Sound* findSound(const char* name);

// One pass of the sound thread: ticks every sound that asks for it. Headless
// runs call it from the virtual clock instead of running the thread; tests
// call it directly.
void soundThreadStep();

// The sound list, for the ones who need to look (tests, diagnostics).
int soundListCount();
int soundListCapacity();
Sound* soundListAt(int index);
