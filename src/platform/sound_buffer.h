#pragma once
// Our stand-in for a DirectSound secondary buffer: a block of PCM samples in
// the source's own format (8-bit unsigned or 16-bit signed, mono or stereo,
// 100 Hz to 100 kHz) that the mixer plays with its own volume, pan and
// frequency. Static buffers hold a whole sound; streamed ones are rings that
// the sound thread refills behind the play cursor.
//
// Results are DirectSound-style status codes, 0 for success, so every call
// site keeps its error check and the error log names the call it always named.
//
// Writing goes through lock and unlock. The regions handed out are a private
// copy that unlock writes back under the mixer's lock, so the audio callback
// never reads samples while a game thread is writing them.

#include <cstdint>
#include <memory>

namespace platform {

class Mixer;

// The status codes the buffers and the device return; the values are
// DirectSound's own, so a failure logged as a number reads the same.
constexpr std::int32_t DS_OK = 0;
constexpr std::int32_t DSERR_INVALIDPARAM = std::int32_t(0x80070057u);
constexpr std::int32_t DSERR_OUTOFMEMORY = std::int32_t(0x8007000Eu);
constexpr std::int32_t DSERR_CONTROLUNAVAIL = std::int32_t(0x88780000u | 30);
constexpr std::int32_t DSERR_INVALIDCALL = std::int32_t(0x88780000u | 50);
constexpr std::int32_t DSERR_BADFORMAT = std::int32_t(0x88780000u | 100);
constexpr std::int32_t DSERR_NODRIVER = std::int32_t(0x88780000u | 120);

// Buffer capabilities.
constexpr std::uint32_t DSBCAPS_PRIMARYBUFFER = 0x00000001;
constexpr std::uint32_t DSBCAPS_STATIC = 0x00000002;
constexpr std::uint32_t DSBCAPS_CTRLFREQUENCY = 0x00000020;
constexpr std::uint32_t DSBCAPS_CTRLPAN = 0x00000040;
constexpr std::uint32_t DSBCAPS_CTRLVOLUME = 0x00000080;
constexpr std::uint32_t DSBCAPS_GETCURRENTPOSITION2 = 0x00010000;

constexpr std::uint32_t DSBPLAY_LOOPING = 0x00000001;

constexpr std::uint32_t DSBSTATUS_PLAYING = 0x00000001;
constexpr std::uint32_t DSBSTATUS_BUFFERLOST = 0x00000002;
constexpr std::uint32_t DSBSTATUS_LOOPING = 0x00000004;

constexpr std::uint32_t DSBLOCK_FROMWRITECURSOR = 0x00000001;
constexpr std::uint32_t DSBLOCK_ENTIREBUFFER = 0x00000002;

constexpr std::int32_t DSBVOLUME_MIN = -10000;
constexpr std::int32_t DSBVOLUME_MAX = 0;
constexpr std::int32_t DSBPAN_LEFT = -10000;
constexpr std::int32_t DSBPAN_RIGHT = 10000;
constexpr std::uint32_t DSBFREQUENCY_ORIGINAL = 0;
constexpr std::uint32_t DSBFREQUENCY_MIN = 100;
constexpr std::uint32_t DSBFREQUENCY_MAX = 100000;
constexpr std::uint32_t DSBSIZE_MIN = 4;
constexpr std::uint32_t DSBSIZE_MAX = 0x0FFFFFFF;

constexpr std::uint16_t WAVE_FORMAT_PCM = 1;

// The PCM format of a buffer, field for field the record a WAV file carries.
struct WaveFormat {
    std::uint16_t formatTag = 0;
    std::uint16_t channels = 0;
    std::uint32_t samplesPerSec = 0;
    std::uint32_t avgBytesPerSec = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bitsPerSample = 0;
    std::uint16_t extraSize = 0;
};

// Plain PCM of that many channels, samples a second and bits a sample,
// its block and byte rate worked out from them.
WaveFormat pcmWaveFormat(int channels, std::uint32_t samplesPerSec, int bitsPerSample);

// True for the formats the mixer can play: PCM, 8 or 16 bits, one or two
// channels, a rate the frequency control accepts, and a consistent block.
bool isPlayableFormat(const WaveFormat& format);

// What to create: capabilities, size in bytes and format. A primary buffer
// takes neither size nor format.
struct BufferDescription {
    std::uint32_t flags = 0;
    std::uint32_t bufferBytes = 0;
    WaveFormat format;
};

// The one or two pieces a lock hands out: the second is the part that
// wrapped round to the start of the buffer, or empty.
struct BufferRegions {
    std::uint8_t* data1 = nullptr;
    std::uint32_t size1 = 0;
    std::uint8_t* data2 = nullptr;
    std::uint32_t size2 = 0;
};

class SoundBuffer {
public:
    ~SoundBuffer();
    SoundBuffer(const SoundBuffer&) = delete;
    SoundBuffer& operator=(const SoundBuffer&) = delete;

