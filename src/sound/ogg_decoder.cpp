#include "sound/ogg_decoder.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstring>

#include "platform/paths.h"

struct OggDecoder::Stream {
    OggVorbis_File file;
};

OggDecoder::OggDecoder() : stream_(std::make_unique<Stream>()) {}

OggDecoder::~OggDecoder() { close(0); }

int OggDecoder::open(const char* path) {
    close(0);
    path_ = path ? path : "";
    const int result = openStream();
    if (result != 0 || length_ > kWholeInMemoryBytes) return result;
    whole_.resize(length_);
    whole_.resize(decodeInto(whole_.data(), 0, length_));
    releaseFile();
    inMemory_ = true;
    position_ = 0;
    return 0;
}

int OggDecoder::openStream() {
    readSinceOpen_ = false;
    position_ = 0;
    file_ = platform::openFile(path_, "rb");
    if (!file_) return 1;
    if (ov_open(file_, &stream_->file, nullptr, 0) < 0) {
        // A refused file stays ours to close.
        std::fclose(file_);
        file_ = nullptr;
        return 2;
    }
    const vorbis_info* info = ov_info(&stream_->file, 0);
    if (!info || info->channels <= 0 || info->channels > 255 || info->rate <= 0) return close(2);
    const std::uint32_t channels = std::uint32_t(info->channels);
    format_.formatTag = platform::WAVE_FORMAT_PCM;
    format_.channels = std::uint16_t(channels);
    format_.samplesPerSec = std::uint32_t(std::min<long>(info->rate, 0x7FFFFFFF));
    format_.bitsPerSample = 16;
    format_.blockAlign = std::uint16_t(2 * channels);
    format_.avgBytesPerSec = std::uint32_t(std::uint64_t(format_.samplesPerSec) * format_.blockAlign);
    format_.extraSize = 0;

    // The 32-bit length of a hostile file's claimed sample count is kept to
    // whole frames below 2 GiB.
    const ogg_int64_t samples = ov_pcm_total(&stream_->file, 0);
    const std::uint64_t maxBytes = 0x7FFFFFFFu / format_.blockAlign * format_.blockAlign;
    std::uint64_t bytes = samples > 0 ? std::uint64_t(samples) * 16 * channels / 8 : 0;
    length_ = std::uint32_t(std::min(bytes, maxBytes));
    return 0;
}

void OggDecoder::rewind() {
    position_ = 0;
    if (inMemory_ || !file_ || !readSinceOpen_) return;
    // Opened again rather than sought (see the header). A file that cannot
    // be opened again now plays as silence.
    releaseFile();
    openStream();
}

std::uint32_t OggDecoder::decodeInto(std::uint8_t* buffer, std::uint32_t delivered, std::uint32_t count) {
    if (inMemory_) {
        const std::uint32_t end = std::uint32_t(whole_.size());
        const std::uint32_t n = position_ < end ? std::min(count - delivered, end - position_) : 0;
        if (n > 0) std::memcpy(buffer + delivered, whole_.data() + position_, n);
        position_ += n;
        return delivered + n;
    }
    while (file_ && delivered < count && position_ < length_) {
        // Never past the first stream's end, so a chained file stops there.
        const std::uint32_t want = std::min({count - delivered, length_ - position_, 1u << 30});
        int bitstream = 0;
        readSinceOpen_ = true;
        const long got = ov_read(&stream_->file, reinterpret_cast<char*>(buffer + delivered), int(want), 0, 2, 1,
                                 &bitstream);
        if (got <= 0) break;  // the end, or a decoding error treated as one
        delivered += std::uint32_t(got);
        position_ += std::uint32_t(got);
    }
    return delivered;
}

std::uint32_t OggDecoder::read(std::uint8_t* buffer, std::uint32_t count, bool loop) {
    if (!file_ && !inMemory_) {
        std::memset(buffer, 0, count);
        return 0;
    }
    std::uint32_t delivered = decodeInto(buffer, 0, count);
    // Wrap as often as the request needs, but only while each pass through
    // the stream delivers something: an empty stream must not spin.
    while (delivered < count && loop && position_ > 0) {
        rewind();
        delivered = decodeInto(buffer, delivered, count);
    }
    if (delivered < count) std::memset(buffer + delivered, 0, count - delivered);
    return delivered;
}

int OggDecoder::close(int value) {
    inMemory_ = false;
    whole_.clear();
    whole_.shrink_to_fit();
    releaseFile();
    return value;
}

void OggDecoder::releaseFile() {
    if (!file_) return;
    ov_clear(&stream_->file);  // closes the file too
    file_ = nullptr;
}
