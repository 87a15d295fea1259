#pragma once
// Sprite: the one in-memory image of the game. Pictures, fonts, work images
// and the back buffer are all sprites: animation frames of 16-bit pixels in
// the current format stacked vertically, an optional 8-bit alpha plane and a
// clip rectangle that limits drawing into it.
//
// Pixels live in a system-memory surface, so colour fills and keyed copies
// go through the surface while the software blends write the same memory
// directly. Software operations lock the sprites they touch and leave them
// locked (a lock per frame, not per blit); surface operations unlock first.
//
// Every drawing operation stays inside the destination's clip rectangle and
// pixel memory and reads only inside the source, whatever its arguments.

#include <cstdint>
#include <memory>

#include "platform/surface16.h"

// Blend modes of the blits; callers pass them as constants.
constexpr std::uint32_t BLEND_NORMAL = 0x01000000;
constexpr std::uint32_t BLEND_KEY = 0x00008000;
constexpr std::uint32_t BLEND_GLYPH = 0x80000000;
constexpr std::uint32_t BLEND_ADD = 0x08000000;
// The keyed-copy flag of a surface blit.
constexpr std::uint32_t OP_MASK = platform::DDBLT_KEYSRC;

// x in [left, right), y in [top, bottom).
struct ClipRect {
    int left = 0, top = 0, right = 0, bottom = 0;
};

class Sprite {
public:
    static constexpr int nameSize = 64;

    Sprite() = default;
    virtual ~Sprite();
    Sprite(const Sprite&) = delete;
    Sprite& operator=(const Sprite&) = delete;

    char name[nameSize] = {};      // image file path; empty for a blank sprite
    char maskName[nameSize] = {};  // separate alpha image; empty for none
    int period = 1;                // animation period in milliseconds
    ClipRect clip;
    bool bMask = false;  // holds pixels of value 0, transparent in keyed copies

    // Gives the sprite width x (height x frameCount) pixels, zeroed, in a
    // surface of the current format, or in plain memory when no surface can
    // be had. Frees what it held before. False when nothing could be made.
    bool createPixels(int width, int height, int frameCount = 1);
    // Takes over a surface holding one frame of width x height.
    void adoptSurface(std::unique_ptr<platform::Surface16> surface, int width, int height);
    // An alpha plane over all frames, zeroed (transparent).
    bool createAlphaPlane();
    // Re-cuts the pixels held into `frames` frames stacked vertically, shown
    // one after the other over `periodMs` (animation strips whose frame count
    // the file cannot tell). Rows left over at the bottom are never shown.
    // False, and nothing changed, without pixels or with more frames than rows.
    bool cutIntoFrames(int frames, int periodMs);

    int width() const { return width_; }
    int height() const { return height_; }
    int frameCount() const { return frameCount_; }
    int pitch() const { return pitch_; }
    // Null unless locked (or held in plain memory).
    std::uint16_t* pixels() const { return pixels_; }
    std::uint8_t* alphaPlane() const { return alpha_.get(); }
    bool hasAlphaPlane() const { return alpha_ != nullptr; }
    platform::Surface16* lpSurface() const { return surface_.get(); }

    // First row of the frame shown at `time`.
    int frameRow(int time) const;

    // Pixel memory for reading, locked or not; null when there is none.
    const std::uint16_t* readablePixels(int& pitchBytes) const;

    void Lock();
    void Unlock();
    void Destroy();

    // Fill colours are 0xAARRGGBB: alpha 1..239 mixes, anything else is opaque.
    void FillRect(int x0, int y0, int x1, int y1, std::uint32_t argb);
    // amount 16..239 scales towards black, 240 and over is black.
    void Darken(int x0, int y0, int x1, int y1, int amount);

    void Blit(int x, int y, Sprite& src, std::uint32_t mode, int time);
    void BlitPart(int x, int y, int w, int h, Sprite& src, int sx, int sy, std::uint32_t mode, int time);
    void BlitScaled(int x, int y, int w, int h, Sprite& src, int sx, int sy, int sw, int sh, std::uint32_t mode,
                    int time);
    void StretchBlit(int x, int y, int w, int h, Sprite& src, int sx, int sy, int sw, int sh, std::uint32_t mode,
                     int time);
    void BlitFaded(int x, int y, Sprite& src, int alpha, int time);
    void BlitWithAlpha(int x, int y, Sprite& src);
    void BlitPartWithAlpha(int x, int y, Sprite& src, int sx, int sy, int w, int h);
    // The part's colours and opacity exactly as they are in the source (no
    // blending with what was there): work pictures put together from parts.
    void CopyPartWithAlpha(int x, int y, Sprite& src, int sx, int sy, int w, int h);
    // Like BlitPartWithAlpha, but a pixel is only taken where the source is
    // more opaque than what is already there: glyphs whose boxes overlap
    // (a glow reaching under the neighbour) never erase each other. Without
    // alpha planes on both sides it is BlitPartWithAlpha.
    void MergePartWithAlpha(int x, int y, Sprite& src, int sx, int sy, int w, int h);

    // colorref is 0x00BBGGRR; a negative one draws with the default black pen.
    void DrawLine(int x0, int y0, int x1, int y1, std::int32_t colorref);

    void BlitRotated(int cx, int cy, Sprite& src, float angle);
    void DrawTexturedTriangle(std::uint32_t mode, Sprite& src, int xa, int ya, int xb, int yb, int xc, int yc,
                              float ua, float va, float ub, float vb, float uc, float vc, int time);

private:
    // The clip rectangle cut to the pixel memory.
    ClipRect drawableArea() const;
    // Locks when needed; false when there are no pixels to work on.
    bool lockForSoftware();
    std::uint16_t* row(int y) const {
        return reinterpret_cast<std::uint16_t*>(reinterpret_cast<std::uint8_t*>(pixels_) + std::int64_t(y) * pitch_);
    }
    std::uint8_t* alphaRow(int y) const { return alpha_.get() + std::int64_t(y) * memoryWidth_; }
    void softwareFill(const ClipRect& area, std::uint16_t color);
    // The rows i0..i1 and columns j0..j1 of a w x h part placed at (x, y)
    // from (sx, sy) that lie inside both sprites' memory.
    struct PartSpan {
        std::int64_t i0 = 0, i1 = 0, j0 = 0, j1 = 0;
        bool empty() const { return i0 >= i1 || j0 >= j1; }
    };
    PartSpan partSpan(int x, int y, const Sprite& src, int sx, int sy, int w, int h) const;
    void copyAlphaRows(int x, int y, const Sprite& src, int sx, int sy, int w, int h);

    int width_ = 0;
    int height_ = 0;
    int frameCount_ = 1;
    int pitch_ = 0;
    // Extent of the pixel memory actually held (and of the alpha plane).
    int memoryWidth_ = 0;
    int memoryRows_ = 0;
    std::uint16_t* pixels_ = nullptr;
    std::unique_ptr<std::uint16_t[]> plainPixels_;
    std::unique_ptr<std::uint8_t[]> alpha_;
    std::unique_ptr<platform::Surface16> surface_;
};
