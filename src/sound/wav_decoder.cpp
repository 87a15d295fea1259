#include "sound/wav_decoder.h"

#include <algorithm>

#include "errorlog/error_check.h"

using platform::RiffChunk;

namespace {

std::uint16_t le16(const std::uint8_t* p) { return std::uint16_t(p[0] | (p[1] << 8)); }
std::uint32_t le32(const std::uint8_t* p) { return std::uint32_t(le16(p)) | (std::uint32_t(le16(p + 2)) << 16); }

}  // namespace

int WavDecoder::open(const char* path) {
    close(0);
    if (reader_.open(path) != platform::MMSYSERR_NOERROR) return 1;

    riff_ = RiffChunk{};
    if (ERROR_CHECK_AS(reader_.descend(riff_, nullptr, 0), "mmioDescend( hmmioIn, &pckInRIFF, NULL, 0 )", __LINE__)) {
        return close(2);
    }
    RiffChunk formatChunk;
    formatChunk.id = platform::makeFourCC('f', 'm', 't', ' ');
    if (ERROR_CHECK_AS(reader_.descend(formatChunk, &riff_, platform::MMIO_FINDCHUNK),
                       "mmioDescend( hmmioIn, &ckIn, &pckInRIFF, MMIO_FINDCHUNK )", __LINE__)) {
        return close(2);
    }
    // A record cut short by the end of the file leaves zeros, which the mixer
    // refuses as a format, rather than whatever was in memory.
    std::uint8_t pcm[16] = {};
    if (ERROR_CHECK_AS(reader_.read(pcm, sizeof pcm) <= 0,
                       "( mmioRead( hmmioIn, (HPSTR) &pcm, sizeof(PCMWAVEFORMAT) ) <= 0)", __LINE__)) {
        return close(2);
    }
    format_.formatTag = le16(pcm);
    format_.channels = le16(pcm + 2);
    format_.samplesPerSec = le32(pcm + 4);
    format_.avgBytesPerSec = le32(pcm + 8);
    format_.blockAlign = le16(pcm + 12);
    format_.bitsPerSample = le16(pcm + 14);
    format_.extraSize = 0;
    rewind();
    return 0;
}

void WavDecoder::rewind() {
    length_ = 0;
    position_ = 0;
    if (!reader_.isOpen()) return;
    reader_.seek(riff_.dataOffset + 4);
    data_ = RiffChunk{};
    data_.id = platform::makeFourCC('d', 'a', 't', 'a');
    if (reader_.descend(data_, &riff_, platform::MMIO_FINDCHUNK) == platform::MMSYSERR_NOERROR) {
        length_ = data_.size;
    }
}

std::uint32_t WavDecoder::read(std::uint8_t* buffer, std::uint32_t count, bool) {
    if (!reader_.isOpen()) return 0;
    std::uint32_t wanted = std::min(count, length_ - position_);
    std::uint32_t delivered = 0;
    while (delivered < wanted) {
        const std::int32_t piece = std::int32_t(std::min<std::uint32_t>(wanted - delivered, 1u << 30));
        const std::int32_t got = reader_.read(buffer + delivered, piece);
        if (got <= 0) break;  // the file ends before the chunk's claimed size
        delivered += std::uint32_t(got);
    }
    position_ += delivered;
    return delivered;
}

int WavDecoder::close(int value) {
    reader_.close();
    return value;
}
