// A window drawn from the changed parts of each frame shows exactly what
// drawing every frame whole would show: frames changed here and there (a
// flake, a corner pixel, a tile's edge, everything, nothing) are presented
// piece by piece, and after each the window is compared with a fresh window
// given that frame whole, at the picture's size, enlarged, shrunk and with
// bars. And the window holds the picture's own colours where it is not
// scaled, and mouse positions map back to the pixel under the pointer.

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "platform/frame_changes.h"
#include "platform/picture_fit.h"
#include "platform/picture_scaler.h"

using namespace platform;

namespace {

constexpr int kWidth = 800, kHeight = 600;
constexpr int kPitchPixels = 816;  // rows padded, as a surface's may be

struct Frame {
    std::vector<std::uint16_t> pixels = std::vector<std::uint16_t>(std::size_t(kPitchPixels) * kHeight, 0);
    void fill(const Rect& r, std::uint16_t colour) {
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) pixels[std::size_t(y) * kPitchPixels + x] = colour;
    }
    void set(int x, int y, std::uint16_t colour) { fill({x, y, x + 1, y + 1}, colour); }
};

struct Window {
    std::vector<std::uint32_t> pixels;
    WindowPixels view;
    Window(int width, int height) : pixels(std::size_t(width) * height, 0xDEADBEEFu) {
        view = {pixels.data(), width, height, width * 4};
    }
};

constexpr Rect kWhole{0, 0, kWidth, kHeight};

// The first pixel where two windows differ, or "".
std::string firstDifference(const Window& a, const Window& b) {
    for (std::size_t i = 0; i < a.pixels.size(); ++i)
        if (a.pixels[i] != b.pixels[i])
            return "window pixel (" + std::to_string(i % std::size_t(a.view.width)) + ", " +
                   std::to_string(i / std::size_t(a.view.width)) + ")";
    return "";
}

}  // namespace

