#pragma once
// HighScoresScreen ("highscores"): the ten best quest scores in a sliding
// panel, opened from the main menu and once after a won quest. It opens
// without a sound; "ok" and Escape slide it out. Free entries read "Empty".

#include <string>

#include "screens/sliding_panel_screen.h"

class HighScoresScreen : public SlidingPanelScreen {
public:
    HighScoresScreen();

    // The screen file, then the text of a free entry ([game] "empty").
    void load(const char* file, const char* section) override;
    int onCommand(UiElement* source) override;
    // The panel, then the table at the panel's current place.
    void draw(int ox, int oy, Sprite& target) override;

    // Where the rows lie, relative to the panel's top-left corner.
    static constexpr int kFirstRowY = 90, kRowStep = 34;
    static constexpr int kRankX = 90, kNameX = 120, kScoreRightX = 360;

private:
    std::string emptyText_;
};
