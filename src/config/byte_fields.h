#pragma once
// The fields of the game's binary files (level maps, player files): single
// bytes, unsigned big-endian integers of 16 and 24 bits and zero-terminated
// tags. Files are built and read whole in memory, so a write can replace its
// file atomically and a read can check the whole layout before anything is
// used.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class ByteFieldWriter {
public:
    // The low 8 bits.
    void byte(std::int32_t value);
    // Clamped to 0..65535, high byte first.
    void u16(std::int32_t value);
    // Negative values as 0; bits above the 24th dropped.
    void u24(std::int32_t value);
    // All 32 bits, high byte first.
    void u32(std::uint32_t value);
    // The text's bytes and a zero byte.
    void tag(const char* text);
    void zeros(std::size_t count);

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

// Every read checks the end first. A read past the end yields 0 and leaves
// the reader failed for good, so a caller reads a whole layout and asks
// `ok` once.
class ByteFieldReader {
public:
    static constexpr std::size_t kTagLimit = 255;

    ByteFieldReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool ok() const { return ok_; }
    std::size_t position() const { return pos_; }

    int byte();
    std::uint32_t u16();
    std::uint32_t u24();
    std::uint32_t u32();
    void skip(std::size_t count);
    // Bytes up to and including the first zero byte, keeping at most 255
    // characters; a tag with no zero within 256 bytes ends there.
    std::string tag();

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};
