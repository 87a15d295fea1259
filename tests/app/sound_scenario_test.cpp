// The whole program, headless, with sound: an effect played by name and a
// music switch are rendered into a WAV file, which is then measured: sound
// where it was played, the shape of the fades, silence after the stop.

#include <cmath>
#include <cstring>

#include <gtest/gtest.h>

#include "app/shardfall_app.h"
#include "sound/music_player.h"
#include "sound/sound_group.h"
#include "temp_dir.h"

namespace {

constexpr int kRate = 44100;

// A mono 16-bit WAV of a sine tone.
std::string toneWav(double seconds, double frequency, double amplitude) {
    const int frames = static_cast<int>(seconds * kRate);
    std::string data;
    for (int i = 0; i < frames; ++i) {
        const auto v = static_cast<std::int16_t>(std::lround(amplitude * 32767.0 * std::sin(2 * M_PI * frequency * i / kRate)));
        data += static_cast<char>(v & 0xFF);
        data += static_cast<char>((v >> 8) & 0xFF);
    }
    auto u32 = [](std::uint32_t v) { return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; };
    auto u16 = [](std::uint16_t v) { return std::string{char(v), char(v >> 8)}; };
    std::string fmt = u16(1) + u16(1) + u32(kRate) + u32(kRate * 2) + u16(2) + u16(16);
    return "RIFF" + u32(static_cast<std::uint32_t>(4 + 8 + fmt.size() + 8 + data.size())) + "WAVE" + "fmt " +
           u32(static_cast<std::uint32_t>(fmt.size())) + fmt + "data" + u32(static_cast<std::uint32_t>(data.size())) +
           data;
}

// Plays like a screen would: an effect at 0.5 s, the menu music at 1 s, the
// game music at 3 s, and stops the music at 6 s.
class SoundDirector : public FrameClient {
public:
    void handleWindowMessage(std::uint32_t, platform::WParam, platform::LParam) override {}
    int update(int milliseconds) override {
        elapsed_ += milliseconds;
        if (elapsed_ == 500) playSoundGroup(loadSoundGroup("data\\sound\\sound.ini", "ping"), 400, 300, 400, 300);
        if (elapsed_ == 1000) playMusic(musicPlayer(), 1);
        if (elapsed_ == 3000) playMusic(musicPlayer(), 2);
        if (elapsed_ == 6000) stopMusic(musicPlayer());
        return 0;
    }
    void draw() override {}

private:
    int elapsed_ = 0;
};

struct Mix {
    std::vector<float> left;
    // Root mean square of the left channel between two times, in seconds.
    double rms(double from, double to) const {
        const std::size_t a = static_cast<std::size_t>(from * kRate), b = static_cast<std::size_t>(to * kRate);
        double sum = 0;
        for (std::size_t i = a; i < b && i < left.size(); ++i) sum += left[i] * left[i];
        return b > a ? std::sqrt(sum / double(b - a)) : 0.0;
    }
    // Upward zero crossings per second between two times: the tone's pitch.
    double pitch(double from, double to) const {
        const std::size_t a = static_cast<std::size_t>(from * kRate), b = static_cast<std::size_t>(to * kRate);
        int crossings = 0;
        for (std::size_t i = a + 1; i < b && i < left.size(); ++i) crossings += left[i - 1] < 0 && left[i] >= 0;
        return crossings / (to - from);
    }
};

Mix readMix(const std::string& bytes) {
    Mix mix;
    // Our writer puts the samples right after a 44-byte header, stereo 16-bit.
    if (bytes.size() < 44 || bytes.compare(0, 4, "RIFF") != 0) return mix;
    for (std::size_t at = 44; at + 4 <= bytes.size(); at += 4) {
        std::int16_t v;
        std::memcpy(&v, bytes.data() + at, 2);
        mix.left.push_back(v / 32768.0f);
    }
    return mix;
}

TEST(SoundScenario, EffectAndMusicSwitchAreHeardWhereTheyWerePlayed) {
    TempDir dir;
    dir.write("game.ini", "[main]\r\nname=Shardfall sound\r\nmusic=1.0\r\nsound=1.0\r\n");
    dir.write("data/sound/sound.ini", "[main]\r\nmaxvolume=1\r\nminvolume=1\r\nr=1000\r\npan=0\r\n"
                                      "[ping]\r\nname0=data\\sound\\ping.wav\r\n");
    dir.write("data/sound/music.ini", "[main]\r\nmenu=data\\sound\\menu.wav\r\ngame=data\\sound\\game.wav\r\n");
    dir.write("data/sound/ping.wav", toneWav(0.2, 1000, 0.5));
    dir.write("data/sound/menu.wav", toneWav(8.0, 441, 0.4));
    dir.write("data/sound/game.wav", toneWav(8.0, 882, 0.4));

    AppHooks hooks;
    hooks.makeScreenManager = [] { return std::make_unique<SoundDirector>(); };
    const std::string data = dir.path().string(), out = dir.file("mix.wav");
    const char* argv[] = {"shardfall", "--headless", "--data", data.c_str(), "--run-ms", "8000", "--audio-out", out.c_str()};
    ASSERT_EQ(runShardfall(8, argv, hooks), 0);
    const Mix mix = readMix(dir.read("mix.wav"));
    ASSERT_GE(mix.left.size(), static_cast<std::size_t>(7.9 * kRate));

    // Silence, then the effect right after it was played, then silence again.
    EXPECT_LT(mix.rms(0.0, 0.45), 1e-4);
    EXPECT_GT(mix.rms(0.55, 0.65), 0.05);
    EXPECT_NEAR(mix.pitch(0.55, 0.65), 1000, 30);
    EXPECT_LT(mix.rms(0.8, 0.95), 1e-4);

    // The menu track fades in over a second, step by step, then holds.
    double previous = 0;
    for (double t = 1.05; t < 1.95; t += 0.1) {
        const double level = mix.rms(t, t + 0.1);
        EXPECT_GE(level, previous * 0.98) << "at " << t;
        previous = level;
    }
    const double menuLevel = mix.rms(2.2, 2.9);
    EXPECT_GT(menuLevel, 0.2);
    EXPECT_GT(menuLevel, mix.rms(1.05, 1.15) * 2);
    EXPECT_NEAR(mix.pitch(2.2, 2.9), 441, 10);

    // The switch: the menu fades out, then the game track fades in and holds.
    EXPECT_LT(mix.rms(3.8, 3.95), menuLevel * 0.5);
    EXPECT_NEAR(mix.pitch(5.2, 5.9), 882, 15);
    EXPECT_NEAR(mix.rms(5.2, 5.9), menuLevel, menuLevel * 0.1);

    // The stop fades out over a second; then nothing.
    EXPECT_LT(mix.rms(6.8, 6.95), menuLevel * 0.5);
    EXPECT_LT(mix.rms(7.1, 7.9), 1e-4);
}

}  // namespace
