#pragma once
// Sound groups: how the game plays effects. A group is the list of files of
// one section of the sound table ("swap", "combo1", ...); playing it picks one
// at random and plays a copy with a volume and pan that fall off with the
// distance between the listener and the source.

#include <cstdint>
#include <string>
#include <vector>

class Sound;

struct SoundGroup {
    static constexpr int kMaxNames = 9;
    std::vector<std::string> names;  // at most kMaxNames, in key order
};

// The group of "name0" .. "name8" of `section` in the table, or none when the
// section has no "name0" or sound could not be set up. Groups live until
// soundShutdown; callers keep the pointer for the whole run.
SoundGroup* loadSoundGroup(const char* table, const char* section);

// Plays one member of the group as a temporary copy, heard when the listener
// (x1, y1) is inside the effect's radius around the source (x2, y2). Returns
// the playing copy, or none.
Sound* playSoundGroup(SoundGroup* group, int x1, int y1, int x2, int y2);

// The state of the sound system's own random generator, which picks the
// member; it is never seeded, so a run's picks follow from its plays.
std::uint32_t soundRandomState();
