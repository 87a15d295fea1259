#pragma once
// FloatingText: the points a piece or a gem earned, "+30", rising from where
// they were earned and gone after a short while.

#include "ui/effect.h"

class Font;

class FloatingText : public Effect {
public:
    static constexpr int kLifetimeMs = 700;
    static constexpr float kRise = 0.0175f;  // px/ms

    // A null font draws nothing.
    FloatingText(Font* font, float x, float y, int points);

    int step(int dt) override;
    void render(Sprite& surface) override;

    const char* text() const { return text_; }

private:
    Font* font_ = nullptr;
    char text_[16] = {};
};
