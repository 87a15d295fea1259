#pragma once
// The three mouse pointers, each with its point on its hot spot.

#include "image.h"

Image systemCursorPicture();   // DATA\game.cur, 32 x 32, hot spot 1, 1
Image pointerPicture();        // data\custom_cursor.jpg, hot spot 19, 19
Image magicWandPicture();      // data\magic_wand.tga, hot spot 13, 13