TEST(PartialPresent, TheChangedPartsLeaveTheWindowAsTheWholeFrameWould) {
    const std::pair<int, int> windows[] = {{800, 600}, {1200, 900}, {1600, 1200}, {1000, 600}, {1280, 1024}, {333, 250}};
    for (const auto& [windowWidth, windowHeight] : windows) {
        for (PixelLayout layout : {PixelLayout::Rgb565, PixelLayout::Rgb555}) {
            SCOPED_TRACE(std::to_string(windowWidth) + " x " + std::to_string(windowHeight) +
                         (layout == PixelLayout::Rgb565 ? " 5-6-5" : " 5-5-5"));
            std::mt19937 random(windowWidth * 7 + windowHeight);
            auto colour = [&] { return std::uint16_t(random()); };
            Frame frame;
            for (int i = 0; i < 300; ++i) {
                const int x = int(random() % kWidth), y = int(random() % kHeight);
                frame.fill({x, y, std::min(x + 40, kWidth), std::min(y + 30, kHeight)}, colour());
            }
            FrameChanges changes;
            PictureScaler scaler;
            Window shown(windowWidth, windowHeight);
            for (int step = 0; step < 12; ++step) {
                SCOPED_TRACE("frame " + std::to_string(step));
                if (step == 3) {
                    frame.fill(kWhole, colour());
                } else if (step == 5) {
                    // Nothing changed: nothing to draw.
                } else if (step == 6) {
                    frame.set(0, 0, colour());
                    frame.set(kWidth - 1, kHeight - 1, colour());
                } else if (step == 7) {
                    // On both sides of tile edges.
                    frame.set(FrameChanges::kTileWidth - 1, FrameChanges::kTileHeight, colour());
                    frame.set(FrameChanges::kTileWidth, FrameChanges::kTileHeight - 1, colour());
                } else {
                    // Falling flakes: small pieces here and there.
                    for (int i = 0; i < 25; ++i) {
                        const int x = int(random() % (kWidth - 9)), y = int(random() % (kHeight - 9));
                        frame.fill({x, y, x + 1 + int(random() % 9), y + 1 + int(random() % 9)}, colour());
                    }
                }
                const bool first = step == 0;
                const std::vector<Rect> changed =
                    changes.take(frame.pixels.data(), kWidth, kHeight, kPitchPixels * 2, kWhole, first);
                if (step == 5) {
                    EXPECT_TRUE(changed.empty());
                }
                if (step == 6) {
                    // Two pixels changed: two tiles are drawn, not the picture.
                    int area = 0;
                    for (const Rect& r : changed) area += (r.right - r.left) * (r.bottom - r.top);
                    EXPECT_LE(area, 2 * FrameChanges::kTileWidth * FrameChanges::kTileHeight);
                }
                scaler.setGeometry(kWidth, kHeight, windowWidth, windowHeight);
                if (first) scaler.drawBars(shown.view);
                for (const Rect& r : changed) scaler.draw(frame.pixels.data(), kPitchPixels * 2, layout, r, shown.view);

                PictureScaler wholeScaler;
                Window whole(windowWidth, windowHeight);
                wholeScaler.setGeometry(kWidth, kHeight, windowWidth, windowHeight);
                wholeScaler.drawBars(whole.view);
                wholeScaler.draw(frame.pixels.data(), kPitchPixels * 2, layout, kWhole, whole.view);
                ASSERT_EQ(firstDifference(shown, whole), "");
                if (windowWidth == kWidth && windowHeight == kHeight && layout == PixelLayout::Rgb565) {
                    // At the picture's own size the window is the frame itself.
                    for (int y = 0; y < kHeight; ++y)
                        for (int x = 0; x < kWidth; ++x) {
                            const std::uint32_t v = frame.pixels[std::size_t(y) * kPitchPixels + x];
                            const std::uint32_t r = v >> 11, g = (v >> 5) & 63, b = v & 31;
                            const std::uint32_t expected =
                                ((r << 3 | r >> 2) << 16) | ((g << 2 | g >> 4) << 8) | (b << 3 | b >> 2);
                            ASSERT_EQ(shown.pixels[std::size_t(y) * kWidth + x], expected) << x << ", " << y;
                        }
                }
            }
        }
    }
}

TEST(PartialPresent, TheWindowHoldsThePicturesColours) {
    Frame frame;
    frame.fill(kWhole, 0xFFFF);
    frame.set(10, 20, 0xF800);  // full red
    frame.set(11, 20, 0x07E0);  // full green
    frame.set(12, 20, 0x0821);  // the smallest step of each
    PictureScaler scaler;
    Window plain(kWidth, kHeight);
    scaler.setGeometry(kWidth, kHeight, kWidth, kHeight);
    scaler.draw(frame.pixels.data(), kPitchPixels * 2, PixelLayout::Rgb565, kWhole, plain.view);
    EXPECT_EQ(plain.pixels[20 * kWidth + 10], 0xFF0000u);
    EXPECT_EQ(plain.pixels[20 * kWidth + 11], 0x00FF00u);
    EXPECT_EQ(plain.pixels[20 * kWidth + 12], 0x080408u);
    EXPECT_EQ(plain.pixels[20 * kWidth + 13], 0xFFFFFFu);

    // Enlarged, an even colour stays that colour to the last pixel; the
    // bars beside it are black.
    frame.fill(kWhole, 0x6B4D);
    Window wide(1300, 900);
    scaler.setGeometry(kWidth, kHeight, 1300, 900);
    scaler.drawBars(wide.view);
    scaler.draw(frame.pixels.data(), kPitchPixels * 2, PixelLayout::Rgb565, kWhole, wide.view);
    const Rect area = scaler.fit().area;
    EXPECT_EQ(area.right - area.left, 1200);
    for (int y = 0; y < 900; ++y)
        for (int x = 0; x < 1300; ++x) {
            const bool inside = x >= area.left && x < area.right;
            ASSERT_EQ(wide.pixels[std::size_t(y) * 1300 + x], inside ? 0x6B696Bu : 0u) << x << ", " << y;
        }
}

