// The generated data as the game sees it. Every file of the manifest of the
// tree the build generated is opened
// through the game's own loaders: pictures with their frame counts and
// sizes, fonts with their metrics, the cursor, every sound of the table
// through the sound system and its decoders, the music through the music
// player, and the texts and tuning through the INI store. On top: every
// effect peaks under -6 dBFS at one loudness, the interface sits a few
// decibels over the menu music, the music loops without a click, and every
// text has its letters or glyphs (where each fits is the layout check's,
// tests/screens/layout_check_test.cpp).

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "config/ini_store.h"
#include "errorlog/error_check.h"
#include "graphics/display.h"
#include "graphics/font.h"
#include "graphics/game_fonts.h"
#include "graphics/sprite_loading.h"
#include "platform/cursor_file.h"
#include "sound/music_player.h"
#include "sound/sound.h"
#include "sound/sound_decoder.h"
#include "sound/sound_group.h"
#include "sound/sound_output.h"
#include "sound/sound_system.h"
#include "temp_dir.h"
#include "ui/button_control.h"
#include "ui/progress_control.h"
#include "ui/screen.h"
#include "ui/screen_manager.h"
#include "ui/static_control.h"
#include "game_sound_sections.h"

namespace fs = std::filesystem;

namespace {

// --- The tree ----------------------------------------------------------------

std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::uint8_t> readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// The tree the build generated (the determinism check compares a fresh
// generation with it, tests/assetgen/generated_tree_test.cpp).
struct Tree {
    fs::path root;
};

const Tree& generatedTree() {
    static const Tree tree{fs::path(SHARDFALL_DIST_DIR)};
    return tree;
}

// One manifest line: "kind path [WxH] [key=value ...]".
struct Entry {
    std::string kind, path;
    int width = 0, height = 0;
    std::map<std::string, std::string> values;

    int number(const std::string& key) const {
        const auto it = values.find(key);
        return it == values.end() ? -1 : std::stoi(it->second);
    }
    std::string text(const std::string& key) const {
        const auto it = values.find(key);
        return it == values.end() ? "" : it->second;
    }
    // The path as the game spells it.
    std::string gamePath() const {
        std::string p = path;
        std::replace(p.begin(), p.end(), '/', '\\');
        return p;
    }
};

std::vector<Entry> manifest(const fs::path& root) {
    std::vector<Entry> entries;
    std::istringstream in(readText(root / "manifest.txt"));
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        Entry e;
        words >> e.kind >> e.path;
        std::string word;
        while (words >> word) {
            const std::size_t eq = word.find('=');
            const std::size_t x = word.find('x');
            if (eq != std::string::npos) {
                e.values[word.substr(0, eq)] = word.substr(eq + 1);
            } else if (x != std::string::npos && std::isdigit(static_cast<unsigned char>(word[0]))) {
                e.width = std::stoi(word.substr(0, x));
                e.height = std::stoi(word.substr(x + 1));
            }
        }
        if (!e.kind.empty()) entries.push_back(e);
    }
    return entries;
}

// Every test works inside the generated tree, as the game works inside its
// own folder, with the error log kept out of it.
class GeneratedData : public ::testing::Test {
protected:
    void SetUp() override {
        const Tree& tree = generatedTree();
        ASSERT_TRUE(fs::exists(tree.root / "manifest.txt")) << "no generated data in " << tree.root;
        entries_ = manifest(tree.root);
        ASSERT_GT(entries_.size(), 200u);
        errorLog_ = fs::path(SHARDFALL_TEST_TMP) / ("generated_data_gerr_" + std::to_string(::getpid()) + ".log");
        closeErrorLog();
        setErrorLogPath(errorLog_.string().c_str());
        chdir_ = std::make_unique<ScopedChdir>(tree.root);
        iniReleaseCache();
    }
    void TearDown() override {
        iniReleaseCache();
        chdir_.reset();
        closeErrorLog();
        // Loading good data reports nothing.
        EXPECT_TRUE(readText(errorLog_).empty()) << readText(errorLog_);
        std::error_code ec;
        fs::remove(errorLog_, ec);
    }
    std::vector<Entry> entriesOf(const std::string& kind) const {
        std::vector<Entry> out;
        for (const Entry& e : entries_)
            if (e.kind == kind) out.push_back(e);
        return out;
    }
    static std::string ini(const char* file, const char* section, const char* key) {
        return iniReadString(file, section, key);
    }

    std::vector<Entry> entries_;
    fs::path errorLog_;
    std::unique_ptr<ScopedChdir> chdir_;
};

// The display the picture loaders convert into.
class WithDisplay {
public:
    WithDisplay() { SetDisplay(800, 600, 16, 0); }
    ~WithDisplay() {
        CloseDisplay();
        clearDisplayModeForTesting();
    }
};

