#include "platform/riff_reader.h"

#include <algorithm>
#include <cstring>

#include "platform/paths.h"

namespace platform {
namespace {

std::uint32_t le32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}

bool hasFormType(std::uint32_t id) { return id == FOURCC_RIFF || id == FOURCC_LIST; }

}  // namespace

RiffReader::RiffReader() : buffer_(new std::uint8_t[kBufferBytes]) {}

RiffReader::~RiffReader() { close(); }

std::int32_t RiffReader::open(std::string_view gamePath) {
    close();
    file_ = openFile(gamePath, "rb");
    if (!file_) return MMIOERR_CANNOTOPEN;
    return MMSYSERR_NOERROR;
}

void RiffReader::close() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
    bufferStart_ = 0;
    bufferFill_ = 0;
    cursor_ = 0;
    readError_ = false;
}

bool RiffReader::fill() {
    if (!file_) return false;
    bufferStart_ += cursor_;
    cursor_ = 0;
    bufferFill_ = 0;
    if (bufferStart_ > std::uint64_t(INT64_MAX) || ::fseeko(file_, off_t(bufferStart_), SEEK_SET) != 0) {
        readError_ = true;
        return false;
    }
    bufferFill_ = std::fread(buffer_.get(), 1, kBufferBytes, file_);
    if (bufferFill_ == 0 && std::ferror(file_)) readError_ = true;
    return bufferFill_ > 0;
}

std::int32_t RiffReader::read(void* buffer, std::int32_t bytes) {
    if (!file_ || bytes < 0) return -1;
    auto* out = static_cast<std::uint8_t*>(buffer);
    std::int32_t copied = 0;
    while (copied < bytes) {
        if (cursor_ >= bufferFill_ && !fill()) break;
        const std::size_t chunk = std::min(bufferFill_ - cursor_, std::size_t(bytes - copied));
        std::memcpy(out + copied, buffer_.get() + cursor_, chunk);
        cursor_ += chunk;
        copied += std::int32_t(chunk);
    }
    if (copied == 0 && readError_) return -1;
    return copied;
}

bool RiffReader::readExactly(void* buffer, std::size_t bytes) {
    return read(buffer, std::int32_t(bytes)) == std::int32_t(bytes);
}

std::int64_t RiffReader::seek(std::uint64_t offset) {
    if (!file_ || offset > std::uint64_t(INT64_MAX)) return -1;
    if (offset >= bufferStart_ && offset <= bufferStart_ + bufferFill_) {
        cursor_ = std::size_t(offset - bufferStart_);
    } else {
        // Read afresh from there on the next read.
        bufferStart_ = offset;
        bufferFill_ = 0;
        cursor_ = 0;
    }
    return std::int64_t(offset);
}

std::int32_t RiffReader::descend(RiffChunk& chunk, const RiffChunk* parent, std::uint32_t flags) {
    if (!file_) return MMIOERR_CHUNKNOTFOUND;
    const std::uint32_t wanted = chunk.id;
    // The parent's data runs from its data offset for its claimed size; a
    // child must start inside it.
    const std::uint64_t parentEnd = parent ? parent->dataOffset + parent->size : UINT64_MAX;
    for (;;) {
        const std::uint64_t start = tell();
        if (parent && start + 8 > parentEnd) return MMIOERR_CHUNKNOTFOUND;
        std::uint8_t header[8];
        if (!readExactly(header, sizeof header)) return MMIOERR_CHUNKNOTFOUND;
        RiffChunk found;
        found.id = le32(header);
        found.size = le32(header + 4);
        found.dataOffset = start + 8;
        if (!(flags & MMIO_FINDCHUNK) || found.id == wanted) {
            if (hasFormType(found.id)) {
                std::uint8_t form[4];
                if (!readExactly(form, sizeof form)) return MMIOERR_CHUNKNOTFOUND;
                found.formType = le32(form);
            }
            chunk = found;
            return MMSYSERR_NOERROR;
        }
        // Every step moves forward by at least the header, so a search ends.
        const std::uint64_t next = found.dataOffset + found.size + (found.size & 1);
        if (seek(next) < 0) return MMIOERR_CHUNKNOTFOUND;
    }
}

std::int32_t RiffReader::ascend(const RiffChunk& chunk) {
    const std::uint64_t end = chunk.dataOffset + chunk.size + (chunk.size & 1);
    return seek(end) < 0 ? MMIOERR_CANNOTSEEK : MMSYSERR_NOERROR;
}

}  // namespace platform
