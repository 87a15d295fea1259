#include "sound/sound.h"

#include <climits>
#include <cmath>
#include <cstring>

#include "errorlog/error_check.h"
#include "platform/mixer.h"
#include "platform/system_services.h"
#include "sound/sound_state.h"

using namespace platform;

namespace {

// Nearest integer, ties to even, as the FPU converts; values it cannot
// represent give its "integer indefinite", which no mixer call accepts.
std::int32_t nearestInt(float value) {
    if (!std::isfinite(value) || value >= 2147483648.0f || value < -2147483648.0f) return INT32_MIN;
    return static_cast<std::int32_t>(std::nearbyint(value));
}

// The loudness curve on a level 0..255: 10000 * log10(1 + 9/8 * log2(n + 1)).
std::int32_t curveOf(std::int32_t level) {
    if (level == INT32_MIN) return INT32_MIN;
    const float v = 10000.0f * std::log10(1.0f + (9.0f / 8.0f) * std::log2(float(level) + 1.0f));
    return nearestInt(v);
}

// The level 0..255 a point of the curve came from.
std::int32_t levelOf(std::int32_t curve) {
    const float exponent = (std::pow(10.0f, float(curve) / 10000.0f) - 1.0f) * 8.0f / 9.0f;
    return nearestInt(std::pow(2.0f, exponent) - 1.0f);
}

int signOf(float value) { return value > 0.0f ? 1 : (value < 0.0f ? -1 : 0); }

}  // namespace

std::int32_t ToDirectVolume(float loudness) {
    const std::int32_t v = curveOf(nearestInt(loudness * 255.0f));
    return v == INT32_MIN ? INT32_MIN : v - 10000;
}

std::int32_t ToDirectPan(float value) {
    const std::int32_t v = curveOf(nearestInt((1.0f - std::fabs(value)) * 255.0f));
    return v == INT32_MIN ? INT32_MIN : signOf(value) * (10000 - v);
}

Sound::Sound(const std::string& path, int mode) : path_(path), name_(path) {
    if (mode < 0 || mode > 2) mode = SND_MODE_EFFECT;
    flags_ = std::uint32_t(mode) << kModeShift;
}

Sound::~Sound() = default;

std::uint32_t Sound::flags() const {
    SoundLock lock;
    return flags_;
}

int Sound::fadeRemaining() const {
    SoundLock lock;
    return fadeRemaining_;
}

std::uint32_t Sound::written() const {
    SoundLock lock;
    return written_;
}

float Sound::storedVolume() const {
    SoundLock lock;
    return Volume;
}

bool Sound::isStreamed() const {
    SoundLock lock;
    return fsnd != nullptr;
}

platform::SoundBuffer* Sound::buffer() const {
    SoundLock lock;
    return lpDSBuffer.get();
}

void Sound::markTemporary() {
    SoundLock lock;
    flags_ |= kTemporary;
}

float Sound::categoryVolume() const { return soundState().sndVolume[sndMode()]; }

void Sound::destroy() {
    SoundLock lock;
    SoundSystemState& state = soundState();
    if (state.currentTrack == this) state.currentTrack = nullptr;
    if (state.pendingTrack == this) state.pendingTrack = nullptr;
    lpDSBuffer.reset();
    fsnd.reset();
    state.sounds.remove(this);  // frees this sound: nothing may follow
}

