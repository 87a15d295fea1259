#pragma once
// Scores and other large numbers are shown with thousands separators.
// Numbers below 1000 (every negative one too) are shown as they are; from a
// billion up the leading group simply grows ("1234,567,890"), which the score
// fields are laid out for.
//
// The mark between the groups is the language's: a comma in English, a
// point or a word gap elsewhere ("thousands" in the language file).

#include <cstddef>
#include <cstdint>
#include <string>

// Writes the formatted number into `out` (always terminated when capacity > 0)
// and returns the length the full text needs, like snprintf. 14 bytes hold any
// 32-bit value.
int formatThousands(char* out, std::size_t capacity, std::int32_t n);

std::string formatThousands(std::int32_t n);

// The mark between groups from now on; a digit, a minus, a control byte or
// nothing keeps the comma, so a damaged language file cannot make numbers
// unreadable. The game sets it once at start.
void setThousandsSeparator(const std::string& text);
