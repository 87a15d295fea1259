#pragma once
// Sound objects. A Sound plays one file through one mixer buffer: files up to
// 1 MiB of PCM (effects) are decoded once into a static buffer, longer files
// and all music stream through a 128 KiB ring that the sound thread refills
// every 50 ms. Every live sound is owned by the sound list (sound_system.h);
// callers keep plain pointers and never delete them.
//
// Effects play through short-lived copies that share the original's samples,
// so one effect can sound several times at once.

#include <cstdint>
#include <memory>
#include <string>

#include "platform/sound_buffer.h"
#include "sound/sound_decoder.h"

// Loudness 0..1 to the mixer's hundredths of a decibel: a curve that keeps
// low settings audible (0.004 is already -6726) and reaches 0 at full.
std::int32_t ToDirectVolume(float loudness);
// Pan -1 (left) .. 1 (right) to the mixer's pan, on the same curve.
std::int32_t ToDirectPan(float pan);

// Run once when a fade ends, on the sound thread.
using FadeCallback = void (*)();

constexpr int FADE_NONE = 0;
constexpr int FADE_IN = 1;
constexpr int FADE_OUT = 2;
constexpr int PERIOD_FADE = 1000;      // ms
constexpr int kSoundTickMs = 50;       // the sound thread's period, also the fade step
constexpr int SND_MODE_EFFECT = 0;
constexpr int SND_MODE_MUSIC = 1;
constexpr std::uint32_t kStreamRingBytes = 131072;
constexpr std::uint32_t kStaticSoundMaxBytes = 1048576;

// The do-nothing sound: every operation a sound offers, so code can hold one
// without caring whether it can be heard.
class SoundBase {
public:
    virtual ~SoundBase() = default;

    virtual void destroy() {}
    virtual void load() {}
    virtual void release() {}
    virtual void play(int loop) { (void)loop; }
    virtual void stop() {}
    virtual void rewind() {}
    virtual void setVolume(float volume) { (void)volume; }
    // 1.0 is 44 100 Hz.
    virtual void setFrequency(float frequency) { (void)frequency; }
    virtual void setPan(float value) { (void)value; }
    virtual SoundBase* duplicate() { return this; }
    virtual float getFrequency() { return 0.0f; }
    virtual float getVolume() { return Volume; }
    virtual float getPan() { return pan; }
    virtual bool isPlaying() { return false; }
    // Seconds; known for streamed sounds only.
    virtual float getLength() { return 0.0f; }
    // One step of the sound thread: refill a stream, move a fade on.
    virtual void tick() {}
    // FADE_IN or FADE_OUT over PERIOD_FADE; the callback runs when it ends.
    virtual void fade(int state, FadeCallback callback) { (void)state, (void)callback; }

protected:
    float Volume = 1.0f;  // the sound's own loudness, 0..1
    float pan = 0.0f;     // last pan set, -1..1
};

class Sound : public SoundBase {
public:
    // Flag bits.
    static constexpr std::uint32_t kPlaying = 1u << 0;
    static constexpr std::uint32_t kLoop = 1u << 1;
    static constexpr std::uint32_t kModeShift = 3;
    static constexpr std::uint32_t kModeMask = 3u << kModeShift;
    static constexpr std::uint32_t kTicking = 1u << 5;
    static constexpr std::uint32_t kTemporary = 1u << 6;
    static constexpr std::uint32_t kFadeShift = 8;
    static constexpr std::uint32_t kFadeMask = 3u << kFadeShift;

    // Not loaded yet; the name is the path. Modes other than effect and
    // music are taken as effect.
    Sound(const std::string& path, int mode);
    ~Sound() override;

    void destroy() override;
    void load() override;
    void release() override;
    void play(int loop) override;
    void stop() override;
    void rewind() override;
    void setVolume(float volume) override;
    void setFrequency(float frequency) override;
    void setPan(float value) override;
    Sound* duplicate() override;
    float getFrequency() override;
    float getVolume() override;
    float getPan() override;
    bool isPlaying() override;
    float getLength() override;
    void tick() override;
    void fade(int state, FadeCallback callback) override;

    // What the sound is and where it stands. The sound thread changes these
    // as it runs, so each read takes the sound lock.
    const std::string& path() const { return path_; }
    const std::string& name() const { return name_; }
    std::uint32_t flags() const;
    int sndMode() const { return int((flags() & kModeMask) >> kModeShift); }
    bool bLoop() const { return (flags() & kLoop) != 0; }
    bool isTicking() const { return (flags() & kTicking) != 0; }
    bool isTemporary() const { return (flags() & kTemporary) != 0; }
    int fadeState() const { return int((flags() & kFadeMask) >> kFadeShift); }
    int fadeRemaining() const;
    std::uint32_t written() const;
    float storedVolume() const;
    bool isStreamed() const;
    platform::SoundBuffer* buffer() const;

    // Marks a copy made for one play of a group; collected once it stops.
    void markTemporary();

protected:
    // Copies what every copy shares into a fresh sound of the same class, lists
    // it and gives it its samples: its own stream, or the same static memory.
    Sound* finishCopy(std::unique_ptr<Sound> copy);

private:
    void setFlag(std::uint32_t flag, bool on) { flags_ = on ? (flags_ | flag) : (flags_ & ~flag); }
    void setFadeState(int state) { flags_ = (flags_ & ~kFadeMask) | ((std::uint32_t(state) & 3u) << kFadeShift); }
    float categoryVolume() const;
    // Locks `bytes` from `offset`, fills them from the decoder and unlocks.
    // False when the lock fails (nothing was written).
    bool fillFrom(SoundDecoder& decoder, std::uint32_t offset, std::uint32_t bytes);
    void applyFadeStep();
    // How far the running fade has come, 0 (silent) .. PERIOD_FADE (full).
    int fadeLevel() const;
    void applyFadeLevel();

    std::string path_;
    std::string name_;
    std::int32_t fadeRemaining_ = 0;
    std::uint32_t flags_ = 0;
    FadeCallback fadeCallback_ = nullptr;
    std::unique_ptr<platform::SoundBuffer> lpDSBuffer;
    std::unique_ptr<SoundDecoder> fsnd;
    std::uint32_t written_ = 0;
};

// The parameters an effect reads from the sound table.
struct EffectParameters {
    std::int32_t radiusSquared = 0;
    float minvolume = 0.0f;
    float maxvolume = 0.0f;
    float minfrq = 0.0f;  // kept and copied; nothing plays them
    float maxfrq = 0.0f;
    float panSpread = 0.0f;  // the pan reached at the edge of the radius
};

// A sound of the sound table: heard within a radius, louder and more central
// the nearer the listener is.
class SoundEffect : public Sound {
public:
    using Sound::Sound;

    SoundEffect* duplicate() override;

    const EffectParameters& parameters() const { return parameters_; }
    void setParameters(const EffectParameters& parameters) { parameters_ = parameters; }

private:
    EffectParameters parameters_;
};
