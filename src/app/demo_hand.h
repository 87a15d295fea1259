#pragma once
// The demo's hand: a mouse moved at a person's pace. Moves glide over
// several frames instead of jumping, a press waits a moment after the
// pointer arrives, a click is held briefly, and a short rest follows. What
// the hand does reaches the game through the backend as ordinary window
// messages (Backend::moveHand and pressHand).
//
//   queued actions -> step(ms) runs the first until it is done -> next

#include <deque>

namespace platform {
class Backend;
}

class DemoHand {
public:
    // The pace: a glide covers this many pixels per second, and lasts at
    // least kShortestGlideMs; a press follows an arrival after kAimMs.
    static constexpr int kPixelsPerSecond = 900;
    static constexpr int kShortestGlideMs = 160;
    static constexpr int kAimMs = 120;
    static constexpr int kHoldMs = 90;
    static constexpr int kRestMs = 150;

    void click(int x, int y);
    // Presses at (ax, ay), carries the pointer to (bx, by) and lets go there.
    void drag(int ax, int ay, int bx, int by);
    void pause(int milliseconds);

    // Whether any queued action has not yet been carried out.
    bool busy() const { return !actions_.empty(); }
    // Carries the hand on by `milliseconds`.
    void step(int milliseconds, platform::Backend& backend);

    int x() const { return x_; }
    int y() const { return y_; }

private:
    struct Action {
        enum class Kind { Glide, Press, Release, Pause } kind = Kind::Pause;
        int x = 0, y = 0;
        int durationMs = 0;
        // Glides: where the pointer set out from and how long it has gone.
        int fromX = 0, fromY = 0, elapsedMs = 0;
        bool started = false;
    };
    void glideTo(int x, int y);
    void push(Action::Kind kind, int x, int y, int durationMs);

    std::deque<Action> actions_;
    int x_ = 400, y_ = 300;  // where the pointer is (or will be when the glide ends)
    int queuedX_ = 400, queuedY_ = 300;
};