    bool isPrimary() const { return (flags_ & DSBCAPS_PRIMARYBUFFER) != 0; }
    std::uint32_t flags() const { return flags_; }
    std::uint32_t sizeBytes() const { return sizeBytes_; }
    const WaveFormat& format() const { return format_; }
    // True when both buffers play the same sample memory (one duplicates the other).
    bool sharesSamplesWith(const SoundBuffer& other) const { return samples_ && samples_ == other.samples_; }

    // The primary buffer only: the output format asked for. The mixer keeps
    // its own 44 100 Hz 16-bit stereo output and converts every buffer to it.
    std::int32_t setFormat(const WaveFormat& format);

    std::int32_t play(std::uint32_t flags);
    std::int32_t stop();
    std::int32_t getStatus(std::uint32_t* status) const;
    std::int32_t restore();

    // Byte offsets. The play cursor is the next byte the mixer will read;
    // while playing, the write cursor runs 10 ms ahead of it.
    std::int32_t getCurrentPosition(std::uint32_t* play, std::uint32_t* write) const;
    std::int32_t setCurrentPosition(std::uint32_t offset);

    // Hundredths of a decibel, DSBVOLUME_MIN (silence) .. DSBVOLUME_MAX.
    std::int32_t setVolume(std::int32_t volume);
    std::int32_t getVolume(std::int32_t* volume) const;
    // DSBPAN_LEFT .. DSBPAN_RIGHT: the other side is attenuated by |pan|
    // hundredths of a decibel.
    std::int32_t setPan(std::int32_t pan);
    std::int32_t getPan(std::int32_t* pan) const;
    // Samples per second; DSBFREQUENCY_ORIGINAL returns to the format's rate.
    std::int32_t setFrequency(std::uint32_t frequency);
    std::int32_t getFrequency(std::uint32_t* frequency) const;

    // Hands out `bytes` from `offset` (wrapping to the start), or the whole
    // buffer with DSBLOCK_ENTIREBUFFER. One lock at a time per buffer.
    std::int32_t lock(std::uint32_t offset, std::uint32_t bytes, BufferRegions& regions, std::uint32_t flags = 0);
    // Writes back the given number of bytes of each region handed out.
    std::int32_t unlock(const BufferRegions& written);

private:
    friend class Mixer;
    // The samples; duplicates share one.
    struct SampleMemory {
        std::unique_ptr<std::uint8_t[]> bytes;
        std::uint32_t size = 0;
    };

    SoundBuffer(std::shared_ptr<Mixer> mixer, const BufferDescription& description,
                std::shared_ptr<SampleMemory> samples);
    void updateGains();
    void updateStep();
    // Adds `frames` output frames of this voice to the accumulator; called
    // by the mixer under its lock.
    void mixInto(std::int32_t* accumulator, int frames);
    template <int Bits, int Channels>
    void mixFormat(std::int32_t* accumulator, int frames);

    std::shared_ptr<Mixer> mixer_;
    std::shared_ptr<SampleMemory> samples_;
    std::uint32_t flags_ = 0;
    std::uint32_t sizeBytes_ = 0;
    std::uint32_t frameCount_ = 0;
    WaveFormat format_;

    // The voice, guarded by the mixer's lock. The position counts source
    // frames in 32.32 fixed point so any frequency steps through smoothly.
    bool playing_ = false;
    bool looping_ = false;
    std::uint64_t position_ = 0;
    std::uint64_t step_ = 0;
    std::int32_t volume_ = DSBVOLUME_MAX;
    std::int32_t pan_ = 0;
    std::uint32_t frequency_ = 0;
    std::int32_t gainLeft_ = 0;  // 16.16, 65536 = unchanged
    std::int32_t gainRight_ = 0;

    // The lock's private copy; only the locking thread touches it.
    std::unique_ptr<std::uint8_t[]> staging_;
    bool locked_ = false;
    std::uint32_t lockOffset_ = 0;
    std::uint32_t lockSize1_ = 0;
    std::uint32_t lockSize2_ = 0;
};

}  // namespace platform
