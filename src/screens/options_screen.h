#pragma once
// OptionsScreen ("options" over the main menu, "resumemenu" over a game):
// the sliding panel with the effects and music volumes, full screen and the
// game's own cursor. The bars set their volume while they are dragged; the
// volumes, like the boxes, are written to game.ini when the game exits.
// From the resume menu "mainmenu" saves the game in progress and asks
// whether to leave it.
//
// Over the main menu the panel also has "language": each press steps to
// the next choice (the desktop's language, then every language the game
// has), written to game.ini at once and in force from the next start, as
// "language_note" says while the choice differs from the one in force.

#include "screens/sliding_panel_screen.h"

class OptionsScreen : public SlidingPanelScreen {
public:
    // Puts the bars and boxes at the settings in force, then slides in.
    void onShow() override;
    int onCommand(UiElement* source) override;

private:
    void setFullScreen(bool on);
    void stepLanguage();
    // The language button's caption and the note, for the choice made.
    void showLanguageChoice();
};
