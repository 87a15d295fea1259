#pragma once
// Recorded input for the headless harness: one command per line, '#' starts
// a comment. See the README for the command list.

#include <string>
#include <vector>

#include "platform/pad_input.h"
#include "platform/win_messages.h"

namespace platform {

class MessageQueue;

struct ScriptCommand {
    enum class Kind { Wait, Move, Down, Up, Click, Key, Type, Shot, Quit, Pad, Focus };
    // Pad: a button pressed and released, the left stick held, or the pad
    // plugged in or pulled out.
    enum class PadAction { Press, Stick, Attach, Detach };
    Kind kind = Kind::Wait;
    int x = 0, y = 0;     // Move, Down, Up, Click
    int milliseconds = 0; // Wait; Pad stick: how long it is held
    PadAction padAction = PadAction::Press;
    PadButton padButton = PadButton::A;
    int stickX = 0, stickY = 0; // Pad stick: -100..100, right and down positive
    bool right = false;   // Down, Up, Click
    bool focusIn = false; // Focus: the window gets the focus back (else loses it)
    std::string text;     // Type: the characters (Latin-1); Shot: the file
    WParam virtualKey = 0;
    bool altHeld = false; // Key: ALT+ENTER
    bool shiftHeld = false; // Key: SHIFT+name
    int typedChar = 0;    // Key: the character the key types, 0 for none
    int line = 0;
};

// Parses a whole script. On a bad line returns false with a message naming
// the line; `out` then holds the commands before it.
bool parseScript(const std::string& text, std::vector<ScriptCommand>& out, std::string& error);

// Reads and parses a script file (at most 1 MiB).
bool loadScript(const std::string& path, std::vector<ScriptCommand>& out, std::string& error);

// The key named in a "key" command: its virtual-key code and the character
// it types (0 for none). False for an unknown name.
bool lookUpKeyName(const std::string& name, WParam& virtualKey, int& typedChar, bool& altHeld);

// Posts what a keyboard sends for a "key" command: Shift down when it is
// held, the key down, the character it types (if any), the key up, Shift up.
void postKeyPress(MessageQueue& queue, const ScriptCommand& command);

}  // namespace platform
