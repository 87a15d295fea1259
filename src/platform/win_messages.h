#pragma once
// Window messages, virtual-key codes and lParam packing, with the values the
// game's input code was written against. The platform backends translate
// their native events into these, so everything above the platform layer
// handles input exactly as a Windows program would.

#include <cstdint>

namespace platform {

using WParam = std::uintptr_t;
using LParam = std::intptr_t;
using LResult = std::intptr_t;

struct Message {
    std::uint32_t message = 0;
    WParam wParam = 0;
    LParam lParam = 0;
};

// Messages.
constexpr std::uint32_t WM_NULL = 0x0000;
constexpr std::uint32_t WM_DESTROY = 0x0002;
constexpr std::uint32_t WM_SIZE = 0x0005;
constexpr std::uint32_t WM_ACTIVATE = 0x0006;
constexpr std::uint32_t WM_PAINT = 0x000F;
constexpr std::uint32_t WM_CLOSE = 0x0010;
constexpr std::uint32_t WM_QUIT = 0x0012;
constexpr std::uint32_t WM_ERASEBKGND = 0x0014;
constexpr std::uint32_t WM_ACTIVATEAPP = 0x001C;
constexpr std::uint32_t WM_SETCURSOR = 0x0020;
constexpr std::uint32_t WM_DISPLAYCHANGE = 0x007E;
constexpr std::uint32_t WM_KEYDOWN = 0x0100;
constexpr std::uint32_t WM_KEYUP = 0x0101;
constexpr std::uint32_t WM_CHAR = 0x0102;
constexpr std::uint32_t WM_SYSKEYDOWN = 0x0104;
constexpr std::uint32_t WM_SYSKEYUP = 0x0105;
constexpr std::uint32_t WM_SYSCHAR = 0x0106;
constexpr std::uint32_t WM_MOUSEMOVE = 0x0200;
constexpr std::uint32_t WM_LBUTTONDOWN = 0x0201;
constexpr std::uint32_t WM_LBUTTONUP = 0x0202;
constexpr std::uint32_t WM_LBUTTONDBLCLK = 0x0203;
constexpr std::uint32_t WM_RBUTTONDOWN = 0x0204;
constexpr std::uint32_t WM_RBUTTONUP = 0x0205;
constexpr std::uint32_t WM_RBUTTONDBLCLK = 0x0206;

// WM_SIZE kinds.
constexpr WParam SIZE_RESTORED = 0;
constexpr WParam SIZE_MINIMIZED = 1;
constexpr WParam SIZE_MAXIMIZED = 2;
constexpr WParam SIZE_MAXHIDE = 4;

// Mouse-message wParam flags.
constexpr WParam MK_LBUTTON = 0x0001;
constexpr WParam MK_RBUTTON = 0x0002;
constexpr WParam MK_SHIFT = 0x0004;
constexpr WParam MK_CONTROL = 0x0008;

// Virtual-key codes. Letters and digits are their upper-case ASCII codes.
constexpr WParam VK_LBUTTON = 0x01;
constexpr WParam VK_RBUTTON = 0x02;
constexpr WParam VK_BACK = 0x08;
constexpr WParam VK_TAB = 0x09;
constexpr WParam VK_RETURN = 0x0D;
constexpr WParam VK_SHIFT = 0x10;
constexpr WParam VK_CONTROL = 0x11;
constexpr WParam VK_MENU = 0x12;
constexpr WParam VK_PAUSE = 0x13;
constexpr WParam VK_ESCAPE = 0x1B;
constexpr WParam VK_SPACE = 0x20;
constexpr WParam VK_PRIOR = 0x21;
constexpr WParam VK_NEXT = 0x22;
constexpr WParam VK_END = 0x23;
constexpr WParam VK_HOME = 0x24;
constexpr WParam VK_LEFT = 0x25;
constexpr WParam VK_UP = 0x26;
constexpr WParam VK_RIGHT = 0x27;
constexpr WParam VK_DOWN = 0x28;
constexpr WParam VK_INSERT = 0x2D;
constexpr WParam VK_DELETE = 0x2E;
constexpr WParam VK_F1 = 0x70;
constexpr WParam VK_F12 = 0x7B;

// Bits of a key message's lParam.
constexpr LParam KEY_ALT_HELD = LParam{1} << 29;
constexpr LParam KEY_WAS_DOWN = LParam{1} << 30;
constexpr LParam KEY_RELEASED = LParam{1} << 31;

// Mouse position packing: x in the low 16 bits, y in the high 16 bits, both
// signed, so positions left of or above the window survive the round trip.
constexpr LParam packMousePosition(int x, int y) {
    return static_cast<LParam>(static_cast<std::uint32_t>(static_cast<std::uint16_t>(x)) |
                               (static_cast<std::uint32_t>(static_cast<std::uint16_t>(y)) << 16));
}
constexpr int mouseX(LParam lParam) {
    return static_cast<std::int16_t>(static_cast<std::uint32_t>(lParam) & 0xFFFF);
}
constexpr int mouseY(LParam lParam) {
    return static_cast<std::int16_t>((static_cast<std::uint32_t>(lParam) >> 16) & 0xFFFF);
}

// The lParam of a key message: repeat count 1, the scan code, the Alt bit for
// system keys, and the previous-state and transition bits for releases.
constexpr LParam packKeyLParam(bool release, bool altHeld, int scanCode = 0) {
    LParam value = 1 | (static_cast<LParam>(scanCode & 0xFF) << 16);
    if (altHeld) value |= KEY_ALT_HELD;
    if (release) value |= KEY_WAS_DOWN | KEY_RELEASED;
    return static_cast<LParam>(static_cast<std::uint32_t>(value));
}

}  // namespace platform
