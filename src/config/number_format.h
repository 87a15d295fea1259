#pragma once
// Scores and other large numbers are shown with thousands separators.
// Numbers below 1000 (every negative one too) are shown as they are; from a
// billion up the leading group simply grows ("1234,567,890"), which the score
// fields are laid out for.

#include <cstddef>
#include <cstdint>
#include <string>

// Writes the formatted number into `out` (always terminated when capacity > 0)
// and returns the length the full text needs, like snprintf. 14 bytes hold any
// 32-bit value.
int formatThousands(char* out, std::size_t capacity, std::int32_t n);

std::string formatThousands(std::int32_t n);
