#include "ui/typed_history.h"

#include <cstring>

namespace {

struct TypedHistory {
    char characters[kTypedHistoryLength + 1] = {};
    char lastMatched[kTypedHistoryLength + 1] = {};
    int counter = 0;
};

TypedHistory& history() {
    static TypedHistory state = [] {
        TypedHistory h;
        std::memset(h.characters, 1, kTypedHistoryLength);
        return h;
    }();
    return state;
}

// Case folding for Latin-1: A-Z and the accented capitals (not the
// multiplication sign) fold to their small letters.
unsigned char folded(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c + 32);
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<unsigned char>(c + 32);
    return c;
}

}  // namespace

void resetTypedHistory() {
    TypedHistory& h = history();
    std::memset(h.characters, 1, kTypedHistoryLength);
    h.characters[kTypedHistoryLength] = '\0';
}

void appendTypedCharacter(int character) {
    TypedHistory& h = history();
    std::memmove(h.characters, h.characters + 1, kTypedHistoryLength - 1);
    h.characters[kTypedHistoryLength - 1] = static_cast<char>(character & 0xFF);
}

const char* typedHistory() { return history().characters; }

bool typedWordMatches(const char* word) {
    if (!word) return false;
    const std::size_t length = std::strlen(word);
    if (length == 0 || length > kTypedHistoryLength) return false;
    TypedHistory& h = history();
    // The fixed 31 positions are compared, so a typed zero byte cannot
    // shorten the history the way it would shorten a C string.
    const char* tail = h.characters + (kTypedHistoryLength - length);
    for (std::size_t i = 0; i < length; ++i) {
        if (folded(static_cast<unsigned char>(tail[i])) != folded(static_cast<unsigned char>(word[i]))) return false;
    }
    std::memcpy(h.lastMatched, word, length);
    h.lastMatched[length] = '\0';
    h.counter = 0;
    return true;
}

const char* lastMatchedWord() { return history().lastMatched; }

int& typedWordCounter() { return history().counter; }