// --- Sound helpers -----------------------------------------------------------

struct Decoded {
    int result = -1;
    platform::WaveFormat format;
    std::vector<std::int16_t> samples;  // interleaved
};

Decoded decode(const std::string& gamePath) {
    Decoded d;
    std::unique_ptr<SoundDecoder> decoder = createDecoder(gamePath);
    if (!decoder) return d;
    d.result = decoder->open(gamePath.c_str());
    if (d.result != 0) return d;
    d.format = decoder->format();
    std::vector<std::uint8_t> bytes(decoder->length());
    std::uint32_t got = 0;
    while (got < bytes.size()) {
        const std::uint32_t n =
            decoder->read(bytes.data() + got, static_cast<std::uint32_t>(bytes.size()) - got, false);
        if (n == 0) break;
        got += n;
    }
    bytes.resize(got);
    d.samples.resize(bytes.size() / 2);
    for (std::size_t i = 0; i < d.samples.size(); ++i)
        d.samples[i] = static_cast<std::int16_t>(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    decoder->close(0);
    return d;
}

double db(double linear) { return linear > 0 ? 20.0 * std::log10(linear) : -200.0; }

// The loudest 300 ms of one channel (all of a shorter sound), as RMS in dB
// relative to full scale.
double loudestWindowDb(const std::vector<std::int16_t>& interleaved, int channels, int channel, int rate) {
    const std::size_t frames = interleaved.size() / static_cast<std::size_t>(channels);
    const std::size_t window = std::min(frames, static_cast<std::size_t>(rate) * 3 / 10);
    std::vector<double> prefix(frames + 1, 0.0);
    for (std::size_t i = 0; i < frames; ++i) {
        const double s =
            interleaved[i * static_cast<std::size_t>(channels) + static_cast<std::size_t>(channel)] / 32768.0;
        prefix[i + 1] = prefix[i] + s * s;
    }
    double best = 0.0;
    for (std::size_t start = 0; start + window <= frames; start += 100)
        best = std::max(best, prefix[start + window] - prefix[start]);
    return 10.0 * std::log10(best / static_cast<double>(window) + 1e-30);
}

// The jump over the loop's seam against the RMS step of the 10 ms around it.
double seamRatio(const std::vector<std::int16_t>& interleaved, int channels, int channel, int rate) {
    const std::size_t frames = interleaved.size() / static_cast<std::size_t>(channels);
    auto at = [&](std::size_t i) {
        return static_cast<double>(
            interleaved[i * static_cast<std::size_t>(channels) + static_cast<std::size_t>(channel)]);
    };
    const std::size_t reach = static_cast<std::size_t>(rate) / 100;
    double sum = 0;
    std::size_t count = 0;
    for (std::size_t i = 1; i < reach; ++i, ++count) sum += std::pow(at(i) - at(i - 1), 2);
    for (std::size_t i = frames - reach; i < frames; ++i, ++count) sum += std::pow(at(i) - at(i - 1), 2);
    const double rms = std::sqrt(sum / static_cast<double>(count));
    return std::fabs(at(0) - at(frames - 1)) / std::max(rms, 1.0);
}


constexpr const char* kTable = "data\\sound\\sound.ini";

}  // namespace

