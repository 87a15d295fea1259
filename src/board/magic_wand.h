#pragma once
// MagicWand: the one tool the player holds. It counts the wands left, knows
// whether the wand is armed and decides what a press of the HUD's "magic"
// control does. The game screen owns one, keeps the control and the mouse
// cursor in step with it, and answers the board's wand questions from it.

struct WandPress {
    bool controlPressed = false;  // the control's state after the press
    int cursorIndex = 0;          // 1 shows the wand cursor, 0 the ordinary one
};

class MagicWand {
public:
    static constexpr int kNewQuestGameWands = 5;
    // More than any player can collect; keeps a damaged profile's count sane.
    static constexpr int kMaxWands = 9999;

    // A new quest game starts with five wands, disarmed.
    void startNewQuestGame();
    // A count read back from the profile; clamped into 0..kMaxWands.
    void setCount(int count);
    int count() const { return count_; }
    bool armed() const { return armed_; }
    // The "magic" control can be pressed only while a wand is left.
    bool enabled() const { return count_ > 0; }
    int cursorIndex() const { return armed_ ? 1 : 0; }

    // The control was pressed and toggled to `switchedOn`. With no wand left
    // it stays unpressed and nothing is armed.
    WandPress press(bool switchedOn);
    // The board used the armed wand: one fewer, disarmed, control off.
    void used();
    // A wand plate was cleared.
    void gained();
    // Leaving the level or the game: the wand is put down.
    void disarm() { armed_ = false; }

private:
    int count_ = 0;
    bool armed_ = false;
};
