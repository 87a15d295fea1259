#pragma once
// HelpMenuScreen ("helpmenu"): the rules of the game as a book of pages in
// a sliding panel. Each page is a screen file of its own,
// "data\menu\help0.ini", "help1.ini", ..., read when the panel is loaded;
// the panel's own file holds the frame and the "prev", "next" and "ok"
// buttons. The main menu opens it at the first page; the game screen turns
// it to the page of the mode being played.
//
// Pages are drawn inside the panel and slide with it; they take no input.

#include <array>
#include <memory>

#include "game/game_session.h"
#include "screens/sliding_panel_screen.h"

class HelpMenuScreen : public SlidingPanelScreen, public PagedScreen {
public:
    static constexpr int kMaxPages = 10;

    // The pages first, then the panel's own file.
    void load(const char* file, const char* section) override;
    // Slides in at the first page.
    void onShow() override;
    int onCommand(UiElement* source) override;
    int update(int milliseconds) override;
    void draw(int ox, int oy, Sprite& target) override;

    // Turns to a page that exists; any other number leaves the page as it is.
    void setPage(int page) override;
    int page() const { return page_; }
    int pageCount() const { return pageCount_; }
    // A page as read; null beyond the last.
    const Screen* pageScreen(int index) const {
        return index >= 0 && index < pageCount_ ? pages_[static_cast<std::size_t>(index)].get() : nullptr;
    }

private:
    // "prev" only after the first page, "next" only before the last.
    void showTurnButtons();

    std::array<std::unique_ptr<Screen>, kMaxPages> pages_;
    int pageCount_ = 0;
    int page_ = 0;
};
