// The game's icon at every size a desktop asks for: a square picture with
// transparent corners (the plate is rounded), a gold frame along its edge
// and the purple gem filling its middle, at 16 pixels as at 256.

#include <gtest/gtest.h>

#include "generators.h"
#include "paint.h"

namespace {

// Polished gold runs from pale yellow to a deep brown in the middle of the sides.
bool gold(const Rgba& c) { return c.a > 0.9f && c.r > 0.45f && c.r > c.g && c.g > c.b + 0.1f; }
bool purple(const Rgba& c) { return c.a > 0.9f && c.r > c.g + 0.1f && c.b > c.g + 0.1f; }

TEST(GameIcon, EverySizeIsAFramedGemOnARoundedPlate) {
    for (int size : kIconSizes) {
        SCOPED_TRACE(size);
        const Image icon = gameIcon(size);
        ASSERT_EQ(icon.width, size);
        ASSERT_EQ(icon.height, size);
        for (int corner : {0, size - 1}) {
            EXPECT_EQ(unpackArgb(icon.at(corner, corner)).a, 0.0f);
            EXPECT_EQ(unpackArgb(icon.at(corner, size - 1 - corner)).a, 0.0f);
        }
        // The frame, somewhere in the outer tenth of each side's middle.
        const int mid = size / 2, reach = std::max(4, size / 10);
        bool top = false, left = false, bottom = false, right = false;
        for (int d = 0; d < reach; ++d) {
            top |= gold(unpackArgb(icon.at(mid, d)));
            bottom |= gold(unpackArgb(icon.at(mid, size - 1 - d)));
            left |= gold(unpackArgb(icon.at(d, mid)));
            right |= gold(unpackArgb(icon.at(size - 1 - d, mid)));
        }
        EXPECT_TRUE(top && bottom && left && right) << top << bottom << left << right;
        // The gem: purple around the centre, reaching out to a third of the size.
        int purplePixels = 0;
        for (int y = size / 3; y < size - size / 3; ++y)
            for (int x = size / 3; x < size - size / 3; ++x) purplePixels += purple(unpackArgb(icon.at(x, y)));
        const int middle = (size - 2 * (size / 3)) * (size - 2 * (size / 3));
        EXPECT_GT(purplePixels, middle / 2) << purplePixels << " of " << middle;
    }
}

}  // namespace
