#pragma once
// How the shell brings sound up and down around soundInit and soundShutdown.
//
//   startSoundSystem(headless, captureAudio);   // before soundInit
//   soundInit(window); loadSoundTable("DATA\\SOUND\\sound.ini"); ...
//   soundShutdown();
//   stopSoundSystem(audioOutPath);              // after soundShutdown
//
// With a window, the SDL audio device plays the mix and a thread steps the
// sounds every 50 ms; if no device opens, the game runs silent. Headless,
// there is no device and no thread: after every 20 ms frame of the headless
// backend's virtual clock the mixer produces 882 frames, and the sound step
// runs once for each 50 ms boundary the clock has crossed, so a run sounds
// the same every time however fast its frames go.

#include <cstdint>
#include <string>

// Opens the audio output; `captureAudio` records everything mixed for
// stopSoundSystem to write.
void startSoundSystem(bool headless, bool captureAudio);
// Writes the recording to `audioOutPath` when it is not empty, then closes
// the output. False when the file could not be written.
bool stopSoundSystem(const std::string& audioOutPath);

// What the headless backend's frame listener runs; public for tests.
void soundHeadlessFrame(std::uint32_t nowMs);
