#include "graphics/avi_reader.h"

#include <algorithm>
#include <climits>

#include "graphics/sprite_loading.h"

namespace {

constexpr std::uint32_t fourCC(const char (&code)[5]) {
    return std::uint32_t(std::uint8_t(code[0])) | std::uint32_t(std::uint8_t(code[1])) << 8 |
           std::uint32_t(std::uint8_t(code[2])) << 16 | std::uint32_t(std::uint8_t(code[3])) << 24;
}

std::uint32_t readU32(const std::uint8_t* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}
int readS16(const std::uint8_t* p) { return std::int16_t(std::uint16_t(p[0] | p[1] << 8)); }

// Visits the chunks of a RIFF body: id, body and body size, each chunk padded
// to an even length. A chunk running past the end (a cut-off file) is
// visited with what is there, and ends the walk.
template <class Visit>
void forEachChunk(const std::uint8_t* data, std::size_t size, Visit visit) {
    std::size_t pos = 0;
    while (size - pos >= 8) {
        const std::uint32_t id = readU32(data + pos);
        std::size_t length = readU32(data + pos + 4);
        const std::size_t body = pos + 8;
        const bool cut = length > size - body;
        if (cut) length = size - body;
        visit(id, data + body, length);
        if (cut || size - body - length < (length & 1)) return;
        pos = body + length + (length & 1);
    }
}

bool isList(std::uint32_t id, const std::uint8_t* body, std::size_t size, std::uint32_t listType) {
    return id == fourCC("LIST") && size >= 4 && readU32(body) == listType;
}

// The stream's header fields we use, from 'strh'.
struct StreamHeader {
    std::uint32_t type = 0;
    std::uint32_t scale = 0;
    std::uint32_t rate = 0;
    std::uint32_t length = 0;
    int frameWidth = 0;
    int frameHeight = 0;
};

bool readStreamList(const std::uint8_t* data, std::size_t size, StreamHeader& header, DibFormat& format) {
    bool haveHeader = false, haveFormat = false;
    forEachChunk(data, size, [&](std::uint32_t id, const std::uint8_t* body, std::size_t length) {
        if (id == fourCC("strh") && length >= 36) {
            header.type = readU32(body);
            header.scale = readU32(body + 20);
            header.rate = readU32(body + 24);
            header.length = readU32(body + 32);
            if (length >= 56) {
                header.frameWidth = readS16(body + 52) - readS16(body + 48);
                header.frameHeight = readS16(body + 54) - readS16(body + 50);
            }
            haveHeader = true;
        } else if (id == fourCC("strf")) {
            haveFormat = readDibFormat(body, length, format);
        }
    });
    return haveHeader && haveFormat && header.type == fourCC("vids");
}

// "00db" and "00dc" for stream 0, "01db" for stream 1, and so on.
bool isFrameChunk(std::uint32_t id, int stream) {
    const std::uint32_t digits = std::uint32_t('0' + stream / 10 % 10) | std::uint32_t('0' + stream % 10) << 8;
    return (id & 0xFFFF) == digits && ((id >> 16) == ('d' | 'b' << 8) || (id >> 16) == ('d' | 'c' << 8));
}

}  // namespace

