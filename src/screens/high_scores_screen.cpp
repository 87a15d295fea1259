#include "screens/high_scores_screen.h"

#include <cstdio>
#include <cstring>

#include "config/game_settings.h"
#include "config/game_texts.h"
#include "graphics/font.h"
#include "graphics/game_fonts.h"

namespace {

// What a free entry reads when the language file does not say.
constexpr const char* kEmptyEntry = "Empty";

}  // namespace

HighScoresScreen::HighScoresScreen() { setSilentShow(true); }

void HighScoresScreen::load(const char* file, const char* section) {
    SlidingPanelScreen::load(file, section);
    emptyText_ = gameText("empty");
    if (emptyText_.empty()) emptyText_ = kEmptyEntry;
}

int HighScoresScreen::onCommand(UiElement* source) {
    if (source && sameName(source->name(), "ok")) slideOut();
    return 0;
}

void HighScoresScreen::draw(int ox, int oy, Sprite& target) {
    (void)ox;
    (void)oy;
    drawPanel(target);
    Font* font = gameFonts().statics;
    const int left = x + panelX();
    const auto& table = gameSettings().highScoreTable;
    for (int rank = 0; rank < static_cast<int>(table.size()); ++rank) {
        const HighScoreEntry& entry = table[rank];
        const int rowY = y + kFirstRowY + kRowStep * rank;
        char number[16];
        std::snprintf(number, sizeof number, "%d.", rank + 1);
        DrawText(target, font, left + kRankX, rowY, number, 0, -1, 0);
        // A name read from a damaged file may fill its field to the last byte.
        const std::string name(entry.name, strnlen(entry.name, sizeof entry.name));
        DrawText(target, font, left + kNameX, rowY, name.empty() ? emptyText_.c_str() : name.c_str(), 0, -1, 0);
        std::snprintf(number, sizeof number, "%d", static_cast<int>(entry.score));
        DrawText(target, font, left + kScoreRightX, rowY, number, 0, 1, 0);
    }
}
