#include "screens/profile_menu_screen.h"

#include <algorithm>

#include "config/game_settings.h"
#include "config/ini_store.h"
#include "game/progress_file.h"
#include "graphics/sprite.h"
#include "ui/screen_manager.h"
#include "ui/static_control.h"

namespace {

constexpr const char* kLanguage = "data\\language.ini";
// Rows stop before this line; at most eight fit above it.
constexpr int kRowsBottom = 390;

}  // namespace

ProfileMenuScreen::ProfileMenuScreen() = default;
ProfileMenuScreen::~ProfileMenuScreen() = default;

void ProfileMenuScreen::load(const char* file, const char* section) {
    SlidingPanelScreen::load(file, section);
    players_.load();
    rebuildRows();
}

void ProfileMenuScreen::rebuildRows() {
    const std::string create = iniReadString(kLanguage, "game", "createnewplayer");
    rows_.clear();
    const int shown = std::min(players_.size(), PlayerList::kShownPlayers);
    for (int row = 0; row <= shown; ++row) {
        auto control = std::make_unique<StaticControl>();
        control->setText(row == 0 ? create.c_str() : players_.name(row - 1).c_str());
        control->xs = kRowWidth;
        control->ys = kRowHeight;
        control->tabStop = true;
        rows_.push_back(std::move(control));
    }
    firstRow_ = std::clamp(firstRow_, 0, std::max(0, rowCount() - kVisibleRows));
    selectedRow_ = std::min(selectedRow_, rowCount() - 1);
}

const char* ProfileMenuScreen::rowText(int row) const {
    return row >= 0 && row < rowCount() ? rows_[static_cast<std::size_t>(row)]->caption() : "";
}

std::string ProfileMenuScreen::selectedPlayerName() const {
    return selectedRow_ > 0 && selectedRow_ <= players_.size() ? players_.name(selectedRow_ - 1) : std::string();
}

void ProfileMenuScreen::onShow() {
    setFocus(nullptr);
    SlidingPanelScreen::onShow();
    const int current = gameSettings().currentPlayerIndex;
    if (current >= PlayerList::kShownPlayers && current < players_.size()) {
        // The current player is one the list cannot show: nothing is
        // selected rather than somebody else.
        selectedRow_ = -1;
    } else {
        selectedRow_ = std::clamp(current + 1, 0, rowCount() - 1);
    }
    keepSelectionInView();
    showScrollButtons();
}

void ProfileMenuScreen::keepSelectionInView() {
    if (selectedRow_ < 0) return;
    if (selectedRow_ < firstRow_) firstRow_ = selectedRow_;
    if (selectedRow_ >= firstRow_ + kVisibleRows) firstRow_ = selectedRow_ - kVisibleRows + 1;
}

void ProfileMenuScreen::showScrollButtons() {
    if (UiElement* up = findChild("up")) up->visible = firstRow_ > 0;
    if (UiElement* down = findChild("down")) down->visible = firstRow_ + kVisibleRows < rowCount();
}

void ProfileMenuScreen::scrollUp() {
    if (firstRow_ > 0) --firstRow_;
    showScrollButtons();
}

void ProfileMenuScreen::scrollDown() {
    if (firstRow_ + kVisibleRows < rowCount()) ++firstRow_;
    showScrollButtons();
}

int ProfileMenuScreen::update(int milliseconds) {
    const int result = SlidingPanelScreen::update(milliseconds);
    if (UiElement* remove = findChild("delete")) remove->enabled = selectedRow_ > 0;
    return result;
}

void ProfileMenuScreen::draw(int ox, int oy, Sprite& target) {
    (void)ox;
    (void)oy;
    drawPanel(target);
    const int dx = panelX();
    const int shownAt = selectedRow_ - firstRow_;
    if (selectedRow_ >= 0 && shownAt >= 0 && shownAt < kVisibleRows && selectedRow_ < rowCount()) {
        const int top = kRowY + kRowHeight * shownAt;
        target.FillRect(dx + kRowX + 1, top, dx + kRowX + kRowWidth - 3, top + kRowHeight, 0xFF000000u);
    }
    for (int row = firstRow_, y = kRowY; row < rowCount() && y < kRowsBottom; ++row, y += kRowHeight) {
        StaticControl& control = *rows_[static_cast<std::size_t>(row)];
        control.x = kRowX;
        control.y = y;
        control.draw(dx, 0, target);
    }
}

int ProfileMenuScreen::rowAt(int px, int py) const {
    for (int row = firstRow_, y = kRowY; row < rowCount() && y < kRowsBottom; ++row, y += kRowHeight) {
        if (px > kRowX && px < kRowX + kRowWidth && py > y && py < y + kRowHeight) return row;
    }
    return -1;
}

