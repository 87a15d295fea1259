#include "platform/script.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <sstream>

#include "platform/latin1_text.h"
#include "platform/paths.h"
#include "platform/window_messages.h"

namespace platform {
namespace {

std::string upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

bool parseInt(const std::string& word, int& out) {
    if (word.empty()) return false;
    errno = 0;
    char* end = nullptr;
    long value = std::strtol(word.c_str(), &end, 10);
    if (*end != '\0' || errno != 0 || value < INT_MIN || value > INT_MAX) return false;
    out = static_cast<int>(value);
    return true;
}

std::string trimLeft(const std::string& s) {
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    return s.substr(i);
}

}  // namespace

bool lookUpKeyName(const std::string& name, WParam& virtualKey, int& typedChar, bool& altHeld) {
    const std::string key = upper(name);
    altHeld = false;
    typedChar = 0;
    if (key.size() == 1 && std::isalnum(static_cast<unsigned char>(key[0]))) {
        virtualKey = static_cast<WParam>(key[0]);
        typedChar = static_cast<unsigned char>(std::tolower(static_cast<unsigned char>(key[0])));
        return true;
    }
    struct Named {
        const char* name;
        WParam vk;
        int ch;
    };
    // Backspace, Tab, Enter and Escape get their characters from translation.
    static const Named named[] = {
        {"ESC", VK_ESCAPE, 0},   {"ESCAPE", VK_ESCAPE, 0}, {"ENTER", VK_RETURN, 0}, {"RETURN", VK_RETURN, 0},
        {"BACKSPACE", VK_BACK, 0}, {"DELETE", VK_DELETE, 0}, {"LEFT", VK_LEFT, 0},   {"RIGHT", VK_RIGHT, 0},
        {"UP", VK_UP, 0},         {"DOWN", VK_DOWN, 0},      {"HOME", VK_HOME, 0},    {"END", VK_END, 0},
        {"TAB", VK_TAB, 0},       {"SPACE", VK_SPACE, ' '},
    };
    for (const Named& n : named) {
        if (key == n.name) {
            virtualKey = n.vk;
            typedChar = n.ch;
            return true;
        }
    }
    if (key == "ALT+ENTER" || key == "ALT+RETURN") {
        virtualKey = VK_RETURN;
        altHeld = true;
        return true;
    }
    int number = 0;
    if (key.size() >= 2 && key[0] == 'F' && parseInt(key.substr(1), number) && number >= 1 && number <= 12) {
        virtualKey = VK_F1 + static_cast<WParam>(number - 1);
        return true;
    }
    return false;
}

void postKeyPress(MessageQueue& queue, const ScriptCommand& command) {
    const std::uint32_t down = command.altHeld ? WM_SYSKEYDOWN : WM_KEYDOWN;
    const std::uint32_t up = command.altHeld ? WM_SYSKEYUP : WM_KEYUP;
    if (command.shiftHeld) queue.post(WM_KEYDOWN, VK_SHIFT, packKeyLParam(false, false));
    queue.post(down, command.virtualKey, packKeyLParam(false, command.altHeld));
    if (command.typedChar != 0) queue.post(WM_CHAR, static_cast<WParam>(command.typedChar), packKeyLParam(false, false));
    queue.post(up, command.virtualKey, packKeyLParam(true, command.altHeld));
    if (command.shiftHeld) queue.post(WM_KEYUP, VK_SHIFT, packKeyLParam(true, false));
}


bool parseScript(const std::string& text, std::vector<ScriptCommand>& out, std::string& error) {
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::string body = trimLeft(line);
        if (body.empty() || body[0] == '#') continue;

        std::istringstream words(body);
        std::string verb;
        words >> verb;
        verb = upper(verb);
        ScriptCommand command;
        command.line = number;
        auto fail = [&](const std::string& why) {
            error = "script line " + std::to_string(number) + ": " + why + ": " + body;
            return false;
        };
        std::string a, b, c, extra;
        if (verb == "WAIT") {
            command.kind = ScriptCommand::Kind::Wait;
            words >> a >> extra;
            if (!parseInt(a, command.milliseconds) || command.milliseconds < 0 || !extra.empty())
                return fail("expected: wait MS");
        } else if (verb == "MOVE" || verb == "DOWN" || verb == "UP" || verb == "CLICK") {
            command.kind = verb == "MOVE"   ? ScriptCommand::Kind::Move
                           : verb == "DOWN" ? ScriptCommand::Kind::Down
                           : verb == "UP"   ? ScriptCommand::Kind::Up
                                            : ScriptCommand::Kind::Click;
            words >> a >> b >> c >> extra;
            if (!parseInt(a, command.x) || !parseInt(b, command.y) || !extra.empty())
                return fail("expected: " + verb + " X Y" + (verb == "MOVE" ? "" : " [right]"));
            if (command.x < -32768 || command.x > 32767 || command.y < -32768 || command.y > 32767)
                return fail("position out of range");
            if (!c.empty()) {
                if (verb == "MOVE" || upper(c) != "RIGHT") return fail("unexpected word '" + c + "'");
                command.right = true;
            }
        } else if (verb == "KEY") {
            command.kind = ScriptCommand::Kind::Key;
            words >> a >> extra;
            // SHIFT+ may go before any key name: Shift is held around it.
            const std::string shift = "SHIFT+";
            if (upper(a).rfind(shift, 0) == 0) {
                command.shiftHeld = true;
                a = a.substr(shift.size());
            }
            if (a.empty() || !extra.empty() ||
                !lookUpKeyName(a, command.virtualKey, command.typedChar, command.altHeld))
                return fail("unknown key");
        } else if (verb == "TYPE") {
            command.kind = ScriptCommand::Kind::Type;
            std::size_t at = body.find_first_of(" \t");
            command.text = at == std::string::npos ? std::string() : utf8ToLatin1(body.substr(at + 1));
        } else if (verb == "SHOT") {
            command.kind = ScriptCommand::Kind::Shot;
            words >> command.text >> extra;
            if (command.text.empty() || !extra.empty()) return fail("expected: shot FILE");
        } else if (verb == "PAD") {
            command.kind = ScriptCommand::Kind::Pad;
            std::string d;
            words >> a >> b >> c >> d >> extra;
            const std::string what = upper(a);
            using Action = ScriptCommand::PadAction;
            if (what == "STICK") {
                command.padAction = Action::Stick;
                if (!parseInt(b, command.stickX) || !parseInt(c, command.stickY) ||
                    !parseInt(d, command.milliseconds) || !extra.empty() || command.milliseconds < 0 ||
                    command.stickX < -100 || command.stickX > 100 || command.stickY < -100 || command.stickY > 100)
                    return fail("expected: pad stick DX DY MS (DX, DY from -100 to 100)");
            } else if (!b.empty()) {
                return fail("unexpected word '" + b + "'");
            } else if (what == "ATTACH" || what == "DETACH") {
                command.padAction = what == "ATTACH" ? Action::Attach : Action::Detach;
            } else if (!padButtonFromName(a, command.padButton)) {
                return fail("expected: pad a|b|x|y|start|back|lb|rb|up|down|left|right, pad stick, pad attach or pad detach");
            }
        } else if (verb == "FOCUS") {
            command.kind = ScriptCommand::Kind::Focus;
            words >> a >> extra;
            if ((upper(a) != "IN" && upper(a) != "OUT") || !extra.empty()) return fail("expected: focus in|out");
            command.focusIn = upper(a) == "IN";
        } else if (verb == "QUIT") {
            command.kind = ScriptCommand::Kind::Quit;
            words >> extra;
            if (!extra.empty()) return fail("expected: quit");
        } else {
            return fail("unknown command");
        }
        out.push_back(command);
    }
    return true;
}

bool loadScript(const std::string& path, std::vector<ScriptCommand>& out, std::string& error) {
    std::vector<std::uint8_t> bytes;
    if (!readWholeFile(path, bytes, 1u << 20)) {
        error = "cannot read script " + path;
        return false;
    }
    return parseScript(std::string(bytes.begin(), bytes.end()), out, error);
}

}  // namespace platform
