#pragma once
// Where the picture of one big letter lives, shared by the game and the data
// generator. Needs nothing else, so the generator includes it as it stands.
//
// A character of plain ASCII has its own name, "data\letters\A.tga"; a
// Latin-1 character above 0x7F is named by its code in two hex digits,
// "data\letters\c9.tga" for an E with an acute, so no file of the tree has
// a name outside ASCII. The pictures are capitals: a small letter, accented
// or not, shows its capital. A language whose big texts need accented
// capitals carries a whole set of its own (a taller cell, room for the
// accents) in "data\lang\CODE\letters\", which the path layer finds first.

#include <string>

// The capital a letter is drawn as; other characters as they are. Latin-1
// has no capital for the sharp s (0xDF) or y with diaeresis (0xFF).
constexpr unsigned char letterCapital(unsigned char c) {
    if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 'a' + 'A');
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return static_cast<unsigned char>(c - 0x20);
    return c;
}

// The game path of the picture for `c`, or empty for a byte that cannot
// name one (controls, the path separators, a space).
inline std::string letterFile(unsigned char c) {
    c = letterCapital(c);
    if (c <= ' ' || c == 0x7F || c == '/' || c == '\\') return {};
    std::string path = "data\\letters\\";
    if (c < 0x80) {
        path += static_cast<char>(c);
    } else {
        const char* hex = "0123456789abcdef";
        path += hex[c >> 4];
        path += hex[c & 15];
    }
    return path + ".tga";
}
