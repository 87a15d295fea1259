#pragma once
// Game controllers, turned into the keys keyboard play already uses, so the
// screens never learn a pad exists: the d-pad and the left stick are the
// arrow keys (repeating while held), A is Enter (it picks on the board and
// presses the marked button in a menu), B and Start are Escape, Back is F1,
// X the wand's W, Y the hint's H, and the shoulders a puzzle's U and R.
//
// Any number of pads may be plugged in; the one used last leads. When the
// leading pad goes away the Pause key is pressed for it, so a level in play
// stops rather than running on without its player.
//
// Both backends feed it: the SDL backend from its controller events, the
// headless one from the script's pad lines.

#include <cstdint>
#include <map>
#include <string>

#include "platform/win_messages.h"

namespace platform {

class MessageQueue;

enum class PadButton { A, B, X, Y, Start, Back, LeftShoulder, RightShoulder, Up, Down, Left, Right };

// The script's names: a b x y start back lb rb up down left right.
bool padButtonFromName(const std::string& name, PadButton& out);
WParam keyForPadButton(PadButton button);

class PadInput {
public:
    static constexpr std::uint32_t kFirstRepeatMs = 350;
    static constexpr std::uint32_t kRepeatMs = 110;
    // How far the stick must lean (of 32767) before it counts as a direction.
    static constexpr int kStickDeadZone = 16000;

    void attach(int pad);
    void detach(int pad, MessageQueue& queue);
    bool attached(int pad) const { return pads_.count(pad) != 0; }
    int count() const { return static_cast<int>(pads_.size()); }
    int leader() const { return leader_; }

    void button(int pad, PadButton button, bool down, MessageQueue& queue, std::uint32_t nowMs);
    // The left stick's position, each axis -32768..32767 (down is positive).
    void stick(int pad, int x, int y, MessageQueue& queue, std::uint32_t nowMs);
    // Repeats the arrow a pad holds; called once a frame.
    void tick(MessageQueue& queue, std::uint32_t nowMs);

private:
    // A direction held by the d-pad or the stick: its arrow key, 0 for none.
    struct Held {
        WParam dpad = 0;
        WParam stick = 0;
        std::uint32_t nextRepeatMs = 0;
    };
    void used(int pad);
    void holdArrow(Held& held, WParam& slot, WParam key, MessageQueue& queue, std::uint32_t nowMs);

    std::map<int, Held> pads_;
    int leader_ = -1;
};

// The pads of this process.
PadInput& padInput();

// Whether the last input the player gave came from a pad (the name dialog
// shows its letter grid then). Keyboard and mouse input clear it.
bool lastInputFromPad();
void noteKeyboardOrMouseInput();

}  // namespace platform
