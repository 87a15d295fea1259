#include "config/byte_fields.h"

#include <algorithm>

void ByteFieldWriter::byte(std::int32_t value) { bytes_.push_back(static_cast<std::uint8_t>(value & 0xFF)); }

void ByteFieldWriter::u16(std::int32_t value) {
    const std::int32_t v = std::clamp<std::int32_t>(value, 0, 0xFFFF);
    byte(v >> 8);
    byte(v);
}

void ByteFieldWriter::u24(std::int32_t value) {
    const std::int32_t v = std::max<std::int32_t>(value, 0);
    byte(v >> 16);
    byte(v >> 8);
    byte(v);
}

void ByteFieldWriter::u32(std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) byte(static_cast<std::int32_t>((value >> shift) & 0xFF));
}

void ByteFieldWriter::tag(const char* text) {
    for (const char* p = text ? text : ""; *p; ++p) byte(static_cast<unsigned char>(*p));
    byte(0);
}

void ByteFieldWriter::zeros(std::size_t count) { bytes_.insert(bytes_.end(), count, 0); }

int ByteFieldReader::byte() {
    if (!ok_ || pos_ >= size_) {
        ok_ = false;
        return 0;
    }
    return data_[pos_++];
}

// A number cut by the end of the data reads as 0 like any read past it,
// not as the bytes that happened to be there.
std::uint32_t ByteFieldReader::u16() {
    const std::uint32_t high = static_cast<std::uint32_t>(byte());
    const std::uint32_t value = (high << 8) | static_cast<std::uint32_t>(byte());
    return ok_ ? value : 0;
}

std::uint32_t ByteFieldReader::u24() {
    const std::uint32_t high = static_cast<std::uint32_t>(byte());
    const std::uint32_t middle = static_cast<std::uint32_t>(byte());
    const std::uint32_t value = (high << 16) | (middle << 8) | static_cast<std::uint32_t>(byte());
    return ok_ ? value : 0;
}

std::uint32_t ByteFieldReader::u32() {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value = (value << 8) | static_cast<std::uint32_t>(byte());
    return ok_ ? value : 0;
}

void ByteFieldReader::skip(std::size_t count) {
    for (std::size_t i = 0; i < count && ok_; ++i) byte();
}

std::string ByteFieldReader::tag() {
    std::string text;
    for (std::size_t i = 0; i <= kTagLimit && ok_; ++i) {
        const int c = byte();
        if (c == 0) break;
        if (text.size() < kTagLimit) text.push_back(static_cast<char>(c));
    }
    return text;
}
