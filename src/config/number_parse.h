#pragma once
// Reading numbers out of INI values. Values are hand-edited text, so a number
// is whatever leads the value ("12abc" is 12) and anything else is 0. Out of
// range values saturate instead of wrapping: a huge volume in game.ini must
// not come back negative.

#include <cstdint>

// Leading whitespace, an optional sign, then decimal digits up to the first
// other byte. 0 when there is no digit; saturates at the int32 limits.
std::int32_t parseLeadingInt(const char* text);

// Leading whitespace, an optional sign, digits with an optional decimal point,
// an optional exponent. 0 when there is no number. Independent of the C
// locale, so "0.5" reads as one half on every desktop. Values beyond the
// float range saturate at the largest finite float.
float parseLeadingFloat(const char* text);
