#pragma once
// ScreenNotice: one line the game has to tell the player whatever screen is
// up ("Your progress could not be saved: No space left on device"), drawn on
// a darkened band along the bottom of the picture over every screen for a
// few seconds, then gone. Play goes on underneath.

#include <string>

class Sprite;

class ScreenNotice {
public:
    static constexpr int kShowMs = 6000;

    void show(std::string text);
    void update(int milliseconds);
    void draw(Sprite& target) const;
    bool shown() const { return !text_.empty(); }
    const std::string& text() const { return text_; }

private:
    std::string text_;
    int leftMs_ = 0;
};
