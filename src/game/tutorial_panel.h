#pragma once
// TutorialPanel: the hint card that pauses play the first time a player
// meets something new (the first move, the last seconds, a coating flying
// off, a swap that made no line). It grows in over 120 ms, holds its five
// lines until any key or button, and fades out again. The game screen decides
// which entry to show and when; the panel only shows it.
//
// The card's pointer ends on the spot the entry is about. It stands above
// and right of the spot, turned the other way where it would reach over the
// side panel, and hangs below the spot where it would reach up over the
// gem collector's rings: the HUD stays readable. While it waits for the
// player, a gold arrow pulses after its last line (the texts end with the
// line that says how to go on).

#include <array>
#include <string>

#include "board/board_types.h"

class Font;
class Sprite;

constexpr int kTutorialLines = 5;
using TutorialText = std::array<std::string, kTutorialLines>;

// Where a card stands for a spot: its picture's top-left, and which way it
// is turned (`mirrored`: pointer on the right; `below`: the card hangs
// under the spot, pointer up).
struct CardPlace {
    static constexpr int kSpotX = 58, kSpotY = 140;  // the pointer's end, untouched
    int left = 0, top = 0;
    bool mirrored = false, below = false;
};

// Where a card of that size stands for the spot (x, y): above and right of
// it, its pointer (at kSpotX, kSpotY in the picture) ending on the spot;
// turned where it would reach over the HUD.
CardPlace placeCard(int x, int y, int width, int height);

class TutorialPanel {
public:
    static constexpr int kOpenMs = 120;
    static constexpr int kMaxLineLength = 255;
    // The card keeps left of the side panel and below the rings at the top.
    static constexpr int kHudLeft = 635;
    static constexpr int kHudTop = 58;

    TutorialPanel() = default;
    ~TutorialPanel();
    TutorialPanel(const TutorialPanel&) = delete;
    TutorialPanel& operator=(const TutorialPanel&) = delete;

    // "data\hint.tga", its turned copies, and the help font.
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
    // Back from a dialog that stood in front of it: it grows in again.
    void growInAgain();

    bool isOpen() const { return open_; }
    bool closing() const { return closing_; }
    // Fully open and waiting for the player.
    bool waiting() const { return open_ && !closing_ && clock_ >= kOpenMs; }
    int clock() const { return clock_; }
    int x() const { return x_; }
    int y() const { return y_; }
    const TutorialText& text() const { return text_; }
    // Whether the open card's face (not its pointer) lies over the point.
    bool covers(int px, int py) const;

    // Where this card stands for the spot (x, y).
    CardPlace placeFor(int x, int y) const;

    void draw(Sprite& target) const;
    // The panel at (x, y) with its text, `opacity` 0..255; the text only
    // when fully opaque.
    void drawCard(Sprite& target, int x, int y, const TutorialText& text, int opacity) const;

private:
    Sprite* pictureFor(const CardPlace& place) const;
    void drawWaitingArrow(Sprite& target, const CardPlace& place) const;

    int x_ = 400, y_ = 300;
    TutorialText text_;
    int clock_ = 0;
    int waitMs_ = 0;  // how long it has waited, for the arrow's pulse
    bool closing_ = false;
    bool open_ = false;
    Sprite* image_ = nullptr;  // shared picture
    // Turned copies: registered, released here.
    Sprite* mirrored_ = nullptr;
    Sprite* below_ = nullptr;
    Sprite* belowMirrored_ = nullptr;
    Font* font_ = nullptr;
};

// The tutorial texts of a mode: quest and action "data\menu\tutorial.ini",
// puzzle "tutpuzzle.ini", cube "tutcube.ini".
const char* tutorialFile(BoardMode mode);
// The five lines of an entry (section "0".."3", keys "str0".."str4"); a
// missing key leaves its line empty, a long one is cut.
TutorialText readTutorialText(BoardMode mode, TutorialEntry entry);
