#pragma once
// The five fonts of the game, loaded once at start-up and shared by the
// controls, the game screen and the menus.

class Font;

struct GameFonts {
    Font* menu = nullptr;     // button captions
    Font* statics = nullptr;  // static and edit captions
    Font* dark = nullptr;
    Font* help = nullptr;
    Font* combo = nullptr;    // the large combo banner
};

GameFonts& gameFonts();

// Loads "DATA\fonts\fontmenu.tga", "fontStatic.tga", "font_dark.tga",
// "font_help.tga" and "combo.jpg", in that order.
void loadGameFonts();

// Releases the menu font and forgets all five (the display frees the rest).
void releaseGameFonts();
