#include "graphics/game_fonts.h"

#include "graphics/font.h"
#include "graphics/sprite_loading.h"

GameFonts& gameFonts() {
    static GameFonts fonts;
    return fonts;
}

void loadGameFonts() {
    GameFonts& fonts = gameFonts();
    fonts.menu = GetFont("DATA\\fonts\\fontmenu.tga");
    fonts.statics = GetFont("DATA\\fonts\\fontStatic.tga");
    fonts.dark = GetFont("DATA\\fonts\\font_dark.tga");
    fonts.help = GetFont("DATA\\fonts\\font_help.tga");
    fonts.combo = GetFont("DATA\\fonts\\combo.jpg");
}

void releaseGameFonts() {
    GameFonts& fonts = gameFonts();
    if (fonts.menu) ReleaseSprite(fonts.menu);
    fonts = GameFonts{};
}
