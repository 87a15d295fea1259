#include "config/number_format.h"

#include <cstdio>

namespace {

char& separator() {
    static char mark = ',';
    return mark;
}

}  // namespace

void setThousandsSeparator(const std::string& text) {
    const unsigned char c = text.empty() ? 0 : static_cast<unsigned char>(text[0]);
    const bool readable = c >= 32 && c != 127 && c != '-' && (c < '0' || c > '9');
    separator() = readable ? static_cast<char>(c) : ',';
}

int formatThousands(char* out, std::size_t capacity, std::int32_t n) {
    const char mark = separator();
    if (n < 1000) return std::snprintf(out, capacity, "%d", n);
    if (n < 1000000) return std::snprintf(out, capacity, "%d%c%03d", n / 1000, mark, n % 1000);
    return std::snprintf(out, capacity, "%d%c%03d%c%03d", n / 1000000, mark, (n % 1000000) / 1000, mark, n % 1000);
}

std::string formatThousands(std::int32_t n) {
    char text[16];
    formatThousands(text, sizeof text, n);
    return text;
}