void Sound::load() {
    SoundLock lock;
    SoundSystemState& state = soundState();
    if (path_.empty() || !state.lpDS) return;
    release();
    fsnd.reset();
    written_ = 0;

    std::unique_ptr<SoundDecoder> decoder = createDecoder(path_);
    if (!decoder || decoder->open(path_.c_str()) != 0) {
        messageBox(path_, "sound file is bad");
        return;
    }
    const bool streamed = decoder->length() > kStaticSoundMaxBytes || sndMode() == SND_MODE_MUSIC;
    BufferDescription dsbd;
    dsbd.flags = DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME |
                 (streamed ? DSBCAPS_GETCURRENTPOSITION2 : DSBCAPS_STATIC);
    dsbd.bufferBytes = streamed ? kStreamRingBytes : decoder->length();
    dsbd.format = decoder->format();
    if (ERROR_CHECK_AS(state.lpDS->createSoundBuffer(dsbd, lpDSBuffer), "lpDS->CreateSoundBuffer( &dsbd, &lpDSBuffer, 0 )",
                       __LINE__)) {
        return;
    }
    if (streamed) {
        fsnd = std::move(decoder);
        fillFrom(*fsnd, 0, kStreamRingBytes);
        written_ = kStreamRingBytes;
    } else {
        fillFrom(*decoder, 0, dsbd.bufferBytes);
        written_ += dsbd.bufferBytes;
    }
    setVolume(Volume);
}

bool Sound::fillFrom(SoundDecoder& decoder, std::uint32_t offset, std::uint32_t bytes) {
    BufferRegions regions;
    if (lpDSBuffer->lock(offset, bytes, regions) != DS_OK) return false;
    std::uint32_t got1 = 0, got2 = 0;
    if (regions.data1 && regions.size1) got1 = decoder.read(regions.data1, regions.size1, bLoop());
    if (regions.data2 && regions.size2) got2 = decoder.read(regions.data2, regions.size2, bLoop());
    // Whatever the decoder could not fill is silence, in both regions: old
    // ring contents must never be heard again after a stream's end.
    if (got1 < regions.size1) std::memset(regions.data1 + got1, 0, regions.size1 - got1);
    if (got2 < regions.size2) std::memset(regions.data2 + got2, 0, regions.size2 - got2);
    ERROR_CHECK_AS(lpDSBuffer->unlock(regions), "lpDSBuffer->Unlock( lpData1, dwSize1, lpData2, dwSize2 )", __LINE__);
    return true;
}

void Sound::release() {
    SoundLock lock;
    if (!lpDSBuffer) return;
    stop();
    lpDSBuffer.reset();
}

void Sound::play(int loop) {
    SoundLock lock;
    setFlag(kLoop, (loop & 1) != 0);
    if (!lpDSBuffer) return;
    std::uint32_t dwStatus = 0;
    ERROR_CHECK_AS(lpDSBuffer->getStatus(&dwStatus), "lpDSBuffer->GetStatus(&dwStatus)", __LINE__);
    tick();
    if (dwStatus & DSBSTATUS_BUFFERLOST) ERROR_CHECK_AS(lpDSBuffer->restore(), "lpDSBuffer->Restore()", __LINE__);
    // A stream's ring always loops; the tick finds its end.
    ERROR_CHECK_AS(lpDSBuffer->play(bLoop() || fsnd ? DSBPLAY_LOOPING : 0),
                   "lpDSBuffer->Play( 0, 0, bLoop || fsnd ? DSBPLAY_LOOPING : 0 )", __LINE__);
    setFlag(kPlaying, true);
    if (fsnd) setFlag(kTicking, true);
}

void Sound::stop() {
    SoundLock lock;
    setFlag(kTicking, false);
    if (lpDSBuffer) ERROR_CHECK_AS(lpDSBuffer->stop(), "lpDSBuffer->Stop()", __LINE__);
    setFlag(kPlaying, false);
}

void Sound::rewind() {
    SoundLock lock;
    setFlag(kTicking, false);
    if (lpDSBuffer) {
        ERROR_CHECK_AS(lpDSBuffer->stop(), "lpDSBuffer->Stop()", __LINE__);
        ERROR_CHECK_AS(lpDSBuffer->setCurrentPosition(0), "lpDSBuffer->SetCurrentPosition( 0L )", __LINE__);
        if (fsnd) {
            written_ = 0;
            fsnd->rewind();
            fillFrom(*fsnd, 0, kStreamRingBytes);
            written_ = kStreamRingBytes;
        }
    }
    setFlag(kPlaying, false);
}

