#include "screens/letter_grid.h"

#include "config/ini_store.h"
#include "graphics/font.h"
#include "graphics/game_fonts.h"
#include "graphics/sprite.h"
#include "graphics/sprite_loading.h"
#include "platform/win_messages.h"
#include "ui/focus_mark.h"

namespace {

constexpr const char* kPanel = "data\\menu\\lettergrid_panel.tga";
constexpr const char* kLanguage = "data\\language.ini";
constexpr int kMargin = 8;

// The letters of Latin-1 in the order a player looks for them.
std::string gridLetters() {
    std::string letters;
    for (char c = 'A'; c <= 'Z'; ++c) letters += c;
    for (char c = 'a'; c <= 'z'; ++c) letters += c;
    for (int c = 0xC0; c <= 0xFF; ++c)
        if (c != 0xD7 && c != 0xF7) letters += static_cast<char>(c);  // not the times and divide signs
    return letters;
}

}  // namespace

LetterGrid::LetterGrid() {
    const std::string letters = gridLetters();
    int at = 0;
    for (char letter : letters) {
        cells_.push_back({Pick::Letter, letter, at % kColumns, at / kColumns, 1});
        ++at;
    }
    // The bottom row: space, delete and done, a third of the width each.
    cells_.push_back({Pick::Space, 0, 0, kRows - 1, 6});
    cells_.push_back({Pick::Delete, 0, 6, kRows - 1, 7});
    cells_.push_back({Pick::Done, 0, 13, kRows - 1, 7});
}

int LetterGrid::cellAt(int column, int row) const {
    for (std::size_t i = 0; i < cells_.size(); ++i) {
        const Cell& c = cells_[i];
        if (c.row == row && column >= c.column && column < c.column + c.span) return static_cast<int>(i);
    }
    return -1;
}

bool LetterGrid::move(int key) {
    int dx = 0, dy = 0;
    switch (static_cast<platform::WParam>(key)) {
    case platform::VK_LEFT: dx = -1; break;
    case platform::VK_RIGHT: dx = 1; break;
    case platform::VK_UP: dy = -1; break;
    case platform::VK_DOWN: dy = 1; break;
    default: return false;
    }
    const Cell& from = marked();
    int column = dx > 0 ? from.column + from.span - 1 : from.column, row = from.row;
    // An empty place is passed over in the same direction.
    for (int step = 0; step < kColumns * kRows; ++step) {
        column = (column + dx + kColumns) % kColumns;
        row = (row + dy + kRows) % kRows;
        const int next = cellAt(column, row);
        if (next >= 0 && next != marked_) {
            marked_ = next;
            break;
        }
    }
    return true;
}

void LetterGrid::draw(Sprite& target, int centreX, int y, int clock) const {
    Sprite* panel = GetSprite(kPanel);
    if (!panel || panel->width() <= 2 * kMargin) return;
    const int x = centreX - panel->width() / 2;
    target.Blit(x, y, *panel, BLEND_NORMAL, 0);
    const int cellWidth = (panel->width() - 2 * kMargin) / kColumns;
    const int cellHeight = (panel->height() - 2 * kMargin) / kRows;
    Font* font = gameFonts().statics;
    static const char* const kWords[] = {"gridspace", "griddelete", "griddone"};
    for (const Cell& c : cells_) {
        const int left = x + kMargin + c.column * cellWidth, top = y + kMargin + c.row * cellHeight;
        const int width = c.span * cellWidth;
        if (font) {
            std::string text(1, c.letter);
            if (c.pick != Pick::Letter) text = iniReadString(kLanguage, "game", kWords[static_cast<int>(c.pick) - 1]);
            DrawText(target, font, left + width / 2, top + cellHeight / 2, text.c_str(), 0, 0, 0);
        }
        if (&c == &marked()) drawFocusMark(target, left + 2, top + 2, width - 4, cellHeight - 4, clock);
    }
}
