#pragma once
// ProfileMenuScreen ("profilemenu"): the player list, a sliding panel over
// the main menu. Its first row creates a new player; the others are the
// players of profiles.ini, eight at a time, scrolled with "up" and "down".
// A click selects a row and a second click on it (or Enter, or "ok") makes
// that player the current one; Up and Down select from the keyboard.
// "delete" asks first ("deletedialog").
//
// The rows are drawn by the screen, not listed in its file: they follow the
// players, and the panel's highlight is drawn under them.

#include <memory>
#include <string>
#include <vector>

#include "config/player_list.h"
#include "screens/sliding_panel_screen.h"

class StaticControl;

class ProfileMenuScreen : public SlidingPanelScreen {
public:
    static constexpr int kVisibleRows = 8;
    static constexpr int kRowX = 395, kRowY = 190, kRowWidth = 228, kRowHeight = 25;

    ProfileMenuScreen();
    ~ProfileMenuScreen() override;

    // The screen file, then the players.
    void load(const char* file, const char* section) override;
    // Slides in with the current player's row selected and in view.
    void onShow() override;
    int update(int milliseconds) override;
    void draw(int ox, int oy, Sprite& target) override;
    int keyDown(int key, platform::LParam lParam) override;
    // Up and Down choose a row; Left and Right walk the buttons.
    bool takesArrowKey(int key) const override;
    int mouseEvent(platform::WParam wParam, platform::LParam lParam) override;
    int onCommand(UiElement* source) override;

    enum class AddResult { Added, Existing, ListFull, EmptyName };
    // Makes the named player the current one: an existing name (letter
    // case aside) selects that player, a new one is added and saved. A
    // full list takes no new player and changes nothing.
    AddResult addPlayer(const std::string& typed);
    // Deletes the player of the row (row 1 is the first player) with all
    // of that player's files.
    void deletePlayer(int row);

    int rowCount() const { return static_cast<int>(rows_.size()); }
    int firstVisibleRow() const { return firstRow_; }
    int selectedRow() const { return selectedRow_; }
    int rowUnderMouse() const { return rowUnderMouse_; }
    const char* rowText(int row) const;
    // The player of the selected row; empty for the create row.
    std::string selectedPlayerName() const;
    const PlayerList& players() const { return players_; }

    void scrollUp();
    void scrollDown();

private:
    void rebuildRows();
    void showScrollButtons();
    void keepSelectionInView();
    void selectNeighbourRow(int step);
    // Row under the point among the visible ones, -1 if none.
    int rowAt(int px, int py) const;
    // Makes the row's player current and writes it to profiles.ini.
    void selectPlayer(int row);
    void confirmRow(int row);
    // The name dialog; from the list its "cancel" always works, since the
    // list is there to go back to.
    void openNameDialog();

    PlayerList players_;
    std::vector<std::unique_ptr<StaticControl>> rows_;
    int firstRow_ = 0;
    int selectedRow_ = 0;
    int rowUnderMouse_ = -1;
};
