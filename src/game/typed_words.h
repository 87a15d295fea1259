#pragma once
// The testers' words: typed during a level, each jumps the game to a state
// that would take minutes to reach by playing (a level's end, the quest's
// last levels, time running out). Scenario scripts use them with `type`.
// docs/typed-words.md lists them for testers.

#include <functional>
#include <optional>

enum class TypedWord : int {
    CompleteLevel,      // the level is won at once
    SkipFourLevels,     // four levels on, then won
    JumpToLevel39,      // level 39, then won
    JumpToLevel5,       // level 5, then won
    JumpToLevel21,      // level 21, then won
    TimeUp,             // the time runs out now
    AddPoints,          // 24990 points
    LoseLastLife,       // no lives left, then the time runs out
    SeventeenSecondsLeft,
};

constexpr int kTypedWordCount = 9;
constexpr int kTypedWordPoints = 24990;
constexpr int kTypedWordTimeLeftMs = 17000;

// The word that triggers it ("shatter", "leap", ...).
const char* typedWordText(TypedWord word);

// The first word for which `typedJustNow` is true, if any; the game screen
// asks the screen manager's typed history.
std::optional<TypedWord> findTypedWord(const std::function<bool(const char*)>& typedJustNow);
