#include "ogg_writer.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>

namespace {

// The encoder, fed channel by channel.
std::vector<std::uint8_t> encodeChannels(const std::vector<const synth::Mono*>& channels, int rate,
                                         const OggSettings& settings) {
    std::vector<std::uint8_t> out;
    const int channelCount = static_cast<int>(channels.size());
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, channelCount, rate, settings.quality) != 0) {
        vorbis_info_clear(&info);
        return out;
    }
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    if (!settings.title.empty()) vorbis_comment_add_tag(&comment, "TITLE", settings.title.c_str());
    vorbis_comment_add_tag(&comment, "ARTIST", "Shardfall");

    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, settings.serial);

    ogg_page page;
    auto writePage = [&] {
        out.insert(out.end(), page.header, page.header + page.header_len);
        out.insert(out.end(), page.body, page.body + page.body_len);
    };

    ogg_packet identification, comments, codebooks;
    vorbis_analysis_headerout(&dsp, &comment, &identification, &comments, &codebooks);
    ogg_stream_packetin(&stream, &identification);
    ogg_stream_packetin(&stream, &comments);
    ogg_stream_packetin(&stream, &codebooks);
    // The audio starts on a page of its own, as players expect.
    while (ogg_stream_flush(&stream, &page)) writePage();

    const std::size_t frames = channels.front()->size();
    constexpr std::size_t kChunk = 4096;
    std::size_t done = 0;
    bool ended = false;
    while (!ended) {
        const std::size_t n = std::min(kChunk, frames - done);
        if (n == 0) {
            vorbis_analysis_wrote(&dsp, 0);
        } else {
            float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(n));
            for (int c = 0; c < channelCount; ++c)
                std::copy_n(channels[static_cast<std::size_t>(c)]->data() + done, n, buffer[c]);
            vorbis_analysis_wrote(&dsp, static_cast<int>(n));
            done += n;
        }
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
                ogg_stream_packetin(&stream, &packet);
                while (ogg_stream_pageout(&stream, &page)) {
                    writePage();
                    if (ogg_page_eos(&page)) ended = true;
                }
            }
        }
        if (n == 0 && !ended) {
            while (ogg_stream_flush(&stream, &page)) writePage();
            ended = true;
        }
    }
    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
}

}  // namespace

std::vector<std::uint8_t> encodeOgg(const synth::Stereo& samples, int rate, const OggSettings& settings) {
    return encodeChannels({&samples.left, &samples.right}, rate, settings);
}

std::vector<std::uint8_t> encodeOgg(const synth::Mono& samples, int rate, const OggSettings& settings) {
    return encodeChannels({&samples}, rate, settings);
}
