#include "sound/sound_output.h"

#include "platform/audio_output.h"
#include "platform/backend.h"
#include "platform/headless_backend.h"
#include "sound/sound.h"
#include "sound/sound_state.h"
#include "sound/sound_system.h"

namespace {

struct HeadlessClock {
    // Each start attaches a fresh listener; listeners of earlier starts (they
    // cannot be removed) see an older generation and do nothing.
    std::uint32_t generation = 0;
    bool active = false;
    std::uint32_t lastMs = 0;
};

HeadlessClock& headlessClock() {
    static HeadlessClock clock;
    return clock;
}

}  // namespace

void startSoundSystem(bool headless, bool captureAudio) {
    {
        SoundLock lock;
        soundState().manualSteps = headless;
    }
    if (captureAudio) platform::startAudioCapture();
    platform::openAudioOutput(headless);
    if (!headless) return;

    HeadlessClock& clock = headlessClock();
    auto* backend = dynamic_cast<platform::HeadlessBackend*>(platform::backend());
    if (!backend) return;
    clock.lastMs = backend->nowMs();
    clock.active = true;
    const std::uint32_t generation = ++clock.generation;
    backend->addFrameListener([generation](std::uint32_t nowMs) {
        const HeadlessClock& current = headlessClock();
        if (current.active && current.generation == generation) soundHeadlessFrame(nowMs);
    });
}

void soundHeadlessFrame(std::uint32_t nowMs) {
    if (!platform::audioOutputHeadless()) return;
    HeadlessClock& clock = headlessClock();
    platform::pullAudio(platform::kHeadlessFramesPerTick);
    const std::uint32_t steps = nowMs / kSoundTickMs - clock.lastMs / kSoundTickMs;
    clock.lastMs = nowMs;
    for (std::uint32_t i = 0; i < steps; ++i) soundThreadStep();
}

bool stopSoundSystem(const std::string& audioOutPath) {
    bool written = true;
    if (!audioOutPath.empty()) {
        written = platform::writeAudioCapture(audioOutPath);
    } else {
        platform::stopAudioCapture();
    }
    platform::closeAudioOutput();
    headlessClock().active = false;
    SoundLock lock;
    soundState().manualSteps = false;
    return written;
}
