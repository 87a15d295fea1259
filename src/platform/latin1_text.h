#pragma once
// Text from UTF-8 into the game's 8-bit Latin-1, the one character set its
// fonts hold. Needs nothing else of the game, so the data generator
// compiles it in too.

#include <string>
#include <string_view>

namespace platform {

// Converts UTF-8 text to Latin-1, dropping characters outside it (typed
// text, a script's "type" command).
std::string utf8ToLatin1(const std::string& text);

// The same, strictly: false at the first character outside Latin-1 or the
// first malformed sequence (a translation the fonts could not show).
bool utf8ToLatin1Exactly(std::string_view text, std::string& out);

// Latin-1 text as UTF-8 (every byte is a character).
std::string latin1ToUtf8(std::string_view text);

}  // namespace platform
