#pragma once
// The last 31 characters the player typed, whatever screen was showing.
// Screens ask whether a word was just typed (the game screen's cheat words);
// the match is stored with a counter its users advance, so a matched word
// can keep an effect going for a while.

constexpr int kTypedHistoryLength = 31;

// Fills the history with 31 characters of value 1, which no key produces.
void resetTypedHistory();
// Drops the oldest character and appends this one (its low byte).
void appendTypedCharacter(int character);
// The 31 characters, oldest first, and a terminator.
const char* typedHistory();

// True when the word is not empty and the history ends with it, letter
// case ignored. A match is remembered as the last matched word and sets the
// counter to 0; the history itself stays.
bool typedWordMatches(const char* word);
const char* lastMatchedWord();
int& typedWordCounter();
