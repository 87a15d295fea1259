#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "sound/ogg_decoder.h"
#include "sound/wav_decoder.h"
#include "sound_test_support.h"

namespace {

using namespace soundtest;

class DecoderTest : public ::testing::Test {
protected:
    void TearDown() override { closeErrorLog(); }
    std::vector<std::uint8_t> readAll(SoundDecoder& decoder, std::uint32_t count, bool loop, std::uint32_t& got) {
        std::vector<std::uint8_t> bytes(count, 0xAA);
        got = decoder.read(bytes.data(), count, loop);
        return bytes;
    }
    std::vector<std::int16_t> ramp(int frames, int channels) {
        std::vector<std::int16_t> s;
        for (int i = 0; i < frames; ++i) {
            for (int c = 0; c < channels; ++c) s.push_back(std::int16_t(6000 * std::sin(i * 0.03 + c)));
        }
        return s;
    }

    TempDir dir;
    ScopedChdir chdir{dir.path()};
};

TEST_F(DecoderTest, TheExtensionChoosesTheDecoderInAnyLetterCase) {
    EXPECT_NE(dynamic_cast<OggDecoder*>(createDecoder("MUSIC\\Theme.OGG").get()), nullptr);
    EXPECT_NE(dynamic_cast<WavDecoder*>(createDecoder("data\\sound\\click.Wav").get()), nullptr);
    EXPECT_NE(dynamic_cast<WavDecoder*>(createDecoder("a.b.wav").get()), nullptr);
    EXPECT_EQ(createDecoder("data\\sound\\click"), nullptr);
    EXPECT_EQ(createDecoder("click.mp3"), nullptr);
    EXPECT_EQ(createDecoder("data.ogg\\click"), nullptr);
    EXPECT_EQ(createDecoder("click."), nullptr);
}

TEST_F(DecoderTest, AWavReadDeliversOnlyWhatRemainsAndRewindStartsOver) {
    // A chunk before the format and an odd-sized one before the data.
    const std::string record = formatRecord(1, 1, 22050, 8);
    dir.write("s.wav", "RIFF" + le32(4 + 12 + 24 + 10 + 13) + "WAVE" + "LIST" + le32(3) + std::string("abc\0", 4) +
                           "fmt " + le32(16) + record + "odd " + le32(1) + std::string("x\0", 2) + "data" + le32(5) + "\x10\x20\x30\x40\x50");
    WavDecoder wav;
    ASSERT_EQ(wav.open("S.WAV"), 0);
    EXPECT_EQ(wav.format().formatTag, 1);
    EXPECT_EQ(wav.format().channels, 1);
    EXPECT_EQ(wav.format().samplesPerSec, 22050u);
    EXPECT_EQ(wav.format().avgBytesPerSec, 22050u);
    EXPECT_EQ(wav.format().blockAlign, 1);
    EXPECT_EQ(wav.format().bitsPerSample, 8);
    EXPECT_EQ(wav.length(), 5u);
    std::uint32_t got = 0;
    auto bytes = readAll(wav, 3, false, got);
    EXPECT_EQ(got, 3u);
    bytes = readAll(wav, 8, true, got);  // looping is not a WAV's business
    EXPECT_EQ(got, 2u);
    EXPECT_EQ(bytes[0], 0x40);
    EXPECT_EQ(bytes[1], 0x50);
    EXPECT_EQ(bytes[2], 0xAA);  // untouched
    readAll(wav, 8, false, got);
    EXPECT_EQ(got, 0u);
    wav.rewind();
    bytes = readAll(wav, 2, false, got);
    EXPECT_EQ(got, 2u);
    EXPECT_EQ(bytes[0], 0x10);
}

TEST_F(DecoderTest, BrokenWavHeadersAreReportedWithTheirChecks) {
    WavDecoder wav;
    EXPECT_EQ(wav.open("missing.wav"), 1);
    dir.write("empty.wav", "");
    EXPECT_EQ(wav.open("empty.wav"), 2);
    dir.write("nofmt.wav", "RIFF" + le32(12) + "WAVEdata" + le32(0));
    EXPECT_EQ(wav.open("nofmt.wav"), 2);
    dir.write("cut.wav", "RIFF" + le32(12) + "WAVEfmt " + le32(16));
    EXPECT_EQ(wav.open("cut.wav"), 2);
    closeErrorLog();
    const std::string log = dir.read("gerr.log");
    EXPECT_NE(log.find("mmioDescend( hmmioIn, &pckInRIFF, NULL, 0 ) = 265"), std::string::npos) << log;
    EXPECT_NE(log.find("mmioDescend( hmmioIn, &ckIn, &pckInRIFF, MMIO_FINDCHUNK ) = 265"), std::string::npos);
    EXPECT_NE(log.find("( mmioRead( hmmioIn, (HPSTR) &pcm, sizeof(PCMWAVEFORMAT) ) <= 0) = 1"), std::string::npos);

    // A data chunk claiming more than the file holds delivers what is there.
    dir.write("long.wav", wavFile(formatRecord(1, 2, 44100, 16), "").substr(0, 40) + le32(1000000) + "12345678");
    ASSERT_EQ(wav.open("long.wav"), 0);
    EXPECT_EQ(wav.length(), 1000000u);
    std::uint32_t got = 0;
    readAll(wav, 100, false, got);
    EXPECT_EQ(got, 8u);
}

TEST_F(DecoderTest, AnOggReadPastTheEndGivesTheRealCountAndSilence) {
    const auto samples = ramp(3000, 2);
    dir.write("t.ogg", oggFile(samples, 2, 44100));
    OggDecoder ogg;
    ASSERT_EQ(ogg.open("T.ogg"), 0);
    EXPECT_EQ(ogg.format().formatTag, 1);
    EXPECT_EQ(ogg.format().channels, 2);
    EXPECT_EQ(ogg.format().samplesPerSec, 44100u);
    EXPECT_EQ(ogg.format().blockAlign, 4);
    EXPECT_EQ(ogg.format().avgBytesPerSec, 176400u);
    EXPECT_EQ(ogg.format().bitsPerSample, 16);
    EXPECT_EQ(ogg.length(), 12000u);

    std::uint32_t got = 0;
    const auto once = readAll(ogg, 16000, false, got);
    EXPECT_EQ(got, 12000u);
    EXPECT_TRUE(std::all_of(once.begin() + 12000, once.end(), [](std::uint8_t b) { return b == 0; }));
    int loud = 0;
    for (std::size_t i = 0; i < 12000; i += 2) loud += std::abs(std::int16_t(once[i] | (once[i + 1] << 8))) > 1000;
    EXPECT_GT(loud, 2000);

    ogg.rewind();
    const auto looped = readAll(ogg, 16000, true, got);
    EXPECT_EQ(got, 16000u);
    EXPECT_TRUE(std::equal(looped.begin(), looped.begin() + 12000, once.begin()));
    EXPECT_TRUE(std::equal(looped.begin() + 12000, looped.end(), once.begin()));

    // A request many times the stream's length wraps as often as it needs.
    const auto many = readAll(ogg, 50000, true, got);
    EXPECT_EQ(got, 50000u);
    EXPECT_TRUE(std::equal(many.begin() + 8000, many.begin() + 20000, once.begin()));
}

TEST_F(DecoderTest, AChainedOggCountsOnlyItsFirstStream) {
    const auto first = ramp(2000, 1);
    const auto second = ramp(5000, 1);
    dir.write("chain.ogg", oggFile(first, 1, 22050, 1) + oggFile(second, 1, 22050, 2));
    OggDecoder ogg;
    ASSERT_EQ(ogg.open("chain.ogg"), 0);
    EXPECT_EQ(ogg.format().channels, 1);
    EXPECT_EQ(ogg.format().samplesPerSec, 22050u);
    EXPECT_EQ(ogg.length(), 4000u);
    std::uint32_t got = 0;
    const auto bytes = readAll(ogg, 20000, false, got);
    EXPECT_EQ(got, 4000u);
    EXPECT_TRUE(std::all_of(bytes.begin() + 4000, bytes.end(), [](std::uint8_t b) { return b == 0; }));
    // Looping wraps to the first stream's start, not into the second.
    ogg.rewind();
    const auto looped = readAll(ogg, 8000, true, got);
    EXPECT_TRUE(std::equal(looped.begin() + 4000, looped.end(), bytes.begin()));
}

TEST_F(DecoderTest, HostileBytesNeverCrashEitherDecoder) {
    const std::string goodWav = wav16(countingFrames(300));
    const std::string goodOgg = oggFile(ramp(2000, 2), 2, 44100);
    std::mt19937 random(11);
    // Whatever a damaged file opens as, a read never delivers more than was
    // asked, the position never passes the length, and a rewind plays the
    // same first bytes again.
    auto exercise = [&](SoundDecoder& decoder, const std::string& name, const std::string& bytes) {
        dir.write(name, bytes);
        if (decoder.open(name.c_str()) != 0) return;
        constexpr std::uint32_t kAsk = 4096;
        std::vector<std::uint8_t> first(kAsk), sink(kAsk);
        const std::uint32_t firstCount = decoder.read(first.data(), kAsk, false);
        ASSERT_LE(firstCount, kAsk) << name;
        for (int i = 0; i < 3; ++i) {
            ASSERT_LE(decoder.read(sink.data(), kAsk, i % 2 == 1), kAsk) << name;
            ASSERT_LE(decoder.position(), decoder.length()) << name;
        }
        decoder.rewind();
        ASSERT_EQ(decoder.read(sink.data(), kAsk, false), firstCount) << name;
        EXPECT_TRUE(std::equal(first.begin(), first.begin() + firstCount, sink.begin())) << name;
    };
    for (std::size_t cut = 0; cut < goodWav.size(); cut += 7) {
        WavDecoder wav;
        exercise(wav, "cut.wav", goodWav.substr(0, cut));
    }
    for (std::size_t cut = 0; cut < goodOgg.size(); cut += goodOgg.size() / 40 + 1) {
        OggDecoder ogg;
        exercise(ogg, "cut.ogg", goodOgg.substr(0, cut));
    }
    for (int round = 0; round < 200; ++round) {
        std::string bytes = round % 2 ? goodOgg : goodWav;
        for (int flips = 0; flips < 20; ++flips) bytes[random() % bytes.size()] = char(random());
        std::string noise(random() % 300, '\0');
        for (char& c : noise) c = char(random());
        WavDecoder wav;
        OggDecoder ogg;
        exercise(wav, "x.wav", round % 2 ? noise : bytes);
        exercise(ogg, "x.ogg", round % 2 ? bytes : "OggS" + noise);
    }
}

}  // namespace