int AviImage::LoadFile(const char* path) {
    width_ = height_ = bitsPerPixel_ = duration_ = 0;
    frameCount_ = 1;
    chunks_.clear();
    shownSample_.clear();
    const int result = ReadWholeFile(path ? path : "", fileBuffer_);
    if (result != readFileOk) return result;

    const std::uint8_t* file = fileBuffer_.data();
    const std::size_t size = fileBuffer_.size();
    if (size < 12 || readU32(file) != fourCC("RIFF") || readU32(file + 8) != fourCC("AVI ")) return 1;

    int stream = -1;
    int streamsSeen = 0;
    StreamHeader header;
    const std::uint8_t* movi = nullptr;
    std::size_t moviSize = 0;
    forEachChunk(file + 12, size - 12, [&](std::uint32_t id, const std::uint8_t* body, std::size_t length) {
        if (isList(id, body, length, fourCC("hdrl"))) {
            forEachChunk(body + 4, length - 4, [&](std::uint32_t inner, const std::uint8_t* list, std::size_t n) {
                if (!isList(inner, list, n, fourCC("strl"))) return;
                if (stream < 0 && readStreamList(list + 4, n - 4, header, format_)) stream = streamsSeen;
                ++streamsSeen;
            });
        } else if (isList(id, body, length, fourCC("movi")) && !movi) {
            movi = body + 4;
            moviSize = length - 4;
        }
    });
    if (stream < 0 || stream > 99 || !movi || header.scale == 0 || header.rate == 0) return 1;

    // A sprite stacks its frames in at most maxImageEdge rows.
    const std::int64_t frames = header.length;
    const bool frameRectangle = header.frameWidth > 0 && header.frameHeight > 0;
    const int width = frameRectangle ? header.frameWidth : format_.width;
    const int height = frameRectangle ? header.frameHeight : (format_.height < 0 ? -format_.height : format_.height);
    if (frames > maxImageEdge || !imageSizeAcceptable(width, height, frames)) return 1;
    const std::int64_t duration = frames * header.scale * 1000 / header.rate;
    if (duration > INT_MAX) return 1;

    const std::int64_t rows = format_.height < 0 ? -std::int64_t(format_.height) : format_.height;
    const std::int64_t rowBytes = std::int64_t(format_.width) * (format_.bitsPerPixel / 8);
    framePitch_ = format_.imageSize / rows >= rowBytes ? int(format_.imageSize / rows) : format_.pitch;
    const std::int64_t frameBytes = dibBytesNeeded(format_, framePitch_);

    auto collect = [&](std::uint32_t id, const std::uint8_t* body, std::size_t length) {
        if (std::int64_t(chunks_.size()) >= frames || !isFrameChunk(id, stream)) return;
        chunks_.push_back({body, length});
        const int sample = int(chunks_.size()) - 1;
        const bool whole = std::int64_t(length) >= frameBytes;
        shownSample_.push_back(whole ? sample : (sample > 0 ? shownSample_[sample - 1] : -1));
    };
    forEachChunk(movi, moviSize, [&](std::uint32_t id, const std::uint8_t* body, std::size_t length) {
        if (isList(id, body, length, fourCC("rec ")))
            forEachChunk(body + 4, length - 4, collect);
        else
            collect(id, body, length);
    });
    if (chunks_.empty() || shownSample_.back() < 0) return 1;
    // Before the first whole frame there is nothing earlier to keep showing.
    const int firstWhole = *std::find_if(shownSample_.begin(), shownSample_.end(), [](int s) { return s >= 0; });
    for (int& shown : shownSample_) {
        if (shown < 0) shown = firstWhole;
    }

    scale_ = header.scale;
    rate_ = header.rate;
    width_ = width;
    height_ = -height;
    bitsPerPixel_ = format_.bitsPerPixel;
    frameCount_ = int(frames);
    duration_ = int(duration);
    return 0;
}

int AviImage::sampleAt(int time) const {
    if (scale_ == 0) return 0;
    std::int64_t t = time;
    if (duration_ > 0) {
        t %= duration_;
        if (t < 0) t += duration_;
    } else {
        t = 0;
    }
    return int(t * rate_ / (std::int64_t(scale_) * 1000));
}

bool AviImage::frameSource(int time, SourcePixels& out, SourceChannels& channels) const {
    if (chunks_.empty() || !bgrChannelsForDepth(bitsPerPixel_, channels)) return false;
    int sample = sampleAt(time);
    if (sample >= int(chunks_.size())) sample = int(chunks_.size()) - 1;
    sample = shownSample_[sample];
    if (sample < 0) return false;
    out = dibSource(format_, chunks_[sample].data, chunks_[sample].size, framePitch_);
    return true;
}