TEST_F(GeneratedData, EveryPictureLoadsWithItsFramesAndSize) {
    WithDisplay display;
    int pictures = 0;
    testing::internal::CaptureStderr();
    for (const Entry& e : entriesOf("picture")) {
        SCOPED_TRACE(e.path);
        Sprite* sprite = GetSprite(e.gamePath().c_str());
        ASSERT_NE(sprite, nullptr);
        int pitch = 0;
        ASSERT_NE(sprite->readablePixels(pitch), nullptr) << "no pixels";
        const int frames = e.number("frames");
        ASSERT_GE(frames, 1);
        EXPECT_EQ(sprite->width(), e.width);
        EXPECT_EQ(sprite->height(), e.height * frames) << "the strip is not frames x frame height";
        ASSERT_TRUE(sprite->cutIntoFrames(frames, 1000));
        EXPECT_EQ(sprite->height(), e.height);
        const std::string blend = e.text("blend");
        if (!e.text("alpha").empty() || blend == "alpha") {
            EXPECT_TRUE(sprite->hasAlphaPlane()) << "no alpha";
        }
        ++pictures;
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "a loader complained";
    EXPECT_GT(pictures, 120);
}

TEST_F(GeneratedData, EveryFontLoadsWithItsMetricsAndTheCursorWithItsHotSpot) {
    WithDisplay display;
    const std::vector<Entry> fonts = entriesOf("font");
    EXPECT_EQ(fonts.size(), 5u);
    for (const Entry& e : fonts) {
        SCOPED_TRACE(e.path);
        Font* font = GetFont(e.gamePath().c_str());
        ASSERT_NE(font, nullptr);
        EXPECT_EQ(font->width(), e.width);
        EXPECT_EQ(font->lineHeight, e.number("lineheight"));
        EXPECT_EQ(font->variantCount, e.number("variants"));
        EXPECT_TRUE(font->hasAlphaPlane());
        int glyphs = 0;
        for (int c = 33; c <= 255; ++c) glyphs += font->glyphs[c].width > 0;
        EXPECT_EQ(glyphs, e.number("glyphs"));
        EXPECT_GT(font->spaceAdvance, 0);
    }
    for (const Entry& e : entriesOf("cursor")) {
        SCOPED_TRACE(e.path);
        platform::DecodedCursor cursor;
        ASSERT_TRUE(platform::decodeCursorFile(readBytes(e.path), cursor));
        EXPECT_EQ(cursor.width, e.width);
        EXPECT_EQ(cursor.height, e.height);
        EXPECT_EQ(std::to_string(cursor.hotX) + "," + std::to_string(cursor.hotY), e.text("hotspot"));
    }
}

TEST_F(GeneratedData, TheSoundTableLoadsEveryEffectAndEveryPlayIsHeard) {
    startSoundSystem(true, false);
    soundInit(1);
    ASSERT_TRUE(soundDeviceReady());
    setCategoryVolume(1.0f, SND_VOLUME_EFFECTS);
    setCategoryVolume(1.0f, SND_VOLUME_MUSIC);
    loadSoundTable("DATA\\SOUND\\sound.ini");

    // The table's section list must fit the 4096 bytes the loader reads it into.
    char sections[8192] = {};
    iniListSections(kTable, sections, sizeof sections);
    std::size_t used = 0;
    std::set<std::string> tableSections;
    for (const char* s = sections; *s; s += std::strlen(s) + 1) {
        tableSections.insert(s);
        used += std::strlen(s) + 1;
    }
    EXPECT_LT(used + 1, 4096u);
    EXPECT_TRUE(tableSections.count("main"));

    // Every listed sound has its samples, in a format the mixer plays.
    const int listed = soundListCount();
    int effects = 0;
    for (int i = 0; i < listed; ++i) {
        Sound* sound = soundListAt(i);
        if (!sound) continue;
        SCOPED_TRACE(sound->path());
        ASSERT_NE(sound->buffer(), nullptr) << "did not load";
        EXPECT_FALSE(sound->isStreamed()) << "an effect this long streams";
        EXPECT_GT(sound->buffer()->sizeBytes(), 0u);
        EXPECT_TRUE(platform::isPlayableFormat(sound->buffer()->format()));
        ++effects;
    }
    EXPECT_EQ(static_cast<std::size_t>(effects), entriesOf("sound").size());

    for (const std::string& name : sectionsTheGamePlays()) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(tableSections.count(name)) << "no section";
        SoundGroup* group = loadSoundGroup(kTable, name.c_str());
        ASSERT_NE(group, nullptr);
        ASSERT_FALSE(group->names.empty());
        for (const std::string& file : group->names) {
            Sound* sound = findSound(file.c_str());
            ASSERT_NE(sound, nullptr) << file;
            EXPECT_NE(sound->buffer(), nullptr) << file;
        }
        // Most plays put listener and source on one point.
        EXPECT_NE(playSoundGroup(group, 10, 10, 10, 10), nullptr) << "not heard at the listener";
        if (name == "select_kest") {
            // The board: listener at (420, 100), source at the selected cell's
            // centre anywhere across the screen; a cell to the left sounds
            // from the left, not hard.
            for (int x = 0; x <= 800; x += 20) {
                Sound* copy = playSoundGroup(group, 420, 100, x, 100);
                ASSERT_NE(copy, nullptr) << "a cell at x = " << x << " is not heard";
                if (x < 400) {
                    EXPECT_LT(copy->getPan(), 0.0f) << x;
                }
                if (x > 440) {
                    EXPECT_GT(copy->getPan(), 0.0f) << x;
                }
                EXPECT_LT(std::fabs(copy->getPan()), 0.6f) << x;
            }
        } else {
            // Anything else is heard from corner to corner of the screen.
            EXPECT_NE(playSoundGroup(group, 0, 0, 800, 600), nullptr) << "a far play is lost";
        }
    }

    // The board plays the first "birth" file directly: it is the table's own sound.
    const std::string birth = ini(kTable, "birth", "name0");
    ASSERT_FALSE(birth.empty());
    Sound* listedBirth = findSound(birth.c_str());
    ASSERT_NE(listedBirth, nullptr);
    EXPECT_EQ(getSound(birth.c_str()), listedBirth);
    EXPECT_NE(listedBirth->buffer(), nullptr);

    soundShutdown();
    stopSoundSystem("");
}

