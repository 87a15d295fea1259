#pragma once
// TutorialPanel: the hint card that pauses play the first time a player
// meets something new (the first move, the last seconds, a coating flying
// off, a swap that made no line). It grows in over 120 ms, holds its five
// lines until any key or button, and fades out again. The game screen decides
// which entry to show and when; the panel only shows it.

#include <array>
#include <string>

#include "board/board_types.h"

class Font;
class Sprite;

constexpr int kTutorialLines = 5;
using TutorialText = std::array<std::string, kTutorialLines>;

class TutorialPanel {
public:
    static constexpr int kOpenMs = 120;
    static constexpr int kMaxLineLength = 255;

    // "data\hint.tga" and the help font.
    void load();

    // Opens at (x, y) (the spot the hint is about) with its text, growing in.
    void open(int x, int y, const TutorialText& text);
    // Any key or button: the panel fades out from where it stands.
    void startClosing();
    // Runs the opening or closing; false once it has closed.
    bool update(int milliseconds);
    // Puts the opening clock at `value` (0 hidden .. 1 fully open): the level
    // intro hands a panel it already showed over to play.
    void setOpening(float value);

    bool isOpen() const { return open_; }
    bool closing() const { return closing_; }
    int clock() const { return clock_; }
    int x() const { return x_; }
    int y() const { return y_; }
    const TutorialText& text() const { return text_; }

    void draw(Sprite& target) const;
    // The panel at (x, y) with its text, `opacity` 0..255; the text only
    // when fully opaque.
    void drawCard(Sprite& target, int x, int y, const TutorialText& text, int opacity) const;

private:
    int x_ = 400, y_ = 300;
    TutorialText text_;
    int clock_ = 0;
    bool closing_ = false;
    bool open_ = false;
    Sprite* image_ = nullptr;  // shared picture
    Font* font_ = nullptr;
};

// The tutorial texts of a mode: quest and action "data\menu\tutorial.ini",
// puzzle "tutpuzzle.ini", cube "tutcube.ini".
const char* tutorialFile(BoardMode mode);
// The five lines of an entry (section "0".."3", keys "str0".."str4"); a
// missing key leaves its line empty, a long one is cut.
TutorialText readTutorialText(BoardMode mode, int entry);
