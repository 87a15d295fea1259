#pragma once
// Our stand-in for the multimedia file functions the WAV reader was written
// against: buffered reading of a RIFF file and navigation by chunks. The chunk
// rules are theirs: a chunk is a four-character id, a 32-bit little-endian
// size and that many bytes of data, padded to an even length; "RIFF" and
// "LIST" chunks begin their data with a four-character form type, and
// descending into one leaves the reader just after it. A search for a chunk
// inside a parent looks at the parent's chunks from the current position to
// the parent's end.
//
// Sizes are believed only as far as the file goes: a chunk claiming more
// bytes than exist can be entered, and reading its data stops at the end of
// the file.

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string_view>

namespace platform {

constexpr std::uint32_t makeFourCC(char a, char b, char c, char d) {
    return std::uint32_t(std::uint8_t(a)) | (std::uint32_t(std::uint8_t(b)) << 8) |
           (std::uint32_t(std::uint8_t(c)) << 16) | (std::uint32_t(std::uint8_t(d)) << 24);
}

constexpr std::uint32_t FOURCC_RIFF = makeFourCC('R', 'I', 'F', 'F');
constexpr std::uint32_t FOURCC_LIST = makeFourCC('L', 'I', 'S', 'T');

// Results, with the multimedia functions' values.
constexpr std::int32_t MMSYSERR_NOERROR = 0;
constexpr std::int32_t MMIOERR_CANNOTOPEN = 256 + 3;
constexpr std::int32_t MMIOERR_CANNOTREAD = 256 + 5;
constexpr std::int32_t MMIOERR_CANNOTSEEK = 256 + 7;
constexpr std::int32_t MMIOERR_CHUNKNOTFOUND = 256 + 9;

// Descend flags.
constexpr std::uint32_t MMIO_FINDCHUNK = 0x0010;

struct RiffChunk {
    std::uint32_t id = 0;          // the id found, or the id to look for
    std::uint32_t size = 0;        // the size the header claims
    std::uint32_t formType = 0;    // "RIFF" and "LIST" chunks only
    std::uint64_t dataOffset = 0;  // file offset of the chunk's data (its form type, if any)
};

class RiffReader {
public:
    static constexpr std::size_t kBufferBytes = 8192;

    RiffReader();
    ~RiffReader();
    RiffReader(const RiffReader&) = delete;
    RiffReader& operator=(const RiffReader&) = delete;

    // Opens a game path for reading; MMIOERR_CANNOTOPEN when it cannot.
    std::int32_t open(std::string_view gamePath);
    void close();
    bool isOpen() const { return file_ != nullptr; }

    // Without flags: reads the chunk header at the current position. With
    // MMIO_FINDCHUNK: skips chunks until one with `chunk.id`, inside `parent`
    // when one is given. Either way the reader is left at the chunk's data
    // (after the form type of a "RIFF" or "LIST" chunk).
    // MMIOERR_CHUNKNOTFOUND when there is no such chunk.
    std::int32_t descend(RiffChunk& chunk, const RiffChunk* parent, std::uint32_t flags);
    // Moves past the end of the chunk (and its pad byte).
    std::int32_t ascend(const RiffChunk& chunk);

    // Copies up to `bytes` from the current position; the number copied,
    // 0 at the end of the file, -1 on a read error.
    std::int32_t read(void* buffer, std::int32_t bytes);
    // Moves to an absolute offset; the new offset, or -1.
    std::int64_t seek(std::uint64_t offset);
    std::uint64_t tell() const { return bufferStart_ + cursor_; }

private:
    bool fill();
    bool readExactly(void* buffer, std::size_t bytes);

    std::FILE* file_ = nullptr;
    std::unique_ptr<std::uint8_t[]> buffer_;
    std::uint64_t bufferStart_ = 0;  // file offset of buffer_[0]
    std::size_t bufferFill_ = 0;
    std::size_t cursor_ = 0;
    bool readError_ = false;
};

}  // namespace platform