TEST_F(GeneratedData, EveryEffectDecodesCleanAtOneLoudness) {
    const std::vector<Entry> sounds = entriesOf("sound");
    ASSERT_GE(sounds.size(), sectionsTheGamePlays().size());
    std::map<std::string, double> loudness;
    for (const Entry& e : sounds) {
        SCOPED_TRACE(e.path);
        const Decoded d = decode(e.gamePath());
        ASSERT_EQ(d.result, 0) << "does not open";
        EXPECT_TRUE(platform::isPlayableFormat(d.format));
        EXPECT_EQ(d.format.samplesPerSec, 44100u);
        EXPECT_EQ(d.format.channels, e.number("channels"));
        ASSERT_FALSE(d.samples.empty());
        const double ms = 1000.0 * static_cast<double>(d.samples.size()) / d.format.channels / d.format.samplesPerSec;
        EXPECT_NEAR(ms, e.number("ms"), 1.0);
        int peak = 0;
        for (std::int16_t s : d.samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
        // Every peak under -6 dBFS: one effect at full volume leaves room
        // for the music and the next effect, and two together do not clip.
        EXPECT_LT(db(peak / 32767.0), -6.0);
        // Starts from silence and ends on it.
        EXPECT_LT(std::abs(d.samples.front()), 330);
        EXPECT_EQ(d.samples.back(), 0);
        loudness[e.path] = loudestWindowDb(d.samples, d.format.channels, 0, static_cast<int>(d.format.samplesPerSec));
    }
    // One loudness for all: the sound table's volumes set the balance, not
    // the files.
    std::vector<double> values;
    for (const auto& [path, value] : loudness) values.push_back(value);
    std::sort(values.begin(), values.end());
    const double median = values[values.size() / 2];
    for (const auto& [path, value] : loudness) {
        EXPECT_NEAR(value, median, 4.5) << path;
    }
    EXPECT_GT(median, -24.0);
    EXPECT_LT(median, -12.0);
}

// The interface as heard over the music at the volumes game.ini starts
// with: each button and panel sound a few decibels above the menu track's
// opening, which the title and the menus are first heard over.
TEST_F(GeneratedData, TheInterfaceSoundsSitAFewDecibelsAboveTheMenuMusic) {
    auto heardDb = [](float volume) { return ToDirectVolume(volume) / 100.0; };
    const float effects = iniReadFloat("game.ini", "main", "sound"), music = iniReadFloat("game.ini", "main", "music");
    ASSERT_GT(effects, 0.0f);
    ASSERT_GT(music, 0.0f);

    const Decoded menu = decode(ini("DATA\\sound\\music.ini", "main", "menu"));
    ASSERT_EQ(menu.result, 0);
    ASSERT_EQ(menu.format.channels, 2);
    // The loop's first quarter: its first eight bars.
    double sum = 0;
    const std::size_t opening = menu.samples.size() / 4;
    for (std::size_t i = 0; i < opening; ++i) sum += (menu.samples[i] / 32768.0) * (menu.samples[i] / 32768.0);
    const double musicDb = 10.0 * std::log10(sum / static_cast<double>(opening)) + heardDb(music);

    for (const char* section : {"toggle", "click", "options", "dialog"}) {
        SCOPED_TRACE(section);
        const float maxvolume = iniReadFloat(kTable, section, "maxvolume");
        const Decoded d = decode(ini(kTable, section, "name0"));
        ASSERT_EQ(d.result, 0);
        const double soundDb =
            loudestWindowDb(d.samples, d.format.channels, 0, static_cast<int>(d.format.samplesPerSec)) +
            heardDb(effects * maxvolume);
        EXPECT_GT(soundDb - musicDb, 1.0) << "lost in the music";
        EXPECT_LT(soundDb - musicDb, 5.0) << "far over the music";
    }
}

TEST_F(GeneratedData, TheMusicStreamsThroughThePlayerAndLoopsWithoutAClick) {
    const std::vector<Entry> tracks = entriesOf("music");
    ASSERT_EQ(tracks.size(), 2u);
    startSoundSystem(true, false);
    soundInit(1);  // reads "DATA\sound\music.ini" here
    ASSERT_TRUE(soundDeviceReady());
    MusicPlayer* player = musicPlayer();
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(player->kind, 0);
    ASSERT_FALSE(player->menuTrack.empty()) << "no menu track, or its file is missing";
    ASSERT_FALSE(player->gameTrack.empty()) << "no game track, or its file is missing";
    EXPECT_NE(player->menuTrack, player->gameTrack);
    for (const std::string& track : {player->menuTrack, player->gameTrack}) {
        SCOPED_TRACE(track);
        Sound* sound = createSound(track.c_str(), SND_MODE_MUSIC);
        ASSERT_NE(sound, nullptr);
        ASSERT_NE(sound->buffer(), nullptr);
        EXPECT_TRUE(sound->isStreamed());
        EXPECT_GE(sound->getLength(), 60.0f);
        EXPECT_LE(sound->getLength(), 120.0f);
    }
    soundShutdown();
    stopSoundSystem("");

    std::map<std::string, double> rms;
    for (const Entry& e : tracks) {
        SCOPED_TRACE(e.path);
        const Decoded d = decode(e.gamePath());
        ASSERT_EQ(d.result, 0);
        ASSERT_EQ(d.format.channels, 2);
        const std::size_t frames = d.samples.size() / 2;
        // Exactly the loop that was rendered: a frame more or less would tick
        // at every turn.
        EXPECT_EQ(std::to_string(frames), e.text("frames"));
        int peak = 0;
        double sum = 0;
        for (std::int16_t s : d.samples) {
            peak = std::max(peak, std::abs(static_cast<int>(s)));
            sum += (s / 32768.0) * (s / 32768.0);
        }
        EXPECT_LE(db(peak / 32767.0), -1.0) << "the music clips";
        rms[e.text("kind")] = 10.0 * std::log10(sum / static_cast<double>(d.samples.size()));
        for (int channel = 0; channel < 2; ++channel) {
            EXPECT_LT(seamRatio(d.samples, 2, channel, 44100), 3.0) << "a click at the loop point, channel " << channel;
        }
    }
    EXPECT_GT(rms["menu"], -30.0);
    EXPECT_LT(rms["menu"], rms["game"]) << "the menu track should be the calmer one";
    EXPECT_LT(rms["game"], -14.0);
}

TEST_F(GeneratedData, EveryTextTheGameReadsIsThereInItsLettersOrGlyphs) {
    WithDisplay display;
    const char* language = "data\\language.ini";
    // Where the texts in big letters and in fonts lie on the screens is the
    // layout check's (tests/screens/layout_check_test.cpp); here every
    // character of a text has its letter picture or its glyph.
    for (const char* key : {"levelcomplete", "puzzlesolved", "level", "bonus", "nomoves", "go", "timeup"}) {
        const std::string text = ini(language, "game", key);
        SCOPED_TRACE(std::string(key) + ": " + text);
        ASSERT_FALSE(text.empty());
        EXPECT_LE(text.size(), 20u) << "the letter banner has twenty letters";
        for (char c : text) {
            if (c == ' ') continue;
            char path[32];
            std::snprintf(path, sizeof path, "data\\letters\\%c.tga", c);
            Sprite* letter = GetSprite(path);
            EXPECT_TRUE(letter && letter->width() > 0) << "no letter for '" << c << "'";
        }
    }

    // Texts drawn with the fonts: every character has a glyph.
    const std::vector<std::pair<const char*, const char*>> fontTexts = {
        {"combo", "DATA\\fonts\\combo.jpg"},
        {"supercombo", "DATA\\fonts\\combo.jpg"},
        {"ultracombo", "DATA\\fonts\\combo.jpg"},
        {"unbelievable", "DATA\\fonts\\combo.jpg"},
        {"gembonus", "DATA\\fonts\\combo.jpg"},
        {"pressanykey", "DATA\\fonts\\font_dark.tga"},
        {"createnewplayer", "DATA\\fonts\\fontStatic.tga"},
        {"dontshowtips", "DATA\\fonts\\font_help.tga"},
        {"restart", "DATA\\fonts\\fontmenu.tga"},
        {"start", "DATA\\fonts\\fontmenu.tga"},
        {"newgame", "DATA\\fonts\\fontmenu.tga"},
        {"continue", "DATA\\fonts\\fontmenu.tga"},
        {"areyousure1", "DATA\\fonts\\fontStatic.tga"},
    };
    for (const auto& [key, fontPath] : fontTexts) {
        const std::string text = ini(language, "game", key);
        SCOPED_TRACE(std::string(key) + ": " + text);
        ASSERT_FALSE(text.empty());
        Font* font = GetFont(fontPath);
        ASSERT_NE(font, nullptr);
        for (char c : text) {
            const unsigned char u = static_cast<unsigned char>(c);
            if (u > 32) {
                EXPECT_GT(font->glyphs[u].width, 0) << "no glyph for '" << c << "'";
            }
        }
    }
}

TEST_F(GeneratedData, EveryManifestEntryIsThereAndNoShortcutsShip) {
    const fs::path root = fs::current_path();
    std::set<std::string> kinds;
    for (const Entry& e : entries_) {
        SCOPED_TRACE(e.kind + " " + e.path);
        kinds.insert(e.kind);
        EXPECT_EQ(e.path, [&] {
            std::string lower = e.path;
            for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            return lower;
        }()) << "not in lower case";
        ASSERT_TRUE(fs::is_regular_file(root / e.path)) << "missing";
        EXPECT_GT(fs::file_size(root / e.path), 0u);
        if (e.kind == "ini" || e.kind == "screen") {
            char sections[8192] = {};
            iniListSections(e.gamePath().c_str(), sections, sizeof sections);
            EXPECT_NE(sections[0], '\0') << "no section";
        }
    }
    for (const char* kind : {"picture", "alpha", "font", "cursor", "sound", "music", "ini", "file"}) {
        EXPECT_TRUE(kinds.count(kind)) << kind;
    }
    for (const char* file : {"data/sound/sound.ini", "data/sound/music.ini", "data/language.ini", "data/common.ini"}) {
        EXPECT_TRUE(fs::exists(root / file)) << file;
    }
    EXPECT_EQ(ini("game.ini", "main", "name"), "Shardfall");
    // No internet shortcuts: a browser opening at every exit is unwelcome.
    for (const auto& file : fs::recursive_directory_iterator(root)) {
        EXPECT_NE(file.path().extension(), ".url") << file.path();
    }
}

// --- The game screen ----------------------------------------------------------

namespace {

// Where the game puts what the screen file does not place.
constexpr int kBoardFrameLeft = 432 - 4 * 48 - 18;  // the widest field's gold frame
constexpr int kBoardFrameBottom = 528 + 18;
constexpr int kPanelLeft = 635, kPanelRight = 785;

struct Box {
    int x0, y0, x1, y1;
};

bool overlap(const Box& a, const Box& b) { return a.x0 < b.x1 && b.x0 < a.x1 && a.y0 < b.y1 && b.y0 < a.y1; }

// The box of a sprite's pixels with an alpha of at least 16 (what the
// blits draw), in the sprite's own coordinates.
struct Ink {
    Box box{0, 0, 0, 0};
};

Ink inkOf(const Sprite& sprite) {
    Ink ink;
    ink.box = {sprite.width(), sprite.height(), 0, 0};
    const std::uint8_t* alpha = sprite.alphaPlane();
    for (int y = 0; y < sprite.height(); ++y)
        for (int x = 0; x < sprite.width(); ++x) {
            if (alpha && alpha[static_cast<std::size_t>(y) * sprite.width() + x] < 16) continue;
            ink.box = {std::min(ink.box.x0, x), std::min(ink.box.y0, y), std::max(ink.box.x1, x + 1),
                       std::max(ink.box.y1, y + 1)};
        }
    return ink;
}

// The picture as the game blends it: the 16-bit colour where the alpha
// plane lets it show, 0 where it does not.
std::vector<std::uint16_t> visiblePixels(const Sprite& sprite) {
    int pitch = 0;
    const std::uint16_t* pixels = sprite.readablePixels(pitch);
    std::vector<std::uint16_t> out(static_cast<std::size_t>(sprite.width()) * sprite.height(), 0);
    if (!pixels) return out;
    for (int y = 0; y < sprite.height(); ++y)
        for (int x = 0; x < sprite.width(); ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * sprite.width() + x;
            if (sprite.alphaPlane()[i] >= 16) out[i] = pixels[static_cast<std::size_t>(y) * (pitch / 2) + x];
        }
    return out;
}

}  // namespace

TEST_F(GeneratedData, TheGameScreenFileHoldsEveryControlOfTheFourModesInItsPlace) {
    WithDisplay display;
    loadGameFonts();
    ScreenManager manager;
    Screen* game = manager.showScreen("game", 0);
    ASSERT_NE(game, nullptr);

    // The background the game builds from: the picture [back] "path" names.
    const std::string backPath = ini("data\\menu\\game.ini", "back", "path");
    auto* back = dynamic_cast<StaticControl*>(game->findChild("back"));
    ASSERT_NE(back, nullptr);
    ASSERT_TRUE(back->image && back->image == GetSprite(backPath.c_str())) << backPath;
    EXPECT_EQ(back->xs, 800);
    EXPECT_EQ(back->ys, 600);

    for (const char* name : {"puzzle_plat", "live_plate", "score", "lifes", "level", "mw"}) {
        SCOPED_TRACE(name);
        auto* control = dynamic_cast<StaticControl*>(game->findChild(name));
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(dynamic_cast<ButtonControl*>(control), nullptr) << "a static, not a button";
        EXPECT_FALSE(control->tabStop);
        EXPECT_GE(control->x, kPanelLeft);
        EXPECT_LE(control->x + control->xs, kPanelRight);
        EXPECT_GT(control->xs * control->ys, 0);
    }
    for (const char* name : {"puzzle_plat", "live_plate"}) {
        EXPECT_TRUE(hasPixels(game->findChild(name)->image)) << name;
    }
    // The widest numbers each plate shows, in the font the statics use.
    const std::vector<std::pair<const char*, const char*>> numbers = {
        {"score", "16,777,215"}, {"level", "6-8"}, {"level", "999"}, {"lifes", "99"}, {"mw", "99"}};
    for (const auto& [name, text] : numbers) {
        const UiElement* plate = game->findChild(name);
        EXPECT_LE(TextWidth(gameFonts().statics, text) + 8, plate->xs) << name << " cannot show " << text;
        EXPECT_LE(gameFonts().statics->lineHeight - 4, plate->ys) << name;
    }

    // The buttons: every state pictured, captions inside the plate.
    for (const char* name : {"magic", "undo", "reset", "menu", "help"}) {
        SCOPED_TRACE(name);
        auto* b = dynamic_cast<ButtonControl*>(game->findChild(name));
        ASSERT_NE(b, nullptr);
        ASSERT_EQ(dynamic_cast<ProgressControl*>(b), nullptr);
        for (int state : {ButtonControl::kNormal, ButtonControl::kActive, ButtonControl::kPressed}) {
            ASSERT_TRUE(hasPixels(b->stateImage(state))) << "state " << state;
            EXPECT_EQ(b->stateImage(state)->width(), b->xs);
        }
        EXPECT_GE(b->x, kPanelLeft);
        EXPECT_LE(b->x + b->xs, kPanelRight);
        EXPECT_LE(TextWidth(gameFonts().menu, b->caption()) + 16, b->xs) << b->caption();
    }
    // What each mode shows never overlaps, so a click means one thing and
    // no number is drawn over another control.
    const std::vector<std::vector<const char*>> modes = {
        {"magic", "mw", "score", "lifes", "level", "menu", "help"},
        {"undo", "reset", "level", "menu", "help"},
        {"live_plate", "score", "level", "menu", "help"},
    };
    for (const auto& shown : modes)
        for (std::size_t i = 0; i < shown.size(); ++i)
            for (std::size_t j = i + 1; j < shown.size(); ++j) {
                const UiElement* a = game->findChild(shown[i]);
                const UiElement* b = game->findChild(shown[j]);
                EXPECT_FALSE(overlap({a->x, a->y, a->x + a->xs, a->y + a->ys}, {b->x, b->y, b->x + b->xs, b->y + b->ys}))
                    << shown[i] << " and " << shown[j];
            }
    // Puzzle's buttons stand on its plate.
    const UiElement* plate = game->findChild("puzzle_plat");
    for (const char* name : {"undo", "reset"}) {
        const UiElement* b = game->findChild(name);
        EXPECT_TRUE(b->x >= plate->x && b->y >= plate->y && b->x + b->xs <= plate->x + plate->xs &&
                    b->y + b->ys <= plate->y + plate->ys)
            << name;
    }

    // The bar: shown, never dragged, drawn every frame; under the board and
    // under the flash the "warning" sound brings up at (268, 535).
    auto* bar = dynamic_cast<ProgressControl*>(game->findChild("timebar"));
    ASSERT_NE(bar, nullptr);
    EXPECT_FALSE(bar->tabStop);
    EXPECT_NE(bar->bnotstatic, 0);
    EXPECT_GT(bar->barWidth(), 0);
    EXPECT_GE(bar->y, kBoardFrameBottom);
    EXPECT_LE(bar->y + bar->ys, 585);
    Sprite* flash = GetSprite("data\\timebar_n.jpg");
    ASSERT_TRUE(hasPixels(flash));
    EXPECT_LE(268, bar->barOrigin());
    EXPECT_GE(268 + flash->width(), bar->barOrigin() + bar->barWidth());
    EXPECT_LE(535, bar->y);
    EXPECT_GE(535 + flash->height(), bar->y + bar->ys);
}

TEST_F(GeneratedData, EveryEpisodeHasItsSceneAndItsRelicForEveryLevelLeftOfTheBoard) {
    WithDisplay display;
    // The episodes' first levels; the last episode ends with level 40.
    const int firstLevel[7] = {1, 6, 12, 18, 25, 33, 41};
    const int position[6][2] = {{5, 179}, {6, 141}, {6, 210}, {5, 158}, {8, 178}, {16, 119}};
    for (int e = 1; e <= 6; ++e) {
        SCOPED_TRACE("episode " + std::to_string(e));
        char path[64];
        std::snprintf(path, sizeof path, "data\\BACK\\back%d.jpg", e);
        Sprite* scene = GetSprite(path);
        ASSERT_TRUE(hasPixels(scene));
        EXPECT_EQ(scene->width(), 620);
        EXPECT_EQ(scene->height(), 570);

        std::snprintf(path, sizeof path, "data\\BACK\\%d\\kest%dshadow.tga", e, e);
        Sprite* outline = GetSprite(path);
        ASSERT_TRUE(hasPixels(outline) && outline->hasAlphaPlane()) << path;
        const Ink ghost = inkOf(*outline);
        const int stages = firstLevel[e] - firstLevel[e - 1];
        std::vector<std::uint16_t> previous;
        for (int stage = 0; stage < stages; ++stage) {
            std::snprintf(path, sizeof path, "data\\BACK\\%d\\kest0%d.jpg", e, stage);
            SCOPED_TRACE(path);
            Sprite* relic = GetSprite(path);
            ASSERT_TRUE(hasPixels(relic) && relic->hasAlphaPlane());
            EXPECT_EQ(relic->width() * 1000 + relic->height(), outline->width() * 1000 + outline->height());
            const Ink ink = inkOf(*relic);
            // Every level adds a piece a player can see.
            const std::vector<std::uint16_t> seen = visiblePixels(*relic);
            if (!previous.empty()) {
                long changed = 0;
                for (std::size_t i = 0; i < seen.size(); ++i) changed += seen[i] != previous[i];
                EXPECT_GT(changed, 300);
            }
            previous = seen;
            // On the screen: off the gold border, left of the widest board's
            // frame, above the time bar.
            const int x = position[e - 1][0], y = position[e - 1][1];
            EXPECT_GE(x + ink.box.x0, 15);
            EXPECT_LE(x + ink.box.x1, kBoardFrameLeft);
            EXPECT_LE(y + ink.box.y1, kBoardFrameBottom);
            // The unfinished relic stays inside its outline.
            if (stage < stages - 1) {
                EXPECT_GE(ink.box.x0, ghost.box.x0);
                EXPECT_LE(ink.box.x1, ghost.box.x1);
                EXPECT_GE(ink.box.y0, ghost.box.y0);
            }
        }
        std::snprintf(path, sizeof path, "data\\BACK\\%d\\kest0%d.jpg", e, stages);
        EXPECT_FALSE(fileExists(path)) << "a stage beyond the episode's levels";
    }
    for (const char* panel : {"DATA\\BACK\\adventure_right.jpg", "DATA\\BACK\\puzzle_right.jpg", "DATA\\BACK\\quad_right.jpg"}) {
        Sprite* p = GetSprite(panel);
        ASSERT_TRUE(hasPixels(p)) << panel;
        EXPECT_EQ(p->width() * 1000 + p->height(), 150 * 1000 + 570) << panel;
    }
    for (const char* scene : {"DATA\\BACK\\puzzle.jpg", "DATA\\BACK\\quad.jpg"}) {
        Sprite* p = GetSprite(scene);
        ASSERT_TRUE(hasPixels(p)) << scene;
        EXPECT_EQ(p->width() * 1000 + p->height(), 620 * 1000 + 570) << scene;
    }
}

TEST_F(GeneratedData, EveryTutorialTextFitsThePanelThatPointsAtItsSpot) {
    WithDisplay display;
    Sprite* panel = GetSprite("data\\hint.tga");
    ASSERT_TRUE(hasPixels(panel) && panel->hasAlphaPlane());
    // The game puts the panel's corner at (x - 58, y - 140): its pointer
    // must end on (58, 140).
    const std::uint8_t* alpha = panel->alphaPlane();
    int tip = -1;
    for (int y = 0; y < panel->height(); ++y)
        if (alpha[static_cast<std::size_t>(y) * panel->width() + 58] >= 128) tip = y;
    EXPECT_NEAR(tip, 140, 3);
    // Lines start 13 pixels in; the same margin on the right.
    const int room = panel->width() - 2 * 13 - 4;

    Font* help = GetFont("DATA\\fonts\\font_help.tga");
    ASSERT_NE(help, nullptr);
    for (const char* file : {"data\\menu\\tutorial.ini", "data\\menu\\tutpuzzle.ini", "data\\menu\\tutcube.ini"}) {
        for (int entry = 0; entry < 4; ++entry) {
            for (int line = 0; line < 5; ++line) {
                const std::string section = std::to_string(entry), key = "str" + std::to_string(line);
                const std::string text = ini(file, section.c_str(), key.c_str());
                SCOPED_TRACE(std::string(file) + " [" + section + "] " + key + ": " + text);
                ASSERT_FALSE(text.empty());
                for (char c : text) {
                    const auto u = static_cast<unsigned char>(c);
                    if (u > 32) {
                        EXPECT_GT(help->glyphs[u].width, 0) << "no glyph for '" << c << "'";
                    }
                }
                EXPECT_LE(TextWidth(help, text.c_str()), room);
            }
        }
    }
}
