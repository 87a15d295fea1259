#include "ogg_writer.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <utility>

namespace {

// One Vorbis stream being encoded into Ogg pages.
class VorbisEncoder {
public:
    VorbisEncoder(int channelCount, int rate, const OggSettings& settings) {
        vorbis_info_init(&info_);
        ready_ = vorbis_encode_init_vbr(&info_, channelCount, rate, settings.quality) == 0;
        if (!ready_) return;
        vorbis_comment_init(&comment_);
        if (!settings.title.empty()) vorbis_comment_add_tag(&comment_, "TITLE", settings.title.c_str());
        vorbis_comment_add_tag(&comment_, "ARTIST", "Shardfall");
        vorbis_analysis_init(&dsp_, &info_);
        vorbis_block_init(&dsp_, &block_);
        ogg_stream_init(&stream_, settings.serial);
    }
    ~VorbisEncoder() {
        if (ready_) {
            ogg_stream_clear(&stream_);
            vorbis_block_clear(&block_);
            vorbis_dsp_clear(&dsp_);
            vorbis_comment_clear(&comment_);
        }
        vorbis_info_clear(&info_);
    }
    VorbisEncoder(const VorbisEncoder&) = delete;
    VorbisEncoder& operator=(const VorbisEncoder&) = delete;

    bool ready() const { return ready_; }

    void writeHeaders() {
        ogg_packet identification, comments, codebooks;
        vorbis_analysis_headerout(&dsp_, &comment_, &identification, &comments, &codebooks);
        ogg_stream_packetin(&stream_, &identification);
        ogg_stream_packetin(&stream_, &comments);
        ogg_stream_packetin(&stream_, &codebooks);
        // The audio starts on a page of its own, as players expect.
        while (ogg_stream_flush(&stream_, &page_)) writePage();
    }

    // `n` frames from `done` on; none marks the end. Returns whether the
    // stream has ended.
    bool feed(const std::vector<const synth::Mono*>& channels, std::size_t done, std::size_t n) {
        if (n == 0) {
            vorbis_analysis_wrote(&dsp_, 0);
        } else {
            float** buffer = vorbis_analysis_buffer(&dsp_, static_cast<int>(n));
            for (std::size_t c = 0; c < channels.size(); ++c) std::copy_n(channels[c]->data() + done, n, buffer[c]);
            vorbis_analysis_wrote(&dsp_, static_cast<int>(n));
        }
        bool ended = drain();
        if (n == 0 && !ended) {
            while (ogg_stream_flush(&stream_, &page_)) writePage();
            ended = true;
        }
        return ended;
    }

    std::vector<std::uint8_t> out;

private:
    bool drain() {
        bool ended = false;
        while (vorbis_analysis_blockout(&dsp_, &block_) == 1) {
            vorbis_analysis(&block_, nullptr);
            vorbis_bitrate_addblock(&block_);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp_, &packet)) {
                ogg_stream_packetin(&stream_, &packet);
                while (ogg_stream_pageout(&stream_, &page_)) {
                    writePage();
                    if (ogg_page_eos(&page_)) ended = true;
                }
            }
        }
        return ended;
    }

    void writePage() {
        out.insert(out.end(), page_.header, page_.header + page_.header_len);
        out.insert(out.end(), page_.body, page_.body + page_.body_len);
    }

    bool ready_ = false;
    vorbis_info info_{};
    vorbis_comment comment_{};
    vorbis_dsp_state dsp_{};
    vorbis_block block_{};
    ogg_stream_state stream_{};
    ogg_page page_{};
};

// The encoder, fed channel by channel.
std::vector<std::uint8_t> encodeChannels(const std::vector<const synth::Mono*>& channels, int rate,
                                         const OggSettings& settings) {
    VorbisEncoder encoder(static_cast<int>(channels.size()), rate, settings);
    if (!encoder.ready()) return {};
    encoder.writeHeaders();
    const std::size_t frames = channels.front()->size();
    constexpr std::size_t kChunk = 4096;
    std::size_t done = 0;
    bool ended = false;
    while (!ended) {
        const std::size_t n = std::min(kChunk, frames - done);
        ended = encoder.feed(channels, done, n);
        done += n;
    }
    return std::move(encoder.out);
}

}  // namespace

std::vector<std::uint8_t> encodeOgg(const synth::Stereo& samples, int rate, const OggSettings& settings) {
    return encodeChannels({&samples.left, &samples.right}, rate, settings);
}

std::vector<std::uint8_t> encodeOgg(const synth::Mono& samples, int rate, const OggSettings& settings) {
    return encodeChannels({&samples}, rate, settings);
}