void Sound::setVolume(float volume) {
    SoundLock lock;
    Volume = volume;
    if (!lpDSBuffer) return;
    // A fading sound keeps the level its fade has reached: a volume set in
    // between (the category volumes at start-up) must not be heard at full
    // level until the next fade step.
    if (fadeState() != FADE_NONE) {
        applyFadeLevel();
        return;
    }
    ERROR_CHECK_AS(lpDSBuffer->setVolume(ToDirectVolume(categoryVolume() * volume)),
                   "lpDSBuffer->SetVolume( ToDirectVolume(sndVolume[sndMode]*volume) )", __LINE__);
}

void Sound::setFrequency(float frequency) {
    SoundLock lock;
    if (!lpDSBuffer) return;
    std::int32_t i_frq = nearestInt(frequency * 44100.0f);
    if (i_frq < std::int32_t(DSBFREQUENCY_MIN)) i_frq = DSBFREQUENCY_MIN;
    if (i_frq > std::int32_t(DSBFREQUENCY_MAX)) i_frq = DSBFREQUENCY_MAX;
    ERROR_CHECK_AS(lpDSBuffer->setFrequency(std::uint32_t(i_frq)), "lpDSBuffer -> SetFrequency( i_frq )", __LINE__);
}

void Sound::setPan(float value) {
    SoundLock lock;
    pan = value;
    if (!lpDSBuffer) return;
    const std::int32_t ipan = ToDirectPan(value);
    ERROR_CHECK_AS(lpDSBuffer->setPan(ipan), "lpDSBuffer -> SetPan( ipan )", __LINE__);
}

Sound* Sound::duplicate() {
    SoundLock lock;
    auto copy = std::make_unique<Sound>(path_, sndMode());
    copy->pan = pan;
    return finishCopy(std::move(copy));
}

Sound* Sound::finishCopy(std::unique_ptr<Sound> copy) {
    SoundSystemState& state = soundState();
    copy->name_ = name_;
    copy->setFlag(kLoop, bLoop());
    copy->Volume = Volume;
    Sound* listed = state.sounds.add(std::move(copy));
    if (fsnd) {
        listed->load();
    } else if (lpDSBuffer && state.lpDS) {
        ERROR_CHECK_AS(state.lpDS->duplicateSoundBuffer(*lpDSBuffer, listed->lpDSBuffer),
                       "lpDS->DuplicateSoundBuffer( lpDSBuffer, &Sound->lpDSBuffer )", __LINE__);
    }
    return listed;
}

float Sound::getFrequency() {
    SoundLock lock;
    if (!lpDSBuffer) return 0.0f;
    std::uint32_t i_frq = 0;
    ERROR_CHECK_AS(lpDSBuffer->getFrequency(&i_frq), "lpDSBuffer -> GetFrequency( &i_frq )", __LINE__);
    return float(i_frq) / 44100.0f;
}

float Sound::getVolume() {
    SoundLock lock;
    if (!lpDSBuffer) return Volume;
    std::int32_t volume = 0;
    ERROR_CHECK_AS(lpDSBuffer->getVolume(&volume), "lpDSBuffer->GetVolume( &volume )", __LINE__);
    // At a category volume of 0 every sound reads as silent; the buffer cannot
    // say what the sound's own volume was, so it stays as stored.
    const float category = categoryVolume();
    if (!(category > 0.0f)) return Volume;
    Volume = float(levelOf(volume + 10000)) / 255.0f / category;
    return Volume;
}

float Sound::getPan() {
    SoundLock lock;
    if (!lpDSBuffer) return pan;
    std::int32_t panning = 0;
    ERROR_CHECK_AS(lpDSBuffer->getPan(&panning), "lpDSBuffer -> GetPan( &panning )", __LINE__);
    const std::int32_t level = levelOf(10000 - std::abs(panning));
    const int sign = panning > 0 ? 1 : (panning < 0 ? -1 : 0);
    return float(sign) * (1.0f - float(level) / 255.0f);
}

bool Sound::isPlaying() {
    SoundLock lock;
    if (!lpDSBuffer || !(flags_ & kPlaying)) return false;
    std::uint32_t dwStatus = 0;
    ERROR_CHECK_AS(lpDSBuffer->getStatus(&dwStatus), "lpDSBuffer->GetStatus( &dwStatus )", __LINE__);
    setFlag(kPlaying, (dwStatus & DSBSTATUS_PLAYING) != 0);
    return (flags_ & kPlaying) != 0;
}