TEST(PictureFit, MousePositionsMapToThePixelUnderThePointer) {
    const PictureFit scaled = fitPicture(800, 600, 1200, 900);
    for (int x = 0; x < 800; x += 7)
        for (int y = 0; y < 600; y += 11) {
            int wx = 0, wy = 0, px = 0, py = 0;
            scaled.toWindow(x, y, wx, wy);
            scaled.toPicture(wx, wy, px, py);
            ASSERT_EQ(px, x);
            ASSERT_EQ(py, y);
        }
    int x = 0, y = 0;
    scaled.toPicture(1199, 899, x, y);
    EXPECT_EQ(x, 799);
    EXPECT_EQ(y, 599);

    // Bars left and right: the picture starts after the left one, and the
    // bar itself lies outside the picture.
    const PictureFit barred = fitPicture(800, 600, 1000, 600);
    EXPECT_EQ(barred.area.left, 100);
    barred.toPicture(100, 0, x, y);
    EXPECT_EQ(x, 0);
    barred.toPicture(50, 0, x, y);
    EXPECT_LT(x, 0);
    barred.toPicture(950, 0, x, y);
    EXPECT_GE(x, 800);
}

TEST(PictureFit, SharpScalingShowsEveryPixelAsAWholeSquareWithBlackAround) {
    Frame frame;
    std::mt19937 random(7);
    for (std::uint16_t& p : frame.pixels) p = std::uint16_t(random());
    PictureScaler scaler;
    Window window(1700, 1300);
    scaler.setGeometry(kWidth, kHeight, 1700, 1300, Scaling::Sharp);
    scaler.drawBars(window.view);
    scaler.draw(frame.pixels.data(), kPitchPixels * 2, PixelLayout::Rgb565, kWhole, window.view);
    const Rect area = scaler.fit().area;
    ASSERT_EQ(area.left, 50);
    ASSERT_EQ(area.top, 50);
    ASSERT_EQ(area.right, 1650);
    ASSERT_EQ(area.bottom, 1250);
    PictureScaler plainScaler;
    Window plain(kWidth, kHeight);
    plainScaler.setGeometry(kWidth, kHeight, kWidth, kHeight);
    plainScaler.draw(frame.pixels.data(), kPitchPixels * 2, PixelLayout::Rgb565, kWhole, plain.view);
    for (int y = 0; y < 1300; ++y)
        for (int x = 0; x < 1700; ++x) {
            const bool inside = x >= area.left && x < area.right && y >= area.top && y < area.bottom;
            const std::uint32_t expected =
                inside ? plain.pixels[std::size_t((y - 50) / 2) * kWidth + std::size_t((x - 50) / 2)] : 0u;
            ASSERT_EQ(window.pixels[std::size_t(y) * 1700 + x], expected) << x << ", " << y;
        }

    // A changed corner drawn alone leaves the window as the whole frame would.
    frame.fill({790, 590, 800, 600}, 0xF800);
    Window whole(1700, 1300);
    scaler.drawBars(whole.view);
    scaler.draw(frame.pixels.data(), kPitchPixels * 2, PixelLayout::Rgb565, kWhole, whole.view);
    scaler.draw(frame.pixels.data(), kPitchPixels * 2, PixelLayout::Rgb565, {790, 590, 800, 600}, window.view);
    EXPECT_EQ(firstDifference(window, whole), "");

    // Smaller than the picture there is no whole multiple: smoothed to fit.
    const PictureFit small = fitPicture(800, 600, 700, 500, Scaling::Sharp);
    EXPECT_FALSE(small.wholeMultiple);
    EXPECT_EQ(small.area.right - small.area.left, 666);
    // The mouse maps through the squares.
    const PictureFit sharp = fitPicture(800, 600, 1700, 1300, Scaling::Sharp);
    int x = 0, y = 0;
    sharp.toPicture(50 + 2 * 123 + 1, 50 + 2 * 45, x, y);
    EXPECT_EQ(x, 123);
    EXPECT_EQ(y, 45);
}
