#include "platform/pad_input.h"

#include <cstdlib>

#include "platform/window_messages.h"

namespace platform {
namespace {

bool gLastInputFromPad = false;

struct NamedButton {
    const char* name;
    PadButton button;
    WParam key;
};
constexpr NamedButton kButtons[] = {
    {"a", PadButton::A, VK_RETURN},
    {"b", PadButton::B, VK_ESCAPE},
    {"x", PadButton::X, 'W'},
    {"y", PadButton::Y, 'H'},
    {"start", PadButton::Start, VK_ESCAPE},
    {"back", PadButton::Back, VK_F1},
    {"lb", PadButton::LeftShoulder, 'U'},
    {"rb", PadButton::RightShoulder, 'R'},
    {"up", PadButton::Up, VK_UP},
    {"down", PadButton::Down, VK_DOWN},
    {"left", PadButton::Left, VK_LEFT},
    {"right", PadButton::Right, VK_RIGHT},
};

bool isArrow(PadButton button) {
    return button == PadButton::Up || button == PadButton::Down || button == PadButton::Left ||
           button == PadButton::Right;
}

void postKey(MessageQueue& queue, WParam key, bool down, bool repeat) {
    LParam lParam = packKeyLParam(!down, false);
    if (repeat) lParam |= KEY_WAS_DOWN;
    queue.post(down ? WM_KEYDOWN : WM_KEYUP, key, lParam);
}

}  // namespace

bool padButtonFromName(const std::string& name, PadButton& out) {
    std::string lower = name;
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    for (const NamedButton& b : kButtons) {
        if (lower == b.name) {
            out = b.button;
            return true;
        }
    }
    return false;
}

WParam keyForPadButton(PadButton button) {
    for (const NamedButton& b : kButtons)
        if (b.button == button) return b.key;
    return 0;
}

void PadInput::attach(int pad) {
    pads_.emplace(pad, Held{});
    if (leader_ < 0) leader_ = pad;
}

void PadInput::detach(int pad, MessageQueue& queue) {
    auto found = pads_.find(pad);
    if (found == pads_.end()) return;
    // A key still held by the pad must not stay down for ever.
    if (found->second.dpad) postKey(queue, found->second.dpad, false, false);
    if (found->second.stick && found->second.stick != found->second.dpad) postKey(queue, found->second.stick, false, false);
    pads_.erase(found);
    if (pad != leader_) return;
    leader_ = pads_.empty() ? -1 : pads_.begin()->first;
    postKey(queue, VK_PAUSE, true, false);
    postKey(queue, VK_PAUSE, false, false);
}

void PadInput::used(int pad) {
    leader_ = pad;
    gLastInputFromPad = true;
}

void PadInput::holdArrow(Held& held, WParam& slot, WParam key, MessageQueue& queue, std::uint32_t nowMs) {
    if (slot == key) return;
    if (slot) postKey(queue, slot, false, false);
    slot = key;
    if (!key) return;
    postKey(queue, key, true, false);
    held.nextRepeatMs = nowMs + kFirstRepeatMs;
}

void PadInput::button(int pad, PadButton button, bool down, MessageQueue& queue, std::uint32_t nowMs) {
    auto found = pads_.find(pad);
    if (found == pads_.end()) return;
    used(pad);
    const WParam key = keyForPadButton(button);
    if (isArrow(button)) {
        Held& held = found->second;
        if (down) holdArrow(held, held.dpad, key, queue, nowMs);
        else if (held.dpad == key) holdArrow(held, held.dpad, 0, queue, nowMs);
        return;
    }
    postKey(queue, key, down, false);
}

void PadInput::stick(int pad, int x, int y, MessageQueue& queue, std::uint32_t nowMs) {
    auto found = pads_.find(pad);
    if (found == pads_.end()) return;
    WParam key = 0;
    if (std::abs(x) >= std::abs(y) && std::abs(x) > kStickDeadZone) key = x > 0 ? VK_RIGHT : VK_LEFT;
    else if (std::abs(y) > kStickDeadZone) key = y > 0 ? VK_DOWN : VK_UP;
    Held& held = found->second;
    if (key == held.stick) return;
    // A stick resting in the middle is no input: a pad lying on the table
    // must not take the name dialog's grid from the keyboard.
    if (key) used(pad);
    holdArrow(held, held.stick, key, queue, nowMs);
}

void PadInput::tick(MessageQueue& queue, std::uint32_t nowMs) {
    for (auto& [pad, held] : pads_) {
        const WParam key = held.dpad ? held.dpad : held.stick;
        if (!key || static_cast<std::int32_t>(nowMs - held.nextRepeatMs) < 0) continue;
        postKey(queue, key, true, true);
        held.nextRepeatMs = nowMs + kRepeatMs;
    }
}

PadInput& padInput() {
    static PadInput pads;
    return pads;
}

bool lastInputFromPad() { return gLastInputFromPad; }
void noteKeyboardOrMouseInput() { gLastInputFromPad = false; }

}  // namespace platform
