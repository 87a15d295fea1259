// The stand-in surface: sizes, the lock discipline DirectDraw enforced,
// colour-keyed and stretched copies.

#include <gtest/gtest.h>

#include "platform/line_raster.h"
#include "platform/surface16.h"

namespace {

using platform::Rect;
using platform::Surface16;

std::unique_ptr<Surface16> surface(int w, int h) {
    std::unique_ptr<Surface16> s;
    EXPECT_EQ(Surface16::create(w, h, platform::PixelLayout::Rgb565, s), platform::DD_OK);
    return s;
}

std::uint16_t at(Surface16& s, int x, int y) { return s.memory()[y * (s.pitchBytes() / 2) + x]; }

TEST(Surface16Test, RefusesSizesNoPictureHas) {
    std::unique_ptr<Surface16> s;
    EXPECT_EQ(Surface16::create(0, 10, platform::PixelLayout::Rgb565, s), platform::DDERR_INVALIDPARAMS);
    EXPECT_EQ(Surface16::create(-5, 10, platform::PixelLayout::Rgb565, s), platform::DDERR_INVALIDPARAMS);
    EXPECT_EQ(Surface16::create(40000, 10, platform::PixelLayout::Rgb565, s), platform::DDERR_TOOBIGWIDTH);
    EXPECT_EQ(Surface16::create(10, 40000, platform::PixelLayout::Rgb565, s), platform::DDERR_TOOBIGHEIGHT);
    EXPECT_EQ(Surface16::create(30000, 30000, platform::PixelLayout::Rgb565, s), platform::DDERR_TOOBIGSIZE);
    EXPECT_EQ(s, nullptr);
    EXPECT_EQ(surface(3, 2)->pitchBytes(), 8) << "rows are 8-byte aligned";
}

TEST(Surface16Test, LockedOrDCHeldSurfacesRefuseWork) {
    auto s = surface(4, 4);
    auto other = surface(4, 4);
    std::uint16_t* pixels = nullptr;
    int pitch = 0;
    ASSERT_EQ(s->lock(pixels, pitch), platform::DD_OK);
    EXPECT_EQ(s->lock(pixels, pitch), platform::DDERR_SURFACEBUSY);
    EXPECT_EQ(s->colorFill({0, 0, 1, 1}, 1), platform::DDERR_SURFACEBUSY);
    EXPECT_EQ(other->blt({0, 0, 1, 1}, *s, {0, 0, 1, 1}, 0), platform::DDERR_SURFACEBUSY);
    platform::SurfaceDC dc;
    EXPECT_EQ(s->getDC(dc), platform::DDERR_SURFACEBUSY);
    EXPECT_EQ(s->unlock(), platform::DD_OK);
    EXPECT_EQ(s->unlock(), platform::DDERR_NOTLOCKED);
    ASSERT_EQ(s->getDC(dc), platform::DD_OK);
    EXPECT_EQ(s->getDC(dc), platform::DDERR_DCALREADYCREATED);
    EXPECT_EQ(s->lock(pixels, pitch), platform::DDERR_SURFACEBUSY);
    EXPECT_EQ(s->releaseDC(), platform::DD_OK);
    EXPECT_EQ(s->releaseDC(), platform::DDERR_NODC);
}

TEST(Surface16Test, RectanglesMustLieInside) {
    auto s = surface(4, 4);
    auto src = surface(2, 2);
    EXPECT_EQ(s->colorFill({0, 0, 5, 1}, 1), platform::DDERR_INVALIDRECT);
    EXPECT_EQ(s->colorFill({-1, 0, 1, 1}, 1), platform::DDERR_INVALIDRECT);
    EXPECT_EQ(s->colorFill({2, 0, 2, 1}, 1), platform::DDERR_INVALIDRECT);
    EXPECT_EQ(s->blt({0, 0, 2, 2}, *src, {0, 0, 3, 2}, 0), platform::DDERR_INVALIDRECT);
    EXPECT_EQ(s->blt({0, 0, 2, 2}, *src, {0, 0, 2, 2}, platform::DDBLT_KEYSRC), platform::DDERR_NOCOLORKEY);
    EXPECT_EQ(at(*s, 0, 0), 0);
}

TEST(Surface16Test, KeyedStretchedCopy) {
    auto src = surface(2, 1);
    std::uint16_t* p = nullptr;
    int pitch = 0;
    src->lock(p, pitch);
    p[0] = 0;
    p[1] = 0x1234;
    src->unlock();
    ASSERT_EQ(src->setColorKey(0, 0), platform::DD_OK);
    auto dst = surface(4, 2);
    dst->colorFill({0, 0, 4, 2}, 0x0841);
    ASSERT_EQ(dst->blt({0, 0, 4, 2}, *src, {0, 0, 2, 1}, platform::DDBLT_KEYSRC), platform::DD_OK);
    for (int y = 0; y < 2; ++y) {
        EXPECT_EQ(at(*dst, 0, y), 0x0841);
        EXPECT_EQ(at(*dst, 1, y), 0x0841);
        EXPECT_EQ(at(*dst, 2, y), 0x1234);
        EXPECT_EQ(at(*dst, 3, y), 0x1234);
    }
    ASSERT_EQ(dst->blt({0, 0, 2, 1}, *src, {0, 0, 2, 1}, 0), platform::DD_OK);
    EXPECT_EQ(at(*dst, 0, 0), 0) << "without the key flag black is copied";
}

TEST(Surface16Test, OverlappingCopyWithinOneSurfaceReadsTheOriginal) {
    auto s = surface(4, 1);
    std::uint16_t* p = nullptr;
    int pitch = 0;
    s->lock(p, pitch);
    for (int x = 0; x < 4; ++x) p[x] = std::uint16_t(10 + x);
    s->unlock();
    ASSERT_EQ(s->blt({1, 0, 4, 1}, *s, {0, 0, 3, 1}, 0), platform::DD_OK);
    EXPECT_EQ(at(*s, 1, 0), 10);
    EXPECT_EQ(at(*s, 2, 0), 11);
    EXPECT_EQ(at(*s, 3, 0), 12);
}

}  // namespace
