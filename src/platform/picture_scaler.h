#pragma once
// The 16-bit picture drawn into a 32-bit window (0x00RRGGBB pixels) at the
// place fitPicture gives it, smoothed as a graphics card's linear filter
// smooths it: each window pixel blends the four picture pixels around the
// point it samples, pixel centres on pixel centres. At the picture's own size
// that is a plain copy; at a sharp fit's whole multiple each window pixel
// takes the one picture pixel it lies in.
//
// Any rectangle of the picture can be drawn on its own: the scaler writes
// every window pixel whose blend reads a pixel of that rectangle, and no
// other, so drawing the changed parts of a new frame leaves the window
// exactly as drawing the whole frame would.

#include <cstdint>
#include <vector>

#include "platform/backend.h"
#include "platform/picture_fit.h"

namespace platform {

struct WindowPixels {
    std::uint32_t* pixels = nullptr;
    int width = 0, height = 0;
    int pitchBytes = 0;
};

class PictureScaler {
public:
    // The picture's size and the window's; a change of either starts anew.
    void setGeometry(int pictureWidth, int pictureHeight, int windowWidth, int windowHeight,
                     Scaling scaling = Scaling::Smooth);
    const PictureFit& fit() const { return fit_; }

    // Draws the window pixels that depend on `changed` (picture pixels) and
    // returns the window rectangle they lie in (empty if none).
    Rect draw(const std::uint16_t* pixels, int pitchBytes, PixelLayout layout, const Rect& changed,
              WindowPixels& window);
    // The bars beside the picture, black.
    void drawBars(WindowPixels& window) const;

private:
    // One axis: for each window pixel across the picture, the two picture
    // pixels it blends and the weight of the second, in 256ths.
    struct Taps {
        std::vector<int> first, second;
        std::vector<std::uint32_t> weight;
        // The window pixels (0-based inside the picture's area) reading any
        // picture pixel of [from, to).
        void reach(int from, int to, int& begin, int& end) const;
    };
    static Taps taps(int pictureSize, int windowSize, bool nearest);
    // One picture row blended across the window columns [begin, end).
    void blendRow(const std::uint16_t* row, PixelLayout layout, int begin, int end, std::uint32_t* out);

    PictureFit fit_;
    Scaling scaling_ = Scaling::Smooth;
    Taps across_, down_;
    std::vector<std::uint32_t> widened_;        // one picture row at 8 bits a channel
    std::vector<std::uint32_t> upper_, lower_;  // the two blended rows in hand
};

}  // namespace platform
