#pragma once
// Our stand-in for a DirectDraw off-screen surface in system memory: a block
// of 16-bit pixels with the handful of operations the drawing code was written
// against (colour fill, colour-keyed and stretched copy, lock, device context).
// Results are DirectDraw-style status codes, 0 for success, so every call site
// keeps its error check and the error log names the call it always named.
//
// Like DirectDraw, a surface refuses to be blitted, filled or handed out while
// it is locked or its device context is out; the drawing code unlocks first.

#include <cstdint>
#include <cstdlib>
#include <memory>

#include "platform/backend.h"

namespace platform {

// The status codes this surface returns; the values are DirectDraw's own.
constexpr std::int32_t DD_OK = 0;
constexpr std::int32_t DDERR_INVALIDPARAMS = std::int32_t(0x80070057u);
constexpr std::int32_t DDERR_OUTOFMEMORY = std::int32_t(0x8007000Eu);
constexpr std::int32_t DDERR_INVALIDRECT = std::int32_t(0x88760000u | 150);
constexpr std::int32_t DDERR_NOCOLORKEY = std::int32_t(0x88760000u | 215);
constexpr std::int32_t DDERR_SURFACEBUSY = std::int32_t(0x88760000u | 430);
constexpr std::int32_t DDERR_TOOBIGHEIGHT = std::int32_t(0x88760000u | 470);
constexpr std::int32_t DDERR_TOOBIGSIZE = std::int32_t(0x88760000u | 480);
constexpr std::int32_t DDERR_TOOBIGWIDTH = std::int32_t(0x88760000u | 490);
constexpr std::int32_t DDERR_NOTLOCKED = std::int32_t(0x88760000u | 584);
constexpr std::int32_t DDERR_NODC = std::int32_t(0x88760000u | 586);
constexpr std::int32_t DDERR_DCALREADYCREATED = std::int32_t(0x88760000u | 620);

// Blit flags and surface caps the callers pass.
constexpr std::uint32_t DDBLT_KEYSRC = 0x00008000;
constexpr std::uint32_t DDSCAPS_OFFSCREENPLAIN = 0x00000040;
constexpr std::uint32_t DDSCAPS_SYSTEMMEMORY = 0x00000800;

// The pixels a device context gives access to, for line drawing and for
// presenting the frame.
struct SurfaceDC {
    std::uint16_t* pixels = nullptr;
    int pitchBytes = 0;
    int width = 0;
    int height = 0;
};

class Surface16 {
public:
    // Largest edge and largest pixel count we hand out; beyond that the game
    // has asked for something no picture of ours needs.
    static constexpr int maxEdge = 32767;
    static constexpr std::int64_t maxPixels = std::int64_t(1) << 26;

    // Creates a zero-filled surface; on failure `out` stays empty.
    static std::int32_t create(int width, int height, PixelLayout layout, std::unique_ptr<Surface16>& out);

    Surface16(const Surface16&) = delete;
    Surface16& operator=(const Surface16&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    int pitchBytes() const { return pitchBytes_; }
    PixelLayout layout() const { return layout_; }
    bool isLocked() const { return locked_; }
    bool hasDC() const { return dcOut_; }

    // Source colour key: pixels in [low, high] are skipped by keyed copies.
    std::int32_t setColorKey(std::uint16_t low, std::uint16_t high);

    // Blt with DDBLT_COLORFILL. The rectangle must lie inside the surface.
    std::int32_t colorFill(const Rect& rect, std::uint16_t color);

    // Blt from another surface (or this one): copies srcRect onto dst,
    // stretching by nearest sample; DDBLT_KEYSRC skips source pixels matching
    // the source's colour key. Both rectangles must lie inside their surfaces.
    std::int32_t blt(const Rect& dst, Surface16& src, const Rect& srcRect, std::uint32_t flags);

    std::int32_t lock(std::uint16_t*& pixels, int& pitchBytes);
    std::int32_t unlock();

    std::int32_t getDC(SurfaceDC& dc);
    std::int32_t releaseDC();

    // Read access for code that only looks (screenshots); system memory can
    // always be read.
    const std::uint16_t* memory() const { return pixels_.get(); }

private:
    Surface16() = default;
    bool contains(const Rect& rect) const;
    bool busy() const { return locked_ || dcOut_; }
    std::uint16_t* row(int y) { return pixels_.get() + std::int64_t(y) * (pitchBytes_ / 2); }

    struct FreeMemory {
        void operator()(std::uint16_t* p) const { std::free(p); }
    };
    std::unique_ptr<std::uint16_t[], FreeMemory> pixels_;
    int width_ = 0;
    int height_ = 0;
    int pitchBytes_ = 0;
    PixelLayout layout_ = PixelLayout::Rgb565;
    bool hasKey_ = false;
    std::uint16_t keyLow_ = 0;
    std::uint16_t keyHigh_ = 0;
    bool locked_ = false;
    bool dcOut_ = false;
};

}  // namespace platform
