#include "platform/sound_buffer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>

#include "platform/mixer.h"

namespace platform {

WaveFormat pcmWaveFormat(int channels, std::uint32_t samplesPerSec, int bitsPerSample) {
    WaveFormat f;
    f.formatTag = WAVE_FORMAT_PCM;
    f.channels = std::uint16_t(channels);
    f.samplesPerSec = samplesPerSec;
    f.bitsPerSample = std::uint16_t(bitsPerSample);
    f.blockAlign = std::uint16_t(channels * bitsPerSample / 8);
    f.avgBytesPerSec = samplesPerSec * f.blockAlign;
    return f;
}

bool isPlayableFormat(const WaveFormat& format) {
    if (format.formatTag != WAVE_FORMAT_PCM) return false;
    if (format.channels != 1 && format.channels != 2) return false;
    if (format.bitsPerSample != 8 && format.bitsPerSample != 16) return false;
    if (format.blockAlign != format.channels * format.bitsPerSample / 8) return false;
    return format.samplesPerSec >= DSBFREQUENCY_MIN && format.samplesPerSec <= DSBFREQUENCY_MAX;
}

namespace {

// 16.16 gain of an attenuation in hundredths of a decibel; the bottom of the
// range is silence, not merely -100 dB.
std::int32_t gainOf(std::int32_t hundredthsDb) {
    if (hundredthsDb <= DSBVOLUME_MIN) return 0;
    return static_cast<std::int32_t>(std::lround(65536.0 * std::pow(10.0, hundredthsDb / 2000.0)));
}

}  // namespace

SoundBuffer::SoundBuffer(std::shared_ptr<Mixer> mixer, const BufferDescription& description,
                         std::shared_ptr<SampleMemory> samples)
    : mixer_(std::move(mixer)), samples_(std::move(samples)), flags_(description.flags) {
    if (!isPrimary()) {
        format_ = description.format;
        sizeBytes_ = samples_ ? samples_->size : 0;
        frameCount_ = sizeBytes_ / format_.blockAlign;
        frequency_ = format_.samplesPerSec;
    }
    updateGains();
    updateStep();
}

SoundBuffer::~SoundBuffer() { mixer_->detach(this); }

void SoundBuffer::updateGains() {
    gainLeft_ = gainOf(volume_ - std::max(pan_, 0));
    gainRight_ = gainOf(volume_ + std::min(pan_, 0));
}

void SoundBuffer::updateStep() { step_ = (std::uint64_t(frequency_) << 32) / Mixer::kOutputRate; }

std::int32_t SoundBuffer::setFormat(const WaveFormat& format) {
    if (!isPrimary()) return DSERR_INVALIDCALL;
    return isPlayableFormat(format) ? DS_OK : DSERR_BADFORMAT;
}

std::int32_t SoundBuffer::play(std::uint32_t flags) {
    if (isPrimary()) return DSERR_INVALIDCALL;
    std::lock_guard<std::mutex> lock(mixer_->mutex_);
    looping_ = (flags & DSBPLAY_LOOPING) != 0;
    playing_ = frameCount_ > 0;
    return DS_OK;
}

std::int32_t SoundBuffer::stop() {
    if (isPrimary()) return DSERR_INVALIDCALL;
    std::lock_guard<std::mutex> lock(mixer_->mutex_);
    playing_ = false;
    return DS_OK;
}

std::int32_t SoundBuffer::getStatus(std::uint32_t* status) const {
    if (!status) return DSERR_INVALIDPARAM;
    std::lock_guard<std::mutex> lock(mixer_->mutex_);
    *status = 0;
    if (playing_) *status = DSBSTATUS_PLAYING | (looping_ ? DSBSTATUS_LOOPING : 0);
    return DS_OK;
}

// Our buffers live in ordinary memory and are never taken away.
std::int32_t SoundBuffer::restore() { return DS_OK; }

std::int32_t SoundBuffer::getCurrentPosition(std::uint32_t* play, std::uint32_t* write) const {
    if (isPrimary()) return DSERR_INVALIDCALL;
    std::lock_guard<std::mutex> lock(mixer_->mutex_);
    const std::uint32_t frame = std::uint32_t(position_ >> 32);
    if (play) *play = frame * format_.blockAlign;
    if (write) {
        std::uint32_t writeFrame = frame;
        if (playing_) writeFrame = std::uint32_t((std::uint64_t(frame) + std::max(1u, frequency_ / 100)) % frameCount_);
        *write = writeFrame * format_.blockAlign;
    }
    return DS_OK;
}

std::int32_t SoundBuffer::setCurrentPosition(std::uint32_t offset) {
    if (isPrimary()) return DSERR_INVALIDCALL;
    if (offset >= sizeBytes_) return DSERR_INVALIDPARAM;
    std::lock_guard<std::mutex> lock(mixer_->mutex_);
    std::uint32_t frame = offset / format_.blockAlign;
    if (frame >= frameCount_) frame = 0;  // a tail shorter than one frame
    position_ = std::uint64_t(frame) << 32;
    return DS_OK;
}

std::int32_t SoundBuffer::setVolume(std::int32_t volume) {
    if (!(flags_ & DSBCAPS_CTRLVOLUME)) return DSERR_CONTROLUNAVAIL;
    if (volume < DSBVOLUME_MIN || volume > DSBVOLUME_MAX) return DSERR_INVALIDPARAM;
    std::lock_guard<std::mutex> lock(mixer_->mutex_);
    volume_ = volume;
    updateGains();
    return DS_OK;
}

std::int32_t SoundBuffer::getVolume(std::int32_t* volume) const {
    if (!(flags_ & DSBCAPS_CTRLVOLUME)) return DSERR_CONTROLUNAVAIL;
    if (!volume) return DSERR_INVALIDPARAM;
    std::lock_guard<std::mutex> lock(mixer_->mutex_);
    *volume = volume_;
    return DS_OK;
}

std::int32_t SoundBuffer::setPan(std::int32_t pan) {
    if (!(flags_ & DSBCAPS_CTRLPAN)) return DSERR_CONTROLUNAVAIL;
    if (pan < DSBPAN_LEFT || pan > DSBPAN_RIGHT) return DSERR_INVALIDPARAM;
    std::lock_guard<std::mutex> lock(mixer_->mutex_);
    pan_ = pan;
    updateGains();
    return DS_OK;
}

std::int32_t SoundBuffer::getPan(std::int32_t* pan) const {
    if (!(flags_ & DSBCAPS_CTRLPAN)) return DSERR_CONTROLUNAVAIL;
    if (!pan) return DSERR_INVALIDPARAM;
    std::lock_guard<std::mutex> lock(mixer_->mutex_);
    *pan = pan_;
    return DS_OK;
}

std::int32_t SoundBuffer::setFrequency(std::uint32_t frequency) {
    if (!(flags_ & DSBCAPS_CTRLFREQUENCY) || isPrimary()) return DSERR_CONTROLUNAVAIL;
    if (frequency == DSBFREQUENCY_ORIGINAL) frequency = format_.samplesPerSec;
    if (frequency < DSBFREQUENCY_MIN || frequency > DSBFREQUENCY_MAX) return DSERR_INVALIDPARAM;
    std::lock_guard<std::mutex> lock(mixer_->mutex_);
    frequency_ = frequency;
    updateStep();
    return DS_OK;
}

std::int32_t SoundBuffer::getFrequency(std::uint32_t* frequency) const {
    if (!(flags_ & DSBCAPS_CTRLFREQUENCY) || isPrimary()) return DSERR_CONTROLUNAVAIL;
    if (!frequency) return DSERR_INVALIDPARAM;
    std::lock_guard<std::mutex> lock(mixer_->mutex_);
    *frequency = frequency_;
    return DS_OK;
}

std::int32_t SoundBuffer::lock(std::uint32_t offset, std::uint32_t bytes, BufferRegions& regions,
                               std::uint32_t flags) {
    regions = BufferRegions{};
    if (isPrimary()) return DSERR_INVALIDCALL;
    std::lock_guard<std::mutex> guard(mixer_->mutex_);
    if (locked_) return DSERR_INVALIDCALL;
    if (flags & DSBLOCK_FROMWRITECURSOR) {
        std::uint32_t frame = std::uint32_t(position_ >> 32);
        if (playing_) frame = std::uint32_t((std::uint64_t(frame) + std::max(1u, frequency_ / 100)) % frameCount_);
        offset = frame * format_.blockAlign;
    }
    if (flags & DSBLOCK_ENTIREBUFFER) bytes = sizeBytes_;
    if (offset >= sizeBytes_ || bytes == 0 || bytes > sizeBytes_) return DSERR_INVALIDPARAM;
    staging_.reset(new (std::nothrow) std::uint8_t[bytes]);
    if (!staging_) return DSERR_OUTOFMEMORY;
    const std::uint32_t size1 = std::min(bytes, sizeBytes_ - offset);
    const std::uint32_t size2 = bytes - size1;
    const std::uint8_t* samples = samples_->bytes.get();
    std::memcpy(staging_.get(), samples + offset, size1);
    if (size2) std::memcpy(staging_.get() + size1, samples, size2);
    regions.data1 = staging_.get();
    regions.size1 = size1;
    regions.data2 = size2 ? staging_.get() + size1 : nullptr;
    regions.size2 = size2;
    locked_ = true;
    lockOffset_ = offset;
    lockSize1_ = size1;
    lockSize2_ = size2;
    return DS_OK;
}

std::int32_t SoundBuffer::unlock(const BufferRegions& written) {
    if (isPrimary()) return DSERR_INVALIDCALL;
    std::lock_guard<std::mutex> guard(mixer_->mutex_);
    if (!locked_) return DSERR_INVALIDCALL;
    // Whatever happens, the lock ends here: a buffer that stayed locked after
    // a bad unlock could never be written again.
    locked_ = false;
    const bool firstOk = written.data1 == staging_.get() && written.size1 <= lockSize1_;
    const bool secondOk = written.size2 == 0 || (written.data2 == staging_.get() + lockSize1_ && written.size2 <= lockSize2_);
    std::int32_t result = DSERR_INVALIDPARAM;
    if (firstOk && secondOk) {
        std::uint8_t* samples = samples_->bytes.get();
        std::memcpy(samples + lockOffset_, staging_.get(), written.size1);
        if (written.size2) std::memcpy(samples, staging_.get() + lockSize1_, written.size2);
        result = DS_OK;
    }
    staging_.reset();
    return result;
}

}  // namespace platform
