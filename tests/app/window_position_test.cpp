#include "app/window_position.h"

#include <optional>
#include <string>

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

TEST(WindowPosition, TheWindowOpensAsThePlayerSetItOrLeftItOrElseFresh) {
    const platform::WindowPlacement usable{0, 30, 1600, 970}, fresh{200, 65, 1200, 900};
    GameSettings shipped;  // game.ini as installed: no position, the picture's size
    shipped.dwPosX = shipped.dwPosY = -1;
    shipped.dwScrX = 800;
    shipped.dwScrY = 600;
    const WindowRequest none = windowRequestOf(shipped);
    EXPECT_FALSE(none.positionGiven);
    EXPECT_FALSE(none.sizeGiven);

    auto open = [&](const WindowRequest& r, std::optional<platform::WindowPlacement> remembered) {
        const platform::WindowPlacement w = openingWindowPlacement(r, remembered, fresh, usable);
        return std::to_string(w.x) + "," + std::to_string(w.y) + " " + std::to_string(w.width) + "x" +
               std::to_string(w.height);
    };
    EXPECT_EQ(open(none, std::nullopt), "200,65 1200x900");
    EXPECT_EQ(open(none, platform::WindowPlacement{40, 50, 1000, 750}), "40,50 1000x750");
    // A remembered window the desktop no longer holds gives way to a fresh one.
    EXPECT_EQ(open(none, platform::WindowPlacement{900, 50, 1000, 750}), "200,65 1200x900");

    // The player's own game.ini wins, each of position and size on its own.
    GameSettings placed = shipped;
    placed.dwPosX = 10;
    placed.dwPosY = 0;
    EXPECT_EQ(open(windowRequestOf(placed), platform::WindowPlacement{40, 50, 1000, 750}), "10,0 1000x750");
    GameSettings sized = shipped;
    sized.dwScrX = 1024;
    sized.dwScrY = 768;
    EXPECT_EQ(open(windowRequestOf(sized), platform::WindowPlacement{40, 50, 1000, 750}), "40,50 1024x768");
    EXPECT_EQ(open(windowRequestOf(sized), std::nullopt), "288,131 1024x768");
    // A size no one could play in is not a choice.
    sized.dwScrX = 20;
    EXPECT_FALSE(windowRequestOf(sized).sizeGiven);
}
