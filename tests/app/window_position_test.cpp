#include "app/window_position.h"

#include <gtest/gtest.h>

TEST(WindowPosition, OnlyOutOfRangePositionsAreCentred) {
    GameSettings s;
    s.dwScrX = 800;
    s.dwScrY = 600;
    s.dwPosX = -5;
    s.dwPosY = 0;
    correctWindowPosition(s, 1024, 768);
    EXPECT_EQ(s.dwPosX, 112);
    EXPECT_EQ(s.dwPosY, 0);
    s.dwPosX = 1024;  // the screen's width is already off it
    s.dwPosY = 767;
    correctWindowPosition(s, 1024, 768);
    EXPECT_EQ(s.dwPosX, 112);
    EXPECT_EQ(s.dwPosY, 767);
}
