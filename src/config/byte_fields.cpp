#include "config/byte_fields.h"

#include <cstddef>

namespace {

constexpr std::size_t kTextLimit = 256;

bool putByte(std::FILE* stream, std::uint32_t byte) {
    return std::fputc(static_cast<int>(byte & 0xFFu), stream) != EOF;
}

std::uint32_t getByte(std::FILE* stream) {
    const int c = std::fgetc(stream);
    return c == EOF ? 0u : static_cast<std::uint32_t>(c);
}

}  // namespace

bool writeU16(std::FILE* stream, std::int32_t value) {
    if (!stream) return false;
    const std::uint32_t v = value < 0 ? 0u : value > 0xFFFF ? 0xFFFFu : static_cast<std::uint32_t>(value);
    const bool high = putByte(stream, v >> 8);
    return putByte(stream, v) && high;
}

std::uint32_t readU16(std::FILE* stream) {
    if (!stream) return 0;
    const std::uint32_t high = getByte(stream);
    return (high << 8) | getByte(stream);
}

bool writeU24(std::FILE* stream, std::int32_t value) {
    if (!stream) return false;
    const std::uint32_t v = value < 0 ? 0u : static_cast<std::uint32_t>(value);
    bool ok = putByte(stream, v >> 16);
    ok = putByte(stream, v >> 8) && ok;
    return putByte(stream, v) && ok;
}

std::uint32_t readU24(std::FILE* stream) {
    if (!stream) return 0;
    const std::uint32_t high = getByte(stream);
    const std::uint32_t middle = getByte(stream);
    return (high << 16) | (middle << 8) | getByte(stream);
}

bool writeTerminatedText(std::FILE* stream, const char* text) {
    if (!stream) return false;
    bool ok = true;
    for (const char* p = text ? text : ""; *p; ++p) ok = putByte(stream, static_cast<unsigned char>(*p)) && ok;
    return putByte(stream, 0) && ok;
}

const char* readTerminatedText(std::FILE* stream) {
    static char text[kTextLimit + 1];
    std::size_t length = 0;
    while (stream && length < kTextLimit) {
        const int c = std::fgetc(stream);
        if (c == EOF || c == 0) break;
        text[length++] = static_cast<char>(c);
    }
    text[length] = '\0';
    return text;
}
