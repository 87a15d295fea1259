#pragma once
// Where the picture lies in a window of any size: scaled as large as fits
// with its aspect kept, centred, black bars on the two other sides. The same
// rule the renderer's logical size follows, so a window shows the picture in
// the same place whichever way it is drawn, and mouse positions map back to
// the picture pixel under the pointer.
//
// Sharp scaling takes only whole multiples of the picture (the rest of the
// window black) and shows each picture pixel as a square of window pixels;
// a window smaller than the picture still gets the whole picture, smoothed.

#include "platform/backend.h"

namespace platform {

struct PictureFit {
    int pictureWidth = 0, pictureHeight = 0;
    int windowWidth = 0, windowHeight = 0;
    Rect area;  // the picture's place in the window, in window pixels
    bool wholeMultiple = false;  // sharp: every picture pixel the same square

    bool empty() const { return area.right <= area.left || area.bottom <= area.top; }
    // Window pixel to picture pixel (outside the picture gives positions
    // beyond its edges, as the renderer's mapping does), and back.
    void toPicture(int windowX, int windowY, int& x, int& y) const;
    void toWindow(int x, int y, int& windowX, int& windowY) const;
};

PictureFit fitPicture(int pictureWidth, int pictureHeight, int windowWidth, int windowHeight,
                      Scaling scaling = Scaling::Smooth);

}  // namespace platform
