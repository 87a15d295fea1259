#include "config/number_parse.h"

#include <cerrno>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <system_error>

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Skips whitespace and a sign; true when the sign was a minus.
const char* skipSpaceAndSign(const char* p, bool& negative) {
    while (isSpace(*p)) ++p;
    negative = *p == '-';
    if (*p == '-' || *p == '+') ++p;
    return p;
}

const char* skipDigits(const char* p) {
    while (isDigit(*p)) ++p;
    return p;
}

// The value of the decimal number that fills [first, last). The libc++ of
// the browser build has no from_chars for floating point; strtod reads a
// copy of the same characters there, in the C locale the game never leaves.
std::errc parseDecimal(const char* first, const char* last, double& value) {
#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L
    return std::from_chars(first, last, value, std::chars_format::general).ec;
#else
    const std::string digits(first, last);
    char* end = nullptr;
    errno = 0;
    value = std::strtod(digits.c_str(), &end);
    if (end != digits.c_str() + digits.size()) return std::errc::invalid_argument;
    return errno == ERANGE ? std::errc::result_out_of_range : std::errc();
#endif
}

// Decimal order of magnitude of a number too large or too small for a
// double, good enough to tell overflow from underflow: the position of the
// first significant digit plus the exponent.
long long magnitudeOrder(const char* start, const char* end) {
    const char* p = start;
    while (p < end && *p == '0') ++p;
    long long order = 0;
    if (p < end && isDigit(*p)) {
        order = skipDigits(p) - p;
    } else if (p < end && *p == '.') {
        ++p;
        while (p < end && *p == '0') {
            ++p;
            --order;
        }
    }
    p = start;
    while (p < end && *p != 'e' && *p != 'E') ++p;
    if (p < end) {
        bool negative = false;
        p = skipSpaceAndSign(p + 1, negative);
        long long exponent = 0;
        for (; p < end && isDigit(*p); ++p) {
            if (exponent < 100000) exponent = exponent * 10 + (*p - '0');
        }
        order += negative ? -exponent : exponent;
    }
    return order;
}

}  // namespace

std::int32_t parseLeadingInt(const char* text) {
    if (!text) return 0;
    bool negative = false;
    const char* p = skipSpaceAndSign(text, negative);
    const std::int64_t limit = negative ? -static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::min())
                                        : std::numeric_limits<std::int32_t>::max();
    std::int64_t value = 0;
    for (; isDigit(*p); ++p) {
        value = value * 10 + (*p - '0');
        if (value > limit) value = limit;
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

float parseLeadingFloat(const char* text) {
    if (!text) return 0.0f;
    bool negative = false;
    const char* start = skipSpaceAndSign(text, negative);
    const char* p = skipDigits(start);
    bool hasDigits = p != start;
    if (*p == '.') {
        const char* fraction = skipDigits(p + 1);
        hasDigits = hasDigits || fraction != p + 1;
        p = fraction;
    }
    if (!hasDigits) return 0.0f;
    if (*p == 'e' || *p == 'E') {
        const char* q = p + 1;
        if (*q == '+' || *q == '-') ++q;
        if (isDigit(*q)) p = skipDigits(q);
    }

    double value = 0.0;
    const std::errc error = parseDecimal(start, p, value);
    if (error == std::errc::result_out_of_range) {
        value = magnitudeOrder(start, p) > 0 ? static_cast<double>(FLT_MAX) : 0.0;
    } else if (error != std::errc()) {
        return 0.0f;
    }
    if (value > static_cast<double>(FLT_MAX)) value = static_cast<double>(FLT_MAX);
    const float result = static_cast<float>(value);
    return negative ? -result : result;
}
