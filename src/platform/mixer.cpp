#include "platform/mixer.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace platform {
namespace {

// A capture longer than this stops growing: the harness records runs of
// minutes, and an endless run must not eat the machine's memory.
constexpr std::size_t kMaxCaptureSamples = std::size_t(Mixer::kOutputRate) * Mixer::kOutputChannels * 60 * 30;

}  // namespace

std::shared_ptr<Mixer> Mixer::create() { return std::shared_ptr<Mixer>(new Mixer()); }

std::int32_t Mixer::createBuffer(const BufferDescription& description, std::unique_ptr<SoundBuffer>& out) {
    out.reset();
    std::shared_ptr<SoundBuffer::SampleMemory> samples;
    if (description.flags & DSBCAPS_PRIMARYBUFFER) {
        if (description.bufferBytes != 0) return DSERR_INVALIDPARAM;
    } else {
        if (!isPlayableFormat(description.format)) return DSERR_BADFORMAT;
        if (description.bufferBytes < DSBSIZE_MIN || description.bufferBytes > DSBSIZE_MAX) return DSERR_INVALIDPARAM;
        samples = std::make_shared<SoundBuffer::SampleMemory>();
        samples->bytes.reset(new (std::nothrow) std::uint8_t[description.bufferBytes]);
        if (!samples->bytes) return DSERR_OUTOFMEMORY;
        std::memset(samples->bytes.get(), 0, description.bufferBytes);
        samples->size = description.bufferBytes;
    }
    out.reset(new SoundBuffer(shared_from_this(), description, std::move(samples)));
    attach(out.get());
    return DS_OK;
}

std::int32_t Mixer::duplicateBuffer(const SoundBuffer& original, std::unique_ptr<SoundBuffer>& out) {
    out.reset();
    if (original.isPrimary() || original.mixer_.get() != this) return DSERR_INVALIDCALL;
    BufferDescription description;
    description.flags = original.flags_;
    description.bufferBytes = original.sizeBytes_;
    description.format = original.format_;
    auto copy = std::unique_ptr<SoundBuffer>(new SoundBuffer(shared_from_this(), description, original.samples_));
    {
        std::lock_guard<std::mutex> lock(mutex_);
        copy->volume_ = original.volume_;
        copy->pan_ = original.pan_;
        copy->frequency_ = original.frequency_;
    }
    copy->updateGains();
    copy->updateStep();
    attach(copy.get());
    out = std::move(copy);
    return DS_OK;
}

void Mixer::attach(SoundBuffer* buffer) {
    std::lock_guard<std::mutex> lock(mutex_);
    buffers_.push_back(buffer);
}

void Mixer::detach(SoundBuffer* buffer) {
    std::lock_guard<std::mutex> lock(mutex_);
    auto it = std::find(buffers_.begin(), buffers_.end(), buffer);
    if (it != buffers_.end()) buffers_.erase(it);
}

int Mixer::bufferCount() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return static_cast<int>(buffers_.size());
}

void Mixer::mix(std::int16_t* out, int frames) {
    if (frames <= 0) return;
    std::lock_guard<std::mutex> lock(mutex_);
    const std::size_t samples = std::size_t(frames) * kOutputChannels;
    accumulator_.assign(samples, 0);
    for (SoundBuffer* buffer : buffers_) buffer->mixInto(accumulator_.data(), frames);
    for (std::size_t i = 0; i < samples; ++i) {
        out[i] = static_cast<std::int16_t>(std::clamp(accumulator_[i], -32768, 32767));
    }
    if (muted_) std::fill(out, out + samples, std::int16_t{0});
    if (capturing_) {
        const std::size_t room = kMaxCaptureSamples - std::min(kMaxCaptureSamples, capture_.size());
        capture_.insert(capture_.end(), out, out + std::min(samples, room));
    }
}

void Mixer::setMuted(bool muted) {
    std::lock_guard<std::mutex> lock(mutex_);
    muted_ = muted;
}

bool Mixer::muted() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return muted_;
}

void Mixer::startCapture() {
    std::lock_guard<std::mutex> lock(mutex_);
    capturing_ = true;
    capture_.clear();
}

bool Mixer::capturing() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return capturing_;
}

std::vector<std::int16_t> Mixer::takeCapture() {
    std::lock_guard<std::mutex> lock(mutex_);
    capturing_ = false;
    std::vector<std::int16_t> taken;
    taken.swap(capture_);
    return taken;
}

std::int32_t SoundDevice::setCooperativeLevel(std::intptr_t window, std::uint32_t level) {
    if (level < DSSCL_NORMAL || level > 4) return DSERR_INVALIDPARAM;
    window_ = window;
    level_ = level;
    return DS_OK;
}

std::int32_t SoundDevice::createSoundBuffer(const BufferDescription& description, std::unique_ptr<SoundBuffer>& out) {
    return mixer_->createBuffer(description, out);
}

std::int32_t SoundDevice::duplicateSoundBuffer(const SoundBuffer& original, std::unique_ptr<SoundBuffer>& out) {
    return mixer_->duplicateBuffer(original, out);
}

}  // namespace platform
