#include "sound/sound_group.h"

#include <cstdio>
#include <cstdlib>

#include "config/ini_store.h"
#include "sound/sound.h"
#include "sound/sound_state.h"
#include "sound/sound_system.h"

namespace {

std::uint32_t nextSoundRandom() {
    std::uint32_t& state = soundState().randomState;
    state = state * 214013u + 2531011u;
    return (state >> 16) & 0x7FFF;
}

void collectFinishedCopies() {
    SoundList& sounds = soundState().sounds;
    for (int i = sounds.count() - 1; i >= 0; --i) {
        Sound* sound = sounds.at(i);
        if (sound && sound->isTemporary() && !sound->isPlaying()) sound->destroy();
    }
}

// Screen positions are small; anything this far apart is out of every radius
// (radii square into 32 bits), and is kept from overflowing the squares.
constexpr std::int64_t kFarApart = 65536;

}  // namespace

SoundGroup* loadSoundGroup(const char* table, const char* section) {
    SoundLock lock;
    std::unique_ptr<SoundGroup> group;
    for (int i = 0; i < 10; ++i) {
        char key[16];
        std::snprintf(key, sizeof key, "name%d", i);
        const char* value = iniReadString(table, section, key);
        if (*value == '\0') break;
        if (!group) group = std::make_unique<SoundGroup>();
        if (group->names.size() + 1 < 10) group->names.emplace_back(value);
    }
    SoundSystemState& state = soundState();
    if (!group || !state.groupListReady) return nullptr;
    state.groups.push_back(std::move(group));
    return state.groups.back().get();
}

Sound* playSoundGroup(SoundGroup* group, int x1, int y1, int x2, int y2) {
    if (!group || group->names.empty()) return nullptr;
    SoundLock lock;
    SoundSystemState& state = soundState();

    const std::size_t count = group->names.size();
    const std::string& name = count == 1 ? group->names[0] : group->names[(nextSoundRandom() * count) >> 15];
    collectFinishedCopies();
    if (name.empty() || state.sndVolume[SND_VOLUME_EFFECTS] < 0.01f) return nullptr;

    // Only an effect of the table knows its radius; a plain sound of the same
    // name has none and is never heard through a group.
    auto* effect = dynamic_cast<SoundEffect*>(findSound(name.c_str()));
    if (!effect) return nullptr;
    const EffectParameters& p = effect->parameters();
    const std::int64_t dx = std::int64_t(x1) - x2;
    const std::int64_t dy = std::int64_t(y1) - y2;
    if (std::llabs(dx) >= kFarApart || std::llabs(dy) >= kFarApart) return nullptr;
    const std::int64_t radiusSquared = p.radiusSquared;
    const std::int64_t s = radiusSquared - dy * dy - dx * dx;
    if (s <= 0) return nullptr;

    SoundEffect* copy = effect->duplicate();
    copy->setVolume(p.minvolume + (p.maxvolume - p.minvolume) * float(s) / float(radiusSquared));
    const int side = x1 > x2 ? 1 : (x1 < x2 ? -1 : 0);
    copy->setPan(p.panSpread * float(s - radiusSquared) * float(side) / float(radiusSquared));
    copy->markTemporary();
    copy->play(0);
    return copy;
}

std::uint32_t soundRandomState() {
    SoundLock lock;
    return soundState().randomState;
}
