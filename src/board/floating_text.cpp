#include "board/floating_text.h"

#include <cstdio>

#include "graphics/font.h"

FloatingText::FloatingText(Font* font, float px, float py, int points) : font_(font) {
    x = px;
    y = py;
    lifetime = kLifetimeMs;
    std::snprintf(text_, sizeof text_, "+%d", points);
}

int FloatingText::step(int dt) {
    y -= float(dt) * kRise;
    return Effect::step(dt);
}

void FloatingText::render(Sprite& surface) {
    if (font_) DrawText(surface, font_, pixelOf(x), pixelOf(y), text_, 0, 0, 0);
}
