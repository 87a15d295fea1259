#include "screens/help_menu_screen.h"

#include <cstdio>

#include "config/ini_store.h"
#include "graphics/game_fonts.h"

void HelpMenuScreen::load(const char* file, const char* section) {
    // The pages are numbered without gaps: the first missing file ends the book.
    for (int n = 0; n < kMaxPages; ++n) {
        char path[64];
        std::snprintf(path, sizeof path, "data\\menu\\help%d.ini", n);
        if (!fileExists(path)) break;
        auto page = std::make_unique<Screen>();
        // Pages are read, so their captions are set in the reading type.
        page->childFont = gameFonts().help;
        page->load(path, "main");
        pages_[n] = std::move(page);
        pageCount_ = n + 1;
    }
    SlidingPanelScreen::load(file, section);
    showTurnButtons();
}

void HelpMenuScreen::onShow() {
    SlidingPanelScreen::onShow();
    page_ = 0;
    if (pages_[0]) pages_[0]->onShow();
    showTurnButtons();
}

void HelpMenuScreen::setPage(int page) {
    if (page < 0 || page >= pageCount_) return;
    page_ = page;
    // A page's pictures start their animations from the beginning.
    pages_[page]->onShow();
    showTurnButtons();
}

int HelpMenuScreen::onCommand(UiElement* source) {
    if (!source) return 0;
    if (sameName(source->name(), "prev")) {
        setPage(page_ - 1);
    } else if (sameName(source->name(), "next")) {
        setPage(page_ + 1);
    } else if (sameName(source->name(), "ok")) {
        slideOut();
    }
    return 0;
}

int HelpMenuScreen::update(int milliseconds) {
    if (Screen* page = page_ < pageCount_ ? pages_[page_].get() : nullptr) page->update(milliseconds);
    return SlidingPanelScreen::update(milliseconds);
}

void HelpMenuScreen::showTurnButtons() {
    if (UiElement* prev = findChild("prev")) prev->visible = page_ > 0;
    if (UiElement* next = findChild("next")) next->visible = page_ + 1 < pageCount_;
}

void HelpMenuScreen::draw(int ox, int oy, Sprite& target) {
    (void)ox;
    (void)oy;
    showTurnButtons();
    drawPanel(target);
    if (page_ < pageCount_) pages_[page_]->draw(panelX() + x, y, target);
}
