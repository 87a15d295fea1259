#include "config/number_format.h"

#include <cstdio>

int formatThousands(char* out, std::size_t capacity, std::int32_t n) {
    if (n < 1000) return std::snprintf(out, capacity, "%d", n);
    if (n < 1000000) return std::snprintf(out, capacity, "%d,%03d", n / 1000, n % 1000);
    return std::snprintf(out, capacity, "%d,%03d,%03d", n / 1000000, (n % 1000000) / 1000, n % 1000);
}

std::string formatThousands(std::int32_t n) {
    char text[16];
    formatThousands(text, sizeof text, n);
    return text;
}
