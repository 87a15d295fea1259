#include "game/typed_words.h"

#include <array>

namespace {

// No word ends with another, so one typed word never sets off two.
constexpr std::array<const char*, kTypedWordCount> kWords = {
    "shatter", "leap", "crown", "opal", "amber", "dusk", "riches", "lastgasp", "ebb",
};

}  // namespace

const char* typedWordText(TypedWord word) {
    const int i = static_cast<int>(word);
    return i >= 0 && i < kTypedWordCount ? kWords[static_cast<std::size_t>(i)] : "";
}

std::optional<TypedWord> findTypedWord(const std::function<bool(const char*)>& typedJustNow) {
    for (int i = 0; i < kTypedWordCount; ++i) {
        if (typedJustNow(kWords[static_cast<std::size_t>(i)])) return static_cast<TypedWord>(i);
    }
    return std::nullopt;
}
