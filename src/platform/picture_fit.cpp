#include "platform/picture_fit.h"

#include <cmath>
#include <cstdint>

namespace platform {

PictureFit fitPicture(int pictureWidth, int pictureHeight, int windowWidth, int windowHeight, Scaling scaling) {
    PictureFit fit;
    fit.pictureWidth = pictureWidth;
    fit.pictureHeight = pictureHeight;
    fit.windowWidth = windowWidth;
    fit.windowHeight = windowHeight;
    if (pictureWidth <= 0 || pictureHeight <= 0 || windowWidth <= 0 || windowHeight <= 0) return fit;
    // The window's shape against the picture's, as cross products, so equal
    // shapes fill the window exactly: a wider window gets bars left and
    // right, a taller one above and below.
    const std::int64_t byWidth = std::int64_t(windowWidth) * pictureHeight;
    const std::int64_t byHeight = std::int64_t(windowHeight) * pictureWidth;
    int width = windowWidth, height = windowHeight;
    if (byWidth > byHeight) width = int(byHeight / pictureHeight);   // bars left and right
    else if (byWidth < byHeight) height = int(byWidth / pictureWidth);  // bars above and below
    if (scaling == Scaling::Sharp && width >= pictureWidth) {
        const int times = width / pictureWidth;
        width = pictureWidth * times;
        height = pictureHeight * times;
        fit.wholeMultiple = true;
    }
    fit.area.left = (windowWidth - width) / 2;
    fit.area.top = (windowHeight - height) / 2;
    fit.area.right = fit.area.left + width;
    fit.area.bottom = fit.area.top + height;
    return fit;
}

void PictureFit::toPicture(int windowX, int windowY, int& x, int& y) const {
    if (empty()) {
        x = windowX;
        y = windowY;
        return;
    }
    const std::int64_t w = area.right - area.left, h = area.bottom - area.top;
    x = int(std::floor(double(std::int64_t(windowX - area.left) * pictureWidth) / double(w)));
    y = int(std::floor(double(std::int64_t(windowY - area.top) * pictureHeight) / double(h)));
}

void PictureFit::toWindow(int x, int y, int& windowX, int& windowY) const {
    if (empty()) {
        windowX = x;
        windowY = y;
        return;
    }
    // The middle of the picture pixel's patch of window.
    const std::int64_t w = area.right - area.left, h = area.bottom - area.top;
    windowX = area.left + int((std::int64_t(2 * x + 1) * w) / (2 * std::int64_t(pictureWidth)));
    windowY = area.top + int((std::int64_t(2 * y + 1) * h) / (2 * std::int64_t(pictureHeight)));
}

}  // namespace platform
