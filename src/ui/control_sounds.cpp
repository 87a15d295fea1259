#include "ui/control_sounds.h"

#include <string>
#include <utility>
#include <vector>

#include "sound/sound_group.h"
#include "ui/ui_element.h"

namespace {

struct LookupCache {
    int depth = 0;
    std::vector<std::pair<std::string, SoundGroup*>> groups;
};

LookupCache& cache() {
    static LookupCache state;
    return state;
}

}  // namespace

// Every control's focus sound and every button's click: both are read as
// the outermost load opens, so the sound table is read once, before the
// screen file, and the screen file then stays in the store to the end.
constexpr const char* kControlSounds[] = {kFocusSound, kClickSound};

ControlSoundScope::ControlSoundScope() {
    if (++cache().depth > 1) return;
    for (const char* section : kControlSounds) controlSound(section);
}

ControlSoundScope::~ControlSoundScope() {
    // Groups belong to the sound system and may go with it; forget them as
    // soon as the outermost load is over.
    if (--cache().depth == 0) cache().groups.clear();
}

SoundGroup* controlSound(const char* section) {
    LookupCache& c = cache();
    if (c.depth == 0) return loadSoundGroup(kSoundTable, section);
    for (const auto& [name, group] : c.groups) {
        if (sameName(name.c_str(), section)) return group;
    }
    SoundGroup* group = loadSoundGroup(kSoundTable, section);
    c.groups.emplace_back(section, group);
    return group;
}

void playControlSound(SoundGroup* sound) {
    // Listener and source at the same point: full volume, no pan.
    if (sound) playSoundGroup(sound, 0, 0, 0, 0);
}
