#include "screens/high_scores_screen.h"

#include <cstdio>
#include <cstring>

#include "config/game_settings.h"
#include "config/game_texts.h"
#include "config/number_format.h"
#include "graphics/font.h"
#include "graphics/game_fonts.h"
#include "graphics/sprite.h"
#include "graphics/sprite_loading.h"

namespace {

// What a free entry reads when the language file does not say.
constexpr const char* kEmptyEntry = "Empty";
// How strongly that word shows: a free place reads as free at a glance.
constexpr int kEmptyOpacity = 100;
// Room round it in its picture, for glyphs that reach before their place.
constexpr int kEmptyMargin = 4;

}  // namespace

HighScoresScreen::HighScoresScreen() { setSilentShow(true); }

void HighScoresScreen::load(const char* file, const char* section) {
    SlidingPanelScreen::load(file, section);
    emptyText_ = gameText("empty");
    if (emptyText_.empty()) emptyText_ = kEmptyEntry;
    Font* font = gameFonts().statics;
    const int width = TextWidth(font, emptyText_.c_str());
    if (!emptyPicture_ && font && width > 0 && font->lineHeight > 0) {
        emptyPicture_ = CreateSpriteWithAlpha(width + 2 * kEmptyMargin, font->lineHeight, "", 0);
        // Set one pixel further right than DrawText sets it, so it lands where
        // DrawText would have put it.
        if (emptyPicture_) DrawTextWithAlpha(*emptyPicture_, font, kEmptyMargin + 1, 0, emptyText_.c_str());
    }
}

HighScoresScreen::~HighScoresScreen() { ReleaseSprite(emptyPicture_); }

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
        if (name.empty()) {
            // A free place: its word faded, and no score.
            if (emptyPicture_ && font)
                target.BlitFaded(left + kNameX - kEmptyMargin, rowY - font->lineHeight / 2, *emptyPicture_,
                                 kEmptyOpacity, 0);
            continue;
        }
        DrawText(target, font, left + kNameX, rowY, name.c_str(), 0, -1, 0);
        DrawText(target, font, left + kScoreRightX, rowY, formatThousands(entry.score).c_str(), 0, 1, 0);
    }
}
