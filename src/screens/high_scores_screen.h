#pragma once
// HighScoresScreen ("highscores"): the ten best quest scores in a sliding
// panel, opened from the main menu and once after a won quest. It opens
// without a sound; "ok" and Escape slide it out. Scores are written with
// thousands separators, as everywhere in the game; a free place reads
// "Empty", faded, with no score beside it.

#include <string>

#include "screens/sliding_panel_screen.h"

class HighScoresScreen : public SlidingPanelScreen {
public:
    HighScoresScreen();
    ~HighScoresScreen() override;

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
    Sprite* emptyPicture_ = nullptr;  // that text set in the static font; registered, released here
};
