#include "platform/latin1_text.h"

namespace platform {

std::string utf8ToLatin1(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        unsigned codePoint = 0;
        std::size_t length = 1;
        if (c < 0x80) {
            codePoint = c;
        } else if ((c & 0xE0) == 0xC0 && i + 1 < text.size()) {
            codePoint = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(text[i + 1]) & 0x3Fu);
            length = 2;
        } else if ((c & 0xF0) == 0xE0) {
            length = 3;
            codePoint = 0x10000;  // outside Latin-1 whatever it is
        } else if ((c & 0xF8) == 0xF0) {
            length = 4;
            codePoint = 0x10000;
        } else {
            codePoint = 0x10000;  // stray continuation byte
        }
        if (codePoint <= 0xFF) out += static_cast<char>(codePoint);
        i += length;
    }
    return out;
}

bool utf8ToLatin1Exactly(std::string_view text, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            out += char(c);
            continue;
        }
        // Latin-1 above ASCII is U+0080..U+00FF: two bytes, C2 or C3 first.
        if ((c != 0xC2 && c != 0xC3) || i + 1 >= text.size()) return false;
        const auto next = static_cast<unsigned char>(text[i + 1]);
        if ((next & 0xC0) != 0x80) return false;
        out += char(((c & 0x03) << 6) | (next & 0x3F));
        ++i;
    }
    return true;
}

std::string latin1ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            out += c;
        } else {
            out += static_cast<char>(0xC0 | (byte >> 6));
            out += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
    return out;
}

}  // namespace platform
