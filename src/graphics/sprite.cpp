#include "graphics/sprite.h"

#include <algorithm>
#include <new>

#include "graphics/dd_report.h"
#include "graphics/display.h"

Sprite::~Sprite() { Destroy(); }

bool Sprite::createPixels(int width, int height, int frameCount) {
    Destroy();
    if (width <= 0 || height <= 0 || frameCount <= 0) return false;
    const std::int64_t rows = std::int64_t(height) * frameCount;
    if (width > platform::Surface16::maxEdge || rows > platform::Surface16::maxEdge ||
        rows * width > platform::Surface16::maxPixels)
        return false;

    std::unique_ptr<platform::Surface16> surface = CreateSurface(width, int(rows), platform::DDSCAPS_SYSTEMMEMORY);
    if (surface) {
        adoptSurface(std::move(surface), width, height);
        return true;
    }
    // No surface in the current format: keep the pixels in plain memory.
    plainPixels_.reset(new (std::nothrow) std::uint16_t[std::size_t(rows) * std::size_t(width)]());
    if (!plainPixels_) return false;
    width_ = width;
    height_ = height;
    frameCount_ = frameCount;
    memoryWidth_ = width;
    memoryRows_ = int(rows);
    pixels_ = plainPixels_.get();
    pitch_ = width * 2;
    clip = {0, 0, width, height};
    return true;
}

void Sprite::adoptSurface(std::unique_ptr<platform::Surface16> surface, int width, int height) {
    Destroy();
    if (!surface || width <= 0 || height <= 0 || width > surface->width() || height > surface->height()) return;
    width_ = width;
    height_ = height;
    frameCount_ = surface->height() / height;
    memoryWidth_ = width;
    memoryRows_ = frameCount_ * height;
    pitch_ = surface->pitchBytes();
    surface_ = std::move(surface);
    clip = {0, 0, width, height};
}

bool Sprite::createAlphaPlane() {
    if (memoryWidth_ <= 0 || memoryRows_ <= 0) return false;
    alpha_.reset(new (std::nothrow) std::uint8_t[std::size_t(memoryWidth_) * std::size_t(memoryRows_)]());
    return alpha_ != nullptr;
}

bool Sprite::cutIntoFrames(int frames, int periodMs) {
    if (frames <= 0 || memoryWidth_ <= 0 || memoryRows_ < frames) return false;
    frameCount_ = frames;
    height_ = memoryRows_ / frames;
    period = periodMs > 0 ? periodMs : 1;
    clip = {0, 0, width_, height_};
    return true;
}

int Sprite::frameRow(int time) const {
    if (period <= 0 || frameCount_ <= 1) return 0;
    // A negative time (a clock set back) wraps like any other instead of
    // indexing before the first frame.
    std::int64_t phase = std::int64_t(time) % period;
    if (phase < 0) phase += period;
    return int(phase * frameCount_ / period) * height_;
}

const std::uint16_t* Sprite::readablePixels(int& pitchBytes) const {
    if (pixels_) {
        pitchBytes = pitch_;
        return pixels_;
    }
    if (surface_) {
        pitchBytes = surface_->pitchBytes();
        return surface_->memory();
    }
    pitchBytes = 0;
    return nullptr;
}

void Sprite::Lock() {
    // Locking twice would make the surface refuse and lose the pointer we
    // already hold; one lock serves every software operation until Unlock.
    if (!surface_ || pixels_) return;
    std::uint16_t* memory = nullptr;
    int pitchBytes = 0;
    const std::int32_t hr = surface_->lock(memory, pitchBytes);
    DD_REPORT(hr, "lpSurface->Lock(NULL,&ddsd,DDLOCK_WAIT,NULL)", 251);
    if (hr != 0) return;
    pixels_ = memory;
    pitch_ = pitchBytes;
}

void Sprite::Unlock() {
    if (!surface_ || !pixels_) return;
    pixels_ = nullptr;
    DD_REPORT(surface_->unlock(), "lpSurface->Unlock(NULL)", 260);
}

void Sprite::Destroy() {
    Unlock();
    surface_.reset();
    plainPixels_.reset();
    alpha_.reset();
    pixels_ = nullptr;
    memoryWidth_ = 0;
    memoryRows_ = 0;
}

ClipRect Sprite::drawableArea() const {
    ClipRect area;
    area.left = std::max(clip.left, 0);
    area.top = std::max(clip.top, 0);
    area.right = std::min(clip.right, memoryWidth_);
    area.bottom = std::min(clip.bottom, memoryRows_);
    return area;
}

bool Sprite::lockForSoftware() {
    if (!pixels_) Lock();
    return pixels_ != nullptr;
}