float Sound::getLength() {
    SoundLock lock;
    if (!fsnd || fsnd->format().avgBytesPerSec == 0) return 0.0f;
    return float(fsnd->length()) / float(fsnd->format().avgBytesPerSec);
}

void Sound::tick() {
    SoundLock lock;
    if (fsnd && lpDSBuffer) {
        std::uint32_t dwPlayPos = 0, dwWritePos = 0;
        if (ERROR_CHECK_AS(lpDSBuffer->getCurrentPosition(&dwPlayPos, &dwWritePos),
                           "lpDSBuffer->GetCurrentPosition( &dwPlayPos, &dwWritePos )", __LINE__)) {
            dwPlayPos = 0;
        }
        const std::uint32_t w = written_ % kStreamRingBytes;
        std::uint32_t free = dwPlayPos - w;
        if (w > dwPlayPos) free += kStreamRingBytes;
        if (free != 0) {
            if (fillFrom(*fsnd, w, free)) written_ += free;
            // Stop when the stream's end will have been played before the
            // next step comes round.
            if (!bLoop() && std::int64_t(written_) + free - kStreamRingBytes >= std::int64_t(fsnd->length())) rewind();
        }
    }
    if (fadeState() != FADE_NONE) applyFadeStep();
}

void Sound::applyFadeStep() {
    fadeRemaining_ -= kSoundTickMs;
    if (fadeRemaining_ <= 0) {
        if (!fsnd) setFlag(kTicking, false);
        if (fadeState() == FADE_OUT) rewind();
        setFadeState(FADE_NONE);
        fadeRemaining_ = 0;
        setVolume(Volume);
        // Taken before it runs: the callback may start a new fade here.
        const FadeCallback callback = fadeCallback_;
        fadeCallback_ = nullptr;
        if (callback) callback();
    } else if (fadeRemaining_ < PERIOD_FADE) {
        applyFadeLevel();
    }
}

int Sound::fadeLevel() const {
    int t = PERIOD_FADE;
    if (fadeState() == FADE_IN) t = PERIOD_FADE - fadeRemaining_;
    if (fadeState() == FADE_OUT) t = fadeRemaining_;
    return t < 0 ? 0 : (t > PERIOD_FADE ? PERIOD_FADE : t);
}

void Sound::applyFadeLevel() {
    if (!lpDSBuffer) return;
    const int t = fadeLevel();
    ERROR_CHECK_AS(lpDSBuffer->setVolume(ToDirectVolume(categoryVolume() * Volume * t / PERIOD_FADE)),
                   "lpDSBuffer->SetVolume( ToDirectVolume(sndVolume[sndMode]*Volume*t/PERIOD_FADE) )", __LINE__);
}

// A fade that reverses one under way (the track fading out is asked for
// again, or one fading in is stopped) turns around from the level reached, so
// the listener hears the track go on instead of a drop and a new ramp. A
// fade-in from rest starts from silence: its very first sample is part of it.
void Sound::fade(int state, FadeCallback callback) {
    SoundLock lock;
    const int reached = fadeLevel();
    const int running = fadeState();
    const bool turning = (state == FADE_IN && running == FADE_OUT) || (state == FADE_OUT && running == FADE_IN);
    setFadeState(state);
    setFlag(kTicking, true);
    fadeRemaining_ = PERIOD_FADE;
    if (turning) fadeRemaining_ = state == FADE_IN ? PERIOD_FADE - reached : reached;
    fadeCallback_ = callback;
    if (state == FADE_IN) applyFadeLevel();
}

SoundEffect* SoundEffect::duplicate() {
    SoundLock lock;
    auto copy = std::make_unique<SoundEffect>(path(), sndMode());
    copy->parameters_ = parameters_;
    return static_cast<SoundEffect*>(finishCopy(std::move(copy)));
}