int ProfileMenuScreen::mouseEvent(platform::WParam wParam, platform::LParam lParam) {
    rowUnderMouse_ = rowAt(platform::mouseX(lParam), platform::mouseY(lParam));
    return SlidingPanelScreen::mouseEvent(wParam, lParam);
}

bool ProfileMenuScreen::takesArrowKey(int key) const {
    return key == static_cast<int>(platform::VK_UP) || key == static_cast<int>(platform::VK_DOWN);
}

int ProfileMenuScreen::keyDown(int key, platform::LParam lParam) {
    if (key == platform::VK_RETURN) {
        confirmRow(selectedRow_);
        return 0;
    }
    if (key == platform::VK_UP || key == platform::VK_DOWN) {
        selectNeighbourRow(key == platform::VK_UP ? -1 : 1);
        return 0;
    }
    if (key == 1) {
        const int row = rowUnderMouse_;
        // The create row opens the name dialog at the first click; a
        // player's row is confirmed by a second click.
        if (row == 0 || (row > 0 && row == selectedRow_)) confirmRow(row);
        if (row >= 0) selectedRow_ = row;
    }
    return SlidingPanelScreen::keyDown(key, lParam);
}

int ProfileMenuScreen::onCommand(UiElement* source) {
    if (!source) return 0;
    const char* name = source->name();
    if (sameName(name, "cancel")) {
        slideOut();
    } else if (sameName(name, "ok")) {
        confirmRow(selectedRow_);
    } else if (sameName(name, "delete")) {
        if (selectedRow_ > 0)
            if (ScreenManager* owner = manager()) owner->showOverlay("deletedialog");
    } else if (sameName(name, "up")) {
        scrollUp();
    } else if (sameName(name, "down")) {
        scrollDown();
    }
    return 0;
}

// Up and Down walk the rows, scrolling the list with the selection.
void ProfileMenuScreen::selectNeighbourRow(int step) {
    if (rowCount() == 0) return;
    selectedRow_ = selectedRow_ < 0 ? 0 : std::clamp(selectedRow_ + step, 0, rowCount() - 1);
    keepSelectionInView();
    showScrollButtons();
}

void ProfileMenuScreen::confirmRow(int row) {
    if (row == 0) {
        openNameDialog();
    } else if (row > 0 && row < rowCount()) {
        selectPlayer(row);
        slideOut();
    }
}

void ProfileMenuScreen::openNameDialog() {
    ScreenManager* owner = manager();
    if (!owner) return;
    Screen* dialog = owner->showOverlay("editname");
    if (!dialog) return;
    if (UiElement* cancel = dialog->findChild("cancel")) {
        cancel->enabled = true;
        cancel->visible = true;
    }
}

void ProfileMenuScreen::selectPlayer(int row) {
    if (row <= 0 || row > players_.size()) return;
    GameSettings& settings = gameSettings();
    settings.currentPlayerIndex = row - 1;
    settings.currentPlayerName = players_.name(row - 1);
    iniWriteInt(kProfilesIni, "main", "current", settings.currentPlayerIndex);
}

ProfileMenuScreen::AddResult ProfileMenuScreen::addPlayer(const std::string& typed) {
    const std::string name = storablePlayerName(typed);
    if (name.empty()) return AddResult::EmptyName;
    GameSettings& settings = gameSettings();
    const int existing = players_.find(name);
    if (existing >= 0) {
        // The player as the list spells it, so the same files are used.
        settings.currentPlayerIndex = existing;
        settings.currentPlayerName = players_.name(existing);
        iniWriteInt(kProfilesIni, "main", "current", existing);
        if (existing + 1 < rowCount()) selectedRow_ = existing + 1;
        return AddResult::Existing;
    }
    const int index = players_.add(name);
    if (index < 0) return AddResult::ListFull;
    settings.currentPlayerIndex = index;
    settings.currentPlayerName = name;
    // A new player is shown the tips.
    settings.showTips = true;
    rebuildRows();
    selectedRow_ = index + 1;
    keepSelectionInView();
    showScrollButtons();
    players_.save(index);
    return AddResult::Added;
}

void ProfileMenuScreen::deletePlayer(int row) {
    if (row <= 0 || row > players_.size()) return;
    const int index = row - 1;
    // All of the player's files, the saved cube board too: a new player of
    // the same name must not find a stranger's board.
    deleteProfileFiles(players_.name(index));
    players_.remove(index);
    GameSettings& settings = gameSettings();
    if (index == settings.currentPlayerIndex) {
        // The main menu asks for a name next.
        settings.currentPlayerName.clear();
    } else if (index < settings.currentPlayerIndex) {
        // The current player moved up a place; the index must follow, or
        // it would name the player after them.
        --settings.currentPlayerIndex;
    }
    rebuildRows();
    showScrollButtons();
    players_.save(settings.currentPlayerIndex);
}
